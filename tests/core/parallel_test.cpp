#include "core/parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace torvel {
namespace {

// Every item is worked on exactly once, whatever the size of the range.
TEST(ForParts, CoversEveryItemOnce) {
    for (const std::size_t n : {0, 1, 7, 4096, 100001}) {
        std::vector<std::atomic<int>> seen(n);
        ForParts(n, 1000, [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i)
                ++seen[i];
        });
        for (std::size_t i = 0; i < n; ++i)
            ASSERT_EQ(seen[i], 1) << n << " " << i;
    }
}

// A part that fails fails the call, after the others have ended.
TEST(ForParts, AFailingPartThrowsHere) {
    std::atomic<int> ended{0};
    EXPECT_THROW(ForParts(1 << 20, 1,
                          [&](std::size_t, std::size_t end) {
                              ++ended;
                              if (end == std::size_t(1) << 20) throw std::runtime_error("part");
                          }),
                 std::runtime_error);
    EXPECT_GE(ended, 1);
}

} // namespace
} // namespace torvel
