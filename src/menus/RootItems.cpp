#include "menus/RootItems.h"

namespace parvo {

namespace {

// Kinds that are a letter followed by a number; the number is the item's sub-code.
int NumberAfter(const QString& kind, qsizetype prefix)
{
    return kind.mid(prefix).toInt();
}

void ApplyKind(MenuItem& item, const QString& hint, const QString& kind)
{
    if (kind == QLatin1String("email")) {
        item.HelpContext = 2;
        item.Picture = ItemPicture::Popup(10);
    } else if (kind == QLatin1String("www")) {
        item.Picture = ItemPicture::Popup(6);
    } else if (kind == QLatin1String("efolders")) {
        item.HelpContext = 3;
        item.Picture = ItemPicture::Popup(9);
        item.AutoLineReduction = true;
    } else if (kind == QLatin1String("winfolders")) {
        item.HelpContext = 7;
        item.Picture = ItemPicture::Popup(4);
        item.AutoLineReduction = true;
    } else if (kind == QLatin1String("viewstyle")) {
        item.Tag = hint.toInt();
        item.HelpContext = 6;
        item.Picture = ItemPicture::Popup(item.Tag + 37);
    } else if (kind == QLatin1String("otherz_email")) {
        item.Tag = 1;
        item.HelpContext = 4;
        item.Picture = ItemPicture::Popup(11);
    } else if (kind == QLatin1String("otherz_slinks")) {
        item.Tag = 1;
        item.HelpContext = 4;
        item.Picture = ItemPicture::Popup(7);
    } else if (kind.startsWith(QLatin1String("app_"))) {
        item.Tag = hint.toInt();
        item.HelpContext = 8;
        item.Hint = kind;
        item.Mnemonic = true; // "&Rinomina", "&Elimina"
        if (item.Tag >= 1 && item.Tag <= 3)
            item.Picture = ItemPicture::Popup(item.Tag + 33);
        else if (item.Tag == 10)
            item.Picture = ItemPicture::Popup(2);
    } else if (kind.startsWith(QLatin1Char('s'))) {
        item.Tag = 100 + NumberAfter(kind, 1);
        item.Picture = ItemPicture::Sponsor(item.Tag - 100);
    } else if (kind.startsWith(QLatin1Char('x'))) {
        item.Tag = NumberAfter(kind, 1);
        item.HelpContext = 5;
        if (item.Tag > 0)
            item.Picture = ItemPicture::Popup(item.Tag - 1);
    } else if (kind.startsWith(QLatin1Char('y')) || kind.startsWith(QLatin1Char('z'))) {
        item.Tag = NumberAfter(kind, 1);
        item.Checked = kind.startsWith(QLatin1Char('y'));
        item.HelpContext = item.Checked ? 10 : 11;
        item.Picture = ItemPicture::Popup(item.Tag - 1);
    }
}

} // namespace

MenuItem* AddRootItem(MenuItem& root, const QString& caption, const QString& hint, const QString& kind,
                      QStringList* scratchList)
{
    if (kind == QLatin1String("efolder")) {
        if (scratchList)
            scratchList->append(hint);
        return nullptr;
    }
    MenuItem item;
    item.Caption = caption;
    item.Hint = hint;
    ApplyKind(item, hint, kind);
    if (hint != QLatin1String("|"))
        item.OnClick = ItemClick::Launch;
    if (hint == QLatin1String("--"))
        item.Enabled = false;
    root.children.push_back(std::move(item));
    return &root.children.back();
}

MenuItem& AddSubItem(MenuItem& root, int rootIndex, int tag, const QString& hint, const QString& caption)
{
    MenuItem item;
    item.Caption = caption;
    item.Hint = hint;
    item.Tag = tag;
    item.HelpContext = 5;
    if (rootIndex == 1) {
        if (tag > 0)
            item.Picture = ItemPicture::Popup(tag - 1);
    } else {
        item.Picture = ItemPicture::Sponsor(tag - 100);
    }
    item.OnClick = ItemClick::Launch;
    auto& children = root.children.at(static_cast<size_t>(rootIndex)).children;
    children.insert(children.begin(), std::move(item));
    return children.front();
}

} // namespace parvo
