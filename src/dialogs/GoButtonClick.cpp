#include "dialogs/GoButtonClick.h"

#include "app/BrandingFile.h"
#include "app/DataFilePath.h"
#include "app/StringTable.h"
#include "dialogs/TGodlg.h"
#include "menus/GoDispatch.h"
#include "settings/SortedTextList.h"
#include "widgets/TLinkLabel.h"

#include <QApplication>
#include <QLabel>

#include <memory>

namespace parvo {

void bCompClick(GoButtonContext& ctx, int senderHelpContext)
{
    // A fresh dialog every time, gone when the click is over whatever happens.
    const auto dlg = std::make_unique<TGodlg>(ctx.PopupImg, ctx.MenuKey, ctx.names);

    dlg->setWebItems(ctx.GoCompletionList.items());
    LoadSearchWords(ctx.registry, ctx.SearchWordList);
    dlg->setSearchItems(ctx.SearchWordList);

    const QString data = DataFilePath(0, ctx.programFolder);
    const GoBranding branding = ReadGoBranding(data);
    dlg->go3->setText(branding.homeAddress);
    dlg->setSearchRowVisible(branding.searchRow);
    const auto banner = ReadBanner(DataFilePath(3, ctx.programFolder));
    const bool intact = banner && dlg->setBanner(banner->bytes, BannerLeft(banner->width));
    if (!intact)
        ctx.EndForDamagedData();

    dlg->Label3->setText(branding.homeLabel);
    dlg->go3->setToolTip(branding.homeLabel);
    dlg->Label5->setToolTip(branding.bannerLink);
    dlg->Image3->setToolTip(Str(86));
    dlg->focusInput(senderHelpContext == SearchButtonHelpContext);

    // With the program ending the dialog closes at once, as cancelled.
    if (!intact)
        return;
    if (dlg->exec() != QDialog::Accepted)
        return;

    GoTargets targets{ctx.registry, ctx.shell,           ctx.BrowserCommand, data,
                      ctx.GoCompletionList, ctx.SearchWordList, ctx.names};
    DispatchGoChoice(targets, dlg->choice());
}

} // namespace parvo
