// Measuring the data: compaction, the sort by X, the per-series ranges and the
// axis ranges over all series.
#pragma once

#include "core/document.h"
#include "core/series.h"

#include <string>

namespace torvel {

// The six Max/Min boxes of the scale dialog, as the Find operations fill them.
struct RangeTexts {
    std::string MaxX, MinX, MaxYL, MinYL, MaxYR, MinYR;
};

void CopyRow(Tdata& target, const Tdata& source);
// Rows from the grid, valid rows (X and Y) first in their order, ValidCount.
void CompactRows(Series& series);
// CompactRows, stable sort of the valid rows by X, FirstX/LastX, ComputeYRange.
void ComputeSeriesRange(Series& series, bool ascending, const GraphSettings& settings);
void ComputeYRange(Series& series, const GraphSettings& settings);

void FindXRange(Document& doc, RangeTexts& boxes);
void FindYLRange(Document& doc, RangeTexts& boxes);
void FindYRRange(Document& doc, RangeTexts& boxes);
void FindAllRanges(Document& doc, RangeTexts& boxes);

} // namespace torvel
