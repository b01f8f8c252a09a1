// What the benchmarks share: long series written straight into the store, and
// the offscreen application of the widget benchmarks.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "core/grid_store.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace torvel::bench {

constexpr int MillionRows = 1'000'000;

// A new series of `rows` rows: row r holds X = x(i) and Y = y(i), with i = r
// or, shuffled, i running through a fixed random order of 0..rows-1. With
// noYEvery = n, every n-th row holds only its X.
template <class X, class Y>
Series& LongSeries(Document& doc, int rows, X x, Y y, bool shuffled = false, int noYEvery = 0) {
    SilentFeedback fb;
    doc.NewSeriesRows = rows;
    Series& s = doc.CreateSeries(fb);
    std::vector<int> order(static_cast<std::size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    if (shuffled) std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (int r = 0; r < rows; ++r) {
        const int i = order[static_cast<std::size_t>(r)];
        const bool hasY = noYEvery == 0 || r % noYEvery != noYEvery - 1;
        s.Store().SetRow(static_cast<std::size_t>(r), {x(i), y(i), 0, true, hasY, false});
    }
    RowsToGrid(s);
    return s;
}

} // namespace torvel::bench
