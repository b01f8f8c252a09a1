// Measuring, fitting and auto-scaling large series, the whole path: the rows
// are checked (valid, already in order) and sorted only when they are not.
#include "fit/fit.h"
#include "scale/auto_scale.h"
#include "scale/ranges.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

using namespace torvel;
using torvel::bench::LongSeries;
using torvel::bench::MillionRows;

namespace {

// X = 0..0.999999 (in the given order) and a noisy quadratic Y.
Series& MakeSeries(Document& doc, bool shuffled, int rows = MillionRows) {
    return LongSeries(
        doc, rows, [](int i) { return i / 1000.0L; },
        [rng = std::mt19937_64(3),
         noise = std::uniform_real_distribution<double>(-1, 1)](int i) mutable {
            const Real x = i / 1000.0L;
            return 2 + x - 0.01L * x * x + noise(rng);
        },
        shuffled);
}

// Every iteration measures afresh, as after any edit; X shuffled (1) or
// already sorted (0).
void BM_ComputeSeriesRange_Reread(benchmark::State& state) {
    Document doc;
    Series& s = MakeSeries(doc, state.range(0) != 0);
    for (auto _ : state) {
        s.Measured.Valid = false;
        ComputeSeriesRange(s, true, doc.Settings);
        benchmark::DoNotOptimize(s.LastX);
    }
    state.SetItemsProcessed(state.iterations() * MillionRows);
}
BENCHMARK(BM_ComputeSeriesRange_Reread)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// A redraw of an unchanged grid: the remembered measurement is used.
void BM_ComputeSeriesRange_Unchanged(benchmark::State& state) {
    Document doc;
    Series& s = MakeSeries(doc, true);
    ComputeSeriesRange(s, true, doc.Settings);
    for (auto _ : state) {
        ComputeSeriesRange(s, true, doc.Settings);
        benchmark::DoNotOptimize(s.LastX);
    }
    state.SetItemsProcessed(state.iterations() * MillionRows);
}
BENCHMARK(BM_ComputeSeriesRange_Unchanged)->Unit(benchmark::kMillisecond);

// ComputeFit of degree 5: measuring (grid read, compaction, sort check), the
// sums, the solution, the fitted values and the grid rewrite.
void BM_ComputeFit_Quintic(benchmark::State& state) {
    Document doc;
    SilentFeedback fb;
    Series& s = MakeSeries(doc, false);
    s.Fit.FitKind = 5;
    for (auto _ : state) {
        ComputeFit(doc, s.Fit, fb);
        benchmark::DoNotOptimize(s.Fit.Coef[7]);
    }
    state.SetItemsProcessed(state.iterations() * MillionRows);
}
BENCHMARK(BM_ComputeFit_Quintic)->Unit(benchmark::kMillisecond);

// The whole "Auto Scale" command over 21 series of state.range(0) rows each,
// X in random order, on both Y axes.
void BM_AutoScaleGraph(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    Document doc;
    for (int s = 0; s < MaxSeries; ++s)
        MakeSeries(doc, true, rows).YAxisLeft = s % 2 == 0;
    RangeTexts boxes;
    for (auto _ : state)
        AutoScaleGraph(doc, boxes, {});
    state.SetItemsProcessed(state.iterations() * MaxSeries * rows);
}
BENCHMARK(BM_AutoScaleGraph)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
