#include "render/series_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace torvel {
namespace {

// The fast truncation equals std::trunc to the bit: values a hair either side
// of whole numbers (where rounding to a double crosses them), both zeros,
// the limits of the fast path, infinities and not-a-number.
TEST(TruncTowardZero, EqualsTheLibraryToTheBit) {
    const Real eps = std::numeric_limits<Real>::epsilon();
    std::vector<Real> values{0.0L,
                             -0.0L,
                             0.3L,
                             -0.3L,
                             0x1p52L,
                             -0x1p52L,
                             0x1p52L - 0.5L,
                             0x1p63L,
                             1e300L,
                             -1e4000L,
                             std::numeric_limits<Real>::infinity(),
                             -std::numeric_limits<Real>::infinity(),
                             std::numeric_limits<Real>::denorm_min()};
    for (const Real whole : {1.0L, 2.0L, 5.0L, 1000.0L, 1600.0L, 123456789.0L}) {
        for (const Real side : {-1.0L, 1.0L}) {
            values.push_back(side * (whole - whole * eps)); // rounds up to whole as a double
            values.push_back(side * (whole + whole * eps));
            values.push_back(side * (whole - 0.5L));
        }
    }
    values.push_back(1 - eps / 2); // rounds to 1 as a double
    values.push_back(-(1 - eps / 2));
    for (const Real v : values) {
        const Real want = std::trunc(v), got = TruncTowardZero(v);
        EXPECT_EQ(std::memcmp(&want, &got, 10), 0) << static_cast<double>(v);
    }
    EXPECT_TRUE(std::isnan(TruncTowardZero(std::numeric_limits<Real>::quiet_NaN())));
}

} // namespace
} // namespace torvel
