// The axis scales of one draw: logarithmic limits rounded out to powers of
// ten (both Y axes showing the same number of decades), or the linear limits.
#pragma once

#include "core/document.h"
#include "scale/ranges.h"

namespace torvel {

struct AxisMapping {
    bool Log = false;    // logarithmic for this draw (natural-log units)
    Real Origin = 0;     // Min, or ln(Min)
    Real Range = 0;      // Max - Min, or ln(Max) - ln(Min)
    int Decades = 0;     // decade count n (logarithmic only)
    int LowExponent = 0; // e_lo (logarithmic only)
};

struct AxisMappings {
    AxisMapping X, YL, YR;
};

// Normalises the logarithmic axes in doc.Settings (limits, multi-scale flags)
// and returns the scales of the three axes. An unusable logarithmic range is
// first replaced by the data range (boxes shows it; may be null).
AxisMappings NormaliseAxes(Document& doc, bool hasLeft, bool hasRight, RangeTexts* boxes);

} // namespace torvel
