#include "core/out_of_memory.h"
#include "core/row_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

namespace torvel {
namespace {

// Rows move by gathering each column into a new one, or, without the memory
// for it, by walking the order's cycles in place: both give the same rows.
TEST(RowStorePermute, GatheredOrWalkedInPlaceTheSame) {
    constexpr std::size_t Rows = 5000;
    std::mt19937 rng(9);
    std::vector<std::uint32_t> order(Rows);
    std::iota(order.begin(), order.end(), 0u);
    std::shuffle(order.begin(), order.end() - 100, rng); // the last rows stay where they are
    RowStore from;
    from.Resize(Rows);
    for (std::size_t i = 0; i < Rows; ++i)
        from.SetRow(i, {static_cast<Real>(i), -static_cast<Real>(i) / 3, static_cast<Real>(i % 7),
                        i % 5 != 0, i % 3 != 0, i % 2 == 0});
    // Which column walks in place: none, the first (X and Y), the fitted
    // values, the flags.
    for (int failing = 0; failing <= 3; ++failing) {
        SCOPED_TRACE(failing);
        RowStore rows = from;
        std::vector<std::uint32_t> used = order;
        FailAllocationAt(failing);
        rows.Permute(used);
        FailAllocationAt(0);
        for (std::size_t k = 0; k < Rows; ++k) {
            ASSERT_EQ(used[k], k);
            const Tdata want = from.Row(order[k]), got = rows.Row(k);
            ASSERT_EQ(got.XValid, want.XValid) << k;
            ASSERT_EQ(got.YValid, want.YValid) << k;
            ASSERT_EQ(got.YFitValid, want.YFitValid) << k;
            ASSERT_EQ(got.X, want.XValid ? want.X : 0) << k;
            ASSERT_EQ(got.Y, want.YValid ? want.Y : 0) << k;
            ASSERT_EQ(got.YFit, want.YFitValid ? want.YFit : 0) << k;
        }
    }
}

// Copies share their rows until one of them writes: whichever writes, and
// however, the other keeps its rows.
TEST(RowStoreCopies, AWriteToEitherLeavesTheOtherAsItWas) {
    RowStore base;
    base.Resize(4);
    for (std::size_t i = 0; i < 4; ++i)
        base.SetRow(i, {Real(i), Real(10 + i), Real(20 + i), true, i != 2, i == 1});
    const std::vector<Tdata> before = base.All();
    const std::vector<std::function<void(RowStore&)>> writes = {
        [](RowStore& r) { r.Set(1, 0, 99); },
        [](RowStore& r) { r.Clear(2, 1); },
        [](RowStore& r) { r.Set(3, 2, 5); },
        [](RowStore& r) { r.SetRow(3, {}); },
        [](RowStore& r) { r.Resize(2); },
        [](RowStore& r) { r.Resize(6); },
        [](RowStore& r) { r.ClearFrom(1); },
        [](RowStore& r) { r.DropFitColumn(); },
        [](RowStore& r) {
            std::vector<std::uint32_t> order{3, 2, 1, 0};
            r.Permute(order);
        },
        [](RowStore& r) {
            r = r.WithoutFit();
            r.Set(2, 0, 7);
        },
    };
    for (std::size_t w = 0; w < writes.size(); ++w) {
        for (const bool toTheCopy : {true, false}) {
            SCOPED_TRACE(testing::Message() << w << (toTheCopy ? " copy" : " original"));
            RowStore original = base, copy = original;
            writes[w](toTheCopy ? copy : original);
            EXPECT_EQ((toTheCopy ? original : copy).All(), before);
            EXPECT_NE((toTheCopy ? copy : original).All(), before);
        }
    }
    EXPECT_EQ(base.All(), before);
}

} // namespace
} // namespace torvel
