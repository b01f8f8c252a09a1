#include "render/series_plot.h"
#include "render_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace torvel {
namespace {

using test::AddSeries;
using test::FixedAxes;

struct Drawn {
    RecordingCanvas Canvas;
    GraphGeometry Geo;
};

Drawn Draw(Document& doc, int w = 800, int h = 600) {
    Drawn d;
    GraphViewState view;
    d.Geo = DrawGraph(doc, d.Canvas, view, w, h);
    return d;
}

// Calls drawn in a colour after the frame (the series part of the draw).
std::vector<CanvasCall> InColour(const RecordingCanvas& c, Rgb colour, CallKind kind) {
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : c.Calls)
        if (call.Kind == kind && call.PenColour == colour) out.push_back(call);
    return out;
}

TEST(SeriesPlot, MarkersAtMappedPointsWithSeriesColourAndPenWidth) {
    Document doc;
    FixedAxes(doc);
    AddSeries(doc, {{5, 5}, {0, 0}, {10, 10}}, true, GraphNone, true);
    Drawn d = Draw(doc);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    // Series 1 marks with the diagonal cross.
    const auto circles = InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines);
    ASSERT_EQ(circles.size(), 3u);
    const int t = 4;
    // Sorted by X before drawing.
    EXPECT_EQ(circles[0].Points[0], (Point{L - t, y0 - t}));
    EXPECT_EQ(circles[1].Points[0], (Point{L + W / 2 - t, y0 - H / 2 - t}));
    EXPECT_EQ(circles[2].Points[0], (Point{L + W - t, y0 - H - t}));
    EXPECT_EQ(circles[0].PenWidth, 2); // window wider than 700
    EXPECT_EQ(circles[0].BrushColour, (Rgb{0, 0, 0}));
    // Type None draws no line.
    EXPECT_TRUE(InColour(d.Canvas, SeriesColorOf(1), CallKind::Line).empty());
    EXPECT_TRUE(InColour(d.Canvas, SeriesColorOf(1), CallKind::Polyline).empty());

    Drawn narrow = Draw(doc, 700, 600);
    EXPECT_EQ(InColour(narrow.Canvas, SeriesColorOf(1), CallKind::Lines)[0].PenWidth, 1);
}

TEST(SeriesPlot, LineSkipsRowsOutsideThePlotWithoutBreaking) {
    Document doc;
    FixedAxes(doc);
    AddSeries(doc, {{1, 1}, {2, 20}, {3, 3}, {4, -5}, {5, 5}}, true, GraphLine, false);
    Drawn d = Draw(doc);
    const auto lines = InColour(d.Canvas, SeriesColorOf(1), CallKind::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    auto at = [&](int x, int y) { return Point{L + W * x / 10, y0 - H * y / 10}; };
    EXPECT_EQ(lines[0].Points, (std::vector<Point>{at(1, 1), at(3, 3), at(5, 5)}));
}

TEST(SeriesPlot, LineWithMarkersIsDrawnRowByRow) {
    Document doc;
    FixedAxes(doc);
    AddSeries(doc, {{1, 1}, {2, 2}, {3, 3}}, true, GraphLine, true);
    Drawn d = Draw(doc);
    std::vector<CallKind> order;
    for (const CanvasCall& call : d.Canvas.Calls)
        if (call.PenColour == SeriesColorOf(1) &&
            (call.Kind == CallKind::Lines || call.Kind == CallKind::Line))
            order.push_back(call.Kind);
    using K = CallKind;
    EXPECT_EQ(order, (std::vector<K>{K::Lines, K::Lines, K::Line, K::Lines, K::Line}));
}

TEST(SeriesPlot, BarsAtThePlotEdgesExtendInwardOnly) {
    Document doc;
    FixedAxes(doc);
    doc.Prefs.BarWidth = 2;
    AddSeries(doc, {{0, 4}, {5, 6}, {10, 8}}, true, GraphBar, false);
    Drawn d = Draw(doc);
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

TEST(SeriesPlot, TypeNoneWithoutPointsAndSingleRowMultiScaleDrawOnlyTheLegend) {
    {
        Document doc;
        FixedAxes(doc);
        AddSeries(doc, {{1, 1}, {2, 2}}, true, GraphNone, false).SeriesTitle = "only legend";
        Drawn d = Draw(doc);
        EXPECT_TRUE(test::HasText(d.Canvas, "only legend"));
        EXPECT_EQ(InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines).size(), 1u); // legend
    }
    {
        Document doc;
        FixedAxes(doc);
        doc.Settings.MultiScaleX = true;
        AddSeries(doc, {{1, 1}}, true, GraphLine, true).SeriesTitle = "one row";
        Drawn d = Draw(doc);
        EXPECT_TRUE(test::HasText(d.Canvas, "one row"));
        EXPECT_EQ(InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines).size(), 1u);
    }
}

