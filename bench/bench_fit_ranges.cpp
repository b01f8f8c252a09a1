// Measuring and fitting a large series, the whole path: the rows are checked
// (valid, already in order) and sorted only when they are not.
#include "core/document.h"
#include "core/number_text.h"
#include "fit/fit.h"
#include "fit/power_sums.h"
#include "scale/ranges.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <span>
#include <vector>

namespace {

using namespace torvel;

constexpr int Rows = 1'000'000;

// A series of Rows rows with X = 0..Rows-1 (in the given order) and noisy Y.
Series& MakeSeries(Document& doc, bool shuffled) {
    SilentFeedback fb;
    doc.NewSeriesRows = Rows;
    Series& s = doc.CreateSeries(fb);
    std::vector<int> xs(Rows);
    std::iota(xs.begin(), xs.end(), 0);
    std::mt19937_64 rng(3);
    if (shuffled) std::shuffle(xs.begin(), xs.end(), rng);
    std::uniform_real_distribution<double> noise(-1, 1);
    for (int r = 1; r <= Rows; ++r) {
        const Real x = xs[static_cast<std::size_t>(r - 1)] / 1000.0L;
        s.SetCell(XColumn, r, NumberToText(x, 14));
        s.SetCell(YColumn, r, NumberToText(2 + x - 0.01L * x * x + noise(rng), 14));
    }
    return s;
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
    state.SetItemsProcessed(state.iterations() * Rows);
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
    state.SetItemsProcessed(state.iterations() * Rows);
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
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_ComputeFit_Quintic)->Unit(benchmark::kMillisecond);

// The sums of a fit alone, on the measured rows: the part of ComputeFit whose
// arithmetic is in double length.
void BM_SumPowers(benchmark::State& state) {
    Document doc;
    Series& s = MakeSeries(doc, false);
    ComputeSeriesRange(s, true, doc.Settings);
    const std::span<const Tdata> rows(s.Rows.data(), static_cast<std::size_t>(s.ValidCount));
    for (auto _ : state) {
        const PowerSums sums = SumPowers(rows, false, false, BoundsOf(rows));
        benchmark::DoNotOptimize(sums.W2);
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_SumPowers)->Unit(benchmark::kMillisecond);

} // namespace
