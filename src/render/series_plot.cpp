#include "render/series_plot.h"

#include "core/fit_value.h"
#include "core/parallel.h"
#include "core/work_pulse.h"
#include "render/markers.h"
#include "render/plot_stream.h"
#include "scale/ranges.h"

#include <algorithm>
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

std::optional<std::pair<PlotOffset, PlotOffset>> ClipToPlot(PlotOffset a, PlotOffset b, int width,
                                                            int height) {
    // Liang-Barsky: the part of a + t (b - a), 0 <= t <= 1, on the inner side
    // of all four borders (left, right, bottom, top).
    const Real dx = b.X - a.X, dy = b.Y - a.Y;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return std::nullopt;
    Real t0 = 0, t1 = 1;
    int enter = -1, leave = -1;
    const Real p[4] = {-dx, dx, -dy, dy};
    const Real q[4] = {a.X, width - a.X, a.Y, height - a.Y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt; // parallel to this border, beyond it
            continue;
        }
        const Real r = q[i] / p[i];
        if (p[i] < 0 && r > t0) {
            t0 = r;
            enter = i;
        } else if (p[i] > 0 && r < t1) {
            t1 = r;
            leave = i;
        }
        if (t0 > t1) return std::nullopt;
    }
    // An end inside stays exactly where it was, and a cut lies exactly on its
    // border, whatever the rounding of t.
    auto cut = [&](Real t, int border, PlotOffset end) {
        if (border < 0) return end;
        PlotOffset at{a.X + t * dx, a.Y + t * dy};
        switch (border) {
        case 0:
            at.X = 0;
            break;
        case 1:
            at.X = width;
            break;
        case 2:
            at.Y = 0;
            break;
        default:
            at.Y = height;
            break;
        }
        return at;
    };
    return std::make_pair(cut(t0, enter, a), cut(t1, leave, b));
}

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
    PlotMarks marks;
    marks.Markers = s.ShowPoints;
    marks.Shape = s.SeriesNumber;
    marks.MarkerSize = l.TickLength;
    marks.Pentagon = dc.Style.PentagonForCircle;
    marks.Bars = bars;
    marks.BarHalf = dc.Style.Printer ? std::max(1, dc.Doc.Prefs.BarWidth * l.BarUnit)
                                     : dc.Doc.Prefs.BarWidth * l.BarUnit;
    marks.PlotLeft = L;
    marks.PlotRight = L + W;
    marks.PlotTop = y0 - H;
    marks.PlotBottom = y0;
    marks.Colour = colour;
    marks.Paper = dc.Style.Paper;
    marks.Reduce = dc.Style.Reduce;
    PlotStream stream(c, marks);
    auto toPixel = [&](const PlotOffset& p) {
        // Truncated like a row's own position; a border crossing computed a
        // hair outside still lands on the border.
        const auto dx = std::clamp<Real>(TruncTowardZero(p.X), 0, W);
        const auto dy = std::clamp<Real>(TruncTowardZero(p.Y), 0, H);
        // Whole numbers: converted by way of a double, exactly and without
        // the extended type's rounding-mode switch.
        return Point{L + static_cast<int>(static_cast<double>(dx)),
                     y0 - static_cast<int>(static_cast<double>(dy))};
    };
    // The last row that could be placed, inside the plot or not: a line runs
    // from it to the next one, cut at the plot border. An inside row stands
    // at its pixel, so the line meets its marker exactly.
    bool havePrevious = false;
    PlotOffset previous;
    bool previousInside = false;
    Point previousPixel;
    // The row before stood at the same pixel as the one before it.
    bool repeated = false;

    // Where each row lands is worked out for a block of rows at a time, on
    // every processor, then the block is drawn in order. Rows are read in X
    // order: each is asked for well before it is read.
    struct Placed {
        PlotOffset At;
        Point Pixel;
        bool Inside = false, Skip = true;
    };
    constexpr int Ahead = 24;
    constexpr int Block = 1 << 16;
    const bool scattered = !s.Measured.Identity;
    auto place = [&](int i, int end, Placed& p) {
        p.Skip = true;
        if (scattered && i + Ahead < end) s.Store().Prefetch(s.ValidIndex(i + Ahead));
        const auto row = s.ValidRow(i);
        if (g.LogX && row.X <= 0) return;
        if (g.LogY && row.Y <= 0) return;
        const Real xv = g.LogX ? std::log(row.X) : row.X;
        const Real yv = g.LogY ? std::log(row.Y) : row.Y;
        p.At = {static_cast<Real>(W) * (xv - xAxis.Origin) / xAxis.Range,
                static_cast<Real>(H) * (yv - yAxis.Origin) / yAxis.Range};
        if (!std::isfinite(p.At.X) || !std::isfinite(p.At.Y)) return;
        p.Skip = false;
        // Inside when its truncated pixel lies on the plot or its border.
        p.Inside = p.At.X > -1 && p.At.X < W + 1 && p.At.Y > -1 && p.At.Y < H + 1;
        if (p.Inside) {
            p.At = {TruncTowardZero(p.At.X), TruncTowardZero(p.At.Y)};
            // Whole already: toPixel without truncating again.
            p.Pixel = {L + static_cast<int>(static_cast<double>(std::clamp<Real>(p.At.X, 0, W))),
                       y0 - static_cast<int>(static_cast<double>(std::clamp<Real>(p.At.Y, 0, H)))};
        }
    };
    std::vector<Placed> placed(static_cast<std::size_t>(std::min(s.ValidCount, Block)));
    for (int begin = 0; begin < s.ValidCount; begin += Block) {
        const int end = std::min(s.ValidCount, begin + Block);
        ForParts(static_cast<std::size_t>(end - begin), 1 << 14, [&](std::size_t a, std::size_t b) {
            for (std::size_t k = a; k < b; ++k)
                place(begin + static_cast<int>(k), begin + static_cast<int>(b), placed[k]);
        });
        for (int i = begin; i < end; ++i) {
            const Placed& p = placed[static_cast<std::size_t>(i - begin)];
            if (p.Skip) continue;
            // A third row in a row at one pixel adds the very marks the row
            // before added, painted over them again: nothing changes.
            const bool same =
                havePrevious && p.Inside && previousInside && p.Pixel == previousPixel;
            if (same && repeated && marks.Reduce) continue;
            repeated = same;
            if (p.Inside) stream.At(p.Pixel);
            if (line && havePrevious) {
                if (previousInside && p.Inside) {
                    stream.LinePiece(previousPixel, p.Pixel);
                } else if (const auto part = ClipToPlot(previous, p.At, W, H)) {
                    const Point a = toPixel(part->first), b = toPixel(part->second);
                    if (a != b) stream.LinePiece(a, b);
                }
            }
            previous = p.At;
            previousInside = p.Inside;
            previousPixel = p.Pixel;
            havePrevious = true;
        }
        Pulse();
    }
    stream.Finish();
}

void DrawAllSeries(DrawContext& dc) {
    int titled = 0;
    for (const auto& s : dc.Doc.DataWindows()) {
        DrawSeries(dc, *s, titled);
        if (!s->SeriesTitle.empty()) ++titled;
    }
}

} // namespace torvel
