#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Every rounding to whole pixels or counts goes to the nearest integer with halves to the even
// neighbour (the floating-point unit's own mode). Keeping it in one place means screen, printer and
// file arithmetic never disagree by a pixel.

inline double RoundHalfEvenReal(double v) {
    // nearbyint honours the current rounding mode, which is round-to-nearest-even unless
    // someone changed it; std::round would round halves away from zero.
    return std::nearbyint(v);
}

// Rounds to int32, saturating instead of overflowing for values out of range (or NaN -> 0).
inline int32_t RoundHalfEven(double v) {
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

inline int64_t RoundHalfEven64(double v) {
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r >= 9.2e18)
        return std::numeric_limits<int64_t>::max();
    if (r <= -9.2e18)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}
