// Automatic scaling of an axis: round limits of about two significant digits,
// a zero pull for data far from zero, symmetric limits across zero, and the
// grid, label and decimal counts that go with them.
#pragma once

#include "core/document.h"
#include "scale/ranges.h"

#include <functional>
#include <optional>

namespace torvel {

// The limits and counts one auto-scale gives an axis.
struct AxisScale {
    Real Max = 0, Min = 0;
    int Major = 1, Minor = 1, Ticks = 1, Decimals = 2;

    bool operator==(const AxisScale&) const = default;
};

// The auto-scale arithmetic on a data range (max, min). Empty when the range
// has nothing to scale: equal limits, or limits that are not finite. Limits
// given the wrong way round are taken as the range between them.
std::optional<AxisScale> ComputeAutoScale(Real max, Real min, ScaleAxis axis);

// Auto-scales one axis from the limits already in the settings (the data range
// a Find left there): limits, grid, ticks and decimals; the limits are shown
// in the axis's boxes and its multi-scale flag cleared. Returns false, changing
// nothing, when ComputeAutoScale has nothing to scale.
bool AutoScaleFromLimits(GraphSettings& settings, ScaleAxis axis, RangeTexts& boxes);

// Find the axis's data range (which sorts every series by X), then auto-scale it.
void AutoScaleXAxis(Document& doc, RangeTexts& boxes);
void AutoScaleYLAxis(Document& doc, RangeTexts& boxes);
void AutoScaleYRAxis(Document& doc, RangeTexts& boxes);

// The "Auto Scale" menu command: X, then the left Y axis (never the right one),
// then draw.
void AutoScaleGraph(Document& doc, RangeTexts& boxes, const std::function<void()>& draw);

// The division rules that auto-scale and the grid dialog's auto grid share.

// The grid and label counts of one axis in the settings (the two Y axes share
// their major and minor counts).
struct AxisCounts {
    int& Major;
    int& Minor;
    int& Ticks;
    int& Decimals;
};
AxisCounts CountsOf(GraphSettings& settings, ScaleAxis axis);

// A range brought by powers of ten into [upper / 10, upper): the whole units
// it then holds (a fraction within 1E-11 of the next unit counts as that
// unit), the fraction, and how often it was multiplied (Up) or divided (Down).
struct RangeUnits {
    long long Units = 0;
    Real Fraction = 0;
    int Up = 0, Down = 0;
};
RangeUnits CountRangeUnits(Real range, Real upper);

// The largest whole number from 1 to limit that divides n (1 for n < 1).
int LargestDivisorUpTo(long long n, int limit);
// Major intervals for a number of units: the largest divisor up to 20; the X
// axis halves an even one above 10, else thirds a multiple of 3 above 10.
int MajorFor(long long units, ScaleAxis axis);
// Labelled intervals: half an even major count, else all of them.
int TicksFor(int major);
// Minor intervals per major one: 5 when every unit is a major interval, else
// the largest divisor up to 10 of the units per major interval.
int MinorFor(long long units, int major);

} // namespace torvel