TEST(SeriesPlot, MultiScaleUsesTheSeriesOwnExtents) {
    Document doc;
    FixedAxes(doc);
    doc.Settings.MultiScaleX = doc.Settings.MultiScaleYL = true;
    AddSeries(doc, {{100, -7}, {200, 3}}, true, GraphLine, false);
    Drawn d = Draw(doc);
    const auto lines = InColour(d.Canvas, SeriesColorOf(1), CallKind::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    EXPECT_EQ(lines[0].Points, (std::vector<Point>{{L, y0}, {L + W, y0 - H}}));
}

TEST(SeriesPlot, OverflowOnOneRowSkipsOnlyThatRow) {
    Document doc;
    FixedAxes(doc);
    doc.Settings.XMax = 1.1e4931L;
    // W * X overflows the extended range for the middle row only.
    AddSeries(doc, {{0, 1}, {1e4928L, 2}, {9e4930L, 3}}, true, GraphNone, true);
    Drawn d = Draw(doc);
    EXPECT_EQ(InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines).size(), 2u);
}

TEST(SeriesPlot, ZeroRangeAxisDrawsNothingAndDoesNotFault) {
    Document doc;
    FixedAxes(doc);
    doc.Settings.YLMax = doc.Settings.YLMin = 5;
    AddSeries(doc, {{1, 5}, {2, 5}}, true, GraphLineFit, true);
    Drawn d = Draw(doc);
    EXPECT_TRUE(InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines).empty());
}

TEST(SeriesPlot, LogAxesSkipRowsThatAreNotPositive) {
    Document doc;
    FixedAxes(doc);
    doc.Settings.LogX = doc.Settings.LogY = true;
    doc.Settings.XMin = doc.Settings.YLMin = 1;
    doc.Settings.XMax = doc.Settings.YLMax = 100;
    AddSeries(doc, {{-1, 5}, {0, 5}, {10, 10}, {20, -3}, {50, 50}}, true, GraphNone, true);
    Drawn d = Draw(doc);
    const auto marks = InColour(d.Canvas, SeriesColorOf(1), CallKind::Lines);
    ASSERT_EQ(marks.size(), 2u);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    EXPECT_EQ(marks[0].Points[0], (Point{L + W / 2 - 4, y0 - H / 2 - 4}));
}

TEST(SeriesPlot, LegendMarkerAndTextPositions) {
    Document doc;
    FixedAxes(doc);
    AddSeries(doc, {{1, 1}, {2, 2}}, true, GraphNone, false);
    AddSeries(doc, {{1, 1}, {2, 2}}, true, GraphNone, false).SeriesTitle = "second";
    Drawn d = Draw(doc);
    const CanvasCall* text = test::FindText(d.Canvas, "second");
    ASSERT_TRUE(text);
    // First titled series: column 0, row 0, whatever its series number.
    EXPECT_EQ(text->Points[0], (Point{d.Geo.PlotLeft, d.Geo.LegendTop}));
    const auto marker = InColour(d.Canvas, SeriesColorOf(2), CallKind::Ellipse);
    ASSERT_EQ(marker.size(), 1u);
    // Series 2's marker shape (circle) at L - 4t.
    EXPECT_EQ(marker[0].Points[0], (Point{d.Geo.PlotLeft - 16 - 4, d.Geo.LegendTop - 4}));
}

// The fitted curve, traced column by column through a recording canvas.
struct Curve {
    RecordingCanvas C;
    GraphLayout L;
};

template <class Fn> void Trace(Curve& k, Fn f, bool logY = false) {
    k.L.PlotLeft = 10;
    k.L.PlotWidth = 100;
    k.L.PlotBottom = 110;
    k.L.PlotHeight = 100;
    TraceFittedCurve(k.C, k.L, PlotAxis{0, 10}, false,
                     PlotAxis{logY ? -2.302585092994045684L : 0, 10}, logY, -3, f);
}

TEST(FittedCurve, InsideIsOnePolyline) {
    Curve k;
    Trace(k, [](Real x) { return x; });
    const auto lines = k.C.OfKind(CallKind::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Points.front(), (Point{10, 110}));
    EXPECT_EQ(lines[0].Points.back(), (Point{110, 10}));
    EXPECT_EQ(lines[0].Points.size(), 102u); // the start point twice, then every column
}

