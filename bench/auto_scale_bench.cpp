// Auto-scaling: the arithmetic alone over assorted ranges, and the whole
// "Auto Scale" command over a full document (which measures every series).
#include "core/document.h"
#include "core/number_text.h"
#include "scale/auto_scale.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {

using namespace torvel;

void BM_ComputeAutoScale(benchmark::State& state) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::vector<std::pair<Real, Real>> ranges;
    for (int i = 0; i < 1024; ++i) {
        const Real a = mantissa(rng) * std::pow(10.0L, exponent(rng));
        const Real b = a * (1 + mantissa(rng) / 8);
        ranges.emplace_back(std::max(a, b), std::min(a, b));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& r = ranges[i++ & 1023];
        benchmark::DoNotOptimize(ComputeAutoScale(r.first, r.second, ScaleAxis::X));
    }
}
BENCHMARK(BM_ComputeAutoScale);

// 21 series of state.range(0) rows each, X in random order.
void BM_AutoScaleGraph(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    Document doc;
    SilentFeedback fb;
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> value(-1000, 1000);
    doc.NewSeriesRows = rows;
    for (int s = 0; s < MaxSeries; ++s) {
        Series& series = doc.CreateSeries(fb);
        series.YAxisLeft = s % 2 == 0;
        for (int r = 1; r <= rows; ++r) {
            series.SetCell(XColumn, r, NumberToText(value(rng), 14));
            series.SetCell(YColumn, r, NumberToText(value(rng), 14));
        }
    }
    RangeTexts boxes;
    for (auto _ : state)
        AutoScaleGraph(doc, boxes, {});
    state.SetItemsProcessed(state.iterations() * MaxSeries * rows);
}
BENCHMARK(BM_AutoScaleGraph)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
