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

enum class ScaleAxis { X, YL, YR };
inline constexpr ScaleAxis AllScaleAxes[] = {ScaleAxis::X, ScaleAxis::YL, ScaleAxis::YR};

// One axis's limits and multi-scale flag in the settings.
struct AxisLimits {
    Real& Max;
    Real& Min;
    bool& MultiScale;
};
AxisLimits LimitsOf(GraphSettings& settings, ScaleAxis axis);
// Shows an axis's limits in its two boxes (NumberToText width 14).
void ShowLimits(RangeTexts& boxes, ScaleAxis axis, Real max, Real min);

void CopyRow(Tdata& target, const Tdata& source);
// Rows from the grid, valid rows (X and Y) first in their order, ValidCount.
void CompactRows(Series& series);
// CompactRows, stable sort of the valid rows by X, FirstX/LastX, ComputeYRange.
// With fewer than two valid rows the range fields keep their values.
// An ascending measurement of a grid unchanged since the last ascending one
// reuses what that one read (Series::Measured) instead of parsing and sorting
// the cell texts again; the results are the same as re-reading them.
void ComputeSeriesRange(Series& series, bool ascending, const GraphSettings& settings);
void ComputeYRange(Series& series, const GraphSettings& settings);

// Axis ranges over the data windows, written into doc.Settings and shown in the
// boxes (NumberToText width 14). Every series is measured; a series with fewer
// than two valid rows has no range of its own and is left out of the limits.
void FindXRange(Document& doc, RangeTexts& boxes);
void FindYLRange(Document& doc, RangeTexts& boxes);
void FindYRRange(Document& doc, RangeTexts& boxes);
void FindAllRanges(Document& doc, RangeTexts& boxes);

} // namespace torvel
