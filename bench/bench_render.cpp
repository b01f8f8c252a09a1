// Drawing speed of the graph window: many series with markers, redraws with
// nothing changed, and one very long line.
#include "core/document.h"
#include "core/number_text.h"
#include "render/draw_graph.h"
#include "ui/qt_canvas.h"

#include "bench_qt_app.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>

namespace {

using namespace torvel;

// series x rows, rows typed in random X order, smooth Y, fixed axes.
std::unique_ptr<Document> MakeDocument(int series, int rows, bool points, int type = GraphLine) {
    auto doc = std::make_unique<Document>();
    SilentFeedback fb;
    std::mt19937 rng(42);
    std::vector<int> order(static_cast<std::size_t>(rows));
    std::iota(order.begin(), order.end(), 0);
    for (int s = 0; s < series; ++s) {
        Series& sr = doc->CreateSeries(fb);
        sr.SetIndexCount(rows);
        std::shuffle(order.begin(), order.end(), rng);
        for (int r = 0; r < rows; ++r) {
            const Real x = static_cast<Real>(order[static_cast<std::size_t>(r)]) * 10 / rows;
            const Real y = 5 + 4 * std::sin(x + s * 0.3L);
            sr.SetCell(XColumn, r + 1, NumberToText(x, 14));
            sr.SetCell(YColumn, r + 1, NumberToText(y, 14));
        }
        sr.GraphType = type;
        sr.ShowPoints = points;
    }
    doc->SortDataWindows();
    GraphSettings& g = doc->Settings;
    g.XMin = g.YLMin = 0;
    g.XMax = g.YLMax = 10;
    g.MultiScaleX = g.MultiScaleYL = g.MultiScaleYR = false;
    g.XGridMajor = g.YGridMajor = 10;
    g.XTicks = g.YLTicks = 10;
    return doc;
}

const ScreenInfo Screen{1920, 1080, 20};

void BM_FirstDraw_21x10000_LinePoints(benchmark::State& state) {
    bench::App();
    QImage image;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = MakeDocument(21, 10000, true);
        GraphViewState view;
        state.ResumeTiming();
        RenderGraphImage(*doc, image, view, 1600, 1000, Screen);
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstDraw_21x10000_LinePoints)->Unit(benchmark::kMillisecond)->Iterations(3);

// Redraws with nothing changed: the cost of every repaint of the window.
void BM_Redraw(benchmark::State& state, int series, int rows, bool points) {
    bench::App();
    auto doc = MakeDocument(series, rows, points);
    GraphViewState view;
    QImage image;
    RenderGraphImage(*doc, image, view, 1600, 1000, Screen);
    for (auto _ : state)
        RenderGraphImage(*doc, image, view, 1600, 1000, Screen);
}
BENCHMARK_CAPTURE(BM_Redraw, 21x10000_LinePoints, 21, 10000, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Redraw, 1M_Line, 1, 1'000'000, false)->Unit(benchmark::kMillisecond);

} // namespace
