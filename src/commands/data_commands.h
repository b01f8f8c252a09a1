// The data window's commands on its own series that need no widget: sorting
// by X, Cut, Clear Fit and the two duplicates. The window copies its
// selection in, calls one of these and shows the series again.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "core/grid_store.h"

#include <functional>
#include <string>
#include <string_view>

namespace torvel {

// How a long command reports how far it is (0..1); may be empty.
using CommandProgress = std::function<void(double fraction)>;

// Sort X Ascending / Descending: the rows with X and Y first, in a stable
// order of X (whole rows move: X, Y, fitted Y and flags), then the rows that
// hold only an X or only a Y, in their order, then the empty rows. IndexCount,
// the fit and the graph type stay; the series' range is measured. Without
// the memory to sort, it says so and returns false.
bool SortSeriesX(Series& series, bool ascending, const GraphSettings& settings, Feedback& feedback,
                 const CommandProgress& progress = {});

// Cut: the selected cells as clipboard text (as Copy gives them), then the
// cells emptied, the fit cleared and the rows refreshed.
std::string CutCells(Series& series, CellRect selection);

// Clear Fit: no fit, and a graph type that draws one falls back (Fit and
// Line & Fit to Line, Bar & Fit to Bar), with or without a fit before.
void ClearFitCommand(Series& series);

// Rows the "Duplicate & Extend Index" copy has beyond the original's.
inline constexpr int ExtendIndexRows = 20;

// The text a duplicate puts on the clipboard, before it is made (and also
// when it cannot be): X TAB Y CR LF of every row, as the cells show them.
std::string DuplicateText(Series& source);

// Duplicate Data (extraRows 0) and Duplicate & Extend Index (ExtendIndexRows):
// a new series (the lowest free number, defaults of a new data window) of
// IndexCount + extraRows rows whose X and Y are the source's, row for row and
// digit for digit; fitted values, the fit, the title, the graph type and the
// colours are not copied. At MaxSeries series it beeps, shows the limit and
// gives null; so it does, with its own message, when memory runs out.
Series* DuplicateSeries(Document& doc, Series& source, int extraRows, Feedback& feedback,
                        const CommandProgress& progress = {});

// The commands above as steps of the document's history (core/change_recorder.h),
// each named as its menu entry: what they change is kept for Undo.

// The cell last edited is taken as it now is: a commit without a new edit
// finds nothing to commit (after its own commit, or after Undo rewrote it).
void SettleEdit(Series& series);
// The cell being edited, committed ("Typing"): one step per committed cell.
CommitResult CommitTyping(Document& doc, Series& series, Feedback& feedback);
// "Paste", "Cut" and "Delete".
bool PasteCells(Document& doc, Series& series, std::string_view clipboard, CellPos at);
std::string CutCells(Document& doc, Series& series, CellRect selection);
void DeleteCells(Document& doc, Series& series, CellRect selection);
// "Sort X Ascending" and "Sort X Descending".
bool SortSeriesX(Document& doc, Series& series, bool ascending, Feedback& feedback,
                 const CommandProgress& progress = {});
// "Clear Fit".
void ClearFitCommand(Document& doc, Series& series);

} // namespace torvel
