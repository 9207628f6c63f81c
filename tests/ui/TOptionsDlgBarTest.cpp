// The options dialog opened by the real bar's menu: its switches act on the running bar.

#include "BarFixture.h"
#include "bar/BarPanels.h"
#include "bar/DriveButtons.h"
#include "dialogs/TOptionsDlg.h"
#include "menus/MenuItem.h"
#include "widgets/TBcBarPopupMenu.h"
#include "widgets/TPlumBut.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace parvo;
using namespace parvo::test;

namespace {

struct OptionsOnTheBar : BarFixture {
    quint32 stored(const char* name) const { return reg.dword(QString::fromLatin1(keys::Options), name); }
};

} // namespace

TEST_F(OptionsOnTheBar, TheConfigurationItemOpensTheDialogAndItsSwitchesChangeTheBar)
{
    StartBar();
    auto* panels = bar->findChild<BarPanels*>();
    auto* drives = bar->findChild<DriveButtons*>();
    ASSERT_TRUE(panels && drives);
    ASSERT_TRUE(panels->bFavs->isVisible());
    bool seen = false;
    OnNextModal<TOptionsDlg>(
        [&](TOptionsDlg* dialog) {
            EXPECT_EQ(dialog->CurrentPage(), OptionsPage::s0);
            dialog->Check(Option::Tray)->click();
            dialog->Check(Option::Button_favs)->click();
            dialog->Check(Option::FontDisksBold)->click();
            dialog->Radio(Option::FontSizeInc, 4)->click();
            dialog->Radio(Option::Layout, 3)->click();
            dialog->close();
        },
        &seen);
    MenuItem configuration;
    configuration.HelpContext = 5;
    configuration.Tag = 3;
    bar->popup_myfolders->OnChoose(configuration);
    ASSERT_TRUE(seen);

    EXPECT_FALSE(bar->Settings.TrayIconVisible);
    EXPECT_EQ(stored("Tray"), 0u);
    EXPECT_FALSE(panels->bFavs->isVisible()) << "the button goes at once";
    EXPECT_EQ(stored("Button_favs"), 0u);
    EXPECT_FALSE(drives->font().bold());
    EXPECT_EQ(drives->font().pointSize(), 12);
    EXPECT_EQ(bar->Settings.Layout, 3);
    const QList<TPlumBut*> driveButtons = drives->buttons(); // the old ones go later
    ASSERT_FALSE(driveButtons.isEmpty());
    EXPECT_TRUE(driveButtons.first()->glyph().isNull()) << "drive letters only, laid out again";
}
