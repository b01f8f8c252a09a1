// The loop of the per-series dialogs (series titles, graph type, fit, printer
// colour and the cell operations), built once for all of them.
//
// How an opener uses it:
//
//   // from a data window's menu (start = that window), or from the graph
//   // window's (start = nullptr: the lowest series in use comes first)
//   RunSeriesLoop(main, start, SeriesLoopEnd::RedrawGraph,
//                 [&](TSpreadF& window) { dialog.Execute(window); });
//
// The callback shows the dialog modally for that window's series. The
// dialog's "Next" sets Document::NextSeriesRequested (in its Qt-free rules)
// and closes it; the loop clears the flag, activates the data window of the
// next series number in use (NextSeriesInUse, wrapping after MaxSeries;
// restored when minimised) and calls the callback again. A showing that ends
// without Next ends the loop, which then does what `end` says.
#pragma once

#include <functional>

namespace torvel {

class TMDIMainF;
class TSpreadF;

enum class SeriesLoopEnd {
    RedrawGraph,   // data window openers: redraw the graph window if it exists
    ActivateGraph, // graph window openers: the graph window active again, redrawn
    NoRedraw,      // the printer colour dialog from a data window
};

void RunSeriesLoop(TMDIMainF& main, TSpreadF* start, SeriesLoopEnd end,
                   const std::function<void(TSpreadF&)>& show);

// Makes the data window of a series the active child, restoring it when
// minimised; null when no window shows that series.
TSpreadF* ActivateSeriesWindow(TMDIMainF& main, int seriesNumber);

} // namespace torvel
