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

// Rewrites the rows: the valid rows (X and Y) first in their order, then
// empty rows; sets ValidCount.
void CompactRows(Series& series);
// Measures the series without touching its rows: ValidCount, the valid rows
// stably sorted by X (Series::ValidRow), FirstX/LastX, ComputeYRange. With
// fewer than two valid rows the range fields keep their values. An ascending
// measurement of rows unchanged since the last one reuses it.
void ComputeSeriesRange(Series& series, bool ascending, const GraphSettings& settings);
// ComputeSeriesRange, then the rows rewritten in that order: the valid rows
// sorted by X first, whole rows moving together, then empty rows.
void SortRows(Series& series, bool ascending, const GraphSettings& settings);
void ComputeYRange(Series& series, const GraphSettings& settings);

// Axis ranges over the data windows, written into doc.Settings and shown in the
// boxes (NumberToText width 14). Every series is measured; a series with fewer
// than two valid rows has no range of its own and is left out of the limits.
void FindXRange(Document& doc, RangeTexts& boxes);
void FindYLRange(Document& doc, RangeTexts& boxes);
void FindYRRange(Document& doc, RangeTexts& boxes);
void FindAllRanges(Document& doc, RangeTexts& boxes);

} // namespace torvel
