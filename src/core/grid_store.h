// The data window's rules that need no widget: keeping the cell texts and the
// rows in step, committing an edit, clearing a fit, copy and paste through
// clipboard text, and the Tab / Delete movements.
#pragma once

#include "core/feedback.h"
#include "core/series.h"

#include <string>
#include <string_view>

namespace torvel {

// Every cell text -> row values and flags (an unreadable text keeps its
// partial value with the flag set).
void GridToRows(Series& series);
// Every row value -> cell text (NumberToText width 14, empty when unflagged).
void RowsToGrid(Series& series);
// Only when HasFit: zero the coefficients, empty the fitted column, reset its
// header, FitKind 0, fit graph types fall back, HasFit cleared.
void ClearFit(Series& series);

enum class CommitResult {
    Unchanged, // nothing to commit
    Emptied,   // the cell was emptied; no redraw
    Rejected,  // the text did not read: old text back, beeped
    Committed  // normalised and stored; the caller redraws
};
// Commits the edit of cell (EditCol, EditRow) whose text was EditText when
// editing began.
CommitResult CommitEdit(Series& series, Feedback& feedback);

// A selected rectangle of the grid, in grid coordinates (columns 1..3, rows 1..IndexCount).
struct CellRect {
    int Left = 1, Top = 1, Right = 1, Bottom = 1;
};
struct CellPos {
    int Col = 1, Row = 1;
    bool operator==(const CellPos&) const = default;
};

// The selection with its corners in order, cut to the grid's three columns and
// the series' rows (empty, Left > Right or Top > Bottom, when outside).
CellRect ClippedToGrid(const Series& series, CellRect r);

// The selected cells as TAB-separated lines, each ended by CR LF.
std::string CopyCells(const Series& series, CellRect selection);
// Pastes clipboard text starting at `at`; returns true when any cell changed.
bool PasteCells(Series& series, std::string_view clipboard, CellPos at);
// Delete: empties the selection, clears the fit, refreshes the rows.
void DeleteCells(Series& series, CellRect selection);
// Where Tab (or Shift+Tab) moves the current cell.
CellPos TabMove(const Series& series, CellPos current, bool shift);

} // namespace torvel
