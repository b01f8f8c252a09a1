#include "commands/data_commands.h"

#include "core/change_recorder.h"
#include "core/out_of_memory.h"
#include "core/work_pulse.h"
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

} // namespace

bool SortSeriesX(Series& series, bool ascending, const GraphSettings& settings, Feedback& feedback,
                 const CommandProgress& progress) {
    GridToRows(series);
    RowStore& rows = series.Store();
    try {
        // The rows with X and Y in X order (as measuring sorts them), then
        // those with only one of them (something the user typed: kept, never
        // dropped), then the empty ones; moved in place.
        AllocationCheckpoint();
        ComputeSeriesRange(series, ascending, settings);
        Report(progress, 0.3);
        std::vector<std::uint32_t> order;
        order.reserve(rows.Size());
        for (int i = 0; i < series.ValidCount; ++i) {
            if (i % 65536 == 0) Pulse();
            order.push_back(static_cast<std::uint32_t>(series.ValidIndex(i)));
        }
        for (std::size_t i = 0; i < rows.Size(); ++i) {
            if (i % 65536 == 0) Pulse();
            if ((rows.Flags(i) & RowStore::HasXY) != 0 && !rows.BothXY(i))
                order.push_back(static_cast<std::uint32_t>(i));
        }
        const std::size_t kept = order.size();
        for (std::size_t i = 0; i < rows.Size(); ++i) {
            if (i % 65536 == 0) Pulse();
            if ((rows.Flags(i) & RowStore::HasXY) == 0)
                order.push_back(static_cast<std::uint32_t>(i));
        }
        Report(progress, 0.5);
        rows.Permute(order);
        rows.ClearFrom(kept);
    } catch (const std::bad_alloc&) {
        feedback.Message(MessageKind::Error, NotEnoughMemoryText("sort the rows"),
                         MessageButtons::Ok);
        return false;
    }
    Report(progress, 0.8);
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
    std::string text;
    constexpr int PieceRows = 1 << 16;
    for (int top = 1; top <= source.IndexCount; top += PieceRows)
        text += CopyCells(
            source, {XColumn, top, YColumn, std::min(source.IndexCount, top + (PieceRows - 1))});
    return text;
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
    Series* created = nullptr;
    try {
        if (extraRows < 0 || rows > INT_MAX - extraRows) throw std::bad_alloc();
        // The source's X and Y, shared with it until either is written, and
        // the extra empty rows; the fitted values stay behind.
        const RowStore& from = source.Store();
        RowStore copy = from.WithoutFit();
        copy.Resize(static_cast<std::size_t>(rows + extraRows));
        created = &doc.CreateSeries(feedback, &copy);
        AllocationCheckpoint();
        doc.SortDataWindows();
        Report(progress, 0.6);
        const RowStore& to = created->Store();
        // The copy holds the source's rows in the same places, then empty
        // ones: a current measurement of the source (its order by X, ranges)
        // is the copy's, which saves sorting millions of rows again.
        const Series::MeasureMemo& m = source.Measured;
        if (m.Valid && m.RowCount == from.Size() && m.OrderVersion == source.OrderVersion()) {
            created->Measured = m;
            created->Measured.RowCount = to.Size();
            created->Measured.OrderVersion = created->OrderVersion();
            created->Measured.Version = created->GridVersion();
            // Values replaced since (not moved): the ranges are measured anew.
            created->Measured.HaveRange = m.HaveRange && m.Version == source.GridVersion();
        }
    } catch (const std::bad_alloc&) {
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
