// Which series a per-series dialog (fit, graph type, series titles, printer
// colour, cell operations) moves on to when its "Next" is pressed. The dialog's
// rules set Document::NextSeriesRequested; the loop that shows the dialog
// (ui/series_loop.h) reads and clears it and asks here for the next number.
#pragma once

#include "core/document.h"

namespace torvel {

// The series number after `current` that is in use, wrapping after MaxSeries
// (so `current` itself when it is the only one); 0 when none is in use.
int NextSeriesInUse(const Document& doc, int current);

// The lowest series number in use; 0 when none is.
int LowestSeriesInUse(const Document& doc);

// Takes the Next flag: true when it was set, and it is clear afterwards.
bool TakeNextSeriesRequest(Document& doc);

} // namespace torvel