TEST(FittedCurve, LeavesAndReentersThroughTheTop) {
    Curve k;
    // 12 - (x - 5)^2: enters from below, leaves through the top, comes back
    // through the top, leaves through the bottom.
    Trace(k, [](Real x) { return 12 - (x - 5) * (x - 5); });
    const auto pieces = k.C.OfKind(CallKind::Polyline);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].Points.front().Y, 110); // from the bottom border
    EXPECT_EQ(pieces[0].Points.back().Y, 10);   // ends on the top border
    EXPECT_EQ(pieces[1].Points.front().Y, 10);  // starts on the top border
    EXPECT_EQ(pieces[1].Points.back().Y, 110);
    EXPECT_EQ(pieces[0].Points.front().X, pieces[0].Points[1].X); // joined vertically
    EXPECT_TRUE(k.C.OfKind(CallKind::Line).empty());
}

TEST(FittedCurve, JumpFromAboveToBelowMarksTheCrossing) {
    Curve k;
    Trace(k, [](Real x) { return 1e6L * (5.05L - x); });
    const auto crossings = k.C.OfKind(CallKind::Line);
    ASSERT_EQ(crossings.size(), 1u);
    EXPECT_EQ(crossings[0].Points, (std::vector<Point>{{61, 110}, {61, 10}}));
    EXPECT_TRUE(k.C.OfKind(CallKind::Polyline).empty());
}

TEST(FittedCurve, NegativeValuesOnLogYRunIntoTheBottomBorder) {
    Curve k;
    // Positive and inside up to x = 5, then negative: the curve ends on the bottom.
    Trace(
        k, [](Real x) { return x < 5 ? 1 + x : -1; }, true);
    const auto pieces = k.C.OfKind(CallKind::Polyline);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].Points.back(), (Point{60, 110}));
}

TEST(FittedCurve, FaultingColumnsAreSkipped) {
    Curve k;
    int calls = 0;
    Trace(k, [&](Real x) {
        ++calls;
        return (x > 3 && x < 4) ? std::numeric_limits<Real>::quiet_NaN() : Real{5};
    });
    EXPECT_EQ(calls, 101);
    const auto pieces = k.C.OfKind(CallKind::Polyline);
    ASSERT_EQ(pieces.size(), 1u); // the skipped columns do not lift the pen
    EXPECT_EQ(pieces[0].Points.size(), 102u - 9u);
}

TEST(FittedCurve, DrawnForFitTypesFromTheSeriesFit) {
    Document doc;
    FixedAxes(doc);
    Series& s = AddSeries(doc, {{1, 1}, {2, 2}}, true, GraphFit, false);
    s.Fit.FitKind = 1;
    s.Fit.Coef[1] = 1;
    s.Fit.Coef[2] = 0.5L;
    Drawn d = Draw(doc);
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
    g.FloatTitleText[0] = "inside";
    g.FloatTitleX[0] = 5;
    g.FloatTitleY[0] = 5;
    g.FloatTitleText[1] = "outside";
    g.FloatTitleX[1] = 11;
    g.FloatTitleY[1] = 5;
    g.FloatTitleText[2] = "picked";
    g.FloatTitleX[2] = 0;
    g.FloatTitleY[2] = 10;
    RecordingCanvas c;
    GraphViewState view;
    view.FloatTitlePlaced[3] = false;
    const GraphGeometry geo = DrawGraph(doc, c, view, 800, 600);
    const CanvasCall* inside = test::FindText(c, "inside");
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->Points[0],
              (Point{geo.PlotLeft + geo.PlotWidth / 2, geo.PlotBottom - geo.PlotHeight / 2}));
    EXPECT_EQ(inside->Font.Colour, (Rgb{255, 255, 0}));
    EXPECT_EQ(inside->Align, TextAlign::Left);
    EXPECT_FALSE(test::HasText(c, "outside"));
    const CanvasCall* picked = test::FindText(c, "picked");
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->Font.Colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(geo.TitleTextHeight, c.TextHeight());

    // On a logarithmic axis a position of 0 is not drawn.
    g.LogX = true;
    g.XMin = 1;
    g.XMax = 100;
    c.Reset();
    DrawGraph(doc, c, view, 800, 600);
    EXPECT_FALSE(test::HasText(c, "picked"));
    EXPECT_TRUE(test::HasText(c, "inside"));
}

} // namespace
} // namespace torvel
