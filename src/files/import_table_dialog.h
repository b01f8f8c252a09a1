// The Import Table dialog's rules: what it sniffed, each choice the user
// changes, the preview that follows, and the columns that load.
#pragma once

#include "core/feedback.h"
#include "files/table_file.h"

#include <map>
#include <string>

namespace torvel {

inline constexpr const char* ImportTableCaption = "Import Table";
// Rows of the preview.
inline constexpr int ImportPreviewRows = 100;

// The choices kept from the last import of each kind of file (by extension).
using RememberedTables = std::map<std::string, TableFormat>;

struct ImportTableState {
    std::string Path;
    TableHead Head;
    TableFormat Format; // every box of the dialog
    int FreeSeries = MaxSeries;
    TablePreview Preview;
    std::string Note; // what stands in the way of loading, or what is left out
    bool CanLoad = false;
};

// The dialog opens on a file whose head was read without a problem: the
// sniffed choices, or the last ones for files of this kind when they read the
// file at least as well.
ImportTableState ImportTableStart(const std::string& path, TableHead head, int freeSeries,
                                  const RememberedTables& remembered);

// Each choice (a separator typed in must be AcceptableSeparator, else beep): the preview follows
// and the columns are chosen again.
void ImportSeparatorChanged(ImportTableState& state, char separator, Feedback& feedback);
void ImportDecimalChanged(ImportTableState& state, char decimal);
void ImportHeaderChanged(ImportTableState& state, int line);
void ImportSkipChanged(ImportTableState& state, int lines);
void ImportCommentsChanged(ImportTableState& state, bool comments);
// X: a column (1-based) or RowNumberX; it stops loading as a series.
void ImportXColumnChanged(ImportTableState& state, int column);
// A column checked or unchecked as a series: no more than the free series
// (beep and the limit message), never the X column.
void ImportSeriesToggled(ImportTableState& state, int column, bool load, Feedback& feedback);
// The file changed while the dialog was open: the preview shows it as it is
// now, with the same choices.
void ImportFileChanged(ImportTableState& state, TableHead head);
// OK: the choices are kept for the next file of the kind.
void ImportRemember(const ImportTableState& state, RememberedTables& remembered);

// How a column loads, for the preview's column titles.
enum class ColumnRole { X, Series, Unused };
ColumnRole RoleOf(const TableFormat& format, int column);

} // namespace torvel
