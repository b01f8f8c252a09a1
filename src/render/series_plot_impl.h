// The template part of series_plot.h.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace torvel {

template <class Fn>
void TraceFittedCurve(Canvas& c, const GraphLayout& l, const PlotAxis& xAxis, bool logX,
                      const PlotAxis& yAxis, bool logY, Real logFloor, Fn value) {
    const int L = l.PlotLeft, W = l.PlotWidth, y0 = l.PlotBottom, H = l.PlotHeight;
    const int top = y0 - H;
    bool lifted = true, above = false, below = false;
    std::vector<Point> piece;
    auto flush = [&] {
        if (piece.size() >= 2) c.Polyline(piece);
        piece.clear();
    };
    for (int x = L; x <= L + W; ++x) {
        Real xv = xAxis.Origin + static_cast<Real>(x - L) * xAxis.Range / W;
        if (logX) xv = std::exp(xv);
        if (!std::isfinite(xv)) continue;
        // A fitted value that overflowed or is undefined skips the column.
        const Real yf = value(xv);
        if (!std::isfinite(yf)) continue;
        const Real yv = logY ? (yf > 0 ? std::log(yf) : logFloor) : yf;
        const Real d = static_cast<Real>(H) * (yv - yAxis.Origin) / yAxis.Range;
        if (!std::isfinite(d)) continue;
        // A steep curve far beyond a border still leaves the plot through it.
        const int y = y0 - static_cast<int>(std::clamp<Real>(d, -1e9L, 1e9L));
        if (y >= top && y <= y0) {
            if (lifted) {
                flush();
                piece.push_back({x, below ? y0 : (above ? top : y)});
                piece.push_back({x, y});
                lifted = above = below = false;
            } else {
                piece.push_back({x, y});
            }
        } else {
            if (!lifted) piece.push_back({x, y > y0 ? y0 : top});
            flush();
            const bool cameFromAbove = above, cameFromBelow = below;
            if (y > y0)
                below = true;
            else
                above = true;
            if (above && below) {
                // It jumped from one side to the other between two columns.
                if (cameFromAbove) above = false;
                if (cameFromBelow) below = false;
                c.Line({x, y0}, {x, top});
            }
            lifted = true;
        }
    }
    flush();
}

} // namespace torvel
