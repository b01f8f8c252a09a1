#include "render/draw_graph.h"

#include "render/graph_layout.h"

#include <algorithm>
#include <cmath>

namespace torvel {

Real Power(Real exponent, Real base) {
    return std::exp(exponent * std::log(base));
}
Real Log10(Real x) {
    return std::log(x) / std::log(10.0L);
}

GraphGeometry DrawGraph(Document& doc, Canvas& canvas, GraphViewState& view, int windowWidth,
                        int windowHeight, const ScreenInfo& screen) {
    windowWidth = std::max(windowWidth, 160);
    windowHeight = std::max(windowHeight, 120);
    const GraphLayout l = ScreenLayout(doc, windowWidth, windowHeight, screen);
    GraphGeometry& g = view.Geometry;
    g.LastGraphWidth = windowWidth;
    g.LastGraphHeight = windowHeight;
    g.ScreenClass = l.ScreenClass;
    g.PlotLeft = l.PlotLeft;
    g.PlotBottom = l.PlotBottom;
    g.PlotWidth = l.PlotWidth;
    g.PlotHeight = l.PlotHeight;
    g.AxisBandHeight = l.AxisBandHeight;
    canvas.Clear({0, 0, 0});
    canvas.SetPen({255, 255, 255}, 1, PenStyle::Solid);
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const Point frame[] = {{L, y0}, {L + W, y0}, {L + W, y0 - H}, {L, y0 - H}, {L, y0}};
    canvas.Polyline(frame);
    return g;
}

void DrawGraphToPrinter(Document& doc, Canvas& canvas, GraphViewState&, const PrinterPage& page) {
    const GraphLayout l = PrinterLayout(doc, page);
    canvas.Clear({255, 255, 255});
    canvas.SetPen({0, 0, 0}, 1, PenStyle::Solid);
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const Point frame[] = {{L, y0}, {L + W, y0}, {L + W, y0 - H}, {L, y0 - H}, {L, y0}};
    canvas.Polyline(frame);
}

} // namespace torvel
