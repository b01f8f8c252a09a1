#include "render/recording_canvas.h"

namespace torvel {

CanvasCall& RecordingCanvas::Add(CallKind kind) {
    CanvasCall& c = Calls.emplace_back();
    c.Kind = kind;
    c.PenColour = pen_;
    c.BrushColour = brush_;
    c.PenWidth = penWidth_;
    c.PenKind = penStyle_;
    c.Font = font_;
    return c;
}

void RecordingCanvas::Clear(Rgb colour) {
    brush_ = colour;
    Add(CallKind::Clear);
}
void RecordingCanvas::SetPen(Rgb colour, int width, PenStyle style) {
    pen_ = colour;
    penWidth_ = width;
    penStyle_ = style;
    Add(CallKind::Pen);
}
void RecordingCanvas::SetBrush(Rgb colour) {
    brush_ = colour;
    Add(CallKind::Brush);
}
void RecordingCanvas::SetFont(const FontSpec& font) {
    font_ = font;
    Add(CallKind::Font);
}
void RecordingCanvas::SetFontColour(Rgb colour) {
    font_.Colour = colour;
    Add(CallKind::FontColour);
}
void RecordingCanvas::MoveTo(Point p) {
    at_ = p;
    Add(CallKind::MoveTo).Points = {p};
}
void RecordingCanvas::LineTo(Point p) {
    Add(CallKind::LineTo).Points = {at_, p};
    at_ = p;
}
void RecordingCanvas::Line(Point a, Point b) {
    Add(CallKind::Line).Points = {a, b};
}
void RecordingCanvas::Lines(std::span<const Segment> segments) {
    auto& pts = Add(CallKind::Lines).Points;
    for (const Segment& s : segments) {
        pts.push_back(s.A);
        pts.push_back(s.B);
    }
}
void RecordingCanvas::Polyline(std::span<const Point> points) {
    Add(CallKind::Polyline).Points.assign(points.begin(), points.end());
    if (!points.empty()) at_ = points.back();
}
void RecordingCanvas::Polygon(std::span<const Point> points) {
    Add(CallKind::Polygon).Points.assign(points.begin(), points.end());
}
void RecordingCanvas::Rectangle(Point topLeft, Point bottomRight) {
    Add(CallKind::Rectangle).Points = {topLeft, bottomRight};
}
void RecordingCanvas::Ellipse(Point topLeft, Point bottomRight) {
    Add(CallKind::Ellipse).Points = {topLeft, bottomRight};
}
void RecordingCanvas::Text(Point anchor, const std::string& text, TextAlign align) {
    CanvasCall& c = Add(CallKind::Text);
    c.Points = {anchor};
    c.Text = text;
    c.Align = align;
}
int RecordingCanvas::TextHeight() {
    return font_.Size * 4 / 3;
}
int RecordingCanvas::TextWidth(const std::string& text) {
    return static_cast<int>(text.size()) * TextHeight() * 3 / 5;
}

std::vector<Segment> RecordingCanvas::AllSegments() const {
    std::vector<Segment> out;
    for (const CanvasCall& c : Calls) {
        switch (c.Kind) {
        case CallKind::Line:
        case CallKind::LineTo:
            out.push_back({c.Points[0], c.Points[1]});
            break;
        case CallKind::Lines:
            for (std::size_t i = 0; i + 1 < c.Points.size(); i += 2)
                out.push_back({c.Points[i], c.Points[i + 1]});
            break;
        case CallKind::Polyline:
            for (std::size_t i = 0; i + 1 < c.Points.size(); ++i)
                out.push_back({c.Points[i], c.Points[i + 1]});
            break;
        default:
            break;
        }
    }
    return out;
}

std::vector<CanvasCall> RecordingCanvas::OfKind(CallKind kind) const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : Calls)
        if (c.Kind == kind) out.push_back(c);
    return out;
}

} // namespace torvel
