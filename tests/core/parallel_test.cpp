#include "core/parallel.h"
#include "core/work_pulse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
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

// During long work on this thread the parts run elsewhere while this thread
// paints, at most every PulseMs and never from another thread; what waited
// for the work runs once the outermost scope ends. Without one, nothing paints.
TEST(PulseScope, TheCallerPaintsWhileThePartsRun) {
    const auto caller = std::this_thread::get_id();
    std::atomic<int> partsOnCaller{0};
    auto work = [&](std::size_t) {
        if (std::this_thread::get_id() == caller) ++partsOnCaller;
        Pulse();
        std::this_thread::sleep_for(std::chrono::milliseconds(6 * PulseMs));
    };
    int painted = 0, after = 0;
    {
        PulseScope outer([&] {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_TRUE(PulseScope::Pumping());
            Pulse(); // painting already
            ++painted;
        });
        {
            PulseScope inner([&] { ++painted; });
            PulseScope::WhenDone([&] { ++after; });
        }
        EXPECT_EQ(after, 0);
        EachPart(2, work);
        EXPECT_EQ(partsOnCaller, 0);
        EXPECT_GE(painted, 2);
        const int before = painted;
        std::this_thread::sleep_for(std::chrono::milliseconds(PulseMs + 5));
        Pulse();
        Pulse();
        EXPECT_EQ(painted, before + 1);
    }
    EXPECT_EQ(after, 1);
    EXPECT_FALSE(PulseScope::Active());
    painted = 0;
    EachPart(2, work);
    Pulse();
    EXPECT_EQ(partsOnCaller, 1);
    EXPECT_EQ(painted, 0);
    PulseScope::WhenDone([&] { ++after; });
    EXPECT_EQ(after, 2);
}

} // namespace
} // namespace torvel
