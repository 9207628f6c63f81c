#include "bar/ProgramStripScroll.h"

#include <gtest/gtest.h>

using namespace parvo;

namespace {

struct State {
    int offset;
    bool left;
    bool right;
    bool operator==(const State&) const = default;
};

State Of(const ProgramStripScroll& s) { return {s.ScrollOffset(), s.bScrLeftEnabled(), s.bScrRightEnabled()}; }

void PrintTo(const State& s, std::ostream* os)
{
    *os << "{offset " << s.offset << ", left " << s.left << ", right " << s.right << "}";
}

} // namespace

TEST(ProgramStripScroll, RightThenLeftAcrossALongStrip)
{
    ProgramStripScroll s;
    EXPECT_EQ(Of(s), (State{0, false, false}));

    s.Reset(100, 50);
    EXPECT_EQ(Of(s), (State{0, false, true}));
    s.bScrRightClick();
    EXPECT_EQ(Of(s), (State{22, true, true}));
    s.bScrRightClick();
    EXPECT_EQ(Of(s), (State{44, true, true}));
    s.bScrRightClick(); // 66 + 50 reaches past the strip's end
    EXPECT_EQ(Of(s), (State{66, true, false}));
    s.bScrRightClick(); // disabled: no further
    EXPECT_EQ(Of(s), (State{66, true, false}));

    s.bScrLeftClick();
    EXPECT_EQ(Of(s), (State{44, true, true}));
    s.bScrLeftClick();
    s.bScrLeftClick();
    EXPECT_EQ(Of(s), (State{0, false, true}));
    s.bScrLeftClick(); // disabled: never below 0
    EXPECT_EQ(Of(s), (State{0, false, true}));
}

TEST(ProgramStripScroll, RightStopsOnceTheLastButtonIsInView)
{
    ProgramStripScroll s;
    s.Reset(60, 200);
    EXPECT_EQ(Of(s), (State{0, false, false}));
    s.bScrRightClick();
    EXPECT_EQ(Of(s), (State{0, false, false}));

    // A strip that fits exactly has nothing more to show.
    s.Reset(88, 88);
    EXPECT_EQ(Of(s), (State{0, false, false}));

    // One button beyond a 66-pixel viewport: one step shows it whole, then nothing is left.
    s.Reset(88, 66);
    s.bScrRightClick();
    EXPECT_EQ(Of(s), (State{22, true, false}));

    s.Reset(-5, -5);
    EXPECT_EQ(Of(s), (State{0, false, false}));
}

TEST(ProgramStripScroll, ResetReturnsToTheStart)
{
    ProgramStripScroll s;
    s.Reset(440, 100);
    s.bScrRightClick();
    s.bScrRightClick();
    ASSERT_EQ(s.ScrollOffset(), 44);
    s.Reset(440, 100);
    EXPECT_EQ(Of(s), (State{0, false, true}));
    EXPECT_EQ(ScrollStep, 22);
}
