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

struct PenCase {
    const char* name;
    int options;
    bool colour;
    Rgb minor;
    PenStyle minorStyle;
    int majorWidth;
    int titleSize;
};

TEST(PrintedGraph, PensAndFontsByPrinterOptions) {
    const PenCase cases[] = {
        {"default grey", 0, true, {128, 128, 128}, PenStyle::Solid, 1, 12},
        {"light grey", 1, true, {192, 192, 192}, PenStyle::Solid, 1, 12},
        {"black", 2, true, Black, PenStyle::Solid, 3, 12},
        {"dotted black", 3, true, Black, PenStyle::Dotted, 1, 12},
        {"mono default", 0, false, Black, PenStyle::Dotted, 1, 12},
        {"mono black", 2, false, Black, PenStyle::Solid, 3, 12},
        {"mono dotted", 3, false, Black, PenStyle::Dotted, 1, 12},
        {"black, large font", 6, true, Black, PenStyle::Solid, 3, 18},
    };
    for (const PenCase& pc : cases) {
        Document doc;
        FixedAxes(doc);
        doc.Prefs.PrinterOptions = pc.options;
        doc.Settings.XGridMajor = 2;
        doc.Settings.XGridMinor = 2;
        doc.Settings.MainTitles[0] = "Title";
        AddSeries(doc, {{1, 1}, {2, 2}});
        PrinterPage page = Portrait();
        page.Colour = pc.colour;
        const RecordingCanvas c = DrawPrinted(doc, page);
        const auto pens = c.OfKind(CallKind::Pen);
        ASSERT_GE(pens.size(), 2u) << pc.name;
        EXPECT_EQ(pens[0].PenColour, pc.minor) << pc.name;
        EXPECT_EQ(pens[0].PenKind, pc.minorStyle) << pc.name;
        EXPECT_EQ(pens[1].PenColour, Black) << pc.name;
        EXPECT_EQ(pens[1].PenWidth, pc.majorWidth) << pc.name;
        const auto frame = c.OfKind(CallKind::Polyline);
        ASSERT_FALSE(frame.empty());
        EXPECT_EQ(frame[0].PenWidth, pc.majorWidth) << pc.name;
        EXPECT_EQ(FindText(c, "Title")->Font.Size, pc.titleSize) << pc.name;
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

TEST(PrintedGraph, FloatingTitlesPrintBlackOnNearWhite) {
    Document doc;
    FixedAxes(doc);
    AddSeries(doc, {{1, 1}, {2, 2}});
    doc.Settings.FloatTitleText[0] = "note";
    doc.Settings.FloatTitleX[0] = 5;
    doc.Settings.FloatTitleY[0] = 5;
    RecordingCanvas c;
    GraphViewState view;
    view.FloatTitlePlaced[1] = false; // picked up on screen
    view.Geometry.PlotLeft = 1234;
    DrawGraphToPrinter(doc, c, view, Portrait());
    const CanvasCall* note = FindText(c, "note");
    ASSERT_TRUE(note);
    EXPECT_EQ(note->Font.Colour, Black);
    EXPECT_EQ(note->BrushColour, (Rgb{253, 253, 253}));
    EXPECT_EQ(view.Geometry.PlotLeft, 1234); // the screen geometry is untouched
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

TEST(PrintedGraph, LogXNumbersAndLegendMarker) {
    for (bool exponential : {true, false}) {
        Document doc;
        FixedAxes(doc);
        AddSeries(doc, {{1, 1}, {2, 2}}, true, GraphNone, false).SeriesTitle = "sine";
        doc.Settings.LogX = true;
        doc.Settings.XMin = 1;
        doc.Settings.XMax = 100;
        doc.Settings.LogFormatExponential = exponential;
        PrinterPage page = Landscape();
        const RecordingCanvas c = DrawPrinted(doc, page);
        const GraphLayout l = PrinterLayout(doc, page);
        const int y0 = l.PlotBottom, u = l.LabelUnit, L = l.PlotLeft, W = l.PlotWidth;
        // Exponent-form numbers sit 3u below the axis, decimal-form 3.5u.
        ExpectText(c, exponential ? "1E+ 1" : NumberToText(10, 14),
                   {W / 2 + L, y0 + (exponential ? 3 * u : u * 35 / 10)}, TextAlign::Centre);
        // The legend marker (a cross, half-size 10) 40 pixels left of its text.
        const auto cross = InColour(c, PrintColorOf(1), CallKind::Lines);
        ASSERT_EQ(cross.size(), 1u);
        EXPECT_EQ(cross[0].Points[0],
                  (Point{L - 40 - 10 - 10, FindText(c, "sine")->Points[0].Y - 10}));
    }
}

} // namespace
} // namespace torvel
