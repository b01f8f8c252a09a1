#include "render/canvas.h"

#include "render/markers.h"

namespace torvel {

void Canvas::Marker(Point p, int shape, int s, bool pentagonForCircle) {
    DrawMarker(*this, p.X, p.Y, shape, s, pentagonForCircle);
}

std::string_view VisibleTextPart(std::string_view text, TextAlign align, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t from = 0;
    if (align == TextAlign::Right) from = text.size() - maxBytes;
    if (align == TextAlign::Centre) from = (text.size() - maxBytes) / 2;
    std::size_t to = from + maxBytes;
    // Never start or end inside a character: continuation bytes are 10xxxxxx.
    auto inside = [&](std::size_t at) {
        return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    while (inside(from) && from < to)
        ++from;
    while (inside(to) && to > from)
        --to;
    return text.substr(from, to - from);
}

} // namespace torvel
