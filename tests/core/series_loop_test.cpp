// The next series a per-series dialog moves to with "Next".
#include "core/series_loop.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace torvel;

namespace {

void Use(Document& doc, std::initializer_list<int> numbers) {
    doc.SeriesNumberUsed.fill(false);
    for (int n : numbers)
        doc.SeriesNumberUsed[static_cast<std::size_t>(n)] = true;
}

} // namespace

TEST(SeriesLoop, NextNumberInUse) {
    struct Case {
        std::initializer_list<int> used;
        int current, next;
    };
    const Case cases[] = {
        {{1, 2, 5}, 5, 1}, // wraps past the unused ones
        {{1, 2, 5}, 2, 5}, // skips 3 and 4
        {{1, 3, 7}, 7, 1}, //
        {{21}, 21, 21},    // the only one: itself
        {{1, 21}, 21, 1},  // after MaxSeries comes 1
        {{4}, 9, 4},       // from a number not in use
        {{}, 3, 0},        // nothing in use
    };
    for (const Case& c : cases) {
        Document doc;
        Use(doc, c.used);
        EXPECT_EQ(NextSeriesInUse(doc, c.current), c.next) << "from " << c.current;
    }
}

TEST(SeriesLoop, LowestNumberAndTheFlag) {
    Document doc;
    EXPECT_EQ(LowestSeriesInUse(doc), 0);
    Use(doc, {21, 6, 9});
    EXPECT_EQ(LowestSeriesInUse(doc), 6);
    Use(doc, {21, 1});
    EXPECT_EQ(LowestSeriesInUse(doc), 1);

    EXPECT_FALSE(TakeNextSeriesRequest(doc));
    doc.NextSeriesRequested = true;
    EXPECT_TRUE(TakeNextSeriesRequest(doc));
    EXPECT_FALSE(doc.NextSeriesRequested);
}
