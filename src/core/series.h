// One data series: its attributes, its rows, its fit and the view of its
// grid. The rows are the store and keep every digit; a cell's text is made
// from its value when it is shown (NumberToText, width 14), except for the few
// cells whose text is not yet a normalised number (typed, not committed).
#pragma once

#include "core/data_model.h"
#include "core/file_identity.h"
#include "core/row_store.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace torvel {

// Grid columns: 0 the fixed index column, 1 X, 2 Y, 3 the fitted Y.
enum GridColumn { IndexColumn = 0, XColumn = 1, YColumn = 2, YFitColumn = 3 };

class Series {
  public:
    // A fresh series of rowCount empty rows, numbered seriesNumber.
    Series(int seriesNumber, int rowCount);

    int SeriesNumber = 0;
    int IndexCount = 0;
    TFitObj Fit;
    std::string FileName = NoNameData;
    FileIdentity FileNameIdentity; // of FileName when read or written (Known only then)
    std::string Caption;

    // Edit tracking of the data window.
    std::string EditText;
    int EditRow = 0;
    int EditCol = 0;
    std::string CellText;
    Real EditValue = 0;

    // Measured by ComputeSeriesRange; never saved.
    int ValidCount = 0;
    Real FirstX = 0, LastX = 0, MaxY = 0, MinY = 0;

    bool YAxisLeft = true;
    int PrintColor = PrintDefault;
    bool ShowPoints = true;
    int GraphType = GraphLine;
    bool HasFit = false;
    std::string SeriesTitle;

    // The last measurement (scale/ranges.cpp): the valid rows in the order
    // sorting them by X gives, as positions in Rows, so a redraw of unchanged
    // data does not sort again. Identity: they are simply the first
    // ValidCount rows (sorted data without gaps), and Order stays empty.
    // Trusted while GridVersion has not moved: whoever writes Rows directly
    // calls RowsChanged (RowsToGrid), as the grid must show the new rows.
    struct MeasureMemo {
        bool Identity = true;
        bool Valid = false; // a measurement in the direction Ascending
        bool Ascending = true;
        std::uint64_t Version = 0;
        std::uint64_t OrderVersion = 0; // the order holds while OrderVersion() has not moved
        std::size_t RowCount = 0;
        int ValidCount = 0;
        std::vector<std::uint32_t> Order;
        // The ranges measured from them, and for which axes.
        bool HaveRange = false, LogX = false, LogY = false;
        Real FirstX = 0, LastX = 0, MaxY = 0, MinY = 0;
    };
    MeasureMemo Measured;

    // The rows: IndexCount of them, position i holding data index i + 1.
    // Whoever writes them here rather than through the cells calls
    // RowsChanged afterwards, as the grid must show them anew.
    const RowStore& Store() const { return rows_; }
    RowStore& Store() { return rows_; }

    // Row i (0 .. ValidCount - 1) of the last measurement: the valid rows
    // sorted by X. The store itself keeps its order.
    std::size_t ValidIndex(int i) const {
        const auto k = static_cast<std::size_t>(i);
        return Measured.Identity ? k : Measured.Order[k];
    }
    struct XY {
        Real X, Y;
    };
    XY ValidRow(int i) const {
        const std::size_t k = ValidIndex(i);
        return {rows_.X(k), rows_.Y(k)};
    }

    // Text shown in cell (col 1..3, row 1..IndexCount).
    std::string Cell(int col, int row) const;
    // The text the in-cell editor starts with: the shortest text that reads
    // back as exactly the stored value (or the cell's kept text), so that
    // committing it unchanged keeps every digit.
    std::string EditorText(int col, int row) const;
    // Sets a cell from text: empty means no value; otherwise the value read
    // (a failed read keeps its partial value, as the grid always has) with its
    // flag set. A text other than the value's shown text is kept beside it
    // and shown until the value is set again. Setting a cell to its editor
    // text changes nothing.
    void SetCell(int col, int row, std::string_view text);
    // Sets a cell's value with every digit, or clears it.
    void SetValue(int col, int row, Real value);
    void ClearValue(int col, int row);
    bool HasValue(int col, int row) const { return rows_.Has(col, Index(row)); }
    Real ValueOf(int col, int row) const { return rows_.Value(col, Index(row)); }
    // Every fitted value cleared at once, and the memory of the column freed.
    void ClearFitColumn();
    // The text kept beside the cell's value (see SetCell), or null.
    const std::string* KeptText(int col, int row) const {
        if (texts_.empty()) return nullptr;
        const auto kept = texts_.find(Key(col, row));
        return kept == texts_.end() ? nullptr : &kept->second;
    }
    // The cell holds a number: a value whose text (if one is kept) reads as
    // one. A text that is no number keeps only a partial value beside it.
    bool HoldsNumber(int col, int row) const;
    // Rows were written directly: drop the kept texts, so every cell shows its
    // row again, and let cached measurements go.
    void RowsChanged();

    // Row 0 texts of columns 0..3.
    const std::string& Header(int col) const { return header_[static_cast<std::size_t>(col)]; }
    void SetHeader(int col, std::string text) {
        header_[static_cast<std::size_t>(col)] = std::move(text);
    }
    // Column 0 text of data row r: r right-aligned in 7 characters.
    static std::string IndexCellText(int row);

    // Resizes the rows; new rows are empty, rows beyond the new count are
    // dropped. Running out of memory changes nothing.
    void SetIndexCount(int count);

    // Rises on every change of a value or cell text. Readers that cache what
    // they measured compare it with the version they read.
    std::uint64_t GridVersion() const { return gridVersion_; }
    // Rises with every change but a new Y (or fitted Y) where the row held
    // one: which rows hold X and Y, and their X, stay, and with them their
    // order by X. A value typed into a long series need not sort it again.
    std::uint64_t OrderVersion() const { return orderVersion_; }

    // The header texts the grid starts with.
    void ResetHeaders();
    // "Series Number: n", or with "   -   FILE.PRN" when a file name is given.
    static std::string CaptionFor(int seriesNumber, const std::string& path = {});
    // The default text of the fitted column's header.
    std::string FitHeaderText() const;

  private:
    static std::uint64_t Key(int col, int row) {
        return static_cast<std::uint64_t>(row) * 4 + static_cast<std::uint64_t>(col);
    }
    static std::size_t Index(int row) { return static_cast<std::size_t>(row - 1); }
    void DropText(int col, int row) {
        if (!texts_.empty()) texts_.erase(Key(col, row));
    }

    // Cells whose text is not their value's shown text; almost always empty.
    std::unordered_map<std::uint64_t, std::string> texts_;
    RowStore rows_;
    std::array<std::string, 4> header_;
    std::uint64_t gridVersion_ = 0;
    std::uint64_t orderVersion_ = 0;
};

// The shortest text that reads back (TextToNumber) as exactly this value.
std::string ShortestText(Real value);

// The upper-cased file name part of a path (no folders).
std::string UpperFileName(const std::string& path);

} // namespace torvel
