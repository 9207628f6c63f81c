#include "bar/DriveStripLayout.h"

#include <gtest/gtest.h>

using namespace parvo;

TEST(DriveStripLayout, ExceptDrivesHidesEveryLetterItContains)
{
    EXPECT_FALSE(IsDriveExcepted(QLatin1Char('A'), QString()));
    EXPECT_TRUE(IsDriveExcepted(QLatin1Char('A'), QStringLiteral("ca")));
    // Letters count wherever they stand, even among leftovers of a stored root.
    EXPECT_TRUE(IsDriveExcepted(QLatin1Char('Z'), QStringLiteral("a:\\z:\\")));
    // Hidden drives are stored in lower case; an upper-case letter hides nothing.
    EXPECT_FALSE(IsDriveExcepted(QLatin1Char('A'), QStringLiteral("ACE")));
    EXPECT_TRUE(IsDriveExcepted(QLatin1Char('D'), QStringLiteral("xd")));
    EXPECT_FALSE(IsDriveExcepted(QLatin1Char('B'), QStringLiteral("xd")));
}

TEST(DriveStripLayout, ButtonSizesAndStepsForEveryOption)
{
    struct Case {
        bool horizontal;
        int layout;
        int clickLayout;
        QSize size;
        int step;
    };
    const Case cases[] = {
        {true, 1, 4, {54, 22}, 52}, {true, 1, 5, {52, 22}, 52}, {true, 1, 6, {46, 22}, 46},
        {true, 2, 4, {32, 22}, 30}, {true, 2, 5, {30, 22}, 30}, {true, 2, 6, {24, 22}, 24},
        {true, 3, 4, {32, 22}, 30}, {true, 3, 5, {30, 22}, 30}, {true, 3, 6, {24, 22}, 24},
        {false, 1, 4, {32, 44}, 44}, {false, 1, 5, {30, 44}, 44}, {false, 1, 6, {30, 44}, 44},
        {false, 2, 4, {32, 22}, 22}, {false, 2, 5, {30, 22}, 22}, {false, 2, 6, {30, 22}, 22},
        {false, 3, 4, {32, 22}, 22}, {false, 3, 5, {30, 22}, 22}, {false, 3, 6, {30, 22}, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.horizontal ? "horizontal" : "vertical") << " Layout " << c.layout
                                        << " ClickLayout " << c.clickLayout);
        const DriveButtonStyle s = DriveButtonStyleFor(c.horizontal, c.layout, c.clickLayout);
        EXPECT_EQ(s.size, c.size);
        EXPECT_EQ(s.step, c.step);
        EXPECT_EQ(s.split, c.clickLayout == 4);
        EXPECT_EQ(s.dropDownMenu, c.clickLayout != 6);
        EXPECT_EQ(s.display, c.layout == 1   ? DriveButtonDisplay::GlyphAndCaption
                             : c.layout == 2 ? DriveButtonDisplay::GlyphOnly
                                             : DriveButtonDisplay::CaptionOnly);
        EXPECT_EQ(s.glyphPosition,
                  c.horizontal ? DriveGlyphPosition::LeftOfCaption : DriveGlyphPosition::AboveCaption);
    }
}

TEST(DriveStripLayout, SplitButtonsOverlapInARow)
{
    const DriveStrip strip = ArrangeDriveButtons(true, 3, 1, 4);
    EXPECT_EQ(strip.a2, QSize(156, 30));
    EXPECT_EQ(strip.extent, 156);
    ASSERT_EQ(strip.buttons.size(), 3u);
    EXPECT_EQ(strip.buttons[0], QRect(0, 0, 54, 22));
    EXPECT_EQ(strip.buttons[1], QRect(52, 0, 54, 22));
    EXPECT_EQ(strip.buttons[2], QRect(104, 0, 54, 22));

    const DriveStrip plain = ArrangeDriveButtons(true, 4, 3, 6);
    EXPECT_EQ(plain.extent, 4 * 24);
    EXPECT_EQ(plain.buttons[3], QRect(72, 0, 24, 22));
}

TEST(DriveStripLayout, ColumnStacksButtonsByTheirHeight)
{
    const DriveStrip strip = ArrangeDriveButtons(false, 3, 1, 5);
    EXPECT_EQ(strip.a2, QSize(30, 132));
    EXPECT_EQ(strip.extent, 132);
    ASSERT_EQ(strip.buttons.size(), 3u);
    EXPECT_EQ(strip.buttons[0], QRect(0, 0, 30, 44));
    EXPECT_EQ(strip.buttons[2], QRect(0, 88, 30, 44));

    const DriveStrip split = ArrangeDriveButtons(false, 2, 2, 4);
    EXPECT_EQ(split.extent, 44);
    EXPECT_EQ(split.buttons[1], QRect(0, 22, 32, 22));

    EXPECT_EQ(ArrangeDriveButtons(false, 0, 1, 5).extent, 0);
    EXPECT_TRUE(ArrangeDriveButtons(true, -2, 1, 5).buttons.empty());
    EXPECT_EQ(ArrangeDriveButtons(true, 0, 1, 5).a2, QSize(0, 30));
}

TEST(DriveStripLayout, UnknownOptionsFallBackToTheDefaults)
{
    for (bool horizontal : {true, false}) {
        const DriveButtonStyle standard = DriveButtonStyleFor(horizontal, 1, 5);
        for (auto [layout, click] : {std::pair{0, 5}, {4, 5}, {-1, 5}, {1, 3}, {1, 7}, {1, 0}, {99, -99}}) {
            SCOPED_TRACE(testing::Message() << "Layout " << layout << " ClickLayout " << click);
            const DriveButtonStyle s = DriveButtonStyleFor(horizontal, layout, click);
            EXPECT_EQ(s.Layout, 1);
            EXPECT_EQ(s.ClickLayout, 5);
            EXPECT_EQ(s.size, standard.size);
            EXPECT_EQ(s.step, standard.step);
            EXPECT_TRUE(s.dropDownMenu);
            EXPECT_FALSE(s.split);
        }
    }
    // A bad value of one setting keeps the other one.
    EXPECT_EQ(DriveButtonStyleFor(true, 3, 0).Layout, 3);
    EXPECT_EQ(DriveButtonStyleFor(true, 0, 6).ClickLayout, 6);
    EXPECT_EQ(DriveButtonStyleFor(true, 0, 6).size, QSize(46, 22));
}

TEST(DriveStripLayout, ProgramButtonsTake22PixelsEach)
{
    const auto row = ArrangeProgramButtons(true, 3);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0], QRect(0, 0, 22, 22));
    EXPECT_EQ(row[2], QRect(44, 0, 22, 22));

    const auto column = ArrangeProgramButtons(false, 3);
    ASSERT_EQ(column.size(), 3u);
    EXPECT_EQ(column[1], QRect(0, 22, 30, 22));
    EXPECT_EQ(column[2], QRect(0, 44, 30, 22));

    EXPECT_EQ(ProgramStripLength(3), 66);
    EXPECT_EQ(ProgramStripLength(0), 0);
    EXPECT_EQ(ProgramStripLength(-1), 0);
    EXPECT_TRUE(ArrangeProgramButtons(true, 0).empty());
}
