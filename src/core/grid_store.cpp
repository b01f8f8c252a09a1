#include "core/grid_store.h"

#include "core/fit_value.h"
#include "core/number_text.h"

#include <algorithm>

namespace torvel {

namespace {

// ClippedToGrid, false when nothing of the selection lies inside the grid.
bool ClipRect(const Series& series, CellRect& r) {
    r = ClippedToGrid(series, r);
    return r.Left <= r.Right && r.Top <= r.Bottom;
}

// What a new value in (col, row) does to the fit: an X typed beside an empty
// Y is answered with the fitted Y and keeps the fit; anything else clears it.
void ApplyValueRule(Series& series, int col, int row, Real value) {
    if (col == XColumn && !series.HasValue(YColumn, row)) {
        if (series.Fit.FitKind != 0) {
            const Real predicted = FitValue(series.Fit, value);
            if (series.Fit.EvalOK) series.SetValue(YColumn, row, predicted);
        }
        return;
    }
    ClearFit(series);
}

bool IsNumberStart(char c) {
    return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}
bool IsTokenChar(char c) {
    return IsNumberStart(c) || c == 'E' || c == 'e';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Where the first line of a paste ends when it is a row of column names (text
// but no number, as a copied range with its header gives); 0 otherwise.
std::size_t HeaderLineEnd(std::string_view text) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    const std::string_view line = text.substr(0, end);
    if (line.find_first_not_of(" \t") == std::string_view::npos) return 0; // an empty row
    for (std::size_t i = 0; i < line.size();) {
        if (!IsNumberStart(line[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && IsTokenChar(line[i]))
            ++i;
        if (TextToNumber(line.substr(start, i - start)).Ok()) return 0;
    }
    return end;
}

} // namespace

void GridToRows(Series&) {
    // The rows are the store: every cell already holds its value (a text
    // that does not read keeps its partial value, flag set).
}

void RowsToGrid(Series& series) {
    series.RowsChanged();
}

void ClearFit(Series& series) {
    if (!series.HasFit) return;
    series.Fit.Coef.fill(0);
    series.SetHeader(YFitColumn, series.FitHeaderText());
    series.ClearFitColumn();
    series.Fit.FitKind = 0;
    if (series.GraphType == GraphFit || series.GraphType == GraphLineFit)
        series.GraphType = GraphLine;
    else if (series.GraphType == GraphBarFit)
        series.GraphType = GraphBar;
    series.HasFit = false;
}

CommitResult CommitEdit(Series& series, Feedback& feedback) {
    const int col = series.EditCol;
    const int row = series.EditRow;
    // The fitted column is never edited; positions outside the grid are stale.
    if (col < XColumn || col > YColumn || row < 1 || row > series.IndexCount)
        return CommitResult::Unchanged;
    // EditText is the editor's starting text; a cell still showing it, or
    // still holding it, was left as it was.
    series.CellText = series.EditorText(col, row);
    if (series.CellText == series.EditText || series.Cell(col, row) == series.EditText)
        return CommitResult::Unchanged;
    if (series.CellText.empty()) return CommitResult::Emptied;

    const NumberRead read = TextToNumber(series.CellText);
    if (!read.Ok()) {
        series.SetCell(col, row, series.EditText);
        feedback.Beep("Not a number: " + series.CellText);
        return CommitResult::Rejected;
    }
    series.EditValue = read.Value;
    series.SetValue(col, row, series.EditValue); // shown normalised, kept whole
    ApplyValueRule(series, col, row, series.EditValue);
    return CommitResult::Committed;
}

CellRect ClippedToGrid(const Series& series, CellRect r) {
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    r.Left = std::max(r.Left, 1);
    r.Right = std::min(r.Right, 3);
    r.Top = std::max(r.Top, 1);
    r.Bottom = std::min(r.Bottom, series.IndexCount);
    return r;
}

std::string CopyCells(const Series& series, CellRect selection) {
    std::string out;
    if (!ClipRect(series, selection)) return out;
    // Most shown texts are the 14 characters of the grid's column; one pass
    // of formatting, few reallocations.
    out.reserve(static_cast<std::size_t>(selection.Bottom - selection.Top + 1) *
                static_cast<std::size_t>(selection.Right - selection.Left + 1) * 16);
    for (int r = selection.Top; r <= selection.Bottom; ++r) {
        for (int c = selection.Left; c <= selection.Right; ++c) {
            if (c > selection.Left) out += '\t';
            out += series.Cell(c, r);
        }
        out += "\r\n";
    }
    return out;
}

bool PasteCells(Series& series, std::string_view clipboard, CellPos at) {
    if (at.Col < XColumn || at.Col > YFitColumn || at.Row < 1 || at.Row > series.IndexCount)
        return false;
    const std::string_view text =
        clipboard.substr(0, std::min<std::size_t>(clipboard.size(), 99999));
    const std::size_t n = text.size();
    // Other programs end lines with LF, CR LF or CR alone: each is one line end.
    std::size_t i = HeaderLineEnd(text);
    if (i > 0) i += text.compare(i, 2, "\r\n") == 0 ? 2 : (i < n ? 1 : 0);
    auto skip = [&] {
        while (i < n && !IsNumberStart(text[i]) && !IsLineEnd(text[i]))
            ++i;
    };

    const std::uint64_t before = series.GridVersion();
    int row = at.Row;
    const int startCol = at.Col;
    int tokenCol = startCol;
    int targetCol = startCol;
    skip();
    for (;;) {
        const std::size_t start = i;
        while (i < n && IsTokenChar(text[i]))
            ++i;
        if (tokenCol < 3) {
            const NumberRead read = TextToNumber(text.substr(start, i - start));
            if (read.Ok()) {
                series.EditValue = read.Value;
                series.SetValue(targetCol, row, read.Value);
                ApplyValueRule(series, targetCol, row, read.Value);
            }
        }
        if (targetCol < 2) ++targetCol;
        ++tokenCol;
        skip();
        if (i >= n) break;
        if (IsLineEnd(text[i])) {
            tokenCol = targetCol = startCol;
            ++row;
            i += text.compare(i, 2, "\r\n") == 0 ? 2 : 1;
            if (row > series.IndexCount) break;
        }
        skip();
    }
    return series.GridVersion() != before;
}

void DeleteCells(Series& series, CellRect selection) {
    if (ClipRect(series, selection)) {
        for (int r = selection.Top; r <= selection.Bottom; ++r)
            for (int c = selection.Left; c <= selection.Right; ++c)
                series.ClearValue(c, r);
    }
    ClearFit(series);
}

CellPos TabMove(const Series& series, CellPos current, bool shift) {
    CellPos next = current;
    if (!shift) {
        if (current.Col == XColumn) {
            next.Col = YColumn;
        } else {
            next.Col = XColumn;
            if (current.Row < series.IndexCount) ++next.Row;
        }
    } else {
        if (current.Col == YColumn) {
            next.Col = XColumn;
        } else {
            next.Col = YColumn;
            if (current.Row > 1) --next.Row;
        }
    }
    return next;
}

} // namespace torvel
