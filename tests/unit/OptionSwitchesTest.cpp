#include "FakeLiveBar.h"
#include "FakePrompts.h"
#include "FakeRegistry.h"
#include "dialogs/OptionSwitches.h"
#include "dialogs/OptionsPages.h"
#include "settings/RegistryKeys.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

const QString Opts = QString::fromLatin1(keys::Options);
const QString RunKey = QString::fromLatin1(keys::Run);

struct Switches : ::testing::Test {
    FakeRegistry reg;
    FakeLiveBar bar;
    FakePrompts prompts;
    OptionSwitches sw{reg, bar, prompts, QStringLiteral("/opt/parvo/parvo")};

    void SetUp() override
    {
        EnsureOptionDefaults(reg);
        LoadOptions(reg, bar.settings);
        reg.stores = 0;
    }
    quint32 stored(const char* name) const { return reg.dword(Opts, QString::fromLatin1(name)); }
};

} // namespace

TEST_F(Switches, FillingShowsTheBarAndTheStoreAndWritesNothing)
{
    bar.settings.AutoHide = true;
    bar.settings.Layout = 3;
    bar.settings.ClickLayout = 9; // outside the choices: none selected
    bar.settings.Button_email = false;
    bar.settings.Drives_hidden = true;
    reg.set(Opts, "FontSizeInc", RegValue::fromDword(3));
    reg.set(RunKey, "Tessaline Parvo", RegValue::fromText("/opt/parvo/parvo"));

    const OptionControls& c = sw.Fill();
    EXPECT_TRUE(c.Hide);
    EXPECT_FALSE(c.Stay);
    EXPECT_TRUE(c.Tray);
    EXPECT_EQ(c.Layout, 3);
    EXPECT_EQ(c.ClickLayout, 0);
    EXPECT_EQ(c.Explorer, 1);
    EXPECT_EQ(c.Buttons, (std::array<bool, 6>{true, true, false, true, true, true}));
    EXPECT_TRUE(c.Hidden);
    EXPECT_TRUE(c.Bold);
    EXPECT_TRUE(c.Sized);
    EXPECT_EQ(c.SizeInc, 0) << "an increment other than 2 or 4 selects neither size";
    EXPECT_TRUE(c.Autostart);

    // The controls being set run their handlers; the guard holds every one back.
    {
        const auto guard = sw.Loading();
        sw.StayClick(true);
        sw.HideClick(false);
        sw.AutostartClick(false);
        sw.LayoutClick(2);
        sw.SubfoldersClick(false);
        sw.ButtonClick(0, false);
        sw.ExplorerClick(2);
    }
    EXPECT_FALSE(sw.IsLoading());
    EXPECT_EQ(reg.stores, 0);
    EXPECT_TRUE(bar.calls.isEmpty()) << bar.calls.join(", ").toStdString();
    EXPECT_TRUE(reg.has(RunKey, "Tessaline Parvo"));
    EXPECT_EQ(sw.Controls(), c);
}

TEST_F(Switches, DriveFacesAndOpenerSetTheBarAndLayOutOnlyForFaces)
{
    sw.Fill();
    sw.LayoutClick(2);
    sw.ClickLayoutClick(6);
    EXPECT_EQ(bar.settings.Layout, 2);
    EXPECT_EQ(bar.settings.ClickLayout, 6);
    EXPECT_EQ(stored("Layout"), 2u);
    EXPECT_EQ(stored("ClickLayout"), 6u);
    EXPECT_EQ(bar.calls, (QStringList{"relayout", "relayout"}));
    bar.calls.clear();
    sw.ExplorerClick(2);
    EXPECT_EQ(bar.settings.Explorer, 2);
    EXPECT_EQ(stored("Explorer"), 2u);
    EXPECT_TRUE(bar.calls.isEmpty());
}

