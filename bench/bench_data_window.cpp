// The data window with long series: opening, scrolling, repainting after the
// engine rewrote the cells, and a full-size paste. The window must stay
// responsive at 100,000 rows.
#include "core/document.h"
#include "ui/app_context.h"
#include "ui/printing.h"
#include "ui/series_table_model.h"
#include "ui/spread_window.h"

#include "bench_qt_app.h"
#include "bench_support.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace torvel;
using torvel::bench::App;

namespace {

class BenchContext : public AppContext {
  public:
    Document& Doc() override { return doc; }
    Feedback& Fb() override { return fb; }
    QWidget* MainWidget() override { return &main; }
    void RedrawGraph() override {}
    void ShowHelp(int) override {}
    ProgramPrinter& Printing() override { return printer; }

    Document doc;
    SilentFeedback fb;
    QWidget main;
    ProgramPrinter printer;
};

Series& FilledSeries(BenchContext& ctx, int rows) {
    return bench::LongSeries(
        ctx.doc, rows, [](int i) { return Real(i) / 7; },
        [](int i) { return Real(i) * Real(i) / 3; });
}

void BM_OpenAndPaint(benchmark::State& state) {
    App();
    BenchContext ctx;
    Series& s = FilledSeries(ctx, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TSpreadF window(ctx, s);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_OpenAndPaint)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ScrollAndPaint(benchmark::State& state) {
    App();
    BenchContext ctx;
    Series& s = FilledSeries(ctx, 100000);
    TSpreadF window(ctx, s);
    window.show();
    QScrollBar* bar = window.Grid()->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        bar->setValue((step++ * 7919) % (bar->maximum() + 1));
        benchmark::DoNotOptimize(window.Grid()->viewport()->grab());
    }
}
BENCHMARK(BM_ScrollAndPaint)->Unit(benchmark::kMillisecond);

void BM_RefreshAfterRewrite(benchmark::State& state) {
    App();
    BenchContext ctx;
    Series& s = FilledSeries(ctx, 100000);
    TSpreadF window(ctx, s);
    window.show();
    for (auto _ : state) {
        window.RefreshGrid();
        benchmark::DoNotOptimize(window.Grid()->viewport()->grab());
    }
}
BENCHMARK(BM_RefreshAfterRewrite)->Unit(benchmark::kMillisecond);

void BM_PasteFullClipboard(benchmark::State& state) {
    App();
    BenchContext ctx;
    ctx.doc.NewSeriesRows = 100000;
    Series& s = ctx.doc.CreateSeries(ctx.fb);
    TSpreadF window(ctx, s);
    window.show();
    std::string text;
    for (int r = 0; text.size() < 99999; ++r)
        text += std::to_string(r) + "\t" + std::to_string(r * 3) + "\r\n";
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    for (auto _ : state) {
        window.Grid()->SetCurrentCell({XColumn, 1});
        window.Paste1Click();
        benchmark::DoNotOptimize(window.Grid()->viewport()->grab());
    }
}
BENCHMARK(BM_PasteFullClipboard)->Unit(benchmark::kMillisecond);

} // namespace
