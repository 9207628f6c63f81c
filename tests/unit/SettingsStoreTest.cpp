#include "FakeRegistry.h"
#include "FakeShellLinks.h"
#include "settings/FirstRunSetup.h"
#include "settings/RegistryKeys.h"
#include "settings/SettingsStore.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace parvo;

namespace {

const QString Main = QString::fromLatin1(keys::Program);
const QString Opts = QString::fromLatin1(keys::Options);
const QString Pv = QString::fromLatin1(keys::Pvfolder);

struct Store : ::testing::Test {
    FakeRegistry reg;
    BarSettings bar;
    QTemporaryDir dir;
    FakeShellLinks links;
    FirstRunEnvironment env;

    void SetUp() override
    {
        env.programFolder = dir.path() + QLatin1Char('/');
        env.links = &links;
    }
    void loadAll()
    {
        EnsureBarDefaults(reg);
        LoadBarSettings(reg, bar);
        EnsureOptionDefaults(reg);
        LoadOptions(reg, bar);
        if (FirstLoadPending(reg))
            RunFirstLoad(reg, env);
    }
};

} // namespace

TEST_F(Store, FreshUserGetsEveryDefaultAndAFloatingBar)
{
    loadAll();
    EXPECT_EQ(reg.dword(Main, "Lewa"), 0u);
    EXPECT_EQ(reg.dword(Main, "Gora"), 40u);
    EXPECT_EQ(reg.dword(Main, "Szer"), 500u);
    EXPECT_EQ(reg.dword(Main, "Floating"), 0u);
    EXPECT_EQ(reg.text(Main, "Except_drive"), QString());
    EXPECT_EQ(reg.dword(Main, "FirstLoad"), 0u) << "first-run setup ran and was marked done";

    const std::pair<const char*, quint32> options[] = {
        {"Stay", 0}, {"Hide", 0}, {"Tray", 1}, {"Layout", 1}, {"ClickLayout", 5}, {"FontSized", 1},
        {"FontSizeInc", 2}, {"FontDisksBold", 1}, {"Explorer", 1}, {"Button_favs", 1},
        {"Button_email", 1}, {"Button_winfolders", 1}, {"Button_efolders", 1}, {"Button_internet", 1},
        {"Button_slinks", 1}, {"Button_search", 1}, {"Drives_subfolders", 1}, {"Drives_files", 1},
        {"Drives_hidden", 0}, {"Drives_fullimages", 0}};
    EXPECT_EQ(reg.valueNames(RegRoot::CurrentUser, Opts).size(), 20);
    for (auto [name, value] : options) {
        ASSERT_TRUE(reg.has(Opts, name)) << name;
        EXPECT_EQ(reg.value(RegRoot::CurrentUser, Opts, name)->type, RegType::Dword) << name;
        EXPECT_EQ(reg.dword(Opts, name), value) << name;
    }

    EXPECT_EQ(bar.Edge, abeFloat);
    EXPECT_EQ(bar.FloatLeft, 0);
    EXPECT_EQ(bar.FloatTop, 40);
    EXPECT_EQ(bar.BarWidth, 500);
    EXPECT_EQ(bar.DriveFontSize, 10);
    EXPECT_TRUE(bar.DriveFontBold);
    EXPECT_TRUE(bar.TrayIconVisible);
    EXPECT_FALSE(bar.AlwaysOnTop);
    EXPECT_EQ(bar.ClickLayout, 5);
}

TEST_F(Store, DefaultsNeverOverwriteStoredValuesAndAreWrittenInOneStore)
{
    reg.set(Main, "szer", RegValue::fromDword(777));
    reg.set(Opts, "LAYOUT", RegValue::fromDword(3));
    reg.set(Main, "FirstLoad", RegValue::fromDword(0));
    const int before = reg.stores;
    EnsureBarDefaults(reg);
    EXPECT_EQ(reg.stores, before + 1);
    EnsureOptionDefaults(reg);
    EXPECT_EQ(reg.stores, before + 2);
    LoadBarSettings(reg, bar);
    LoadOptions(reg, bar);
    EXPECT_EQ(bar.BarWidth, 777);
    EXPECT_EQ(bar.Layout, 3);
    EXPECT_FALSE(FirstLoadPending(reg)) << "no first run when FirstLoad is 0";
}

