#include "render/graph_layout.h"
#include "render/log_scale.h"
#include "render_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace torvel {
namespace {

using namespace test;

TEST(LogNormalisation, XLimitsRoundOutToDecades) {
    struct Row {
        Real min, max;
        Real newMin, newMax;
        int decades;
    };
    const Row rows[] = {
        {0.5L, 300, 0.1L, 1000, 4},
        {1, 100, 1, 100, 2},
        {1, 100.5L, 1, 1000, 3},
        {0.01L, 0.02L, 0.01L, 0.1L, 1},
        {2e-5L, 3e-3L, 1e-5L, 1e-2L, 3},
        {10, 10.5L, 10, 100, 1},
        // No power of ten above the maximum: the limit stays finite.
        {1, 1.1e4932L, 1, 1.1e4932L, 4932},
    };
    for (const Row& r : rows) {
        Document doc;
        AddSeries(doc, {{1, 1}, {2, 2}});
        doc.Settings.LogX = true;
        doc.Settings.XMin = r.min;
        doc.Settings.XMax = r.max;
        const AxisMappings m = NormaliseAxes(doc, true, false, nullptr);
        const double where = static_cast<double>(r.min);
        EXPECT_NEAR(static_cast<double>(doc.Settings.XMin / r.newMin), 1.0, 1e-15) << where;
        EXPECT_NEAR(static_cast<double>(doc.Settings.XMax / r.newMax), 1.0, 1e-15) << where;
        EXPECT_FALSE(doc.Settings.MultiScaleX);
        EXPECT_TRUE(m.X.Log);
        EXPECT_EQ(m.X.Decades, r.decades) << where;
        EXPECT_NEAR(static_cast<double>(m.X.Origin), std::log(static_cast<double>(r.newMin)),
                    1e-12);
        EXPECT_TRUE(std::isfinite(m.X.Range)) << where;
    }
}

TEST(LogNormalisation, UnusableRangeTakesTheDataRangeAndFallbacks) {
    Document doc;
    AddSeries(doc, {{2, 1}, {50, 2}});
    doc.Settings.LogX = true;
    doc.Settings.XMin = 0;
    doc.Settings.XMax = 100;
    RangeTexts boxes;
    NormaliseAxes(doc, true, false, &boxes);
    EXPECT_NEAR(static_cast<double>(doc.Settings.XMin), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(doc.Settings.XMax), 100.0, 1e-13);
    EXPECT_FALSE(boxes.MaxX.empty()); // the scale dialog's boxes were refreshed

    // No data: the data range is 0..0, repaired to 0.1..10.
    Document none;
    none.Settings.LogX = true;
    const AxisMappings m = NormaliseAxes(none, false, false, nullptr);
    EXPECT_NEAR(static_cast<double>(none.Settings.XMin), 0.1, 1e-16);
    EXPECT_NEAR(static_cast<double>(none.Settings.XMax), 10.0, 1e-15);
    EXPECT_EQ(m.X.Decades, 2);
}

TEST(LogNormalisation, RightAxisSharesTheLeftDecadeCount) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    AddSeries(doc, {{1, 3}, {2, 4}}, false);
    GraphSettings& g = doc.Settings;
    g.LogY = true;
    g.YLMin = 0.5L;
    g.YLMax = 300; // -> 0.1 .. 1000, 4 decades
    g.YRMin = 2;
    g.YRMax = 50; // rounded up to 100; 4 decades down: 0.01
    const AxisMappings m = NormaliseAxes(doc, true, true, nullptr);
    EXPECT_EQ(m.YL.Decades, 4);
    EXPECT_EQ(m.YR.Decades, 4);
    EXPECT_EQ(m.YR.LowExponent, -2);
    EXPECT_NEAR(static_cast<double>(g.YRMin), 0.01, 1e-17);
    EXPECT_NEAR(static_cast<double>(g.YRMax), 100, 1e-13);
    EXPECT_FALSE(g.MultiScaleYL);
    EXPECT_FALSE(g.MultiScaleYR);

