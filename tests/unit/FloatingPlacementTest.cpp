#include "bar/FloatingPlacement.h"

#include <gtest/gtest.h>

using namespace parvo;

TEST(FloatingPlacement, KeepsAReachableBarAndRescuesOneOffEveryScreen)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 800), QRect(1280, 0, 1920, 1080)};
    // On the second monitor, and half off the first: both stay.
    EXPECT_EQ(VisibleFloatingRect({2000, 500, 500, 22}, screens), QRect(2000, 500, 500, 22));
    EXPECT_EQ(VisibleFloatingRect({-200, 40, 500, 22}, screens), QRect(-200, 40, 500, 22));
    // Far left of every screen (a monitor that is gone): back onto the first one.
    EXPECT_EQ(VisibleFloatingRect({-5000, 40, 500, 22}, screens), QRect(0, 40, 500, 22));
    // Below every screen.
    EXPECT_EQ(VisibleFloatingRect({100, 65536, 500, 22}, screens), QRect(100, 778, 500, 22));
    // Only a ten-pixel sliver visible at the far right: onto the first screen.
    EXPECT_EQ(VisibleFloatingRect({3190, 10, 500, 22}, screens), QRect(780, 10, 500, 22));
}

TEST(FloatingPlacement, WidthStaysUsable)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 800)};
    EXPECT_EQ(VisibleFloatingRect({10, 40, -16, 22}, screens).width(), MinFloatingWidth);
    EXPECT_EQ(VisibleFloatingRect({10, 40, 0, 22}, screens).width(), MinFloatingWidth);
    EXPECT_EQ(VisibleFloatingRect({10, 40, 100000, 22}, screens), QRect(10, 40, 1280, 22));
    EXPECT_EQ(VisibleFloatingRect({10, 40, 500, 22}, {}), QRect(10, 40, 500, 22)) << "no screen known: as stored";
}
