// One data series: its attributes, its rows, its fit and the cell texts of its
// grid. The cell texts are the editing surface; GridToRows / RowsToGrid
// (grid_store.h) keep them and the rows in step.
#pragma once

#include "core/data_model.h"

#include <cstdint>
#include <string>
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
    std::vector<Tdata> Rows; // exactly IndexCount records; position i is data index i + 1
    TFitObj Fit;
    std::string FileName = NoNameData;
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

    // What the last ascending measurement read from the grid (scale/ranges.cpp):
    // lets a redraw of an unchanged grid skip parsing and sorting it again.
    struct MeasureMemo {
        bool Valid = false;
        std::uint64_t GridVersion = 0;
        int IndexCount = 0;
        std::vector<Tdata> ValidRows; // the valid rows, sorted ascending by X
    };
    MeasureMemo Measured;

    // Cell text of column 1..3 at data row 1..IndexCount.
    const std::string& Cell(int col, int row) const {
        return cells_[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)];
    }
    void SetCell(int col, int row, std::string text);
    // Row 0 texts of columns 0..3.
    const std::string& Header(int col) const { return header_[static_cast<std::size_t>(col)]; }
    void SetHeader(int col, std::string text) {
        header_[static_cast<std::size_t>(col)] = std::move(text);
    }
    // Column 0 text of data row r: r right-aligned in 7 characters.
    static std::string IndexCellText(int row);

    // Resizes the rows and the grid together; new rows are empty, rows beyond
    // the new count are dropped.
    void SetIndexCount(int count);

    // Rises on every change of a cell text. Readers that cache what they
    // parsed from the grid compare it with the version they read.
    std::uint64_t GridVersion() const { return gridVersion_; }

    // The header texts the grid starts with.
    void ResetHeaders();
    // "Series Number: n", or with "   -   FILE.PRN" when a file name is given.
    static std::string CaptionFor(int seriesNumber, const std::string& path = {});
    // The default text of the fitted column's header.
    std::string FitHeaderText() const;

  private:
    std::vector<std::array<std::string, 3>> cells_;
    std::array<std::string, 4> header_;
    std::uint64_t gridVersion_ = 0;
};

// The upper-cased file name part of a path (no folders).
std::string UpperFileName(const std::string& path);

} // namespace torvel
