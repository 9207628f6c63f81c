// Layout benchmark: the cost of laying out the bar once (both strips arranged, then
// `FormResize`) with 26 drive buttons and 200 program buttons, in each orientation.
// Prints nanoseconds per layout.
//
// usage: layout_bench [ITERATIONS]

#include "bar/BarLayout.h"
#include "bar/DriveStripLayout.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace parvo;

namespace {

constexpr int Drives = 26;
constexpr int Programs = 200;

// One layout as the window runs it on a size change; the sum keeps the work observable.
long LayOnce(TAppBarEdge edge, int clientLength)
{
    const bool horizontal = OrientationFor(edge) == BarOrientation::Horizontal;
    const DriveStrip drives = ArrangeDriveButtons(horizontal, Drives, 1, 4);
    const auto programs = ArrangeProgramButtons(horizontal, Programs);

    BarLayoutInput in;
    in.edge = edge;
    in.clientWidth = horizontal ? clientLength : 36;
    in.clientHeight = horizontal ? 28 : clientLength;
    in.logoWidth = 60;
    in.driveStripLength = drives.extent;
    in.programStripLength = ProgramStripLength(static_cast<int>(programs.size()));
    in.HasWebAddress = true;
    in.webLabelWidth = 120;
    const auto layout = FormResize(in);
    return layout ? layout->a5.rect.left() + layout->a4m.rect.width() + drives.buttons.back().left()
                        + programs.back().top() + layout->scroll.bScrRightEnabled()
                  : 0;
}

double NsPerLayout(TAppBarEdge edge, long iterations, long& sink)
{
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < iterations; ++i)
        sink += LayOnce(edge, 1600 + static_cast<int>(i & 255)); // sizes change as in a drag
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(iterations);
}

} // namespace

int main(int argc, char* argv[])
{
    const long iterations = argc > 1 ? std::max(1L, std::strtol(argv[1], nullptr, 10)) : 200000;
    long sink = 0;
    NsPerLayout(abeTop, iterations / 10 + 1, sink); // warm-up
    const double row = NsPerLayout(abeTop, iterations, sink);
    const double column = NsPerLayout(abeLeft, iterations, sink);
    std::printf("layout, %d drives, %d programs: horizontal %.0f ns per layout, vertical %.0f ns per layout\n",
                Drives, Programs, row, column);
    // The vertical bar is the same work turned on its side; it should cost the same.
    std::printf("ratio layout_vertical_vs_horizontal %.2f\n", column / row);
    // Every layout places its panels at positive coordinates; a zero sum means none was made.
    return sink > 0 ? 0 : 1;
}
