#include "commands/data_commands.h"

#include "core/change_recorder.h"
#include "core/out_of_memory.h"
#include "fit/fit_dialog.h"
#include "scale/ranges.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace torvel {

namespace {

void Report(const CommandProgress& progress, double fraction) {
    if (progress) progress(fraction);
}

bool HalfFilled(const Tdata& row) {
    return row.XValid != row.YValid;
}

// Stable sort of rows by X, as repeated exchanges of adjacent out-of-order
// pairs would leave them. Sorts (X, position) pairs and moves each row once.
void SortByX(std::vector<Tdata>& rows, std::size_t begin, std::size_t end, bool ascending) {
    if (end - begin < 2) return;
    std::vector<std::pair<Real, std::uint32_t>> keys;
    keys.reserve(end - begin);
    for (std::size_t i = begin; i < end; ++i)
        keys.emplace_back(rows[i].X, static_cast<std::uint32_t>(i - begin));
    if (ascending)
        std::sort(keys.begin(), keys.end());
    else
        std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
            return a.first > b.first || (a.first == b.first && a.second < b.second);
        });
    std::vector<Tdata> moved;
    moved.reserve(end - begin);
    for (const auto& k : keys)
        moved.push_back(rows[begin + k.second]);
    std::copy(moved.begin(), moved.end(), rows.begin() + static_cast<std::ptrdiff_t>(begin));
}

} // namespace

bool SortSeriesX(Series& series, bool ascending, const GraphSettings& settings, Feedback& feedback,
                 const CommandProgress& progress) {
    GridToRows(series);
    try {
        // The rows with X and Y, then those with only one of them (something
        // the user typed: kept, never dropped), then the empty ones.
        AllocationCheckpoint();
        std::vector<Tdata> sorted;
        sorted.reserve(series.Rows.size());
        for (const Tdata& row : series.Rows)
            if (row.XValid && row.YValid) sorted.push_back(row);
        const std::size_t valid = sorted.size();
        for (const Tdata& row : series.Rows)
            if (HalfFilled(row)) sorted.push_back(row);
        sorted.resize(series.Rows.size());
        Report(progress, 0.2);
        // An X that is not a number never compares, so no exchange moves it
        // or passes it: the runs between such rows are sorted each on its own.
        std::size_t start = 0;
        for (std::size_t i = 0; i < valid; ++i)
            if (std::isnan(sorted[i].X)) {
                SortByX(sorted, start, i, ascending);
                start = i + 1;
            }
        SortByX(sorted, start, valid, ascending);
        series.Rows = std::move(sorted);
    } catch (const std::bad_alloc&) {
        feedback.Message(MessageKind::Error, NotEnoughMemoryText("sort the rows"),
                         MessageButtons::Ok);
        return false;
    }
    Report(progress, 0.6);
    RowsToGrid(series);
    ComputeSeriesRange(series, ascending, settings); // the range of what is shown
    Report(progress, 1.0);
    return true;
}

std::string CutCells(Series& series, CellRect selection) {
    std::string text = CopyCells(series, selection);
    DeleteCells(series, selection); // empties, clears the fit, refreshes the rows
    return text;
}

void ClearFitCommand(Series& series) {
    ClearFit(series);
    series.GraphType = GraphTypeWithoutFit(series.GraphType);
}

std::string DuplicateText(Series& source) {
    GridToRows(source);
    AllocationCheckpoint(); // the text of every row
    return CopyCells(source, {XColumn, 1, YColumn, source.IndexCount});
}

