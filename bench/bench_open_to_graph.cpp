// Starting the program on a 1,000,000-row data file until its graph is drawn:
// what a user waits for after opening a big file.
#include "core/document.h"
#include "core/feedback.h"
#include "files/data_file.h"
#include "files/graph_file.h"
#include "ui/graph_window.h"
#include "ui/main_window.h"

#include "bench_qt_app.h"
#include "bench_support.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace torvel;
using torvel::bench::App;

namespace {

// A data file of `rows` rows, written once per size.
QString DataFile(const QTemporaryDir& dir, int rows) {
    const QString path = dir.filePath(QStringLiteral("big%1.prn").arg(rows));
    Document doc;
    Series& s = bench::LongSeries(
        doc, rows, [](int i) { return Real(i) / 7; },
        [](int i) { return Real(i % 1000) * Real(i) / 3; });
    if (!WriteDataFile(s, path.toStdString()))
        fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return path;
}

// A three-row graph whose main title is `bytes` long.
QString LongTitleGraph(const QTemporaryDir& dir, int bytes) {
    const QString path = dir.filePath(QStringLiteral("title.gra"));
    Document doc;
    SilentFeedback fb;
    doc.NewSeriesRows = 3;
    Series& s = doc.CreateSeries(fb);
    for (int r = 0; r < 3; ++r)
        s.Store().SetRow(static_cast<std::size_t>(r), {Real(r), Real(r * r), 0, true, true, false});
    RowsToGrid(s);
    doc.Settings.MainTitles[0].assign(static_cast<std::size_t>(bytes), 'T');
    if (!WriteGraphFile(doc, path.toStdString(), fb))
        fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return path;
}

void StartUntilGraphDrawn(benchmark::State& state, const QTemporaryDir& dir, const QString& file) {
    SilentFeedback fb;
    for (auto _ : state) {
        TMDIMainF::Options o;
        o.StartupFile = dir.filePath(QStringLiteral("torvel-graphics.fig"));
        o.CommandLineFile = file;
        o.FeedbackOverride = &fb;
        TMDIMainF main(std::move(o));
        main.show();
        while (!main.GraphF())
            QApplication::processEvents();
        benchmark::DoNotOptimize(main.GraphF()->grab());
    }
}

void BM_StartOnDataFileUntilGraphDrawn(benchmark::State& state) {
    App();
    QTemporaryDir dir;
    StartUntilGraphDrawn(state, dir, DataFile(dir, static_cast<int>(state.range(0))));
}
// A title of megabytes costs what its visible part costs.
void BM_StartOnLongTitleGraphUntilDrawn(benchmark::State& state) {
    App();
    QTemporaryDir dir;
    StartUntilGraphDrawn(state, dir, LongTitleGraph(dir, static_cast<int>(state.range(0))));
}
BENCHMARK(BM_StartOnLongTitleGraphUntilDrawn)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_StartOnDataFileUntilGraphDrawn)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