TEST_F(Switches, DriveLetterFontFollowsTheSizeBoxAndItsTwoButtons)
{
    reg.set(Opts, "FontSizeInc", RegValue::fromDword(3));
    reg.set(Opts, "FontSized", RegValue::fromDword(0));
    LoadOptions(reg, bar.settings);
    sw.Fill();
    ASSERT_EQ(bar.settings.DriveFontSize, 8);

    sw.SizedClick(true);
    EXPECT_EQ(bar.settings.DriveFontSize, 8) << "neither size selected: the size stays";
    EXPECT_EQ(stored("FontSized"), 1u);
    EXPECT_TRUE(sw.Controls().SizeButtonsEnabled());
    sw.SizeIncClick(4);
    EXPECT_EQ(bar.settings.DriveFontSize, 12);
    EXPECT_EQ(stored("FontSizeInc"), 4u);
    sw.SizedClick(false);
    EXPECT_EQ(bar.settings.DriveFontSize, 8);
    EXPECT_FALSE(sw.Controls().SizeButtonsEnabled());
    sw.SizeIncClick(2); // stored, but the font stays at its base size
    EXPECT_EQ(bar.settings.DriveFontSize, 8);
    EXPECT_EQ(stored("FontSizeInc"), 2u);
    sw.SizedClick(true);
    EXPECT_EQ(bar.settings.DriveFontSize, 10);

    sw.BoldClick(false);
    EXPECT_FALSE(bar.settings.DriveFontBold);
    EXPECT_EQ(stored("FontDisksBold"), 0u);
    EXPECT_FALSE(bar.calls.contains("relayout")) << "the font changes without a new layout";
}

TEST_F(Switches, SubfoldersOffClearsTheThreeFlagsButKeepsTheTicksBelow)
{
    bar.settings.Drives_hidden = true;
    sw.Fill();
    sw.SubfoldersClick(false);
    EXPECT_FALSE(bar.settings.Drives_subfolders);
    EXPECT_FALSE(bar.settings.Drives_files);
    EXPECT_FALSE(bar.settings.Drives_hidden);
    EXPECT_EQ(stored("Drives_subfolders"), 0u);
    EXPECT_EQ(stored("Drives_files"), 0u);
    EXPECT_EQ(stored("Drives_hidden"), 0u);
    EXPECT_TRUE(sw.Controls().Files);
    EXPECT_TRUE(sw.Controls().Hidden);
    EXPECT_FALSE(sw.Controls().SubfolderBoxesEnabled());

    sw.SubfoldersClick(true);
    EXPECT_TRUE(bar.settings.Drives_files);
    EXPECT_TRUE(bar.settings.Drives_hidden);
    EXPECT_EQ(stored("Drives_files"), 1u);
    EXPECT_EQ(stored("Drives_hidden"), 1u);

    sw.HiddenClick(false);
    sw.FullImagesClick(true);
    EXPECT_FALSE(bar.settings.Drives_hidden);
    EXPECT_TRUE(bar.settings.Drives_fullimages);
    EXPECT_EQ(stored("Drives_hidden"), 0u);
    EXPECT_EQ(stored("Drives_fullimages"), 1u);
}

TEST(OptionsOpening, TheOpeningMenuChoosesThePageAndTheAdd)
{
    const auto is = [](const char* key, bool add, std::optional<OptionsPage> page, bool startAdd) {
        const OptionsOpening o = OpeningFor(QString::fromLatin1(key), add);
        EXPECT_EQ(o.page, page) << key;
        EXPECT_EQ(o.startAdd, startAdd) << key;
    };
    is("Slinks", false, OptionsPage::s3, true);
    is("email", false, OptionsPage::s4, true);
    is("scrDrive", true, OptionsPage::s1, false);
    is("app_/opt/parvo/links/gedit.lnk", true, OptionsPage::s2, true);
    is("app_panel", false, OptionsPage::s2, false);
    is("Normal", true, std::nullopt, false);
    is("C:\\", false, std::nullopt, false);
    is("slinks", false, std::nullopt, false); // keys are exact
}
