// The cell operations on a 1,000,000-row series: an operation with K on a
// whole column (also with whole-number values, whose cells are checked for
// kept texts), the statistics, a fill and the running integral. Each must take
// well under a second.
#include "cellops/cell_ops.h"
#include "core/grid_store.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

using namespace torvel;

namespace {

constexpr int Rows = 1'000'000;

// X in shuffled order, Y a smooth function; whole: X holds whole numbers.
Series FilledSeries(bool whole) {
    Series s(1, Rows);
    std::vector<int> order(Rows);
    for (int i = 0; i < Rows; ++i)
        order[static_cast<std::size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    for (int r = 0; r < Rows; ++r) {
        const Real i = Real(order[static_cast<std::size_t>(r)]);
        const Real x = whole ? i : i / 7;
        s.Rows[static_cast<std::size_t>(r)] = {x, x * x / 3 + 1, 0, true, true, false};
    }
    RowsToGrid(s);
    return s;
}

void BM_OperateColumn(benchmark::State& state) {
    const bool whole = state.range(0) != 0;
    Series s = FilledSeries(whole);
    for (auto _ : state) {
        const OperateOutcome out =
            OperateCells(s, CellOp::MultiplyK, 1.0L, ColumnCells(s, XColumn));
        benchmark::DoNotOptimize(out.Cells);
    }
}
BENCHMARK(BM_OperateColumn)->ArgName("whole")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The slowest operations, each on a fresh copy of the column: Log10(Cell),
// 10 ^ Cell (of those logarithms) and Cell ^ K with K = 2.5.
void BM_SlowOperations(benchmark::State& state) {
    const CellOp ops[] = {CellOp::Log10, CellOp::TenPower, CellOp::PowerK};
    const CellOp op = ops[state.range(0)];
    const Series filled = FilledSeries(false);
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

void BM_Statistics(benchmark::State& state) {
    Series s = FilledSeries(false);
    for (auto _ : state) {
        const CellStatistics st = StatisticsOf(s, {1, 1, 2, Rows});
        benchmark::DoNotOptimize(st.Sigma());
    }
}
BENCHMARK(BM_Statistics)->Unit(benchmark::kMillisecond);

void BM_Fill(benchmark::State& state) {
    Series s = FilledSeries(false);
    for (auto _ : state) {
        const CellFault f = FillCells(s, XColumn, 1, Rows, 0, 0.1L);
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond);

void BM_Integral(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Series s = FilledSeries(false);
        state.ResumeTiming();
        const CellFault f = OperateXY(s, XYOp::Integral);
        benchmark::DoNotOptimize(f);
    }
}
BENCHMARK(BM_Integral)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
