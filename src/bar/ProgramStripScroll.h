#pragma once
// The scrolling of the program strip `a4` inside its viewport `a4m`. The two scroll
// buttons move the strip by one program button at a time; every layout starts again at
// the beginning of the strip. The state is the same in both orientations: the window
// moves `a4` left (horizontal bar) or up (vertical bar) by `ScrollOffset`.

namespace parvo {

inline constexpr int ScrollStep = 22;

class ProgramStripScroll {
public:
    // Back to offset 0 for a strip and viewport of the given lengths (width on a
    // horizontal bar, height on a vertical one); run by every layout.
    void Reset(int stripLength, int viewportLength);

    // `bScrRight`: shows the next program button. Does nothing while the button is
    // disabled, so a stray click cannot run the strip off its end.
    void bScrRightClick();
    // `bScrLeft`: goes back one program button. Does nothing while disabled.
    void bScrLeftClick();

    int ScrollOffset() const { return scrollOffset_; }
    bool bScrLeftEnabled() const { return scrollOffset_ > 0; }
    // Enabled while part of the strip still lies beyond the viewport's far end.
    bool bScrRightEnabled() const { return stripLength_ > viewportLength_ + scrollOffset_; }

private:
    int stripLength_ = 0;
    int viewportLength_ = 0;
    int scrollOffset_ = 0;
};

} // namespace parvo
