#include "files/import_table_dialog.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace torvel {

namespace {

long long ReadScore(const TablePreview& p) {
    return std::accumulate(p.NumberCount.begin(), p.NumberCount.end(), 0LL) -
           std::accumulate(p.TextCount.begin(), p.TextCount.end(), 0LL);
}

void Explain(ImportTableState& s) {
    s.Note.clear();
    const std::size_t wanted = s.Format.SeriesColumns.size();
    if (s.FreeSeries <= 0) {
        s.Note = SeriesLimitText(MaxSeries);
    } else if (s.Preview.SampleRows == 0) {
        s.Note = "There are no rows to load below line ";
        s.Note += std::to_string(s.Format.DataStart() - 1);
        s.Note += '.';
    } else if (wanted == 0) {
        s.Note = "Choose at least one column to load as a series.";
    }
    s.CanLoad = s.Note.empty();
}

// The preview after a change of how the file is split; the columns chosen
// afresh, as many as there are free series.
void Relayout(ImportTableState& s) {
    s.Preview = PreviewTable(s.Head, s.Format, ImportPreviewRows);
    ChooseTableColumns(s.Format, s.Preview);
    auto& series = s.Format.SeriesColumns;
    const auto free = static_cast<std::size_t>(std::max(0, s.FreeSeries));
    const bool cut = series.size() > free;
    if (cut) series.resize(free);
    Explain(s);
    if (cut && s.CanLoad) {
        std::string note = SeriesLimitText(MaxSeries);
        note += " Only the first ";
        note += std::to_string(free);
        note += free == 1 ? " column of numbers loads." : " columns of numbers load.";
        s.Note = note;
    }
}

} // namespace

ImportTableState ImportTableStart(const std::string& path, TableHead head, int freeSeries,
                                  const RememberedTables& remembered) {
    ImportTableState s;
    s.Path = path;
    s.Head = std::move(head);
    s.FreeSeries = freeSeries;
    s.Format = SniffTable(s.Head);
    Relayout(s);
    const auto last = remembered.find(TableKind(path));
    if (last != remembered.end()) {
        ImportTableState again = s;
        TableFormat& f = again.Format;
        f = last->second;
        f.Encoding = s.Head.Encoding;
        Relayout(again);
        if (last->second.XColumn <= f.Columns) ImportXColumnChanged(again, last->second.XColumn);
        if (ReadScore(again.Preview) >= ReadScore(s.Preview)) s = std::move(again);
    }
    return s;
}

void ImportSeparatorChanged(ImportTableState& state, char separator, Feedback& feedback) {
    if (separator != '\t' && !AcceptableSeparator(separator)) {
        feedback.Beep("A separator cannot be part of a number or a quote");
        return;
    }
    state.Format.Separator = separator;
    Relayout(state);
}

void ImportDecimalChanged(ImportTableState& state, char decimal) {
    state.Format.Decimal = decimal == ',' ? ',' : '.';
    Relayout(state);
}

void ImportHeaderChanged(ImportTableState& state, int line) {
    state.Format.HeaderLine = std::max(0, line);
    Relayout(state);
}

void ImportSkipChanged(ImportTableState& state, int lines) {
    state.Format.SkipLines = std::max(0, lines);
    Relayout(state);
}

void ImportCommentsChanged(ImportTableState& state, bool comments) {
    state.Format.Comments = comments;
    Relayout(state);
}

void ImportXColumnChanged(ImportTableState& state, int column) {
    if (column < 0 || column > state.Format.Columns) return;
    state.Format.XColumn = column;
    std::erase(state.Format.SeriesColumns, column);
    Explain(state);
}

void ImportSeriesToggled(ImportTableState& state, int column, bool load, Feedback& feedback) {
    auto& series = state.Format.SeriesColumns;
    const bool in = std::find(series.begin(), series.end(), column) != series.end();
    if (load == in || column < 1 || column > state.Format.Columns) return;
    if (!load) {
        std::erase(series, column);
    } else if (column == state.Format.XColumn) {
        feedback.Beep("The X column cannot load as a series");
        return;
    } else if (static_cast<int>(series.size()) >= state.FreeSeries) {
        feedback.Beep(SeriesLimitText(MaxSeries));
        feedback.Message(MessageKind::Error, SeriesLimitText(MaxSeries), MessageButtons::Ok);
        return;
    } else {
        series.insert(std::upper_bound(series.begin(), series.end(), column), column);
    }
    Explain(state);
}

void ImportFileChanged(ImportTableState& state, TableHead head) {
    state.Head = std::move(head);
    const TableFormat kept = state.Format;
    Relayout(state);
    // Keep the user's columns where the file still has them.
    if (kept.Columns == state.Format.Columns) {
        state.Format.XColumn = kept.XColumn;
        state.Format.SeriesColumns = kept.SeriesColumns;
        Explain(state);
    }
    std::string note = "The file has changed: the preview shows it as it is now. ";
    note += state.Note;
    state.Note = std::move(note);
}

void ImportRemember(const ImportTableState& state, RememberedTables& remembered) {
    remembered[TableKind(state.Path)] = state.Format;
}

ColumnRole RoleOf(const TableFormat& format, int column) {
    if (column == format.XColumn) return ColumnRole::X;
    const auto& s = format.SeriesColumns;
    return std::find(s.begin(), s.end(), column) != s.end() ? ColumnRole::Series
                                                            : ColumnRole::Unused;
}

} // namespace torvel
