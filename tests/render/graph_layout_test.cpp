#include "render/graph_layout.h"
#include "render_test_util.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

using namespace test;

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "S" + std::to_string(i),
// as it does about assigning a one-letter literal to a string.
std::string Numbered(char prefix, int i) {
    std::string s(1, prefix);
    return s.append(std::to_string(i));
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
        bool multiLeft, right;
        int L, y0, W, H;
        const char* leftTitle = "";
    };
    // h = outer height - 40; m = w*60/1000; no titles: y0 = h - 120h/1000,
    // H = h - 188h/1000, so the plot top lies 68/1000 of h below the top.
    const Row rows[] = {
        {"800x600 left axis", 800, 600, false, false, 96, 493, 656, 455},
        {"800x600 multi-scale left, no title", 800, 600, true, false, 48, 493, 704, 455},
        // A left Y title keeps the wide margin; its row takes 32 per mille of h.
        {"800x600 multi-scale left with a title", 800, 600, true, false, 96, 493, 656, 437, "YL"},
        {"800x600 both axes", 800, 600, false, true, 96, 493, 608, 455},
        {"1600x1000 left axis", 1600, 1000, false, false, 192, 845, 1312, 780},
        {"350x300 left axis", 350, 300, false, false, 42, 229, 287, 212},
        {"1000x1040: top 68 per mille down", 1000, 1040, false, false, 120, 880, 820, 812},
    };
    for (const Row& r : rows) {
        Document doc;
        FixedAxes(doc);
        doc.Settings.MultiScaleYL = r.multiLeft;
        doc.Settings.YTitles[0] = r.leftTitle;
        AddSeries(doc, {{1, 1}, {2, 2}});
        if (r.right) AddSeries(doc, {{1, 1}, {2, 2}}, false);
        const Drawn d = DrawScreen(doc, r.w, r.h);
        const GraphGeometry& g = d.Geo;
        EXPECT_EQ((std::vector<int>{g.PlotLeft, g.PlotBottom, g.PlotWidth, g.PlotHeight}),
                  (std::vector<int>{r.L, r.y0, r.W, r.H}))
            << r.name;
        // The frame is the closed rectangle starting at the bottom-left corner.
        const int L = r.L, R = r.L + r.W, B = r.y0, T = r.y0 - r.H;
        EXPECT_EQ(FramePoints(d.Canvas),
                  (std::vector<Point>{{L, B}, {R, B}, {R, T}, {L, T}, {L, B}}))
            << r.name;
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
        AddSeries(doc, {{1, 1}, {2, 2}}).SeriesTitle = Numbered('S', i);
    // w 800, h 560; M 2, T 2, V 2, R 2.
    const Drawn d = DrawScreen(doc);
    const GraphGeometry& geo = d.Geo;
    const RecordingCanvas& c = d.Canvas;
    EXPECT_EQ(geo.PlotBottom, 560 - 248 * 560 / 1000); // 422
    EXPECT_EQ(geo.PlotHeight, 560 - (6 * 32 + 220) * 560 / 1000);
    EXPECT_EQ(geo.PlotLeft, 96);

    const int y0 = geo.PlotBottom, u = 560 * 80 / 10000 + 1;
    ExpectText(c, "Main one", {400, 22}, TextAlign::Centre);
    ExpectText(c, "Main three", {400, 44}, TextAlign::Centre); // second non-empty line
    ExpectText(c, "X one", {400, y0 - 2 + 76 * 560 / 1000}, TextAlign::Centre);
    ExpectText(c, "X two", {400, y0 - 2 + 116 * 560 / 1000}, TextAlign::Centre);
    ExpectText(c, "Left title", {96 - 48, y0 - geo.PlotHeight - 4 * u}, TextAlign::Left);
    EXPECT_TRUE(FindText(c, "Main one")->Font.Underline);
    EXPECT_EQ(FindText(c, "Main one")->Font.Colour, (Rgb{255, 255, 0}));
    EXPECT_EQ(geo.LegendTop, 154 * 560 / 1000 + y0 - 2);

    // Legend: three per row, text at L + c*(W/3), rows 40/1000 of h apart.
    const int W = geo.PlotWidth;
    const Point expected[] = {{96, geo.LegendTop},
                              {96 + W / 3, geo.LegendTop},
                              {96 + 2 * (W / 3), geo.LegendTop},
                              {96, geo.LegendTop + 40 * 560 / 1000}};
    for (int i = 0; i < 4; ++i) {
        ExpectText(c, Numbered('S', i), expected[i], TextAlign::Left);
        EXPECT_EQ(FindText(c, Numbered('S', i))->Font.Colour, SeriesColorOf(i + 1));
    }
    EXPECT_EQ(geo.AxisBandHeight, 560 * 40 / 1000);
    EXPECT_EQ(geo.LastGraphWidth, 800);
    EXPECT_EQ(geo.LastGraphHeight, 600);
}

TEST(VisibleTextPart, KeepsWhatCanMeetTheSurfaceFromTheAnchor) {
    EXPECT_EQ(VisibleTextPart("short", TextAlign::Centre, 5), "short");
    EXPECT_EQ(VisibleTextPart("abcdefgh", TextAlign::Left, 3), "abc");
    EXPECT_EQ(VisibleTextPart("abcdefgh", TextAlign::Right, 3), "fgh");
    EXPECT_EQ(VisibleTextPart("abcdefgh", TextAlign::Centre, 4), "cdef");
    // "\xC3\xA9" is one character: never cut in two.
    EXPECT_EQ(VisibleTextPart("a\xC3\xA9\xC3\xA9z", TextAlign::Left, 4), "a\xC3\xA9");
    EXPECT_EQ(VisibleTextPart("a\xC3\xA9\xC3\xA9z", TextAlign::Right, 4), "\xC3\xA9z");
}

TEST(ScreenLayout, SmallWindowsKeepAPlot) {
    Document empty;
    // Raised to 160 x 120 first.
    const GraphGeometry tiny = DrawScreen(empty, 50, 40).Geo;
    EXPECT_EQ(tiny.LastGraphWidth, 160);
    EXPECT_EQ(tiny.LastGraphHeight, 120);
    // h = 80: H = 80 - 15 = 65, pulled to 80 - 15*25/20 = 62.
    EXPECT_EQ(DrawScreen(empty, 400, 120).Geo.PlotHeight, 62);

    // Many title rows on a tiny window: H = 15 -> 80 - 65*25/20 = -1 -> 3.
    Document doc;
    GraphSettings& g = doc.Settings;
    g.MainTitles = {"a", "b", "c"};
    g.XTitles = {"a", "b", "c"};
    g.YTitles = {"l", "r"};
    for (int i = 0; i < 21; ++i)
        AddSeries(doc, {}).SeriesTitle = "title";
    EXPECT_EQ(DrawScreen(doc, 400, 120, {1920, 1080, 40}).Geo.PlotHeight, 3);
}

} // namespace
} // namespace torvel
