// Tables from elsewhere (spreadsheets, loggers, scripts): the first part of
// the file read for sniffing and the preview, the sniffed format, and the
// reader that loads the chosen columns into new series with every digit.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "core/series.h"
#include "files/data_file.h" // ReadProgress, MaxDataFileCells
#include "files/table_scan.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvel {

// How much of a file the sniffer and the preview read: a few thousand rows,
// whatever the file's size.
inline constexpr std::size_t TableHeadBytes = 256 * 1024;
// Rows of the head the sniffer and the column choices look at.
inline constexpr int TableSampleRows = 1000;

struct TableHead {
    std::string Text; // UTF-8, no byte-order mark, ending at a line end unless the file does not
    TextEncoding Encoding = TextEncoding::Utf8;
    bool Whole = false; // Text is all of the file
    long long Size = 0;
    long long Modified = 0; // nanoseconds; with Size it tells that the file changed
    std::string Problem;    // why the file cannot be imported; empty when it can
};
// The first `bytes` of a file. Problem is set for a file that cannot be read,
// a folder, a binary file (a NUL byte or many control characters: the
// "incompatible format" text) and an empty file.
TableHead ReadTableHead(const std::string& path, std::size_t bytes = TableHeadBytes);
// The same from bytes in memory (the path only names the file in messages).
TableHead TableHeadOf(std::string_view bytes, bool whole, const std::string& path);
std::string EmptyFileText(const std::string& path);
std::string NoNumbersText(const std::string& path);
// Whether the file has changed since its head was read.
bool TableFileChanged(const TableHead& head, const std::string& path);

// The extension of a path, lower-cased, without the dot ("" when none).
std::string TableKind(const std::string& path);
// The tables Open and a drop take: .csv, .tsv, .dat and .txt.
bool IsTableFile(const std::string& path);

// What a drop of other files is told: the files the program takes, and the
// names of those it does not (a folder's ending in "/").
std::string DropRefusedText(const std::vector<std::string>& names);

// One cell as it will load.
struct TableCell {
    std::string Text; // the field; empty for a missing (padded) cell
    bool Number = false;
    Real Value = 0;
};

// The head as a format splits it: names, the first rows, and what the sample
// rows hold per column.
struct TablePreview {
    int Columns = 0; // the header's names or the widest sample row, at most MaxTableColumns
    std::vector<std::string> Names;           // Columns entries (empty without a header)
    std::vector<std::vector<TableCell>> Rows; // the first rows, Columns cells each
    std::vector<long long> Lines;             // the file line of each shown row
    long long SampleRows = 0;                 // data rows in the sample
    int WidestRow = 0;                        // fields of the widest sample row
    bool More = false;                        // rows follow those in the sample
    std::vector<int> NumberCount, TextCount;  // per column over the sample rows
};
// Reads the head as `format` lays it out (its Columns, XColumn and
// SeriesColumns are not used); keeps the cells of the first shownRows rows.
TablePreview PreviewTable(const TableHead& head, const TableFormat& format, int shownRows);

// Separator and decimal separator that read the most fields as numbers (or
// the ones given, when not 0), the header and the lines above the data, then
// the columns as below.
TableFormat SniffTable(const TableHead& head, char separator = 0, char decimal = 0);
// Columns from the preview; X the given column (RowNumberX for the row
// number), or when none is given (-1) the first column when it holds numbers,
// else the row number; every other column holding numbers loads as a series.
void ChooseTableColumns(TableFormat& format, const TablePreview& preview, int x = -1);

// What a load did.
struct TableLoad {
    std::vector<Series*> Created; // ascending series numbers; empty when nothing loaded
    long long Rows = 0;
    long long NotNumbers = 0; // loaded cells that were empty or no number
    long long FirstNotNumberLine = 0;
    int FirstNotNumberColumn = 0;
    long long LongRows = 0; // rows with more fields than Columns: the rest was not read
    long long FirstLongLine = 0;
};

// Loads the X column and the series columns into new series (at most the
// free series, with the limit message beyond), captions naming the file as a
// .prn open does, header names as series titles and, when the X axis title is
// empty, the X column's name as its first line. Nothing changes when the file
// cannot be read (message), holds no numbers to load (message), or memory runs out.
TableLoad ReadTableFile(Document& doc, const std::string& path, const TableFormat& format,
                        Feedback& feedback, const ReadProgress& progress = {});
// "Loaded N rows of FILE into series a to b; ..." for the status bar.
std::string TableLoadStatus(const TableLoad& load, const std::string& path);

} // namespace torvel
