// The data window's commands on a 1,000,000-row series: sorting by X (shuffled
// and already sorted) and duplicating. Each must take well under a second.
#include "commands/data_commands.h"
#include "core/document.h"
#include "core/grid_store.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

using namespace torvel;

namespace {

constexpr int Rows = 1'000'000;

// Rows of a shuffled (or sorted) X with a Y, every tenth row holding only an X.
Series& FilledSeries(Document& doc, bool shuffled) {
    SilentFeedback fb;
    doc.NewSeriesRows = Rows;
    Series& s = doc.CreateSeries(fb);
    std::vector<int> order(Rows);
    for (int i = 0; i < Rows; ++i)
        order[static_cast<std::size_t>(i)] = i;
    if (shuffled) std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (int r = 0; r < Rows; ++r) {
        const Real x = Real(order[static_cast<std::size_t>(r)]) / 7;
        s.Rows[static_cast<std::size_t>(r)] = {x, x * x / 3, 0, true, r % 10 != 9, false};
    }
    RowsToGrid(s);
    return s;
}

void BM_SortX(benchmark::State& state) {
    const bool shuffled = state.range(0) != 0;
    const bool ascending = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        Document doc;
        Series& s = FilledSeries(doc, shuffled);
        state.ResumeTiming();
        SilentFeedback fb;
        SortSeriesX(s, ascending, doc.Settings, fb);
        benchmark::DoNotOptimize(s.Rows.data());
    }
}
BENCHMARK(BM_SortX)
    ->ArgNames({"shuffled", "ascending"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_Duplicate(benchmark::State& state) {
    Document doc;
    SilentFeedback fb;
    Series& s = FilledSeries(doc, true);
    for (auto _ : state) {
        const std::string text = DuplicateText(s);
        Series* copy = DuplicateSeries(doc, s, static_cast<int>(state.range(0)), fb);
        benchmark::DoNotOptimize(text.data());
        state.PauseTiming();
        doc.DestroySeries(*copy);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Duplicate)
    ->ArgName("extra")
    ->Arg(0)
    ->Arg(ExtendIndexRows)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
