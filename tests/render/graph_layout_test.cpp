#include "render/graph_layout.h"
#include "render_test_util.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

using test::AddSeries;
using test::FindText;
using test::FixedAxes;
using test::FramePoints;

struct Frame {
    int L, y0, W, H;
};

Frame DrawAndFrame(Document& doc, RecordingCanvas& c, int w, int h, ScreenInfo screen = {}) {
    GraphViewState view;
    const GraphGeometry g = DrawGraph(doc, c, view, w, h, screen);
    const auto pts = FramePoints(c);
    EXPECT_EQ(pts.size(), 5u);
    if (pts.size() == 5) {
        // The frame is the closed rectangle starting at the bottom-left corner.
        EXPECT_EQ(pts[0], (Point{g.PlotLeft, g.PlotBottom}));
        EXPECT_EQ(pts[1], (Point{g.PlotLeft + g.PlotWidth, g.PlotBottom}));
        EXPECT_EQ(pts[2], (Point{g.PlotLeft + g.PlotWidth, g.PlotBottom - g.PlotHeight}));
        EXPECT_EQ(pts[3], (Point{g.PlotLeft, g.PlotBottom - g.PlotHeight}));
    }
    return {g.PlotLeft, g.PlotBottom, g.PlotWidth, g.PlotHeight};
}

TEST(ScreenClass, FromScreenWidth) {
    const std::pair<int, int> table[] = {{600, 640},   {699, 640},   {700, 800},   {899, 800},
                                         {900, 1024},  {1099, 1024}, {1100, 1152}, {1199, 1152},
                                         {1200, 1280}, {1299, 1280}, {1300, 1600}, {1920, 1600}};
    for (auto [width, cls] : table)
        EXPECT_EQ(ScreenClassOf(width), cls) << width;
    const BitmapSize b = GraphBitmapSize({1920, 1080, 20});
    EXPECT_EQ(b.Width, 1920);
    EXPECT_EQ(b.Height, 1040);
}

TEST(ScreenLayout, PlotRectangleForSeveralWindows) {
    struct Row {
        const char* name;
        int w, h;
        bool multiLeft;
        bool right;
        Frame expected;
    };
    // h = outer height - 40; m = w*60/1000; no titles: y0 = h - 120h/1000,
    // H = h - 188h/1000.
    const Row rows[] = {
        {"800x600 left axis", 800, 600, false, false, {96, 493, 656, 455}},
        {"800x600 multi-scale left, no title", 800, 600, true, false, {48, 493, 704, 455}},
        {"800x600 both axes", 800, 600, false, true, {96, 493, 608, 455}},
        {"1600x1000 left axis", 1600, 1000, false, false, {192, 845, 1312, 780}},
        {"350x300 left axis", 350, 300, false, false, {42, 229, 287, 212}},
    };
    for (const Row& r : rows) {
        Document doc;
        FixedAxes(doc);
        doc.Settings.MultiScaleYL = r.multiLeft;
        AddSeries(doc, {{1, 1}, {2, 2}});
        if (r.right) AddSeries(doc, {{1, 1}, {2, 2}}, false);
        RecordingCanvas c;
        const Frame f = DrawAndFrame(doc, c, r.w, r.h);
        EXPECT_EQ(f.L, r.expected.L) << r.name;
        EXPECT_EQ(f.y0, r.expected.y0) << r.name;
        EXPECT_EQ(f.W, r.expected.W) << r.name;
        EXPECT_EQ(f.H, r.expected.H) << r.name;
    }
}

TEST(ScreenLayout, TitlesAndLegendAnchors) {
    Document doc;
    FixedAxes(doc);
    GraphSettings& g = doc.Settings;
    g.MainTitles = {"Main one", "", "Main three"};
    g.XTitles = {"X one", "X two", ""};
    g.YTitles = {"Left title", ""};
    for (int i = 0; i < 4; ++i)
        AddSeries(doc, {{1, 1}, {2, 2}}).SeriesTitle = "S" + std::to_string(i);
    RecordingCanvas c;
    GraphViewState view;
    // w 800, h 560; M 2, T 2, V 2, R 2.
    const GraphGeometry geo = DrawGraph(doc, c, view, 800, 600);
    EXPECT_EQ(geo.PlotBottom, 560 - 248 * 560 / 1000); // 422
    EXPECT_EQ(geo.PlotHeight, 560 - (6 * 32 + 220) * 560 / 1000);
    EXPECT_EQ(geo.PlotLeft, 96);

    const CanvasCall* main1 = FindText(c, "Main one");
    const CanvasCall* main3 = FindText(c, "Main three");
    ASSERT_TRUE(main1 && main3);
    EXPECT_EQ(main1->Points[0], (Point{400, 22}));
    EXPECT_EQ(main3->Points[0], (Point{400, 44})); // second non-empty line
    EXPECT_EQ(main1->Align, TextAlign::Centre);
    EXPECT_TRUE(main1->Font.Underline);
    EXPECT_EQ(main1->Font.Colour, (Rgb{255, 255, 0}));

    const int y0 = geo.PlotBottom;
    EXPECT_EQ(FindText(c, "X one")->Points[0], (Point{400, y0 - 2 + 76 * 560 / 1000}));
    EXPECT_EQ(FindText(c, "X two")->Points[0], (Point{400, y0 - 2 + 116 * 560 / 1000}));
    EXPECT_EQ(geo.LegendTop, 154 * 560 / 1000 + y0 - 2);

    const int u = 560 * 80 / 10000 + 1;
    const CanvasCall* yTitle = FindText(c, "Left title");
    ASSERT_TRUE(yTitle);
    EXPECT_EQ(yTitle->Points[0], (Point{96 - 48, y0 - geo.PlotHeight - 4 * u}));
    EXPECT_EQ(yTitle->Align, TextAlign::Left);

    // Legend: three per row, text at L + c*(W/3), rows 40/1000 of h apart.
    const int W = geo.PlotWidth;
    const Point expected[] = {{96, geo.LegendTop},
                              {96 + W / 3, geo.LegendTop},
                              {96 + 2 * (W / 3), geo.LegendTop},
                              {96, geo.LegendTop + 40 * 560 / 1000}};
    for (int i = 0; i < 4; ++i) {
        const CanvasCall* t = FindText(c, "S" + std::to_string(i));
        ASSERT_TRUE(t);
        EXPECT_EQ(t->Points[0], expected[i]) << i;
        EXPECT_EQ(t->Font.Colour, SeriesColorOf(i + 1));
    }
    EXPECT_EQ(geo.AxisBandHeight, 560 * 40 / 1000);
    EXPECT_EQ(geo.LastGraphWidth, 800);
    EXPECT_EQ(geo.LastGraphHeight, 600);
}