    // Without left series the right axis counts its own decades.
    g.YRMin = 2;
    g.YRMax = 50;
    const AxisMappings r = NormaliseAxes(doc, false, true, nullptr);
    EXPECT_EQ(r.YR.LowExponent, 0);
    EXPECT_EQ(r.YR.Decades, 2);
}

TEST(LogAxes, YNumbersReadFromBottomToTopOnBothSides) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    AddSeries(doc, {{1, 1}, {2, 2}}, false);
    FixedAxes(doc);
    GraphSettings& g = doc.Settings;
    g.LogY = true;
    g.YLMin = g.YRMin = 0.1L;
    g.YLMax = g.YRMax = 100;
    const Drawn d = DrawScreen(doc);
    const char* left[] = {"1E-1", "1", "1E+1", "1E+2"};
    const char* right[] = {"1E -1", "1", "1E+ 1", "1E+ 2"};
    std::vector<CanvasCall> leftTexts, rightTexts;
    for (const CanvasCall& t : d.Canvas.Texts()) {
        if (t.Align == TextAlign::Right) leftTexts.push_back(t);
        if (t.Align == TextAlign::Left) rightTexts.push_back(t);
    }
    ASSERT_EQ(leftTexts.size(), 4u);
    ASSERT_EQ(rightTexts.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(leftTexts[i].Text, left[i]);
        EXPECT_EQ(rightTexts[i].Text, right[i]);
        EXPECT_EQ(leftTexts[i].Points[0].Y, d.Geo.PlotBottom - i * d.Geo.PlotHeight / 3);
    }
}

TEST(LogAxes, XDecadesSubdivideAndLabelUpToTwentyDecades) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    FixedAxes(doc);
    doc.Settings.LogX = true;
    doc.Settings.XMin = 1;
    doc.Settings.XMax = 100;
    const Drawn d = DrawScreen(doc);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth;
    // Minor lines at log10(k) of each decade: k = 2 in the second decade.
    const int x2 = W / 2 + L + static_cast<int>(std::trunc(std::log10(2.0L) * W)) / 2;
    bool found = false;
    for (const CanvasCall& call : d.Canvas.OfKind(CallKind::Lines))
        for (std::size_t i = 0; i < call.Points.size(); i += 2)
            found |= call.PenColour == Rgb{128, 128, 128} && call.Points[i].X == x2;
    EXPECT_TRUE(found);
    const CanvasCall* ten = FindText(d.Canvas, "1E+ 1");
    ASSERT_TRUE(ten);
    EXPECT_EQ(ten->Points[0].X, W / 2 + L);
    EXPECT_TRUE(HasText(d.Canvas, "1") && HasText(d.Canvas, "1E+ 2"));

    // The decade line reaches below the axis exactly as far as a linear tick.
    auto lowestWhiteAt = [&](const RecordingCanvas& c, int x) {
        int lowest = 0;
        for (const CanvasCall& call : c.Calls)
            if ((call.Kind == CallKind::Line || call.Kind == CallKind::Lines) &&
                call.PenColour == Rgb{255, 255, 255})
                for (std::size_t i = 0; i + 1 < call.Points.size(); i += 2)
                    if (call.Points[i].X == x && call.Points[i + 1].X == x)
                        lowest = std::max({lowest, call.Points[i].Y, call.Points[i + 1].Y});
        return lowest;
    };
    const int y0 = d.Geo.PlotBottom;
    const int u = ScreenLayout(doc, 800, 600, {}).LabelUnit;
    EXPECT_EQ(lowestWhiteAt(d.Canvas, W / 2 + L), y0 + 1 + u / 2);
    doc.Settings.LogX = false;
    doc.Settings.XTicks = 2;
    EXPECT_EQ(lowestWhiteAt(DrawScreen(doc).Canvas, W / 2 + L), y0 + 1 + u / 2);
    doc.Settings.LogX = true;

    // Thirty decades: no numbers at all.
    doc.Settings.XMin = 1e-15L;
    doc.Settings.XMax = 1e15L;
    EXPECT_FALSE(HasText(DrawScreen(doc).Canvas, "1"));
}

} // namespace
} // namespace torvel
