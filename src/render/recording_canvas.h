// A canvas that keeps every call, so tests can check the exact geometry the
// layout rules give without looking at pixels.
#pragma once

#include "render/canvas.h"

#include <string>
#include <vector>

namespace torvel {

enum class CallKind {
    Clear,
    Pen,
    Brush,
    Font,
    FontColour,
    MoveTo,
    LineTo,
    Line,
    Lines,
    Polyline,
    Polygon,
    Rectangle,
    Ellipse,
    Text
};

struct CanvasCall {
    CallKind Kind = CallKind::Clear;
    // Points of the call: MoveTo/LineTo one; Line two; Lines two per segment;
    // Polyline/Polygon their points; Rectangle/Ellipse the two corners; Text the anchor.
    std::vector<Point> Points;
    std::string Text;
    TextAlign Align = TextAlign::Left;
    // The state in force when the call was made.
    Rgb PenColour, BrushColour;
    int PenWidth = 1;
    PenStyle PenKind = PenStyle::Solid;
    FontSpec Font;
};

class RecordingCanvas : public Canvas {
  public:
    void Clear(Rgb colour) override;
    void SetPen(Rgb colour, int width, PenStyle style) override;
    void SetBrush(Rgb colour) override;
    void SetFont(const FontSpec& font) override;
    void SetFontColour(Rgb colour) override;
    void MoveTo(Point p) override;
    void LineTo(Point p) override;
    void Line(Point a, Point b) override;
    void Lines(std::span<const Segment> segments) override;
    void Polyline(std::span<const Point> points) override;
    void Polygon(std::span<const Point> points) override;
    void Rectangle(Point topLeft, Point bottomRight) override;
    void Ellipse(Point topLeft, Point bottomRight) override;
    void Text(Point anchor, const std::string& text, TextAlign align) override;
    // Deterministic metrics: height 4/3 of the point size, width 3/5 of the
    // height per character.
    int TextHeight() override;
    int TextWidth(const std::string& text) override;

    std::vector<CanvasCall> Calls;

    // Every straight segment drawn, whatever call drew it (Line, Lines,
    // LineTo, Polyline), in drawing order.
    std::vector<Segment> AllSegments() const;
    // The calls of one kind.
    std::vector<CanvasCall> OfKind(CallKind kind) const;
    // The text calls, in order.
    std::vector<CanvasCall> Texts() const { return OfKind(CallKind::Text); }
    void Reset() { Calls.clear(); }

  private:
    CanvasCall& Add(CallKind kind);
    Rgb pen_{0, 0, 0}, brush_{255, 255, 255};
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    FontSpec font_;
    Point at_;
};

} // namespace torvel
