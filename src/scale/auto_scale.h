// Automatic scaling of an axis: round limits of about two significant digits,
// a zero pull for data far from zero, symmetric limits across zero, and the
// grid, label and decimal counts that go with them.
#pragma once

#include "core/document.h"
#include "scale/ranges.h"

#include <functional>
#include <optional>

namespace torvel {

enum class ScaleAxis { X, YL, YR };

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

// The largest whole number from 1 to limit that divides n (1 for n < 1).
int LargestDivisorUpTo(long long n, int limit);

} // namespace torvel
