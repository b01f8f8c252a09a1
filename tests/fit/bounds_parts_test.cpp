// The bounds of many rows, measured in parts at once, equal one pass's: the
// first row starts each bound, a bound started as not a number stays so,
// later values that are not numbers change nothing.
#include "fit/power_sums.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace torvel {
namespace {

DataBounds OnePass(const RowStore& store) {
    DataBounds b;
    bool first = true;
    for (std::size_t i = 0; i < store.Size(); ++i) {
        if (!store.BothXY(i)) continue;
        const Real x = store.X(i), y = store.Y(i);
        if (first) {
            b = {x, x, y, y};
            first = false;
        }
        b = {std::min(b.MinX, x), std::max(b.MaxX, x), std::min(b.MinY, y), std::max(b.MaxY, y)};
    }
    return b;
}

TEST(BoundsOf, PartsEqualOnePass) {
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    constexpr std::size_t Rows = 1 << 20;
    // Extremes in the last part; a NaN first; a NaN later, first in its
    // part; no rows at all until the second half (every value away from 0).
    for (int variant = 0; variant < 4; ++variant) {
        SCOPED_TRACE(variant);
        RowStore store;
        store.Resize(Rows);
        for (std::size_t i = variant == 3 ? Rows / 2 + 7 : 0; i < Rows; ++i)
            store.SetRow(i, {static_cast<Real>(i % 1000 + 10), -static_cast<Real>(i % 777 + 10), 0,
                             true, true});
        if (variant != 3) store.SetRow(Rows - 3, {-5, 1E6L, 0, true, true});
        if (variant == 1) store.SetRow(0, {nan, 2, 0, true, true});
        if (variant == 2) store.SetRow(Rows / 2, {nan, nan, 0, true, true}); // a part's first
        const DataBounds want = OnePass(store);
        const DataBounds got = BoundsOf(FitRows(store, Rows, 0));
        const Real w[] = {want.MinX, want.MaxX, want.MinY, want.MaxY};
        const Real g[] = {got.MinX, got.MaxX, got.MinY, got.MaxY};
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(std::memcmp(&w[k], &g[k], 10) == 0 ||
                        (std::isnan(w[k]) && std::isnan(g[k])))
                << k << " " << static_cast<double>(w[k]) << " " << static_cast<double>(g[k]);
    }
}

} // namespace
} // namespace torvel
