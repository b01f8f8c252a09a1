// The program on the data file named by TORVEL_BENCH_FILE (bench/big_file.sh
// makes files of 1,000,000 and 10,000,000 rows): opened as from the command
// line until its graph is drawn, then one command as the data window gives it.
// Run one benchmark per process to read its peak memory from outside.
// freeze_ms is the longest the window went without handling its events.
#include "cellops/cell_dialogs.h"
#include "cellops/cell_ops.h"
#include "core/feedback.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"
#include "ui/spread_window.h"
#include "ui/work_progress.h"

#include "bench_qt_app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

using namespace torvel;
using torvel::bench::App;

namespace {

// The longest gap between two turns of the event loop while it runs.
class FreezeWatch {
  public:
    FreezeWatch() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, clock_.restart()); });
        clock_.start();
        timer_.start();
    }
    double LongestMs() { return static_cast<double>(std::max(longest_, clock_.elapsed())); }

  private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

double ResidentMb() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * 4096 / 1e6;
}

struct Program {
    QTemporaryDir dir;
    SilentFeedback fb;
    std::unique_ptr<TMDIMainF> main;

    bool Open(benchmark::State& state) {
        const QString file = qEnvironmentVariable("TORVEL_BENCH_FILE");
        if (file.isEmpty()) {
            state.SkipWithError("TORVEL_BENCH_FILE names no data file");
            return false;
        }
        TMDIMainF::Options o;
        o.StartupFile = dir.filePath(QStringLiteral("torvel-graphics.fig"));
        o.CommandLineFile = file;
        o.FeedbackOverride = &fb;
        main = std::make_unique<TMDIMainF>(std::move(o));
        main->show();
        while (!main->GraphF())
            QApplication::processEvents();
        benchmark::DoNotOptimize(main->GraphF()->grab());
        return true;
    }
    TSpreadF* Data() const { return main->findChild<TSpreadF*>(); }
    // Runs `command` and waits for the graph drawn after it.
    void UntilRedrawn(const std::function<void()>& command) {
        bool drawn = false;
        auto c = QObject::connect(main.get(), &TMDIMainF::GraphRedrawn, [&] { drawn = true; });
        command();
        while (!drawn)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QObject::disconnect(c);
    }
};

// Opens the file, then runs `command` (timed alone); without one, the
// opening is timed.
void Once(benchmark::State& state, const std::function<void(Program&)>& command) {
    App();
    for (auto _ : state) {
        Program p;
        if (command) {
            state.PauseTiming();
            if (!p.Open(state)) return;
            state.ResumeTiming();
        }
        state.counters["open_rss_mb"] = ResidentMb();
        FreezeWatch watch;
        if (command)
            command(p);
        else if (!p.Open(state))
            return;
        state.counters["freeze_ms"] = watch.LongestMs();
    }
}

void BM_OpenUntilGraphDrawn(benchmark::State& state) {
    Once(state, {});
}

void BM_SortX(benchmark::State& state) {
    Once(state, [](Program& p) { p.Data()->SortXAccending1Click(); });
}

void BM_Duplicate(benchmark::State& state) {
    Once(state, [](Program& p) { p.Data()->DuplicateData1Click(); });
}

// Operate on Cells, X times K, on the whole X column.
void BM_OperateOnCells(benchmark::State& state) {
    Once(state, [](Program& p) {
        Series& s = p.Data()->GetSeries();
        MathDialogRules rules(p.main->Doc(), p.fb, {});
        rules.State.OperationBox = static_cast<int>(CellOp::MultiplyK);
        rules.State.Edit1.assign(1, '3'); // K
        // Within the work the dialog's Operate button sets up.
        WorkProgress work(p.main.get(), QStringLiteral("Operating"));
        rules.Operate(s, ColumnCells(s, XColumn));
    });
}

// The last row of the data window shown, a Y typed there and Enter: until the
// graph shows it.
void BM_TypeAtTheEnd(benchmark::State& state) {
    Once(state, [](Program& p) {
        TSpreadF* w = p.Data();
        w->activateWindow();
        SpreadGrid* grid = w->Grid();
        grid->SetCurrentCell({YColumn, w->GetSeries().IndexCount});
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        benchmark::DoNotOptimize(grid->viewport()->grab());
        QKeyEvent digit(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
        QApplication::sendEvent(grid, &digit);
        p.UntilRedrawn([&] {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(grid->Editor() ? static_cast<QWidget*>(grid->Editor()) : grid,
                                    &enter);
        });
    });
}

BENCHMARK(BM_OpenUntilGraphDrawn)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SortX)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Duplicate)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OperateOnCells)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TypeAtTheEnd)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
