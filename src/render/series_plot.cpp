#include "render/series_plot.h"

#include "core/fit_value.h"
#include "render/markers.h"
#include "scale/ranges.h"

#include <cmath>
#include <limits>
#include <vector>

namespace torvel {

std::optional<int> PixelOffset(int size, Real v, const PlotAxis& axis) {
    const Real d = static_cast<Real>(size) * (v - axis.Origin) / axis.Range;
    // Anything this far out lies off every page; it also keeps the int safe
    // (and a NaN fails both tests). The cast truncates toward zero.
    if (!(d > -1.0e9L - 1 && d < 1.0e9L + 1)) return std::nullopt;
    return static_cast<int>(d);
}

namespace {

Rgb SeriesColour(const DrawContext& dc, const Series& s) {
    if (!dc.Style.Printer) return SeriesColorOf(s.SeriesNumber);
    return PrintColorOf(s.PrintColor == PrintDefault ? s.SeriesNumber : s.PrintColor);
}

// The series' own extent on one axis (multi-scale mode).
PlotAxis OwnExtent(Real first, Real last, bool log) {
    if (log && first > 0 && last > 0) return {std::log(first), std::log(last) - std::log(first)};
    return {first, last - first};
}

PlotAxis AxisOf(const AxisMapping& a) {
    return {a.Origin, a.Range};
}

void DrawLegendEntry(DrawContext& dc, const Series& s, int k) {
    const GraphLayout& l = dc.Layout;
    const int c = k % 3, r = k / 3;
    int markerX, textX, y;
    if (dc.Style.Printer) {
        const int offset = c * (l.PlotWidth / 3) - (dc.Style.Portrait ? 0 : 10);
        y = l.Height - ((l.LegendRows - r) * 4 + 3) * l.LabelUnit;
        markerX = l.PlotLeft - 40 + offset;
        textX = l.PlotLeft + offset;
    } else {
        y = MulDiv(r * 40, l.Height, 1000) + dc.LegendTop;
        markerX = l.PlotLeft - 4 * l.TickLength + c * (l.PlotWidth / 3);
        textX = l.PlotLeft + c * (l.PlotWidth / 3);
    }
    dc.C.Marker({markerX, y}, s.SeriesNumber, l.TickLength, dc.Style.PentagonForCircle);
    dc.C.Text({textX, y}, s.SeriesTitle, TextAlign::Left);
}

} // namespace

void DrawSeries(DrawContext& dc, Series& s, int titledBefore) {
    GraphSettings& g = dc.Doc.Settings;
    const GraphLayout& l = dc.Layout;
    Canvas& c = dc.C;
    const Rgb colour = SeriesColour(dc, s);
    c.SetPen(colour, dc.Style.SeriesPenWidth, PenStyle::Solid);
    c.SetFontColour(colour);
    if (!s.SeriesTitle.empty()) DrawLegendEntry(dc, s, titledBefore);

    ComputeSeriesRange(s, true, g);

    const bool multiY = s.YAxisLeft ? g.MultiScaleYL : g.MultiScaleYR;
    if ((s.LastX == s.FirstX && g.MultiScaleX) || (s.MaxY == s.MinY && multiY) ||
        (s.GraphType == GraphNone && !s.ShowPoints))
        return;

    const PlotAxis xAxis =
        g.MultiScaleX ? OwnExtent(s.FirstX, s.LastX, g.LogX) : AxisOf(dc.Scales.X);
    const AxisMapping& yScale = s.YAxisLeft ? dc.Scales.YL : dc.Scales.YR;
    const PlotAxis yAxis = multiY ? OwnExtent(s.MinY, s.MaxY, g.LogY) : AxisOf(yScale);
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const int type = s.GraphType;

    if (type == GraphFit || type == GraphLineFit || type == GraphBarFit) {
        TFitObj& fit = s.Fit;
        TraceFittedCurve(c, l, xAxis, g.LogX, yAxis, g.LogY, yScale.Origin - 1,
                         [&fit](Real x) { return FitValue(fit, x); });
    }

    const bool bars = type == GraphBar || type == GraphLineBar || type == GraphBarFit;
    const bool line = type == GraphLine || type == GraphLineBar || type == GraphLineFit;
    const int barHalf = dc.Style.Printer ? std::max(1, dc.Doc.Prefs.BarWidth * l.BarUnit)
                                         : dc.Doc.Prefs.BarWidth * l.BarUnit;
    const int t = l.TickLength;
    // Without markers or bars between them the line is one polyline; with
    // them every row is drawn in turn so later rows paint over earlier ones.
    const bool batchLine = line && !s.ShowPoints && !bars;
    std::vector<Point> polyline;
    bool havePrevious = false;
    Point previous;
    // A row on the same pixel as the two drawn before it repaints exactly
    // what they painted, so it is left out.
    bool previousRepeated = false;

    const int count = std::min<int>(s.ValidCount, static_cast<int>(s.Rows.size()));
    for (int i = 0; i < count; ++i) {
        const Tdata& row = s.Rows[static_cast<std::size_t>(i)];
        if (g.LogX && row.X <= 0) continue;
        if (g.LogY && row.Y <= 0) continue;
        const Real xv = g.LogX ? std::log(row.X) : row.X;
        const Real yv = g.LogY ? std::log(row.Y) : row.Y;
        const std::optional<int> dx = PixelOffset(W, xv, xAxis);
        const std::optional<int> dy = PixelOffset(H, yv, yAxis);
        if (!dx || !dy) continue;
        const int x = L + *dx, y = y0 - *dy;
        if (x < L || x > L + W || y < y0 - H || y > y0) continue;
        const bool same = havePrevious && previous == Point{x, y};
        if (same && (previousRepeated || !line)) continue;
        previousRepeated = same;
        if (s.ShowPoints) c.Marker({x, y}, s.SeriesNumber, t, dc.Style.PentagonForCircle);
        if (bars) {
            c.SetBrush(colour);
            const int left = x == L ? x : x - barHalf;
            const int right = x == L + W ? x : x + barHalf;
            c.Rectangle({left, y}, {right, y0});
            c.SetBrush(dc.Style.Paper);
        }
        if (line) {
            if (batchLine) {
                if (!same) polyline.push_back({x, y});
            } else if (havePrevious) {
                c.Line(previous, {x, y});
            }
        }
        previous = {x, y};
        havePrevious = true;
    }
    if (polyline.size() >= 2) c.Polyline(polyline);
}

void DrawAllSeries(DrawContext& dc) {
    int titled = 0;
    for (const auto& s : dc.Doc.DataWindows()) {
        DrawSeries(dc, *s, titled);
        if (!s->SeriesTitle.empty()) ++titled;
    }
}

} // namespace torvel
