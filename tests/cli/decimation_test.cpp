// Leaving out the marks that change no pixel changes no pixel: graphs drawn
// with every mark and with the reduced marks, compared pixel by pixel.
#include "core/feedback.h"
#include "fit/fit.h"
#include "render/plot_stream.h"
#include "ui/qt_canvas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <string>

namespace torvel {
namespace {

// The first differing pixel and how many differ; empty when none.
std::string Difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    int count = 0, fx = -1, fy = -1;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && count++ == 0) {
                fx = x;
                fy = y;
            }
    if (count == 0) return {};
    return std::to_string(count) + " pixels, the first at " + std::to_string(fx) + "," +
           std::to_string(fy);
}

struct GraphCase {
    const char* Name;
    int Width, Height;
    bool Log, MultiScale, Printer;
};

// 21 series of every graph type with and without markers, on both axes, in
// random row order with empty rows; noise, ramps, waves and steps of
// thousands of rows, a tenth of them beyond the axis limits.
void Build(Document& doc, const GraphCase& c) {
    SilentFeedback fb;
    std::mt19937 rng(27);
    std::uniform_real_distribution<double> unit(0, 1);
    GraphSettings& g = doc.Settings;
    g.LogX = g.LogY = c.Log;
    g.XMin = g.YLMin = g.YRMin = c.Log ? 0.1L : 0;
    g.XMax = g.YLMax = g.YRMax = 10;
    g.MultiScaleX = g.MultiScaleYL = g.MultiScaleYR = c.MultiScale;
    constexpr int Rows = 3000;
    for (int k = 1; k <= MaxSeries; ++k) {
        doc.NewSeriesRows = Rows;
        Series& s = doc.CreateSeries(fb);
        s.GraphType = 1 + (k - 1) % 7;
        s.ShowPoints = (k - 1) / 7 != 1;
        s.YAxisLeft = k % 3 != 0;
        // No literal assigned or added here: GCC 12 at -O3 flags that with a false -Wrestrict.
        if (k % 5 == 0) {
            s.SeriesTitle = std::to_string(k);
            s.SeriesTitle.insert(s.SeriesTitle.begin(), 'S');
        }
        std::vector<int> order(Rows);
        std::iota(order.begin(), order.end(), 1);
        std::shuffle(order.begin(), order.end(), rng);
        for (int i = 0; i < Rows; ++i) {
            const double x = -0.5 + 11.0 * i / Rows;
            double y = 0;
            switch (k % 4) {
            case 0:
                y = 11 * unit(rng) - 0.5;
                break;
            case 1:
                y = x;
                break;
            case 2:
                y = 5 + 5.5 * std::sin(x * 3) + 0.3 * unit(rng);
                break;
            default:
                y = std::floor(x) + 0.5;
                break;
            }
            const int row = order[static_cast<std::size_t>(i)];
            if (i % 97 != 5) s.SetValue(XColumn, row, static_cast<Real>(x));
            if (i % 89 != 7) s.SetValue(YColumn, row, static_cast<Real>(y));
        }
        if (s.GraphType == GraphFit || s.GraphType == GraphLineFit || s.GraphType == GraphBarFit) {
            s.Fit.FitKind = 1 + k % 3;
            ComputeFit(doc, s.Fit, fb);
        }
    }
    doc.SortDataWindows();
}

QImage Render(const GraphCase& c, bool everyMark) {
    Document doc;
    Build(doc, c);
    GraphViewState view;
    view.DrawEveryMark = everyMark;
    if (!c.Printer) return GraphWindowImage(doc, view, c.Width, c.Height);
    QImage image(c.Width, c.Height, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter, image.size());
    DrawGraphToPrinter(doc, canvas, view, {c.Width, c.Height, c.Width < c.Height, true});
    return image;
}

void PrintTo(const GraphCase& c, std::ostream* os) {
    *os << c.Name;
}

class Decimation : public ::testing::TestWithParam<GraphCase> {};

TEST_P(Decimation, DrawsTheSamePixels) {
    const GraphCase& c = GetParam();
    EXPECT_EQ(Difference(Render(c, true), Render(c, false)), "");
}

INSTANTIATE_TEST_SUITE_P(Graphs, Decimation,
                         ::testing::Values(GraphCase{"WideLinear", 1000, 700, false, false, false},
                                           GraphCase{"NarrowLinear", 640, 480, false, false, false},
                                           GraphCase{"Smallest", 160, 120, false, false, false},
                                           GraphCase{"MultiScale", 900, 600, false, true, false},
                                           GraphCase{"Log", 800, 600, true, false, false},
                                           GraphCase{"PrintedPage", 1100, 850, false, false, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Random marks a few pixels apart, as a series' rows give them: each point's
// marker and bar, then the line to it, now and then a piece that starts
// elsewhere (a line cut at the border); thin and wide pens.
TEST(Decimation, RandomMarksDrawTheSamePixels) {
    std::mt19937 rng(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int trial = 0; trial < 600; ++trial) {
        PlotMarks marks;
        marks.Markers = pick(0, 2) == 0;
        marks.Bars = pick(0, 3) == 0;
        marks.Shape = pick(1, 22);
        marks.MarkerSize = pick(0, 3);
        marks.BarHalf = pick(0, 2);
        marks.PlotLeft = marks.PlotTop = 8;
        marks.PlotRight = marks.PlotBottom = 24;
        marks.Colour = {255, 255, 0};
        const int pen = pick(1, 2);
        const bool line = pick(0, 3) != 0;
        // Each point and where the line to it starts.
        std::vector<std::pair<Point, Point>> points;
        for (int x = marks.PlotLeft; x <= marks.PlotRight && points.size() < 80; x += pick(0, 2))
            for (int n = pick(1, 12); n > 0; --n) {
                const Point p{x, pick(marks.PlotTop, marks.PlotTop + pick(1, 16))};
                const Point from = points.empty()    ? p
                                   : pick(0, 9) != 0 ? points.back().first
                                                     : Point{x - pick(0, 1), pick(8, 24)};
                points.push_back({p, from});
            }
        QImage images[2];
        for (int reduce = 0; reduce < 2; ++reduce) {
            marks.Reduce = reduce == 1;
            images[reduce] = QImage(32, 32, QImage::Format_RGB32);
            QPainter painter(&images[reduce]);
            QtCanvas canvas(painter, images[reduce].size());
            canvas.Clear({0, 0, 0});
            canvas.SetPen(marks.Colour, pen, PenStyle::Solid);
            PlotStream stream(canvas, marks);
            for (std::size_t i = 0; i < points.size(); ++i) {
                stream.At(points[i].first);
                if (line && i > 0) stream.LinePiece(points[i].second, points[i].first);
            }
            stream.Finish();
        }
        ASSERT_EQ(Difference(images[0], images[1]), "") << "trial " << trial;
    }
}

} // namespace
} // namespace torvel
