#include "bar/ProgramStripScroll.h"

#include <algorithm>

namespace parvo {

void ProgramStripScroll::Reset(int stripLength, int viewportLength)
{
    stripLength_ = std::max(0, stripLength);
    viewportLength_ = std::max(0, viewportLength);
    scrollOffset_ = 0;
}

void ProgramStripScroll::bScrRightClick()
{
    if (bScrRightEnabled())
        scrollOffset_ += ScrollStep;
}

void ProgramStripScroll::bScrLeftClick()
{
    if (bScrLeftEnabled())
        scrollOffset_ -= ScrollStep;
}

} // namespace parvo
