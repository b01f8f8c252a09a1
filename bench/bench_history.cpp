// Undo and redo of a cell operation on a 1,000,000-row series must take no
// longer than the operation itself; the recorded operation (old values kept)
// is timed beside the plain one. The recovery file of such a document: the
// copy made on the GUI thread (what typing waits for) and the text the
// writer's thread formats.
#include "cellops/cell_dialogs.h"
#include "files/graph_file.h"
#include "history/history.h"
#include "history/recovery.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

using namespace torvel;

namespace {

struct Filled {
    Document Doc;
    SilentFeedback Fb;
    Series* S = &bench::LongSeries(
        Doc, bench::MillionRows, [](int i) { return Real(i + 1) / 7; },
        [](int i) { return Real(i + 1) * (i + 1) / 3 + 1; });
    // "Cell * K" on the whole X column, as the dialog runs it.
    void Operate() {
        MathDialogRules rules(Doc, Fb, {});
        rules.State.OperationBox = static_cast<int>(CellOp::MultiplyK);
        rules.State.Edit1 = "1.0001";
        rules.State.Target = XColumnCellsTarget;
        rules.Operate(*S, {1, 1, 1, 1});
    }
};

void BM_OperateColumn(benchmark::State& state) {
    Filled f;
    std::unique_ptr<History> history;
    if (state.range(0)) history = std::make_unique<History>(f.Doc);
    for (auto _ : state)
        f.Operate();
}
BENCHMARK(BM_OperateColumn)->ArgName("recorded")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UndoRedoColumn(benchmark::State& state) {
    Filled f;
    History history(f.Doc);
    f.Operate();
    for (auto _ : state) {
        history.Undo();
        state.PauseTiming();
        history.Redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoRedoColumn)->Unit(benchmark::kMillisecond);

void BM_RecoverySnapshot(benchmark::State& state) {
    Filled f;
    for (auto _ : state) {
        std::unique_ptr<Document> copy = SnapshotOf(f.Doc);
        benchmark::DoNotOptimize(copy.get());
    }
}
BENCHMARK(BM_RecoverySnapshot)->Unit(benchmark::kMillisecond);

void BM_RecoveryText(benchmark::State& state) {
    Filled f;
    for (auto _ : state) {
        const std::string text = GraphFileText(f.Doc);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_RecoveryText)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
