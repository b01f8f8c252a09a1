#include "render/series_plot.h"
#include "render_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace torvel {
namespace {

using namespace test;

TEST(SeriesPlot, MarkersAtMappedPointsWithSeriesColourAndPenWidth) {
    Document doc;
    FixedAxes(doc);
    AddSeries(doc, {{5, 5}, {0, 0}, {10, 10}}, true, GraphNone, true);
    const Drawn d = DrawScreen(doc);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    // Series 1 marks with the diagonal cross, rows sorted by X before drawing.
    const auto crosses = InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines);
    ASSERT_EQ(crosses.size(), 3u);
    const int t = 4;
    EXPECT_EQ(crosses[0].Points[0], (Point{L - t, y0 - t}));
    EXPECT_EQ(crosses[1].Points[0], (Point{L + W / 2 - t, y0 - H / 2 - t}));
    EXPECT_EQ(crosses[2].Points[0], (Point{L + W - t, y0 - H - t}));
    EXPECT_EQ(crosses[0].PenWidth, 2); // window wider than 700
    EXPECT_EQ(crosses[0].BrushColour, (Rgb{0, 0, 0}));
    // Type None draws no line.
    EXPECT_TRUE(InColour(d.Canvas, SeriesColorOf(1), CallKind::Line).empty());
    EXPECT_TRUE(InColour(d.Canvas, SeriesColorOf(1), CallKind::Polyline).empty());

    const Drawn narrow = DrawScreen(doc, 700, 600);
    EXPECT_EQ(InColour(narrow.Canvas, SeriesColorOf(1), CallKind::Lines)[0].PenWidth, 1);
}

// A line is cut where it leaves the plot and starts again where it comes back;
// rows outside never get a chord drawn between their neighbours.
TEST(SeriesPlot, LineIsClippedAtThePlotBorder) {
    Document doc;
    FixedAxes(doc);
    // A peak above the top, a dip below the bottom.
    AddSeries(doc, {{1, 1}, {2, 20}, {3, 3}, {4, -5}, {5, 5}}, true, GraphLine, false);
    const Drawn d = DrawScreen(doc);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    const int top = y0 - H;
    auto at = [&](int x, int y) { return Point{L + W * x / 10, y0 - H * y / 10}; };
    // Where the line from a drawn row (pixel p) towards (x, y) in data meets the
    // horizontal border at pixel row `border`.
    auto crossing = [&](Point p, double x, double y, int border) {
        const double px = L + W * x / 10, py = y0 - H * y / 10;
        return p.X + (px - p.X) * (border - p.Y) / (py - p.Y);
    };
    const auto pieces = InColour(d.Canvas, SeriesColorOf(1), CallKind::Polyline);
    ASSERT_EQ(pieces.size(), 3u);
    ASSERT_EQ(pieces[0].Points.size(), 2u);
    EXPECT_EQ(pieces[0].Points[0], at(1, 1));
    EXPECT_EQ(pieces[0].Points[1].Y, top);
    EXPECT_NEAR(pieces[0].Points[1].X, crossing(at(1, 1), 2, 20, top), 1);
    ASSERT_EQ(pieces[1].Points.size(), 3u);
    EXPECT_EQ(pieces[1].Points[0].Y, top);
    EXPECT_NEAR(pieces[1].Points[0].X, crossing(at(3, 3), 2, 20, top), 1);
    EXPECT_EQ(pieces[1].Points[1], at(3, 3));
    EXPECT_EQ(pieces[1].Points[2].Y, y0);
    EXPECT_NEAR(pieces[1].Points[2].X, crossing(at(3, 3), 4, -5, y0), 1);
    ASSERT_EQ(pieces[2].Points.size(), 2u);
    EXPECT_EQ(pieces[2].Points[0].Y, y0);
    EXPECT_NEAR(pieces[2].Points[0].X, crossing(at(5, 5), 4, -5, y0), 1);
    EXPECT_EQ(pieces[2].Points[1], at(5, 5));
    for (const Segment& seg : d.Canvas.AllSegments())
        EXPECT_FALSE(seg.A == at(1, 1) && seg.B == at(3, 3)) << "chord over the peak";

    // With markers every row is drawn in turn: marker, then the line to it;
    // a row outside draws only the part of its line inside.
    doc.FindSeries(1)->ShowPoints = true;
    std::vector<CallKind> order;
    for (const CanvasCall& call : DrawScreen(doc).Canvas.Calls)
        if (call.PenColour == SeriesColorOf(1) &&
            (call.Kind == CallKind::Lines || call.Kind == CallKind::Line))
            order.push_back(call.Kind);
    using K = CallKind;
    EXPECT_EQ(order,
              (std::vector<K>{K::Lines, K::Line, K::Lines, K::Line, K::Line, K::Lines, K::Line}));
}

