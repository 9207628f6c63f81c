#pragma once
// One item of the bar's popup menu as plain data: the menus are built as trees of these
// records, the popup widget only draws them and reports what the user did with them.
//
// Every item carries its kind in `HelpContext`, a sub-code in `Tag` and its target in
// `Hint`; the click dispatcher reads nothing else. A separator is an item whose caption
// is "-"; its `Hint`, when not empty, is the title drawn inside its line.

#include <QString>
#include <vector>

namespace parvo {

// Where an item's 16-pixel picture comes from.
struct ItemPicture {
    enum Source {
        None,       // no picture
        PopupCell,  // cell `cell` of the menu glyph strip (PopupImg)
        SponsorCell,// cell `cell` of the branding glyph strip (SponsorImg)
        FileIcon,   // the desktop's own icon for the item's `Hint` (a file or folder path)
    };
    Source source = None;
    int cell = 0;
    bool operator==(const ItemPicture&) const = default;

    static ItemPicture Popup(int cell) { return {PopupCell, cell}; }
    static ItemPicture Sponsor(int cell) { return {SponsorCell, cell}; }
    static ItemPicture SystemIcon() { return {FileIcon, 0}; }
};

// What choosing the item (or opening its sub-menu) runs.
enum class ItemClick {
    None,           // nothing: titles, separators, parents whose children are added later
    Launch,         // the common item handler
    ExpandFolder,   // fills the item's folder sub-menu when it is about to open
};

struct MenuItem {
    QString Caption;
    QString Hint;
    int Tag = 0;
    int HelpContext = 0;
    ItemPicture Picture;
    bool Checked = false;
    bool Enabled = true;
    bool Default = false;         // drawn bold; the item Enter chooses first
    bool AutoLineReduction = false; // in this item's sub-menu, hide leading, trailing and doubled separators
    bool Mnemonic = false;        // an "&" in the caption marks its key letter ("&&" is a plain "&");
                                  // off for names taken from files and lists, which may hold "&"
    ItemClick OnClick = ItemClick::None;
    std::vector<MenuItem> children;

    bool isSeparator() const { return Caption == QLatin1String("-"); }
    // An item opens a sub-menu when it has children, or when its folder is still to be read.
    bool hasSubmenu() const { return !children.empty() || OnClick == ItemClick::ExpandFolder; }
};

// The separator line, titled when `title` is not empty.
inline MenuItem Separator(const QString& title = {})
{
    MenuItem item;
    item.Caption = QStringLiteral("-");
    item.Hint = title;
    return item;
}

} // namespace parvo
