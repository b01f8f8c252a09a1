#include "render/canvas.h"

#include "render/markers.h"

namespace torvel {

void Canvas::Marker(Point p, int shape, int s, bool pentagonForCircle) {
    DrawMarker(*this, p.X, p.Y, shape, s, pentagonForCircle);
}

} // namespace torvel
