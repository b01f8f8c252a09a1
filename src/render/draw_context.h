// What one draw shares between its steps: the canvas, the layout, the axis
// scales and the things in which the screen and the printed page differ.
#pragma once

#include "core/document.h"
#include "render/canvas.h"
#include "render/graph_layout.h"
#include "render/log_scale.h"

namespace torvel {

struct DrawStyle {
    bool Printer = false;
    bool Portrait = true;
    Rgb Paper{0, 0, 0}; // background and the box behind every text
    Rgb Minor{128, 128, 128};
    PenStyle MinorStyle = PenStyle::Solid;
    Rgb Major{255, 255, 255};
    int MajorWidth = 1;
    FontSpec NumberFont, TitleFont, LegendFont;
    int SeriesPenWidth = 1;
    bool PentagonForCircle = false;
    // Exponent-form X numbers on a 640 or 800 screen get at most 10 ticks.
    bool ReduceXTicks = false;
    // Below y0: linear X numbers, exponent-form and decimal-form log X numbers.
    int LinearXNumberDrop = 0;
    int LogXExponentDrop = 0;
    int LogXDecimalDrop = 0;
    // Leave out the marks of a series that change no pixel (PlotStream).
    bool Reduce = true;
};

struct DrawContext {
    Document& Doc;
    Canvas& C;
    GraphLayout Layout;
    AxisMappings Scales;
    DrawStyle Style;
    int LegendTop = 0;
};

// Grid lines, decade lines, ticks and scale numbers.
void DrawAxes(DrawContext& dc);
// Every series: legend entry, fitted curve, markers, bars and line.
void DrawAllSeries(DrawContext& dc);

} // namespace torvel
