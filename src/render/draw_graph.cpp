#include "render/draw_graph.h"

#include "render/axis_grid.h"
#include "render/draw_context.h"
#include "render/graph_layout.h"
#include "render/log_scale.h"
#include "render/series_plot.h"

#include <algorithm>
#include <cmath>

namespace torvel {

Real Power(Real exponent, Real base) {
    return std::exp(exponent * std::log(base));
}
Real Log10(Real x) {
    return std::log(x) / std::log(10.0L);
}

namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb Red{255, 0, 0};

void DrawFrame(DrawContext& dc) {
    const GraphLayout& l = dc.Layout;
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const Point frame[] = {{L, y0}, {L + W, y0}, {L + W, y0 - H}, {L, y0 - H}, {L, y0}};
    dc.C.Polyline(frame);
}

// Maps a floating title's coordinate on an axis; nothing when it cannot be shown.
std::optional<int> FloatOffset(int size, Real v, bool log, const AxisMapping& a) {
    if (log) {
        if (!(v > 0)) return std::nullopt;
        v = std::log(v);
    }
    PlotAxis axis{a.Origin, a.Range == 0 ? 1 : a.Range};
    return PixelOffset(size, v, axis);
}

// Floating titles inside the plot, coloured by `colourOf(n)`.
template <class ColourOf> void DrawFloatingTitles(DrawContext& dc, ColourOf colourOf) {
    const GraphSettings& g = dc.Doc.Settings;
    const GraphLayout& l = dc.Layout;
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const AxisMapping& yAxis = l.HasLeft ? dc.Scales.YL : dc.Scales.YR;
    for (int n = 1; n <= FloatTitleCount; ++n) {
        const std::size_t i = static_cast<std::size_t>(n - 1);
        dc.C.SetFontColour(colourOf(n));
        const auto dx = FloatOffset(W, g.FloatTitleX[i], g.LogX, dc.Scales.X);
        const auto dy = FloatOffset(H, g.FloatTitleY[i], g.LogY, yAxis);
        if (!dx || !dy) continue;
        const int x = L + *dx, y = y0 - *dy;
        if (x < L || x > L + W || y < y0 - H || y > y0) continue;
        if (g.FloatTitleText[i].empty()) continue;
        dc.C.Text({x, y}, g.FloatTitleText[i], TextAlign::Left);
    }
}

// Main, X and Y titles in the current font. mainY(k) and xTitleY(k) give the
// anchor y of the k-th non-empty line (k from 0); the Y titles sit yTitleRise
// above the plot.
template <class MainY, class XTitleY>
void DrawTitles(DrawContext& dc, MainY mainY, XTitleY xTitleY, int yTitleRise) {
    const GraphSettings& g = dc.Doc.Settings;
    const GraphLayout& l = dc.Layout;
    const int centre = l.Width / 2, top = l.PlotBottom - l.PlotHeight - yTitleRise;
    int k = 0;
    for (const auto& line : g.MainTitles)
        if (!line.empty()) dc.C.Text({centre, mainY(k++)}, line, TextAlign::Centre);
    k = 0;
    for (const auto& line : g.XTitles)
        if (!line.empty()) dc.C.Text({centre, xTitleY(k++)}, line, TextAlign::Centre);
    if (l.HasLeft && !g.YTitles[0].empty())
        dc.C.Text({l.PlotLeft - l.Margin, top}, g.YTitles[0], TextAlign::Left);
    if (l.HasRight && !g.YTitles[1].empty())
        dc.C.Text({l.PlotLeft + l.PlotWidth + l.Margin, top}, g.YTitles[1], TextAlign::Right);
}

std::string NumberFace(const GraphLayout& l, bool condensed) {
    return (l.ScreenClass == 640 || !condensed) ? "Times New Roman Bold"
                                                : "Abadi MT Condensed Extra Bold";
}

} // namespace

