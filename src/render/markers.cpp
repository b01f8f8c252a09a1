#include "render/markers.h"

namespace torvel {

namespace {

void Lines(Canvas& c, std::initializer_list<Segment> segments) {
    c.Lines(std::span<const Segment>(segments.begin(), segments.size()));
}
void Poly(Canvas& c, std::initializer_list<Point> points) {
    c.Polygon(std::span<const Point>(points.begin(), points.size()));
}

} // namespace

void DrawMarker(Canvas& c, int x, int y, int shape, int s, bool pentagonForCircle) {
    const int l = x - s, r = x + s, t = y - s, b = y + s;
    switch (shape) {
    case 1:
        Lines(c, {{{l, t}, {r, b}}, {{r, t}, {l, b}}});
        break;
    case 3:
        Poly(c, {{l, b}, {r, b}, {x, t}});
        break;
    case 4:
        c.Rectangle({l, t}, {r, b});
        break;
    case 5:
        Poly(c, {{l, y}, {x, t}, {r, y}, {x, b}});
        break;
    case 6:
        Lines(c, {{{l, y}, {r, y}}, {{x, t}, {x, b}}});
        break;
    case 7:
        c.Rectangle({l, t}, {x, y});
        c.Rectangle({x, y}, {r, b});
        break;
    case 8:
        Poly(c, {{l, t}, {r, t}, {x, b}});
        break;
    case 9:
        Poly(c, {{l, y}, {x, t}, {r, y}, {r, b}, {l, b}});
        break;
    case 10:
        Lines(c, {{{l, t}, {r, t}}, {{l, b}, {r, b}}, {{x, t}, {x, b}}});
        break;
    case 11:
        Poly(c, {{l, b}, {l, t}, {r, b}, {r, t}});
        break;
    case 12:
        Poly(c, {{l, b}, {r, b}, {l, t}, {r, t}});
        break;
    case 13:
        Poly(c, {{l, y}, {r, y}, {x, b}, {x, t}});
        break;
    case 14:
        Poly(c, {{l, y}, {r, y}, {x, t}, {x, b}});
        break;
    case 15:
        Lines(c, {{{l, t}, {l, b}}, {{r, t}, {r, b}}, {{l, y}, {r, y}}});
        break;
    case 16:
        c.Rectangle({x, t}, {r, y});
        c.Rectangle({l, y}, {x, b});
        break;
    case 17:
        Lines(c, {{{l, t}, {l, b}}, {{r, b}, {l, b}}, {{r, b}, {r, t}}});
        break;
    case 18:
        Lines(c, {{{l, t}, {r, t}}, {{l, b}, {r, t}}, {{l, b}, {r, b}}});
        break;
    case 19:
        Lines(c, {{{l, t}, {r, t}}, {{l, t}, {r, b}}, {{l, b}, {r, b}}});
        break;
    case 20:
        Lines(c, {{{l, b}, {l, t}}, {{r, t}, {l, t}}, {{r, t}, {r, b}}});
        break;
    case 21:
        Lines(c, {{{l, t}, {r, t}}, {{r, b}, {r, t}}, {{r, b}, {l, b}}});
        break;
    case 2:
        if (pentagonForCircle) {
            Poly(c, {{l, t}, {r, t}, {r, y}, {x, b}, {l, y}});
            break;
        }
        [[fallthrough]];
    default:
        c.Ellipse({l, t}, {r, b});
        break;
    }
}

} // namespace torvel
