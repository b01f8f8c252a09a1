// The marks of one series (markers, bars, pieces of its line) in row order,
// handed to the canvas with every mark left out that cannot change a pixel:
// a series of ten million rows costs what its picture costs.
//
// Lines alone keep, within each pixel column of the line, its first, last,
// lowest and highest point: a column's pieces are vertical runs that the
// reduced line covers exactly. With markers or bars the row order decides
// what lies on top, so marks are only left out when later marks of the same
// column paint over all of them: a marker where a later one stands, a bar
// under a later taller one, a piece of line inside later pieces.
#pragma once

#include "render/canvas.h"

#include <cstdint>
#include <vector>

namespace torvel {

struct PlotMarks {
    bool Markers = false; // a marker at every point
    int Shape = 1, MarkerSize = 0;
    bool Pentagon = false;
    bool Bars = false; // a bar from every point down to the plot's bottom
    int BarHalf = 0;
    int PlotLeft = 0, PlotRight = 0, PlotTop = 0, PlotBottom = 0;
    Rgb Colour, Paper;
    // Leave out what changes no pixel; off draws every mark as it comes.
    bool Reduce = true;
};

class PlotStream {
  public:
    PlotStream(Canvas& canvas, const PlotMarks& marks);
    PlotStream(const PlotStream&) = delete;
    PlotStream& operator=(const PlotStream&) = delete;

    // A point inside the plot: its marker, then its bar.
    void At(Point p);
    // A piece of the line, after the marks of the point it leads to.
    void LinePiece(Point a, Point b);
    // Draws what is still held back.
    void Finish();

  private:
    enum class Kind : std::uint8_t { Marker, Bar, Piece };
    struct Mark {
        Kind What;
        Point A, B;
    };

    // Lines alone: polylines, each column's run cut to its extremes.
    void Extend(Point p);
    void CloseRun();
    void FlushPolyline();
    // Markers or bars: the marks of one column, held until the column ends.
    void Hold(const Mark& m);
    void FlushColumn();
    void Draw(const Mark& m);

    Canvas& c_;
    PlotMarks m_;
    bool polyline_;
    std::vector<Point> points_;
    std::size_t runStart_ = 0;
    std::vector<Mark> held_;
    std::vector<std::uint8_t> keep_;
    int heldColumn_ = 0;
    // Marker rows seen in the column being flushed (stamped with its serial).
    std::vector<std::uint32_t> markerSeen_;
    // Pieces of no length seen in that column, the same way.
    std::vector<std::uint32_t> dotSeen_;
    std::uint32_t serial_ = 0;
};

} // namespace torvel
