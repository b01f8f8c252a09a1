#include "render/graph_layout.h"

#include <algorithm>

namespace torvel {

LayoutCounts CountLayout(const Document& doc) {
    LayoutCounts c;
    for (const auto& s : doc.DataWindows()) {
        if (s->YAxisLeft)
            c.HasLeft = true;
        else
            c.HasRight = true;
        if (!s->SeriesTitle.empty()) ++c.TitledSeries;
    }
    const GraphSettings& g = doc.Settings;
    for (const auto& line : g.MainTitles)
        if (!line.empty()) ++c.MainLines;
    for (const auto& line : g.XTitles)
        if (!line.empty()) ++c.XTitleLines;
    c.YTitleFlag = (g.YTitles[0].empty() && g.YTitles[1].empty()) ? 1 : 2;
    return c;
}

namespace {

// L and W from the margin unit: a multi-scale axis without a title needs no
// room for numbers.
void HorizontalLayout(GraphLayout& l, const GraphSettings& g) {
    const int m = l.Margin;
    const bool wideLeft = l.HasLeft && (!g.MultiScaleYL || g.LogY || !g.YTitles[0].empty());
    const bool wideRight = l.HasRight && (!g.MultiScaleYR || g.LogY || !g.YTitles[1].empty());
    l.PlotLeft = wideLeft ? 2 * m : m;
    l.PlotWidth = wideRight ? l.Width - l.PlotLeft - 2 * m : l.Width - l.PlotLeft - m;
}

void CopyCounts(GraphLayout& l, const LayoutCounts& c) {
    l.HasLeft = c.HasLeft;
    l.HasRight = c.HasRight;
    l.LegendRows = (c.TitledSeries + 2) / 3;
    l.MainLines = c.MainLines;
    l.XTitleLines = c.XTitleLines;
    l.YTitleFlag = c.YTitleFlag;
}

} // namespace

GraphLayout ScreenLayout(const Document& doc, int width, int height, const ScreenInfo& screen) {
    GraphLayout l;
    CopyCounts(l, CountLayout(doc));
    l.ScreenClass = ScreenClassOf(screen.Width);
    l.Width = width;
    l.Height = height - 2 * screen.MenuBarHeight;
    const int w = l.Width, h = l.Height;
    l.Margin = MulDiv(w, 60, 1000);
    HorizontalLayout(l, doc.Settings);
    const int R = l.LegendRows, V = l.XTitleLines, M = l.MainLines, T = l.YTitleFlag;
    l.PlotBottom = h - MulDiv((R + V) * 32 + 120, h, 1000);
    int H = h - MulDiv((M + T - 2 + R + V) * 32 + 220, h, 1000);
    // A low window keeps a visible plot: the shortfall below 80 is stretched
    // by a quarter, and the plot never vanishes.
    if (H < 80) H = 80 - (80 - H) * 25 / 20;
    if (H < 3) H = 3;
    l.PlotHeight = H;
    l.AxisBandHeight = MulDiv(h, 40, 1000);
    l.LabelUnit = MulDiv(h, 80, 10000) + 1;
    const int W = l.PlotWidth;
    l.BarUnit = MulDiv(W, 30, 10000) + 1;
    if (l.ScreenClass == 1600) {
        const long long hh = static_cast<long long>(H) * H / 50000;
        const long long ww = static_cast<long long>(W) * W / 750000;
        l.LabelFontSize = static_cast<int>(std::min<long long>(H / 40 + 1 + hh, W / 80 + 1 + ww));
    } else {
        l.LabelFontSize = std::min(H / 25 + 1, W / 83 + 1);
    }
    l.TickLength = l.LabelFontSize / 3 + 1;
    l.TitleFontSize = std::min(MulDiv(w, 2, 180) + 1, MulDiv(h, 2, 120) + 1);
    return l;
}

GraphLayout PrinterLayout(const Document& doc, const PrinterPage& page) {
    GraphLayout l;
    CopyCounts(l, CountLayout(doc));
    l.ScreenClass = 1600;
    l.Width = page.Width;
    l.Height = page.Height;
    const int P = l.Width, Q = l.Height;
    l.Margin = MulDiv(P, 60, 1000);
    HorizontalLayout(l, doc.Settings);
    l.LabelUnit = page.Portrait ? MulDiv(Q, 45, 10000) + 1 : MulDiv(Q, 50, 10000) + 1;
    const int u = l.LabelUnit;
    const int R = l.LegendRows, V = l.XTitleLines, M = l.MainLines, T = l.YTitleFlag;
    const int bottomBand = MulDiv(Q, 100, 1000) + (R + V) * 4 * u;
    const int topBand = MulDiv(Q, 100, 1000) + (M + T - 1) * 4 * u;
    l.PlotBottom = Q - bottomBand;
    l.PlotHeight = Q - bottomBand - topBand;
    l.AxisBandHeight = MulDiv(Q, 40, 1000);
    l.BarUnit = MulDiv(l.PlotWidth, 30, 10000) + 1;
    l.LabelFontSize = 10;
    l.TickLength = 10;
    l.TitleFontSize = 12;
    return l;
}

int ScreenClassOf(int s) {
    if (s < 700) return 640;
    if (s < 900) return 800;
    if (s < 1100) return 1024;
    if (s < 1200) return 1152;
    if (s < 1300) return 1280;
    return 1600;
}

BitmapSize GraphBitmapSize(const ScreenInfo& screen) {
    return {std::max(1, screen.Width), std::max(1, screen.Height - 2 * screen.MenuBarHeight)};
}

} // namespace torvel
