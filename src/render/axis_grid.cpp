#include "render/axis_grid.h"

#include "render/draw_graph.h"
#include "render/scale_numbers.h"

#include <cmath>
#include <vector>

namespace torvel {

namespace {

bool Drawable(int count) {
    return count >= 1 && count <= MaxDrawnDivisions;
}

// Minor grid: decade subdivisions of logarithmic axes, minor divisions of linear ones.
void MinorGrid(DrawContext& dc) {
    GraphSettings& g = dc.Doc.Settings;
    const GraphLayout& l = dc.Layout;
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const bool yGrid = !(g.MultiScaleYL && g.MultiScaleYR);
    std::vector<Segment> lines;

    const AxisMapping& x = dc.Scales.X;
    if (!g.MultiScaleX && g.LogX && x.Log && x.Decades >= 1 && x.Decades <= 20) {
        const int n = x.Decades;
        for (int i = 0; i < n; ++i) {
            const int xi = i * W / n + L;
            for (int k = 2; k <= 9; ++k) {
                const int xx = xi + static_cast<int>(std::trunc(Log10(k) * W)) / n;
                lines.push_back({{xx, y0}, {xx, y0 - H}});
            }
        }
    }
    const AxisMapping& ylog = dc.Scales.YL.Log ? dc.Scales.YL : dc.Scales.YR;
    if (yGrid && g.LogY && ylog.Log && ylog.Decades >= 1 && ylog.Decades <= 20) {
        const int n = ylog.Decades;
        for (int i = 0; i < n; ++i) {
            const int yi = y0 - i * H / n;
            for (int k = 2; k <= 9; ++k) {
                const int yy = yi - static_cast<int>(std::trunc(Log10(k) * H)) / n;
                lines.push_back({{L, yy}, {L + W, yy}});
            }
        }
    }
    if (!g.LogX && !g.MultiScaleX) {
        if (static_cast<long long>(g.XGridMajor) * g.XGridMinor > 100) g.XGridMinor = 5;
        const long long divisions = static_cast<long long>(g.XGridMajor) * g.XGridMinor;
        if (Drawable(g.XGridMajor) && g.XGridMinor >= 1 && divisions <= MaxDrawnDivisions) {
            const int d = static_cast<int>(divisions);
            for (int i = 0; i < g.XGridMajor; ++i) {
                const int xi = i * W / g.XGridMajor + L;
                for (int j = 1; j < g.XGridMinor; ++j) {
                    const int xx = xi + j * W / d;
                    lines.push_back({{xx, y0}, {xx, y0 - H}});
                }
            }
        }
    }
    if (!g.LogY && yGrid) {
        if (static_cast<long long>(g.YGridMajor) * g.YGridMinor > 100) g.YGridMinor = 5;
        const long long divisions = static_cast<long long>(g.YGridMajor) * g.YGridMinor;
        if (Drawable(g.YGridMajor) && g.YGridMinor >= 1 && divisions <= MaxDrawnDivisions) {
            const int d = static_cast<int>(divisions);
            for (int i = 0; i < g.YGridMajor; ++i) {
                const int yi = y0 - i * H / g.YGridMajor;
                for (int j = 1; j < g.YGridMinor; ++j) {
                    const int yy = yi - j * H / d;
                    lines.push_back({{L, yy}, {L + W, yy}});
                }
            }
        }
    }
    if (!lines.empty()) dc.C.Lines(lines);
}

void Label(DrawContext& dc, int x, int y, const std::string& text, TextAlign align) {
    dc.C.Text({x, y}, text, align);
}

void LogXAxis(DrawContext& dc) {
    const GraphSettings& g = dc.Doc.Settings;
    const GraphLayout& l = dc.Layout;
    const AxisMapping& a = dc.Scales.X;
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const int n = a.Decades;
    const int numberY =
        y0 + (g.LogFormatExponential ? dc.Style.LogXExponentDrop : dc.Style.LogXDecimalDrop);
    for (int i = 0; i <= n; ++i) {
        const int x = i * W / n + L;
        Label(dc, x, numberY,
              LogNumberText(a.LowExponent + i, NumberAxis::X, g.LogFormatExponential),
              TextAlign::Centre);
        // Tick and decade line in one, drawn downwards as the linear ticks
        // are: a line leaves out its last pixel, so its lowest one is
        // y0 + u div 2 on both kinds of axis.
        dc.C.Line({x, y0 - H}, {x, y0 + 1 + l.LabelUnit / 2});
    }
}

void LinearXAxis(DrawContext& dc) {
    GraphSettings& g = dc.Doc.Settings;
    const GraphLayout& l = dc.Layout;
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    if (Drawable(g.XGridMajor)) {
        std::vector<Segment> lines;
        for (int i = 1; i < g.XGridMajor; ++i) {
            const int x = i * W / g.XGridMajor + L;
            lines.push_back({{x, y0}, {x, y0 - H}});
        }
        if (!lines.empty()) dc.C.Lines(lines);
    }
    const bool exponent = ChooseXNumberForm(g.XMax, g.XMin, g.XTicks, g.XDecimals);
    if (exponent && dc.Style.ReduceXTicks && (l.ScreenClass == 640 || l.ScreenClass == 800) &&
        g.XTicks > 10)
        g.XTicks = 10;
    if (!Drawable(g.XTicks)) return;
    std::vector<Segment> ticks;
    const int tickEnd = y0 + 1 + l.LabelUnit / 2;
    for (int i = 0; i <= g.XTicks; ++i) {
        const int x = i * W / g.XTicks + L;
        const Real v = g.XMin + i * (g.XMax - g.XMin) / g.XTicks;
        Label(dc, x, y0 + dc.Style.LinearXNumberDrop, LinearNumberText(v, g.XDecimals, exponent),
              TextAlign::Centre);
        ticks.push_back({{x, y0}, {x, tickEnd}});
    }
    dc.C.Lines(ticks);
}

// Numbers and ticks of one logarithmic Y axis, exponents e_lo..e_lo + n.
void LogYNumbers(DrawContext& dc, const AxisMapping& a, bool left) {
    const GraphSettings& g = dc.Doc.Settings;
    const GraphLayout& l = dc.Layout;
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight,
              t = l.TickLength;
    const int n = a.Decades;
    std::vector<Segment> ticks;
    for (int i = 0; i <= n; ++i) {
        const int y = y0 - i * H / n;
        const std::string text = LogNumberText(
            a.LowExponent + i, left ? NumberAxis::Left : NumberAxis::Right, g.LogFormatExponential);
        if (left) {
            Label(dc, L - 2 * t, y, text, TextAlign::Right);
            ticks.push_back({{L - t, y}, {L, y}});
        } else {
            Label(dc, L + W + 2 * t, y, text, TextAlign::Left);
            ticks.push_back({{L + W, y}, {L + W + t, y}});
        }
    }
    dc.C.Lines(ticks);
}

// Numbers and ticks of one linear Y axis.
void LinearYNumbers(DrawContext& dc, Real max, Real min, int ticksCount, int decimals,
                    bool exponent, bool left) {
    const GraphLayout& l = dc.Layout;
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight,
              t = l.TickLength;
    if (!Drawable(ticksCount)) return;
    std::vector<Segment> ticks;
    for (int i = 0; i <= ticksCount; ++i) {
        const int y = y0 - i * H / ticksCount;
        const Real v = min + i * (max - min) / ticksCount;
        const std::string text = LinearNumberText(v, decimals, exponent);
        if (left) {
            Label(dc, L - 2 * t, y, text, TextAlign::Right);
            // Drawn rightwards, as every canvas leaves out the right end
            // pixel of a flat line: t pixels, L - t + 1 to L, as on the right.
            ticks.push_back({{L - t + 1, y}, {L + 1, y}});
        } else {
            Label(dc, L + W + 2 * t, y, text, TextAlign::Left);
            ticks.push_back({{L + W, y}, {L + W + t, y}});
        }
    }
    dc.C.Lines(ticks);
}

void MajorGridAndNumbers(DrawContext& dc) {
    GraphSettings& g = dc.Doc.Settings;
    const GraphLayout& l = dc.Layout;
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const bool yGrid = !(g.MultiScaleYL && g.MultiScaleYR);
    const AxisMappings& s = dc.Scales;

    if (!g.MultiScaleX && g.LogX && s.X.Log && s.X.Decades >= 1 && s.X.Decades <= 20) LogXAxis(dc);

    const AxisMapping& ylog = s.YL.Log ? s.YL : s.YR;
    if (yGrid && g.LogY && ylog.Log && ylog.Decades >= 2 && ylog.Decades <= 20) {
        std::vector<Segment> lines;
        for (int i = 1; i < ylog.Decades; ++i) {
            const int y = y0 - i * H / ylog.Decades;
            lines.push_back({{L, y}, {L + W, y}});
        }
        dc.C.Lines(lines);
    }
    if (yGrid && g.LogY && s.YL.Log && s.YL.Decades >= 1 && s.YL.Decades <= 20)
        LogYNumbers(dc, s.YL, true);

    if (!g.LogX && !g.MultiScaleX) LinearXAxis(dc);

    if (!g.LogY && yGrid) {
        if (Drawable(g.YGridMajor)) {
            std::vector<Segment> lines;
            for (int i = 1; i < g.YGridMajor; ++i) {
                const int y = y0 - i * H / g.YGridMajor;
                lines.push_back({{L, y}, {L + W, y}});
            }
            if (!lines.empty()) dc.C.Lines(lines);
        }
        if (!g.MultiScaleYL) {
            const bool exponent = ChooseYNumberForm(g.YLMax, g.YLMin, g.YLDecimals);
            if (l.HasLeft)
                LinearYNumbers(dc, g.YLMax, g.YLMin, g.YLTicks, g.YLDecimals, exponent, true);
        }
    }

    if (l.HasRight) {
        if (g.LogY && !g.MultiScaleYR) {
            if (s.YR.Log && s.YR.Decades >= 1 && s.YR.Decades <= MaxDrawnDivisions)
                LogYNumbers(dc, s.YR, false);
        } else if (!g.LogY && !g.MultiScaleYR) {
            const bool exponent = ChooseYNumberForm(g.YRMax, g.YRMin, g.YRDecimals);
            LinearYNumbers(dc, g.YRMax, g.YRMin, g.YRTicks, g.YRDecimals, exponent, false);
        }
    }
}

} // namespace

void DrawAxes(DrawContext& dc) {
    dc.C.SetPen(dc.Style.Minor, 1, dc.Style.MinorStyle);
    MinorGrid(dc);
    dc.C.SetPen(dc.Style.Major, dc.Style.MajorWidth, PenStyle::Solid);
    MajorGridAndNumbers(dc);
}

} // namespace torvel
