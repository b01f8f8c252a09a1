// Plotting the series: legend entries, fitted curves, markers, bars, lines.
#pragma once

#include "render/draw_context.h"

#include <cmath>
#include <optional>
#include <utility>

namespace torvel {

// One axis as a series is plotted against it.
struct PlotAxis {
    Real Origin = 0;
    Real Range = 1;
};

// std::trunc(v) to the bit, without the rounding-mode switches the extended
// type's own truncation makes at each call, which stall the processor at
// every point of a large series: truncated as a double, then moved by one
// where rounding to the double crossed a whole number.
inline Real TruncTowardZero(Real v) {
    if (!(v > -0x1p52L && v < 0x1p52L)) return std::trunc(v); // and infinities, NaN
    Real t = static_cast<Real>(static_cast<long long>(static_cast<double>(v)));
    if (v > 0 && t > v) t -= 1;
    if (v < 0 && t < v) t += 1;
    return t == 0 ? std::copysign(Real(0), v) : t;
}

// The pixel offset trunc(size * (v - origin) / range), or nothing when the
// arithmetic fails (zero range, overflow, not a number) or leaves int range.
std::optional<int> PixelOffset(int size, Real v, const PlotAxis& axis);

// A point as offsets from the plot's bottom-left corner, x to the right and y
// upwards, before truncation to whole pixels.
struct PlotOffset {
    Real X = 0, Y = 0;
};

// The part of the segment a-b inside the plot 0..width x 0..height, as its two
// end offsets; nothing when it misses the plot (or its arithmetic fails).
std::optional<std::pair<PlotOffset, PlotOffset>> ClipToPlot(PlotOffset a, PlotOffset b, int width,
                                                            int height);

// Traces a fitted curve over the columns L..L+W, lifting the pen outside the
// plot and joining it to the border it leaves or enters through. `value`
// gives the fitted y at an x.
template <class Fn>
void TraceFittedCurve(Canvas& c, const GraphLayout& l, const PlotAxis& xAxis, bool logX,
                      const PlotAxis& yAxis, bool logY, Real logFloor, Fn value);

void DrawSeries(DrawContext& dc, Series& series, int titledBefore);

} // namespace torvel

#include "render/series_plot_impl.h"