TEST_F(Store, FloatingCodeSelectsTheEdgeAndUnknownCodesKeepIt)
{
    const std::pair<quint32, TAppBarEdge> codes[] = {
        {0, abeFloat}, {1, abeLeft}, {2, abeTop}, {3, abeRight}, {4, abeBottom}};
    reg.set(Main, "FirstLoad", RegValue::fromDword(0));
    for (auto [code, edge] : codes) {
        reg.set(Main, "Floating", RegValue::fromDword(code));
        bar.Edge = abeUnknown;
        LoadBarSettings(reg, bar);
        EXPECT_EQ(bar.Edge, edge) << code;
    }
    reg.set(Main, "Floating", RegValue::fromDword(7));
    bar.Edge = abeRight;
    LoadBarSettings(reg, bar);
    EXPECT_EQ(bar.Edge, abeRight);
}

TEST_F(Store, ExcludedDrivesAcceptDriveRootsAndToggleByFirstOccurrence)
{
    reg.set(Main, "FirstLoad", RegValue::fromDword(0));
    reg.set(Main, "Except_drive", RegValue::fromText("c:\\ad"));
    LoadBarSettings(reg, bar);
    EXPECT_EQ(bar.ExceptDrives, "cad");

    ToggleExcludedDrive(reg, bar, 'A', false);
    EXPECT_EQ(bar.ExceptDrives, "cd");
    ToggleExcludedDrive(reg, bar, 'E', true);
    EXPECT_EQ(reg.text(Main, "Except_drive"), "cde");

    // Removing a drive that is not excluded still stores the (unchanged) set.
    const int before = reg.stores;
    ToggleExcludedDrive(reg, bar, 'z', false);
    EXPECT_EQ(bar.ExceptDrives, "cde");
    EXPECT_EQ(reg.stores, before + 1);
}

TEST_F(Store, SavingDockedKeepsTheLastFloatingPosition)
{
    loadAll();
    bar.FloatLeft = 10;
    bar.FloatRight = 610;
    bar.FloatTop = 55;
    bar.Edge = abeFloat;
    SaveBarPlacement(reg, bar);
    EXPECT_EQ(reg.dword(Main, "Lewa"), 10u);
    EXPECT_EQ(reg.dword(Main, "Gora"), 55u);
    EXPECT_EQ(reg.dword(Main, "Szer"), 600u);

    bar.Edge = abeTop;
    bar.FloatLeft = 300;
    bar.FloatRight = 700;
    bar.FloatTop = 1;
    bar.ExceptDrives = "d";
    SaveBarPlacement(reg, bar);
    EXPECT_EQ(reg.dword(Main, "Floating"), 2u);
    EXPECT_EQ(reg.dword(Main, "Szer"), 400u);
    EXPECT_EQ(reg.dword(Main, "Lewa"), 10u);
    EXPECT_EQ(reg.dword(Main, "Gora"), 55u);
    EXPECT_EQ(reg.text(Main, "Except_drive"), "d");

    const std::pair<TAppBarEdge, quint32> codes[] = {{abeLeft, 1}, {abeRight, 3}, {abeBottom, 4}};
    for (auto [edge, code] : codes) {
        bar.Edge = edge;
        SaveBarPlacement(reg, bar);
        EXPECT_EQ(reg.dword(Main, "Floating"), code);
    }
    bar.Edge = abeUnknown;
    SaveBarPlacement(reg, bar);
    EXPECT_EQ(reg.dword(Main, "Floating"), 4u) << "an unregistered bar writes no edge";
}

TEST_F(Store, NegativePositionsSurviveTheRoundTrip)
{
    loadAll();
    bar.Edge = abeFloat;
    bar.FloatLeft = -1200;
    bar.FloatTop = -5;
    bar.FloatRight = -700;
    SaveBarPlacement(reg, bar);
    BarSettings again;
    LoadBarSettings(reg, again);
    EXPECT_EQ(again.FloatLeft, -1200);
    EXPECT_EQ(again.FloatTop, -5);
    EXPECT_EQ(again.BarWidth, 500);
}

