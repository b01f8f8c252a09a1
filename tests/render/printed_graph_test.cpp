#include "render/graph_layout.h"
#include "render_test_util.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

using namespace test;

constexpr Rgb Black{0, 0, 0};

PrinterPage Portrait() {
    return {4800, 6800, true, true};
}
PrinterPage Landscape() {
    return {6800, 4800, false, true};
}

TEST(PrintedGraph, PageLayoutPortraitAndLandscape) {
    for (const PrinterPage& page : {Portrait(), Landscape()}) {
        Document doc;
        FixedAxes(doc);
        doc.Settings.MainTitles = {"Main", "", ""};
        doc.Settings.XTitles = {"X title", "", ""};
        doc.Settings.YTitles = {"left Y", "right Y"};
        AddSeries(doc, {{1, 1}, {2, 2}}).SeriesTitle = "legend";
        AddSeries(doc, {{1, 1}, {2, 2}}, false);
        const RecordingCanvas c = DrawPrinted(doc, page);
        const int P = page.Width, Q = page.Height;
        const int u = page.Portrait ? Q * 45 / 10000 + 1 : Q * 50 / 10000 + 1;
        const int m = P * 60 / 1000;
        const int bottom = Q * 100 / 1000 + (1 + 1) * 4 * u;
        const int top = Q * 100 / 1000 + (1 + 2 - 1) * 4 * u;
        const auto frame = FramePoints(c);
        ASSERT_EQ(frame.size(), 5u);
        EXPECT_EQ(frame[0], (Point{2 * m, Q - bottom}));
        EXPECT_EQ(frame[2], (Point{P - 2 * m, top}));
        EXPECT_EQ(c.Calls.front().Kind, CallKind::Clear);

        const int offset = page.Portrait ? 0 : -10;
        ExpectText(c, "Main", {P / 2, (page.Portrait ? 8 : 7) * u}, TextAlign::Centre);
        ExpectText(c, "X title", {P / 2, Q - bottom + (page.Portrait ? 8 : 9) * u},
                   TextAlign::Centre);
        ExpectText(c, "left Y", {m, top - 4 * u}, TextAlign::Left);
        ExpectText(c, "right Y", {P - m, top - 4 * u}, TextAlign::Right);
        // Legend rows counted up from the bottom of the page.
        ExpectText(c, "legend", {2 * m + offset, Q - (1 * 4 + 3) * u}, TextAlign::Left);
        const FontSpec title = FindText(c, "Main")->Font;
        EXPECT_EQ(title, (FontSpec{"Arial Narrow", page.Portrait ? 12 : 11, true, true, Black}));
        EXPECT_EQ(FindText(c, "Main")->BrushColour, (Rgb{255, 255, 255}));
        EXPECT_EQ(FindText(c, "legend")->Font.Size, page.Portrait ? 11 : 10);
        const CanvasCall* number = FindText(c, "0.00");
        ASSERT_TRUE(number);
        EXPECT_EQ(number->Font.Size, 10);
        EXPECT_EQ(number->Points[0].Y, Q - bottom + 3 * u);
    }
}

TEST(PrintedGraph, SeriesPrintColours) {
    Document doc;
    FixedAxes(doc);
    for (int i = 0; i < 4; ++i)
        AddSeries(doc, {{1, 1}, {2, 2}}, true, GraphLine, false);
    doc.FindSeries(1)->PrintColor = PrintBlack;
    doc.FindSeries(2)->PrintColor = PrintRed;
    // Series 3 and 4 keep Default: the print colour of their number.
    std::vector<Rgb> colours;
    for (const CanvasCall& call : DrawPrinted(doc, Portrait()).OfKind(CallKind::Polyline))
        if (call.Points.size() == 2) colours.push_back(call.PenColour);
    ASSERT_EQ(colours.size(), 4u);
    EXPECT_EQ(colours[0], PrintColorOf(PrintBlack));
    EXPECT_EQ(colours[1], PrintColorOf(PrintRed));
    EXPECT_EQ(colours[2], PrintColorOf(3));
    EXPECT_EQ(colours[3], PrintColorOf(4));
    EXPECT_EQ(colours[3], Black); // series 4 is white on screen, black on paper
}

TEST(PrintedGraph, MarkersBarsAndMonochromeCircle) {
    Document doc;
    FixedAxes(doc);
    doc.Prefs.BarWidth = 0;
    AddSeries(doc, {{1, 1}, {2, 2}}, true, GraphNone, false);
    AddSeries(doc, {{5, 5}}, true, GraphBar, true);
    PrinterPage page = Portrait();
    page.Colour = false;
    const RecordingCanvas c = DrawPrinted(doc, page);
    EXPECT_TRUE(c.OfKind(CallKind::Ellipse).empty());
    const auto polygons = c.OfKind(CallKind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);                                   // the pentagon of series 2
    EXPECT_EQ(polygons[0].Points[1].X - polygons[0].Points[0].X, 20); // half-size 10
    const auto bars = c.OfKind(CallKind::Rectangle);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].Points[1].X - bars[0].Points[0].X, 2); // half-width at least 1
    EXPECT_EQ(c.Calls.back().BrushColour, (Rgb{253, 253, 253}));
}

TEST(PrintedGraph, NeverReducesXTicksAndNormalisesLogLimits) {
    Document doc;
    FixedAxes(doc);
    AddSeries(doc, {{1, 1}, {2, 2}});
    doc.Settings.XMax = 12345;
    doc.Settings.XTicks = 20;
    doc.Settings.LogY = true;
    doc.Settings.YLMin = 0.5L;
    doc.Settings.YLMax = 300;
    const RecordingCanvas c = DrawPrinted(doc, {600, 800, true, true});
    EXPECT_EQ(doc.Settings.XTicks, 20);
    EXPECT_NEAR(static_cast<double>(doc.Settings.YLMax), 1000, 1e-12);
    // Page narrower than 701: series pen width 1.
    EXPECT_EQ(c.OfKind(CallKind::Lines).back().PenWidth, 1);
}

} // namespace
} // namespace torvel
