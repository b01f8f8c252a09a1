#include "render/graph_layout.h"
#include "render/scale_numbers.h"
#include "render_test_util.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

using namespace test;

TEST(NumberText, LinearForms) {
    struct Row {
        Real v;
        int decimals; // -1: exponent form
        const char* text;
    };
    const Row rows[] = {
        {12345, -1, " 1.2E+4"},
        {0.00012L, -1, " 1.2E-4"},
        {1.26L, -1, " 1.3"},
        {0, -1, " 0.0"},
        {-12345, -1, "-1.2E+4"},
        {9.96L, -1, " 1.0E+1"},
        {1e100L, -1, " 1.0E+100"},
        {1.2e12L, -1, " 1.2E+12"},
        {-1.2e1234L, -1, "-1.2E+1234"},
        {-3.14159L, 2, "-3.14"},
        {1000, 0, "1000"},
        {0.5L, 3, "0.500"},
        {2.75L, 1, "2.8"},
        // A value that rounds to zero carries no minus sign.
        {-0.001L, 2, "0.00"},
        {-1e-19L, 0, "0"},
        // Ties go away from zero, as in the data window (more in DecimalRounding).
        {2.5L, 0, "3"},
        {-2.5L, 0, "-3"},
        {125000, -1, " 1.3E+5"},
        {-0.0625L, -1, "-6.3E-2"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(LinearNumberText(r.v, std::max(r.decimals, 0), r.decimals < 0), r.text)
            << static_cast<double>(r.v);
    EXPECT_EQ(TrimExponent("1E"), "1E"); // too short to hold an exponent
    ScopedDecimalSeparator comma(',');
    EXPECT_EQ(FixedNumberText(1.5L, 2), "1,50");
    EXPECT_EQ(ExponentNumberText(12345), " 1,2E+4");
}

TEST(NumberText, LogarithmicFormsByAxisAndSetting) {
    struct Row {
        int e;
        NumberAxis axis;
        const char* text;
    };
    const Row rows[] = {{3, NumberAxis::X, "1E+ 3"},      {-2, NumberAxis::X, "1E -2"},
                        {0, NumberAxis::X, "1"},          {3, NumberAxis::Right, "1E+ 3"},
                        {-2, NumberAxis::Right, "1E -2"}, {3, NumberAxis::Left, "1E+3"},
                        {-2, NumberAxis::Left, "1E-2"},   {0, NumberAxis::Left, "1"}};
    for (const Row& r : rows)
        EXPECT_EQ(LogNumberText(r.e, r.axis, true), r.text) << r.text;
    EXPECT_EQ(LogNumberText(2, NumberAxis::Left, false), NumberToText(100, 14));
    EXPECT_EQ(LogNumberText(-1, NumberAxis::X, false), NumberToText(0.1L, 14));
}

TEST(NumberForm, XAxisChoices) {
    struct Row {
        const char* name;
        Real max, min;
        int ticks, decimals;
        bool exponent;
        int decimalsAfter;
    };
    const Row rows[] = {
        {"too wide even with 0 decimals", 12345, 0, 20, 2, true, 2},
        {"fits with 8 decimals", 10, 0, 5, 8, false, 8},
        {"decimals lowered by max", 500, 0, 10, 6, false, 4},
        {"decimals lowered by min", 1, -5000, 10, 4, false, 3},
        {"tiny max", 1e-10L, 0, 5, 2, true, 2},
        {"huge min", 1, 2e9L, 1, 2, true, 2},
        {"zero range", 0, 0, 10, 2, false, 2},
        {"no ticks", 10, 0, 0, 2, false, 2},
    };
    for (const Row& r : rows) {
        int d = r.decimals;
        EXPECT_EQ(ChooseXNumberForm(r.max, r.min, r.ticks, d), r.exponent) << r.name;
        EXPECT_EQ(d, r.decimalsAfter) << r.name;
    }
}

TEST(NumberForm, YAxisChoices) {
    struct Row {
        const char* name;
        Real max, min;
        int decimals;
        bool exponent;
        int decimalsAfter;
    };
    const Row rows[] = {
        {"500 lowers 8 decimals to 7", 500, 0, 8, false, 7},
        {"2e10 is exponent whatever the decimals", 2e10L, 0, 0, true, 0},
        {"min lowers further", 5, -123456, 8, false, 4},
        {"1e12: no decimals fit", 1e12L, 0, 2, true, 2},
        {"tiny values", 1e-11L, 0, 2, true, 2},
        {"plain", 10, 0, 2, false, 2},
    };
    for (const Row& r : rows) {
        int d = r.decimals;
        EXPECT_EQ(ChooseYNumberForm(r.max, r.min, d), r.exponent) << r.name;
        EXPECT_EQ(d, r.decimalsAfter) << r.name;
    }
}

// The form decisions seen through a whole draw, with what the draw writes back.
TEST(ScaleNumbers, ExponentFormDropsXTicksOnSmallScreensOnly) {
    for (int screenWidth : {800, 1920}) {
        Document doc;
        AddSeries(doc, {{1, 1}, {2, 2}});
        FixedAxes(doc);
        GraphSettings& g = doc.Settings;
        g.XMax = 12345;
        g.XTicks = 20;
        g.XDecimals = 2;
        const Drawn d = DrawScreen(doc, 700, 500, {screenWidth, 600, 20});
        EXPECT_EQ(g.XDecimals, 2);
        EXPECT_EQ(g.XTicks, screenWidth == 800 ? 10 : 20);
        EXPECT_TRUE(HasText(d.Canvas, " 1.2E+4"));
        EXPECT_TRUE(HasText(d.Canvas, " 0.0"));
    }
}

TEST(ScaleNumbers, LinearTicksAndPlacement) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    AddSeries(doc, {{1, 1}, {2, 2}}, false);
    FixedAxes(doc);
    GraphSettings& g = doc.Settings;
    g.XTicks = 5;
    g.YLTicks = 2;
    g.YRTicks = 4;
    g.YLDecimals = 8;
    g.YLMax = 500;
    g.YRDecimals = 0;
    const Drawn d = DrawScreen(doc);
    EXPECT_EQ(g.YLDecimals, 7);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, y0 = d.Geo.PlotBottom, H = d.Geo.PlotHeight;
    const int u = 560 * 80 / 10000 + 1;
    const int t = ScreenLayout(doc, 800, 600, {}).TickLength;
    // X numbers centred below the axis at i*W/ticks, left numbers right-placed
    // at L - 2t, right numbers left-placed at L + W + 2t.
    ExpectText(d.Canvas, "4.00", {2 * W / 5 + L, y0 + u * 35 / 10}, TextAlign::Centre);
    ExpectText(d.Canvas, "250.0000000", {L - 2 * t, y0 - H / 2}, TextAlign::Right);
    ExpectText(d.Canvas, "8", {L + W + 2 * t, y0 - 3 * H / 4}, TextAlign::Left);
    // Ticks of t pixels each side, the end pixel left out: the left one from
    // L - t + 1 to L, the right one from L + W to L + W + t - 1.
    const std::vector<Segment> all = d.Canvas.AllSegments();
    for (const Segment tick : {Segment{{L - t + 1, y0 - H / 2}, {L + 1, y0 - H / 2}},
                               Segment{{L + W, y0 - H / 4}, {L + W + t, y0 - H / 4}}})
        EXPECT_NE(std::find(all.begin(), all.end(), tick), all.end()) << tick.A.X;
}

TEST(Grid, MinorCountFallsBackToFiveAndStays) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    FixedAxes(doc);
    doc.Settings.XGridMajor = 20;
    doc.Settings.XGridMinor = 10;
    const Drawn d = DrawScreen(doc);
    EXPECT_EQ(doc.Settings.XGridMinor, 5);
    // Grey vertical lines: 20 majors x 4 minors.
    int minor = 0;
    for (const CanvasCall& call : InColour(d.Canvas, {128, 128, 128}, CallKind::Lines))
        for (std::size_t i = 0; i < call.Points.size(); i += 2)
            minor += call.Points[i].X == call.Points[i + 1].X &&
                     call.Points[i + 1].Y == d.Geo.PlotBottom - d.Geo.PlotHeight;
    EXPECT_EQ(minor, 80);
}

TEST(Grid, OneByOneDrawsNoGridLinesAndAbsurdCountsDoNotStall) {
    Document doc;
    AddSeries(doc, {{1, 1}, {2, 2}});
    FixedAxes(doc);
    const Drawn d = DrawScreen(doc);
    const int L = d.Geo.PlotLeft, W = d.Geo.PlotWidth, top = d.Geo.PlotBottom - d.Geo.PlotHeight;
    for (const Segment& s : d.Canvas.AllSegments()) {
        const bool spansHeight = s.A.X == s.B.X && s.B.Y == top && s.A.X > L && s.A.X < L + W;
        const bool spansWidth = s.A.Y == s.B.Y && s.A.X == L && s.B.X == L + W && s.A.Y > top &&
                                s.A.Y < d.Geo.PlotBottom;
        EXPECT_FALSE(spansHeight || spansWidth);
    }

    GraphSettings& g = doc.Settings;
    g.XGridMajor = 2'000'000'000;
    g.XTicks = 2'000'000'000;
    g.YLTicks = -5;
    g.YGridMajor = 0;
    EXPECT_LT(DrawScreen(doc).Canvas.Calls.size(), 1000u);
}

} // namespace
} // namespace torvel
