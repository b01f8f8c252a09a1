// The page layout of one draw: plot rectangle, title and legend rows, font
// sizes, tick length. Screen and printer layouts fill the same record.
#pragma once

#include "core/document.h"
#include "render/draw_graph.h"

namespace torvel {

struct GraphLayout {
    int ScreenClass = 1600;
    int Width = 0;  // w: the window's outer width (printer: page width)
    int Height = 0; // h: the outer height less two menu bars (printer: page height)
    int Margin = 0; // m
    bool HasLeft = false;
    bool HasRight = false;
    int LegendRows = 0;  // R
    int MainLines = 0;   // M
    int XTitleLines = 0; // V
    int YTitleFlag = 1;  // T
    int PlotLeft = 0;    // L
    int PlotWidth = 0;   // W
    int PlotBottom = 0;  // y0
    int PlotHeight = 0;  // H
    int AxisBandHeight = 0;
    int LabelUnit = 0; // u
    int BarUnit = 0;
    int LabelFontSize = 0; // F
    int TickLength = 0;    // t, also the marker half-size
    int TitleFontSize = 0;
};

// Counts of the document that shape the layout.
struct LayoutCounts {
    bool HasLeft = false, HasRight = false;
    int TitledSeries = 0;
    int MainLines = 0, XTitleLines = 0, YTitleFlag = 1;
};
LayoutCounts CountLayout(const Document& doc);

// The screen layout for a window of outer size width x height (already raised
// to the 160 x 120 minimum by the caller).
GraphLayout ScreenLayout(const Document& doc, int width, int height, const ScreenInfo& screen);
// The printed page's layout (fonts and title positions come from the page rules).
GraphLayout PrinterLayout(const Document& doc, const PrinterPage& page);

// Integer helpers: truncating division and w * k div 1000 formed in 64 bits.
inline int MulDiv(int value, int numerator, int denominator) {
    return static_cast<int>(static_cast<long long>(value) * numerator / denominator);
}

} // namespace torvel