TEST(SeriesPlot, BarsAtThePlotEdgesExtendInwardOnly) {
    Document doc;
    FixedAxes(doc);
    doc.Prefs.BarWidth = 2;
    AddSeries(doc, {{0, 4}, {5, 6}, {10, 8}}, true, GraphBar, false);
    const Drawn d = DrawScreen(doc);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    const int b = 2 * (W * 30 / 10000 + 1);
    const auto bars = InColour(d.Canvas, SeriesColorOf(1), CallKind::Rectangle);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].Points, (std::vector<Point>{{L, y0 - H * 4 / 10}, {L + b, y0}}));
    const int xm = L + W / 2;
    EXPECT_EQ(bars[1].Points, (std::vector<Point>{{xm - b, y0 - H * 6 / 10}, {xm + b, y0}}));
    EXPECT_EQ(bars[2].Points, (std::vector<Point>{{L + W - b, y0 - H * 8 / 10}, {L + W, y0}}));
    for (const auto& bar : bars)
        EXPECT_EQ(bar.BrushColour, SeriesColorOf(1));
    // The brush goes back to black afterwards.
    EXPECT_EQ(d.Canvas.Calls.back().BrushColour, (Rgb{0, 0, 0}));
}

// Series that draw nothing but their legend entry, and what is drawn instead.
TEST(SeriesPlot, SkippedSeriesDrawOnlyTheLegend) {
    struct Row {
        const char* name;
        std::vector<std::pair<Real, Real>> rows;
        bool left;
        int type;
        bool points, multiX, multiLeft;
        std::size_t markers; // including the legend's
    };
    const Row rows[] = {
        {"type None without points", {{1, 1}, {2, 2}}, true, GraphNone, false, false, false, 1},
        {"type None with points", {{1, 1}, {2, 2}}, true, GraphNone, true, false, false, 3},
        {"one row, multi-scale X", {{1, 1}}, true, GraphLine, true, true, false, 1},
        {"flat, multi-scale left", {{1, 5}, {2, 5}}, true, GraphLine, true, false, true, 1},
        // The left axis's mode does not hide a flat series on the right axis.
        {"flat on the right, multi-scale left",
         {{1, 5}, {2, 5}},
         false,
         GraphLine,
         true,
         false,
         true,
         3},
    };
    for (const Row& r : rows) {
        Document doc;
        FixedAxes(doc);
        doc.Settings.MultiScaleX = r.multiX;
        doc.Settings.MultiScaleYL = r.multiLeft;
        AddSeries(doc, r.rows, r.left, r.type, r.points).SeriesTitle = "legend";
        const Drawn d = DrawScreen(doc);
        EXPECT_TRUE(HasText(d.Canvas, "legend")) << r.name;
        EXPECT_EQ(InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines).size(), r.markers)
            << r.name;
    }
}

