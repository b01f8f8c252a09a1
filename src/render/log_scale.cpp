#include "render/log_scale.h"

#include "render/draw_graph.h"
#include "render/scale_numbers.h"

#include <cmath>

namespace torvel {

namespace {

bool NearlyWhole(Real v) {
    return std::fabs(v - std::trunc(v)) < 1e-10L;
}

// The floor of Log10(min), counting a value within 1e-10 of a whole number
// as whole.
int LowExponentOf(Real min) {
    const Real l = Log10(min);
    int e = TruncLog10(min);
    if (!NearlyWhole(l) && l < 0) e -= 1;
    // At the bottom of the number range the power of ten would be 0.
    while (e < 0 && Power(e, 10) == 0)
        ++e;
    return e;
}

// The rounded-up exponent of max; max is raised to that power of ten unless
// it already is one.
int HighExponentOf(Real& max) {
    const Real l = Log10(max);
    if (NearlyWhole(l)) return TruncLog10(max);
    Real up = l;
    if (up <= 0) up -= 1;
    up = std::trunc(up) + 1;
    // At the top of the number range the next power of ten does not exist:
    // the limit stays as it is rather than becoming infinite.
    const Real rounded = Power(up, 10);
    if (!std::isfinite(rounded)) return TruncLog10(max);
    max = rounded;
    return static_cast<int>(up);
}

using FindRange = void (*)(Document&, RangeTexts&);

// Repairs an unusable range; true when the axis can be logarithmic.
bool Repair(Document& doc, Real& max, Real& min, FindRange find, RangeTexts* boxes) {
    if (max <= 0 || min <= 0 || max <= min) {
        RangeTexts scratch;
        find(doc, boxes ? *boxes : scratch);
        if (max <= 0) max = 10;
        if (min <= 0) min = 0.1L;
    }
    return max > 0 && min > 0 && max != min && std::isfinite(max) && std::isfinite(min);
}

AxisMapping Linear(Real max, Real min) {
    return {false, min, max - min, 0, 0};
}

AxisMapping LogAxis(Real& max, Real& min) {
    AxisMapping a;
    a.Log = true;
    a.LowExponent = LowExponentOf(min);
    min = Power(a.LowExponent, 10);
    HighExponentOf(max);
    a.Origin = std::log(min);
    a.Range = std::log(max) - std::log(min);
    a.Decades = TruncLog10(max) - a.LowExponent;
    return a;
}

} // namespace

AxisMappings NormaliseAxes(Document& doc, bool hasLeft, bool hasRight, RangeTexts* boxes) {
    GraphSettings& g = doc.Settings;
    AxisMappings s;
    s.X = Linear(g.XMax, g.XMin);
    s.YL = Linear(g.YLMax, g.YLMin);
    s.YR = Linear(g.YRMax, g.YRMin);

    if (g.LogX && Repair(doc, g.XMax, g.XMin, FindXRange, boxes)) {
        g.MultiScaleX = false;
        s.X = LogAxis(g.XMax, g.XMin);
    } else if (g.LogX) {
        s.X = Linear(g.XMax, g.XMin);
    }

    if (g.LogY && hasLeft) {
        if (Repair(doc, g.YLMax, g.YLMin, FindYLRange, boxes)) {
            g.MultiScaleYL = false;
            s.YL = LogAxis(g.YLMax, g.YLMin);
        } else {
            s.YL = Linear(g.YLMax, g.YLMin);
        }
    }

    if (g.LogY && hasRight) {
        if (Repair(doc, g.YRMax, g.YRMin, FindYRRange, boxes)) {
            g.MultiScaleYR = false;
            AxisMapping& a = s.YR;
            a.Log = true;
            const int high = HighExponentOf(g.YRMax);
            if (s.YL.Log) {
                // The right axis shows as many decades as the left one,
                // counted down from its own rounded-up maximum.
                a.Decades = s.YL.Decades;
                a.LowExponent = high - a.Decades;
            } else {
                a.LowExponent = LowExponentOf(g.YRMin);
                a.Decades = high - a.LowExponent;
            }
            g.YRMin = Power(a.LowExponent, 10);
            a.Origin = std::log(10.0L) * a.LowExponent;
            a.Range = std::log(10.0L) * a.Decades;
        } else {
            s.YR = Linear(g.YRMax, g.YRMin);
        }
    }
    return s;
}

} // namespace torvel
