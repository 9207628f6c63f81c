#pragma once
// Where the bar sits: one of the four screen edges, floating, or (while not registered
// with the desktop) unknown. The numbers are those the docking code has always used.

#include <cstdint>

namespace parvo {

enum TAppBarEdge : std::uint8_t {
    abeLeft = 0,
    abeTop = 1,
    abeRight = 2,
    abeBottom = 3,
    abeUnknown = 4,
    abeFloat = 5,
};

} // namespace parvo