TEST(SeriesPlot, MultiScaleUsesTheSeriesOwnExtents) {
    Document doc;
    FixedAxes(doc);
    doc.Settings.MultiScaleX = doc.Settings.MultiScaleYL = true;
    AddSeries(doc, {{100, -7}, {200, 3}}, true, GraphLine, false);
    const Drawn d = DrawScreen(doc);
    const auto lines = InColour(d.Canvas, SeriesColorOf(1), CallKind::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    EXPECT_EQ(lines[0].Points, (std::vector<Point>{{L, y0}, {L + W, y0 - H}}));
}

TEST(SeriesPlot, RowsThatCannotBeMappedAreSkippedOneByOne) {
    {
        Document doc;
        FixedAxes(doc);
        doc.Settings.XMax = 1.1e4931L;
        // W * X overflows the extended range for the middle row only.
        AddSeries(doc, {{0, 1}, {1e4928L, 2}, {9e4930L, 3}}, true, GraphNone, true);
        EXPECT_EQ(InColour(DrawScreen(doc).Canvas, SeriesColorOf(1), CallKind::Lines).size(), 2u);
    }
    {
        Document doc;
        FixedAxes(doc);
        doc.Settings.YLMax = doc.Settings.YLMin = 5; // zero range
        AddSeries(doc, {{1, 5}, {2, 5}}, true, GraphLineFit, true);
        EXPECT_TRUE(InColour(DrawScreen(doc).Canvas, SeriesColorOf(1), CallKind::Lines).empty());
    }
    {
        Document doc;
        FixedAxes(doc);
        GraphSettings& g = doc.Settings;
        g.LogX = g.LogY = true;
        g.XMin = g.YLMin = 1;
        g.XMax = g.YLMax = 100;
        AddSeries(doc, {{-1, 5}, {0, 5}, {10, 10}, {20, -3}, {50, 50}}, true, GraphNone, true);
        const Drawn d = DrawScreen(doc);
        const auto marks = InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines);
        ASSERT_EQ(marks.size(), 2u);
        EXPECT_EQ(marks[0].Points[0], (Point{d.Geo.PlotLeft + d.Geo.PlotWidth / 2 - 4,
                                             d.Geo.PlotBottom - d.Geo.PlotHeight / 2 - 4}));
    }
}

// A fitted curve traced over a 100 x 100 plot at (10, 110) with both axes 0..10
// (Y from 0.1 on a logarithmic axis).
template <class Fn> RecordingCanvas Trace(Fn f, bool logY = false) {
    GraphLayout l;
    l.PlotLeft = 10;
    l.PlotWidth = 100;
    l.PlotBottom = 110;
    l.PlotHeight = 100;
    RecordingCanvas c;
    TraceFittedCurve(c, l, PlotAxis{0, 10}, false, PlotAxis{logY ? -2.302585092994045684L : 0, 10},
                     logY, -3, f);
    return c;
}

// Each piece of the curve as its first and last point, and the full-height
// lines that mark a jump from one side to the other.
TEST(FittedCurve, PiecesAndBorders) {
    using Piece = std::pair<Point, Point>;
    struct Row {
        const char* name;
        std::function<Real(Real)> f;
        bool logY;
        std::vector<Piece> pieces;
        std::vector<int> crossings; // x of each
    };
    const Row rows[] = {
        // The start point twice, then every column.
        {"inside", [](Real x) { return x; }, false, {{{10, 110}, {110, 10}}}, {}},
        // Enters from below, leaves through the top, comes back through the
        // top, leaves through the bottom.
        {"through the top and back",
         [](Real x) { return 12 - (x - 5) * (x - 5); },
         false,
         {{{26, 110}, {47, 10}}, {{74, 10}, {95, 110}}},
         {}},
        {"jump from above to below", [](Real x) { return 1e6L * (5.05L - x); }, false, {}, {61}},
        {"astronomic jump", [](Real x) { return 1e300L * (5.05L - x); }, false, {}, {61}},
        {"steep exit through the top",
         [](Real x) { return x < 5 ? Real{5} : Real{1e200L}; },
         false,
         {{{10, 60}, {60, 10}}},
         {}},
        // Negative on a logarithmic axis: the curve runs into the bottom border.
        {"negative on log Y",
         [](Real x) { return x < 5 ? 1 + x : -1; },
         true,
         {{{10, 87}, {60, 110}}},
         {}},
    };
    for (const Row& r : rows) {
        const RecordingCanvas c = Trace(r.f, r.logY);
        std::vector<Piece> pieces;
        for (const CanvasCall& p : c.OfKind(CallKind::Polyline)) {
            pieces.push_back({p.Points.front(), p.Points.back()});
            // Every piece starts with a vertical join from its first point.
            EXPECT_EQ(p.Points[0].X, p.Points[1].X) << r.name;
        }
        EXPECT_EQ(pieces, r.pieces) << r.name;
        std::vector<int> crossings;
        for (const CanvasCall& line : c.OfKind(CallKind::Line)) {
            EXPECT_EQ(line.Points[0].Y, 110) << r.name;
            EXPECT_EQ(line.Points[1].Y, 10) << r.name;
            crossings.push_back(line.Points[0].X);
        }
        EXPECT_EQ(crossings, r.crossings) << r.name;
    }
    EXPECT_EQ(Trace([](Real x) { return x; }).Calls.back().Points.size(), 102u);
}

