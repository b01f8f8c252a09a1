// The data window's commands on a 1,000,000-row series: sorting by X (shuffled
// and already sorted) and duplicating. Each must take well under a second.
#include "commands/data_commands.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

using namespace torvel;
using torvel::bench::LongSeries;
using torvel::bench::MillionRows;

namespace {

// X in shuffled (or sorted) order with a Y, every tenth row holding only an X.
Series& FilledSeries(Document& doc, bool shuffled) {
    return LongSeries(
        doc, MillionRows, [](int i) { return Real(i) / 7; },
        [](int i) { return Real(i) * Real(i) / 147; }, shuffled, 10);
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
        benchmark::DoNotOptimize(s.Store().X(0));
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
