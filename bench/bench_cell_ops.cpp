// The cell operations on a 1,000,000-row series: the slowest operations with
// K, the statistics, a fill and the running integral (an operation with K on a
// whole column is bench_history's). Each must take well under a second.
#include "cellops/cell_ops.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

using namespace torvel;
using torvel::bench::LongSeries;
using torvel::bench::MillionRows;

namespace {

// X in shuffled order, Y a smooth function; whole: X holds whole numbers.
Series& FilledSeries(Document& doc, bool whole) {
    const Real scale = whole ? 1 : 7;
    return LongSeries(
        doc, MillionRows, [scale](int i) { return Real(i) / scale; },
        [scale](int i) { return Real(i) * Real(i) / (scale * scale * 3) + 1; }, true);
}

// The slowest operations, each on a fresh copy of the column: Log10(Cell),
// 10 ^ Cell (of those logarithms) and Cell ^ K with K = 2.5.
void BM_SlowOperations(benchmark::State& state) {
    const CellOp ops[] = {CellOp::Log10, CellOp::TenPower, CellOp::PowerK};
    const CellOp op = ops[state.range(0)];
    Document doc;
    const Series& filled = FilledSeries(doc, false);
    for (auto _ : state) {
        state.PauseTiming();
        Series s = filled;
        if (op == CellOp::TenPower) OperateCells(s, CellOp::Log10, 0, ColumnCells(s, YColumn));
        state.ResumeTiming();
        const OperateOutcome out = OperateCells(s, op, 2.5L, ColumnCells(s, YColumn));
        benchmark::DoNotOptimize(out.Cells);
    }
}
BENCHMARK(BM_SlowOperations)
    ->ArgName("log10_tenPower_powerK")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_StatisticsAndFill(benchmark::State& state) {
    Document doc;
    Series& s = FilledSeries(doc, false);
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(StatisticsOf(s, {1, 1, 2, MillionRows}).Sigma());
        else
            benchmark::DoNotOptimize(FillCells(s, XColumn, 1, MillionRows, 0, 0.1L));
    }
}
BENCHMARK(BM_StatisticsAndFill)->ArgName("fill")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Integral(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Document doc;
        Series& s = FilledSeries(doc, false);
        state.ResumeTiming();
        benchmark::DoNotOptimize(OperateXY(s, XYOp::Integral));
    }
}
BENCHMARK(BM_Integral)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