TEST(FittedCurve, FaultingColumnsAreSkipped) {
    const Real bad[] = {std::numeric_limits<Real>::quiet_NaN(),
                        std::numeric_limits<Real>::infinity(),
                        -std::numeric_limits<Real>::infinity()};
    for (bool logY : {false, true})
        for (Real fault : bad) {
            int calls = 0;
            const RecordingCanvas c = Trace(
                [&](Real x) {
                    ++calls;
                    return (x > 3 && x < 4) ? fault : Real{5};
                },
                logY);
            EXPECT_EQ(calls, 101);
            const auto pieces = c.OfKind(CallKind::Polyline);
            ASSERT_EQ(pieces.size(), 1u) << logY; // the skipped columns do not lift the pen
            EXPECT_EQ(pieces[0].Points.size(), 102u - 9u) << logY;
        }
}

TEST(FittedCurve, DrawnForFitTypesFromTheSeriesFit) {
    Document doc;
    FixedAxes(doc);
    Series& s = AddSeries(doc, {{1, 1}, {2, 2}}, true, GraphFit, false);
    s.Fit.FitKind = 1;
    s.Fit.Coef[1] = 1;
    s.Fit.Coef[2] = 0.5L;
    const Drawn d = DrawScreen(doc);
    const auto curve = InColour(d.Canvas, SeriesColorOf(1), CallKind::Polyline);
    ASSERT_EQ(curve.size(), 1u);
    EXPECT_EQ(curve[0].Points.size(), static_cast<std::size_t>(d.Geo.PlotWidth) + 2);
    EXPECT_EQ(curve[0].Points.back().Y, d.Geo.PlotBottom - d.Geo.PlotHeight * 6 / 10);
}

TEST(FloatingTitles, PlacedInsideOnlyAndColouredByState) {
    Document doc;
    FixedAxes(doc);
    AddSeries(doc, {{1, 1}, {2, 2}});
    GraphSettings& g = doc.Settings;
    const struct {
        const char* text;
        Real x, y;
    } titles[] = {{"inside", 5, 5}, {"outside", 11, 5}, {"picked", 0, 10}};
    for (std::size_t i = 0; i < 3; ++i) {
        g.FloatTitleText[i] = titles[i].text;
        g.FloatTitleX[i] = titles[i].x;
        g.FloatTitleY[i] = titles[i].y;
    }
    GraphViewState view;
    view.FloatTitlePlaced[3] = false;
    const Drawn d = DrawScreen(doc, 800, 600, {}, view);
    const CanvasCall* inside = FindText(d.Canvas, "inside");
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->Points[0], (Point{d.Geo.PlotLeft + d.Geo.PlotWidth / 2,
                                        d.Geo.PlotBottom - d.Geo.PlotHeight / 2}));
    EXPECT_EQ(inside->Font.Colour, (Rgb{255, 255, 0}));
    EXPECT_EQ(inside->Align, TextAlign::Left);
    EXPECT_FALSE(HasText(d.Canvas, "outside"));
    const CanvasCall* picked = FindText(d.Canvas, "picked");
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->Font.Colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(d.Geo.TitleTextHeight, inside->Font.Size * 4 / 3);

    // On a logarithmic axis a position of 0 is not drawn.
    g.LogX = true;
    g.XMin = 1;
    g.XMax = 100;
    const Drawn log = DrawScreen(doc, 800, 600, {}, view);
    EXPECT_FALSE(HasText(log.Canvas, "picked"));
    EXPECT_TRUE(HasText(log.Canvas, "inside"));
}

} // namespace
} // namespace torvel