GraphGeometry DrawGraph(Document& doc, Canvas& canvas, GraphViewState& view, int windowWidth,
                        int windowHeight, const ScreenInfo& screen) {
    // The window is never drawn smaller than 160 x 120.
    windowWidth = std::max(windowWidth, 160);
    windowHeight = std::max(windowHeight, 120);
    GraphGeometry& geo = view.Geometry;
    geo.LastGraphWidth = windowWidth;
    geo.LastGraphHeight = windowHeight;

    DrawContext dc{doc, canvas, ScreenLayout(doc, windowWidth, windowHeight, screen), {}, {}, 0};
    const GraphLayout& l = dc.Layout;
    geo.ScreenClass = l.ScreenClass;
    geo.AxisBandHeight = l.AxisBandHeight;

    DrawStyle& st = dc.Style;
    st.Paper = Black;
    st.Minor = {128, 128, 128};
    st.Major = White;
    const std::string face = NumberFace(l, view.CondensedFontAvailable);
    st.NumberFont = {face, l.LabelFontSize, false, false, White};
    st.TitleFont = {face, l.TitleFontSize, false, true, Yellow};
    st.SeriesPenWidth = l.Width > 700 ? 2 : 1;
    st.Reduce = !view.DrawEveryMark;
    st.ReduceXTicks = true;
    st.LinearXNumberDrop = l.LabelUnit * 35 / 10;
    st.LogXExponentDrop = st.LogXDecimalDrop = l.LabelUnit * 35 / 10;

    canvas.Clear(Black);
    canvas.SetBrush(Black);
    canvas.SetFont(st.NumberFont);
    dc.Scales = NormaliseAxes(doc, l.HasLeft, l.HasRight, view.ScaleBoxes);
    DrawAxes(dc);

    const int h = l.Height, y0 = l.PlotBottom;
    canvas.SetFont(st.TitleFont);
    DrawTitles(
        dc, [&](int k) { return MulDiv((k + 1) * 40, h, 1000); },
        [&](int k) { return (y0 - 2) + MulDiv((k + 1) * 40 + 36, h, 1000); }, 4 * l.LabelUnit);
    dc.LegendTop = MulDiv((l.XTitleLines + 1) * 40 + 34, h, 1000) + (y0 - 2);

    canvas.SetPen(White, 1, PenStyle::Solid);
    DrawFrame(dc);
    DrawAllSeries(dc);

    geo.TitleTextHeight = canvas.TextHeight();
    DrawFloatingTitles(dc, [&](int n) {
        return view.FloatTitlePlaced[static_cast<std::size_t>(n)] ? Yellow : Red;
    });

    geo.PlotLeft = l.PlotLeft;
    geo.PlotBottom = y0;
    geo.PlotWidth = l.PlotWidth;
    geo.PlotHeight = l.PlotHeight;
    geo.LegendTop = dc.LegendTop;
    return geo;
}

void DrawGraphToPrinter(Document& doc, Canvas& canvas, GraphViewState& view,
                        const PrinterPage& page) {
    DrawContext dc{doc, canvas, PrinterLayout(doc, page), {}, {}, 0};
    const GraphLayout& l = dc.Layout;
    const int option = ((doc.Prefs.PrinterOptions % 4) + 4) % 4;
    const bool large = doc.Prefs.PrinterOptions >= 4;

    DrawStyle& st = dc.Style;
    st.Printer = true;
    st.Portrait = page.Portrait;
    st.Paper = White;
    if (page.Colour) {
        st.Minor = option == 0 ? Rgb{128, 128, 128} : option == 1 ? Rgb{192, 192, 192} : Black;
        st.MinorStyle = option == 3 ? PenStyle::Dotted : PenStyle::Solid;
    } else {
        st.Minor = Black;
        st.MinorStyle = option == 2 ? PenStyle::Solid : PenStyle::Dotted;
    }
    st.Major = Black;
    st.MajorWidth = option == 2 ? 3 : 1;
    const std::string face = "Arial Narrow";
    st.NumberFont = {face, 10, false, false, Black};
    const int titleSize = large ? (page.Portrait ? 18 : 16) : (page.Portrait ? 12 : 11);
    st.TitleFont = {face, titleSize, true, true, Black};
    st.LegendFont = {face, page.Portrait ? 11 : 10, true, true, Black};
    st.SeriesPenWidth = l.Width < 701 ? 1 : 2;
    st.PentagonForCircle = !page.Colour;
    st.Reduce = !view.DrawEveryMark;
    st.ReduceXTicks = false;
    st.LinearXNumberDrop = 3 * l.LabelUnit;
    st.LogXExponentDrop = 3 * l.LabelUnit;
    st.LogXDecimalDrop = l.LabelUnit * 35 / 10;

    canvas.Clear(White);
    canvas.SetBrush(White);
    canvas.SetFont(st.NumberFont);
    dc.Scales = NormaliseAxes(doc, l.HasLeft, l.HasRight, view.ScaleBoxes);
    DrawAxes(dc);

    const int u = l.LabelUnit, y0 = l.PlotBottom, step = large ? 6 : 4;
    canvas.SetFont(st.TitleFont);
    DrawTitles(
        dc, [&](int k) { return (step * k + (page.Portrait ? 8 : 7)) * u; },
        [&](int k) { return y0 + (step * k + (page.Portrait ? 8 : 9)) * u; }, step * u);

    canvas.SetFont(st.LegendFont);
    canvas.SetPen(Black, st.MajorWidth, PenStyle::Solid);
    DrawFrame(dc);
    DrawAllSeries(dc);

    canvas.SetBrush({253, 253, 253});
    DrawFloatingTitles(dc, [](int) { return Black; });
}

} // namespace torvel
