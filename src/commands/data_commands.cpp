#include "commands/data_commands.h"

#include "fit/fit_dialog.h"
#include "scale/ranges.h"

#include <climits>
#include <new>
#include <vector>

namespace torvel {

namespace {

void Report(const CommandProgress& progress, double fraction) {
    if (progress) progress(fraction);
}

bool HalfFilled(const Tdata& row) {
    return row.XValid != row.YValid;
}

} // namespace

bool SortSeriesX(Series& series, bool ascending, const GraphSettings& settings, Feedback& feedback,
                 const CommandProgress& progress) {
    GridToRows(series);
    try {
        // A row with only an X or only a Y is something the user typed: the
        // sort keeps it (after the complete rows) instead of dropping it.
        std::vector<Tdata> halfFilled;
        for (const Tdata& row : series.Rows)
            if (HalfFilled(row)) halfFilled.push_back(row);
        Report(progress, 0.2);
        ComputeSeriesRange(series, ascending, settings);
        Report(progress, 0.6);
        auto at = series.Rows.begin() + series.ValidCount;
        for (const Tdata& row : halfFilled)
            *at++ = row;
    } catch (const std::bad_alloc&) {
        feedback.Beep();
        feedback.Message(MessageKind::Error, SortMemoryText, MessageButtons::Ok);
        return false;
    }
    RowsToGrid(series);
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
    std::string text;
    std::size_t size = 0;
    for (int r = 1; r <= source.IndexCount; ++r)
        size += source.Cell(XColumn, r).size() + source.Cell(YColumn, r).size() + 3;
    text.reserve(size);
    for (int r = 1; r <= source.IndexCount; ++r) {
        text += source.Cell(XColumn, r);
        text += '\t';
        text += source.Cell(YColumn, r);
        text += "\r\n";
    }
    return text;
}

Series* DuplicateSeries(Document& doc, Series& source, int extraRows, Feedback& feedback,
                        const CommandProgress& progress) {
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
        feedback.Beep();
        feedback.Message(MessageKind::Error, DuplicateMemoryText, MessageButtons::Ok);
        return nullptr;
    }
    Report(progress, 1.0);
    return created;
}

} // namespace torvel
