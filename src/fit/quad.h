// 128-bit floating point for the normal equations: the sums carry about 106
// bits, and the determinants of Cramer's rule cancel many of them away, so
// the systems are solved in more than the extended type's 64 bits.
#pragma once

#include "core/data_model.h"

namespace torvel {

using Quad = __float128;

// False for infinities and not-a-number (inf - inf is not 0).
inline bool IsFinite(Quad q) {
    return q - q == 0;
}

// 2^e exactly; 0 below and infinity above the extended type's range, which
// the 128-bit type shares.
Quad Pow2(int e);

} // namespace torvel
