#pragma once

#include <cmath>

namespace bv {

// Window positions and sizes are kept in twips, 1440 to the inch: 15 to the pixel at 96 dpi.
inline int pixelsToTwips(int pixels, double logicalDpi) {
    return static_cast<int>(std::lround(pixels * 1440.0 / (logicalDpi > 0 ? logicalDpi : 96.0)));
}

inline int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * (logicalDpi > 0 ? logicalDpi : 96.0) / 1440.0));
}

} // namespace bv
