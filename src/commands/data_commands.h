// The data window's commands on its own series that need no widget. The window copies its
// selection in, calls one of these and shows the series again.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "core/grid_store.h"

#include <string>

namespace torvel {

// Cut: the selected cells as clipboard text (as Copy gives them), then the
// cells emptied, the fit cleared and the rows refreshed.
std::string CutCells(Series& series, CellRect selection);

// Clear Fit: no fit, and a graph type that draws one falls back (Fit and
// Line & Fit to Line, Bar & Fit to Bar), with or without a fit before.
void ClearFitCommand(Series& series);

} // namespace torvel