TEST(ScreenLayout, NoTitlesPutsThePlotTop68PerMilleDown) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    RecordingCanvas c;
    GraphViewState view;
    const GraphGeometry g = DrawGraph(doc, c, view, 1000, 1040);
    EXPECT_EQ(g.PlotBottom - g.PlotHeight, 1000 - (1000 - 68));
}

TEST(ScreenLayout, LowWindowsPullHeightTowardEightyAndFloorAtThree) {
    {
        // h = 80: H = 80 - 15 = 65, pulled to 80 - 15*25/20 = 62.
        Document doc;
        RecordingCanvas c;
        GraphViewState view;
        EXPECT_EQ(DrawGraph(doc, c, view, 400, 120).PlotHeight, 62);
    }
    {
        // Many title rows on a tiny window: H = 15 -> 80 - 65*25/20 = -1 -> 3.
        Document doc;
        GraphSettings& g = doc.Settings;
        g.MainTitles = {"a", "b", "c"};
        g.XTitles = {"a", "b", "c"};
        g.YTitles = {"l", "r"};
        for (int i = 0; i < 21; ++i)
            AddSeries(doc, {}).SeriesTitle = "t";
        RecordingCanvas c;
        GraphViewState view;
        EXPECT_EQ(DrawGraph(doc, c, view, 400, 120, {1920, 1080, 40}).PlotHeight, 3);
    }
}

TEST(ScreenLayout, WindowIsRaisedTo160By120) {
    Document doc;
    RecordingCanvas c;
    GraphViewState view;
    const GraphGeometry g = DrawGraph(doc, c, view, 50, 40);
    EXPECT_EQ(g.LastGraphWidth, 160);
    EXPECT_EQ(g.LastGraphHeight, 120);
}

TEST(ScreenLayout, FontSizesFollowTheScreenClass) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    doc.Settings.MultiScaleYL = false;
    // 1600 class: W = 656, H = 455: min(455/40+1+455^2/50000, 656/80+1+656^2/750000) = 9.
    GraphLayout big = ScreenLayout(doc, 800, 600, {1920, 1080, 20});
    EXPECT_EQ(big.LabelFontSize, 9);
    EXPECT_EQ(big.TickLength, 4);
    EXPECT_EQ(big.TitleFontSize, 9);
    // 1024 class: min(455/25+1, 656/83+1) = 8.
    GraphLayout small = ScreenLayout(doc, 800, 600, {1024, 768, 20});
    EXPECT_EQ(small.LabelFontSize, 8);
    EXPECT_EQ(small.BarUnit, 656 * 30 / 10000 + 1);
    EXPECT_EQ(small.LabelUnit, 560 * 80 / 10000 + 1);
}

TEST(ScreenLayout, NumberFontFaceAndColour) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    FixedAxes(doc);
    RecordingCanvas c;
    GraphViewState view;
    DrawGraph(doc, c, view, 800, 600);
    const CanvasCall* zero = FindText(c, "0.00");
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->Font.Face, "Times New Roman Bold");
    EXPECT_FALSE(zero->Font.Underline);
    EXPECT_EQ(zero->Font.Colour, (Rgb{255, 255, 255}));
    EXPECT_EQ(zero->BrushColour, (Rgb{0, 0, 0})); // opaque black box
    view.CondensedFontAvailable = true;
    c.Reset();
    DrawGraph(doc, c, view, 800, 600);
    EXPECT_EQ(FindText(c, "0.00")->Font.Face, "Abadi MT Condensed Extra Bold");
    c.Reset();
    DrawGraph(doc, c, view, 800, 600, {640, 480, 20});
    EXPECT_EQ(FindText(c, "0.00")->Font.Face, "Times New Roman Bold");
}

} // namespace
} // namespace torvel
