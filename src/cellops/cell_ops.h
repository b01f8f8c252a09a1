// The cell operations applied to a series: fill a column, operate on cells
// with K, combine X and Y, and the statistics of cells. Every operation
// works out the whole pass first and changes the series only when no cell
// faulted, so a fault leaves every cell as it was.
#pragma once

#include "cellops/cell_math.h"
#include "core/grid_store.h"
#include "core/series.h"

namespace torvel {

// The cells an operation or the statistics cover: a rectangle of grid
// columns 1..3 and rows 1..IndexCount (clipped to the grid).
CellRect ColumnCells(const Series& series, int col);

// Rows first..last (1-based, within the grid) of column col (X or Y) receive
// start, start + step, ... Nothing is written on a fault.
CellFault FillCells(Series& series, int col, int first, int last, Real start, Real step);

struct OperateOutcome {
    bool Undefined = false; // some cell had no value for the operation and kept its own
    CellFault Fault = CellFault::None;
    int Cells = 0; // cells that hold a number and were rewritten
};
// Every cell of `cells` that holds a number gets the operation; cells of the
// fitted column are never changed (they belong to the fit).
OperateOutcome OperateCells(Series& series, CellOp op, Real k, CellRect cells);

// The statistics of every cell of `cells` that holds a number.
CellStatistics StatisticsOf(const Series& series, CellRect cells);

// X & Y operations on the rows. The running sum and integral first move the
// rows with X and Y to the front in ascending X order; other rows become
// empty rows at the end. Nothing changes on a fault.
CellFault OperateXY(Series& series, XYOp op);

} // namespace torvel
