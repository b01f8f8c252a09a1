#include "fit/quad.h"

#include <cmath>
#include <limits>

namespace torvel {

Quad Pow2(int e) {
    constexpr int MinExponent = std::numeric_limits<Real>::min_exponent -
                                std::numeric_limits<Real>::digits; // smallest subnormal
    constexpr int MaxExponent = std::numeric_limits<Real>::max_exponent - 1;
    if (e < MinExponent) return 0;
    if (e > MaxExponent) return static_cast<Quad>(std::numeric_limits<Real>::infinity());
    return static_cast<Quad>(std::ldexp(1.0L, e));
}

} // namespace torvel
