#include "app/StringTable.h"
#include "bar/ButtonHints.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

struct Row {
    FixedButton button;
    int hintId;
    const char* menuKey; // nullptr: MenuKey left as it was
};

const Row Fixed[] = {
    {FixedButton::bInf, 64, "Normal"},        {FixedButton::bInfH, 64, "Normal"},
    {FixedButton::bFavs, 66, "Favs"},         {FixedButton::bSlinks, 65, "Slinks"},
    {FixedButton::bMail, 67, "email"},        {FixedButton::bWinFolders, 59, "WinFolders"},
    {FixedButton::bFolders, 60, "PvF"},       {FixedButton::bComp, 62, nullptr},
    {FixedButton::bCompSearch, 193, nullptr}, {FixedButton::bScrDrv, 230, "scrDrive"},
    {FixedButton::bScrLeft, 84, nullptr},     {FixedButton::bScrRight, 84, nullptr},
};

} // namespace

TEST(ButtonHints, HintsAndHoverKeysOfTheFixedButtons)
{
    for (const Row& row : Fixed) {
        SCOPED_TRACE(static_cast<int>(row.button));
        EXPECT_EQ(HintStringId(row.button), row.hintId);
        EXPECT_FALSE(Str(HintStringId(row.button)).isEmpty());
        const auto key = HoverMenuKey(row.button);
        if (row.menuKey)
            EXPECT_EQ(key, QString::fromLatin1(row.menuKey));
        else
            EXPECT_FALSE(key.has_value());
    }
    EXPECT_EQ(ProgramViewportMenuKey(), QStringLiteral("app_panel"));
    EXPECT_EQ(ProgramButtonMenuKey(QStringLiteral("/opt/parvo/links/Editor.lnk")),
              QStringLiteral("app_/opt/parvo/links/Editor.lnk"));
}

TEST(ButtonHints, HintWindowBelowAndRightOfTheControl)
{
    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(PlaceHintWindow(QRect(100, 0, 32, 22), QSize(120, 20), screen), QRect(105, 27, 120, 20));

    // A second screen to the right: screen coordinates carry its offset.
    const QRect second(1920, 0, 1280, 1024);
    EXPECT_EQ(PlaceHintWindow(QRect(1930, 40, 30, 22), QSize(120, 20), second).topLeft(), QPoint(1935, 67));
}

TEST(ButtonHints, HintWindowStaysOnTheScreen)
{
    const QRect screen(0, 0, 1920, 1080);
    // Off the right side: moved left until it ends at the screen's edge.
    EXPECT_EQ(PlaceHintWindow(QRect(1900, 0, 11, 22), QSize(120, 20), screen), QRect(1800, 27, 120, 20));
    // Off the bottom (a bar at the bottom edge): above the control instead.
    EXPECT_EQ(PlaceHintWindow(QRect(100, 1058, 32, 22), QSize(120, 20), screen), QRect(105, 1033, 120, 20));
    // Wider than the screen: pinned to its left side.
    EXPECT_EQ(PlaceHintWindow(QRect(500, 0, 32, 22), QSize(2000, 20), screen).left(), 0);
    // Fitting neither below nor above: as low as it can stand, top on the screen.
    EXPECT_EQ(PlaceHintWindow(QRect(10, 40, 20, 20), QSize(50, 70), QRect(0, 0, 200, 100)), QRect(15, 30, 50, 70));
    EXPECT_EQ(PlaceHintWindow(QRect(10, 40, 20, 20), QSize(50, 170), QRect(0, 0, 200, 100)).top(), 0);
    EXPECT_EQ(HintMaxWidth, 300);
}
