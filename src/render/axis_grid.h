// Grid lines, decade lines, tick marks and scale numbers of the three axes.
#pragma once

#include "render/draw_context.h"

namespace torvel {

// Counts of lines or ticks beyond this are not drawn: they could not be told
// apart on any page and would only stall the program.
inline constexpr int MaxDrawnDivisions = 10000;

} // namespace torvel
