// The drawing surface the renderer paints on. The Qt program implements it
// over a QPainter (window image, bitmap file, printer page); tests record the
// calls. Every coordinate is a whole device pixel.
#pragma once

#include "core/data_model.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace torvel {

struct Point {
    int X = 0;
    int Y = 0;
    bool operator==(const Point&) const = default;
};

struct Segment {
    Point A, B;
    bool operator==(const Segment&) const = default;
};

enum class PenStyle { Solid, Dotted };

// Where a text sits relative to its anchor x; it is always centred vertically
// on the anchor y.
enum class TextAlign { Left, Centre, Right };

struct FontSpec {
    std::string Face;
    int Size = 10; // points
    bool Bold = false;
    bool Underline = false;
    Rgb Colour{255, 255, 255};
    bool operator==(const FontSpec&) const = default;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Fills the whole surface with a solid colour (and leaves that colour as the brush).
    virtual void Clear(Rgb colour) = 0;

    virtual void SetPen(Rgb colour, int width, PenStyle style) = 0;
    // Solid brush: fills closed shapes and the box behind every text.
    virtual void SetBrush(Rgb colour) = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    // Changes only the colour of the current font.
    virtual void SetFontColour(Rgb colour) = 0;

    // The pen position for LineTo.
    virtual void MoveTo(Point p) = 0;
    // A line from the pen position to p, which becomes the pen position.
    virtual void LineTo(Point p) = 0;
    virtual void Line(Point a, Point b) = 0;
    // The same as Line for every segment, in order; one call for many lines.
    virtual void Lines(std::span<const Segment> segments) = 0;
    // The same as MoveTo(points[0]) and LineTo for the rest; the pen ends on the last point.
    virtual void Polyline(std::span<const Point> points) = 0;
    // The line of a series: a Polyline, except that a canvas on which the
    // pixels of one piece depend on the piece before it (how a rasteriser
    // joins them) draws each piece on its own, so that a line cut down to
    // fewer points along the same pixels (PlotStream) draws the same.
    virtual void SeriesLine(std::span<const Point> points) { Polyline(points); }
    // Closed shapes: outlined with the pen, filled with the brush.
    virtual void Polygon(std::span<const Point> points) = 0;
    virtual void Rectangle(Point topLeft, Point bottomRight) = 0;
    virtual void Ellipse(Point topLeft, Point bottomRight) = 0;

    // Point marker `shape` of half-size s centred on p with the current pen
    // and brush (see markers.h); a canvas may draw it faster than figure by figure.
    virtual void Marker(Point p, int shape, int s, bool pentagonForCircle);

    // One line of text, opaque (its box filled with the brush), not clipped.
    virtual void Text(Point anchor, const std::string& text, TextAlign align) = 0;
    // Pixel height of the current font, and the pixel width of a text in it.
    virtual int TextHeight() = 0;
    virtual int TextWidth(const std::string& text) = 0;
};

// Of a text longer than maxBytes, the part that can meet the surface from its
// anchor: the start of a left-aligned text, the end of a right-aligned one,
// the middle of a centred one; cut between UTF-8 characters. A title of
// megabytes then costs what a screen's width of it costs to shape and draw.
std::string_view VisibleTextPart(std::string_view text, TextAlign align, std::size_t maxBytes);

} // namespace torvel