TEST_F(Store, OptionsAreReadAsTheyAreStoredAndOutOfRangeFacesFallBack)
{
    loadAll();
    WriteOption(reg, Option::Stay, 1);
    WriteOption(reg, Option::Hide, 5); // any non-zero flag is on
    WriteOption(reg, Option::FontSizeInc, 4);
    WriteOption(reg, Option::FontDisksBold, 0);
    WriteOption(reg, Option::Button_slinks, 0);
    WriteOption(reg, Option::Drives_hidden, 1);
    WriteOption(reg, Option::Explorer, 2);
    LoadOptions(reg, bar);
    EXPECT_TRUE(bar.AlwaysOnTop);
    EXPECT_TRUE(bar.AutoHide);
    EXPECT_EQ(bar.DriveFontSize, 12);
    EXPECT_FALSE(bar.DriveFontBold);
    EXPECT_FALSE(bar.Button_slinks);
    EXPECT_TRUE(bar.Button_favs);
    EXPECT_TRUE(bar.Drives_hidden);
    EXPECT_EQ(bar.Explorer, 2);

    WriteOption(reg, Option::FontSized, 0);
    WriteOption(reg, Option::Layout, 9);
    WriteOption(reg, Option::ClickLayout, 0);
    LoadOptions(reg, bar);
    EXPECT_EQ(bar.DriveFontSize, 8);
    EXPECT_EQ(bar.Layout, 1);
    EXPECT_EQ(bar.ClickLayout, 5);
    EXPECT_EQ(reg.dword(Opts, "Layout"), 9u) << "the stored value is not rewritten";
}

TEST_F(Store, ValuesOfTheWrongTypeReadAsWellAsTheyCan)
{
    loadAll();
    reg.set(Main, "Szer", RegValue::fromText("640"));
    reg.set(Main, "Gora", RegValue::fromText("garbage"));
    reg.set(Main, "Except_drive", RegValue::fromDword(5));
    LoadBarSettings(reg, bar);
    EXPECT_EQ(bar.BarWidth, 640);
    EXPECT_EQ(bar.FloatTop, 0);
    EXPECT_EQ(bar.ExceptDrives, "5");
}

TEST_F(Store, AutostartValueFollowsTheSwitch)
{
    const QString run = QString::fromLatin1(keys::Run);
    EXPECT_FALSE(IsAutostartOn(reg));
    SetAutostart(reg, false, "/opt/parvo/parvo"); // nothing to delete: no error
    EXPECT_FALSE(IsAutostartOn(reg));
    SetAutostart(reg, true, "/opt/my parvo/parvo");
    EXPECT_TRUE(IsAutostartOn(reg));
    EXPECT_EQ(reg.text(run, "Tessaline Parvo"), "/opt/my parvo/parvo");
    SetAutostart(reg, false, {});
    EXPECT_FALSE(IsAutostartOn(reg));
}

TEST_F(Store, PvfolderPlacementKeepsTheNormalRectangleWhenMaximised)
{
    EnsurePvfolderDefaults(reg);
    PvfolderPlacement p;
    LoadPvfolderPlacement(reg, p);
    EXPECT_EQ(p.Left, 100);
    EXPECT_EQ(p.Width, 400);
    EXPECT_EQ(p.Height, 300);
    EXPECT_EQ(p.Kol2, 230);
    EXPECT_EQ(p.Tag, 1);

    p.Maximised = true;
    p.Left = 0;
    p.Width = 1920;
    p.View = 3;
    p.Kol1 = 99;
    SavePvfolderPlacement(reg, p);
    EXPECT_EQ(reg.dword(Pv, "Max"), 1u);
    EXPECT_EQ(reg.dword(Pv, "Lewa"), 100u);
    EXPECT_EQ(reg.dword(Pv, "Szer"), 400u);
    EXPECT_EQ(reg.dword(Pv, "View"), 3u);
    EXPECT_EQ(reg.dword(Pv, "Kol1"), 99u);

    reg.set(Pv, "View", RegValue::fromDword(8));
    PvfolderPlacement q;
    q.View = 2;
    LoadPvfolderPlacement(reg, q);
    EXPECT_EQ(q.View, 2) << "an unknown view keeps the current one";
    EXPECT_TRUE(q.Maximised);
    EXPECT_EQ(q.Tag, 0);
}