Series* DuplicateSeries(Document& doc, Series& source, int extraRows, Feedback& feedback,
                        const CommandProgress& progress) {
    RecordedStep step(doc, extraRows > 0 ? "Duplicate & Extend Index" : "Duplicate Data");
    if (doc.SeriesCount() >= MaxSeries) {
        feedback.Beep();
        feedback.Message(MessageKind::Error, SeriesLimitText(MaxSeries), MessageButtons::Ok);
        return nullptr;
    }
    GridToRows(source);
    const int rows = source.IndexCount;
    const int oldNewSeriesRows = doc.NewSeriesRows;
    Series* created = nullptr;
    try {
        if (extraRows < 0 || rows > INT_MAX - extraRows) throw std::bad_alloc();
        doc.NewSeriesRows = rows + extraRows;
        created = &doc.CreateSeries(feedback);
        AllocationCheckpoint();
        doc.NewSeriesRows = oldNewSeriesRows;
        doc.SortDataWindows();
        Report(progress, 0.4);
        for (std::size_t i = 0; i < static_cast<std::size_t>(rows); ++i) {
            const Tdata& from = source.Rows[i];
            Tdata& to = created->Rows[i];
            to.X = from.X;
            to.Y = from.Y;
            to.XValid = from.XValid;
            to.YValid = from.YValid;
        }
        Report(progress, 0.6);
        RowsToGrid(*created);
    } catch (const std::bad_alloc&) {
        doc.NewSeriesRows = oldNewSeriesRows;
        if (created) doc.DestroySeries(*created);
        feedback.Message(MessageKind::Error, NotEnoughMemoryText("duplicate the series"),
                         MessageButtons::Ok);
        return nullptr;
    }
    Report(progress, 1.0);
    return created;
}

namespace {

bool EditedCellInGrid(const Series& series) {
    return series.EditRow >= 1 && series.EditRow <= series.IndexCount &&
           (series.EditCol == XColumn || series.EditCol == YColumn);
}

} // namespace

void SettleEdit(Series& series) {
    if (EditedCellInGrid(series))
        series.EditText = series.EditorText(series.EditCol, series.EditRow);
}

CommitResult CommitTyping(Document& doc, Series& series, Feedback& feedback) {
    RecordedStep step(doc, "Typing");
    const int row = series.EditRow;
    if (EditedCellInGrid(series)) {
        // The cell already holds what was typed; the text it started with
        // is what it held before.
        step.CellAsText(series, series.EditCol, row, series.EditText);
        step.Cells(series, {XColumn, row, YColumn, row}); // an X may bring its fitted Y
        step.Fit(series);
    }
    const CommitResult result = CommitEdit(series, feedback);
    SettleEdit(series);
    return result;
}

bool PasteCells(Document& doc, Series& series, std::string_view clipboard, CellPos at) {
    RecordedStep step(doc, "Paste");
    if (at.Row >= 1 && at.Row <= series.IndexCount) {
        // At most one row a line, whichever line ends the text uses.
        const auto lines = std::count(clipboard.begin(), clipboard.end(), '\r') +
                           std::count(clipboard.begin(), clipboard.end(), '\n');
        const long long last = std::min<long long>(at.Row + lines, series.IndexCount);
        step.Cells(series, {at.Col, at.Row, YColumn, static_cast<int>(last)});
        step.Fit(series);
    }
    return PasteCells(series, clipboard, at);
}

std::string CutCells(Document& doc, Series& series, CellRect selection) {
    RecordedStep step(doc, "Cut");
    step.Cells(series, selection);
    step.Fit(series);
    return CutCells(series, selection);
}

void DeleteCells(Document& doc, Series& series, CellRect selection) {
    RecordedStep step(doc, "Delete");
    step.Cells(series, selection);
    step.Fit(series);
    DeleteCells(series, selection);
}

bool SortSeriesX(Document& doc, Series& series, bool ascending, Feedback& feedback,
                 const CommandProgress& progress) {
    RecordedStep step(doc, ascending ? "Sort X Ascending" : "Sort X Descending");
    step.WholeSeries(series);
    return SortSeriesX(series, ascending, doc.Settings, feedback, progress);
}

void ClearFitCommand(Document& doc, Series& series) {
    RecordedStep step(doc, "Clear Fit");
    step.Fit(series);
    ClearFitCommand(series);
}

} // namespace torvel
