// The 21 point markers, one per series number.
#pragma once

#include "render/canvas.h"

namespace torvel {

// Draws marker `shape` centred on (x, y) with half-size s, using the current
// pen and brush. With pentagonForCircle (monochrome printers) shape 2 is a
// filled pentagon instead of a circle.
void DrawMarker(Canvas& canvas, int x, int y, int shape, int s, bool pentagonForCircle = false);

} // namespace torvel
