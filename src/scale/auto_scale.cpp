#include "scale/auto_scale.h"

#include <cmath>
#include <utility>

namespace torvel {

namespace {

// A ratio of the limits' magnitudes up to this counts as a narrow range far
// from zero, which keeps more digits.
constexpr Real NarrowRatio = 1.01L;
// Beyond this ratio (same signs) the smaller limit is pulled to zero.
constexpr Real ZeroPullRatio = 3.0L;
// A fraction above this is taken as a whole unit (arithmetic noise).
constexpr Real WholeFraction = 0.99999999999L;
// The widening always ends within a few dozen steps; this only bounds the loop
// should arithmetic ever disagree.
constexpr int MaxWidenings = 10000;

// A limit brought by powers of ten to about two significant digits (more for
// narrow ranges), so that it can be rounded to a whole number of units.
struct ScaledLimit {
    Real Value = 0;
    int Count = 0;
    bool Divided = false;
};

ScaledLimit ScaleLimit(Real v, long long limit) {
    ScaledLimit s;
    const Real upper = static_cast<Real>(limit);
    const Real lower = static_cast<Real>(limit / 10);
    if (std::fabs(v) >= upper) {
        s.Divided = true;
        while (std::fabs(v) >= upper) {
            v /= 10;
            ++s.Count;
        }
    } else {
        while (std::fabs(v) < lower) {
            v *= 10;
            ++s.Count;
        }
    }
    s.Value = v;
    return s;
}

Real UnscaleLimit(Real v, const ScaledLimit& s) {
    for (int i = 0; i < s.Count; ++i) {
        if (s.Divided)
            v *= 10;
        else
            v /= 10;
    }
    return v;
}

} // namespace

AxisCounts CountsOf(GraphSettings& s, ScaleAxis axis) {
    switch (axis) {
    case ScaleAxis::YL:
        return {s.YGridMajor, s.YGridMinor, s.YLTicks, s.YLDecimals};
    case ScaleAxis::YR:
        return {s.YGridMajor, s.YGridMinor, s.YRTicks, s.YRDecimals};
    default:
        return {s.XGridMajor, s.XGridMinor, s.XTicks, s.XDecimals};
    }
}

RangeUnits CountRangeUnits(Real d, Real upper) {
    RangeUnits r;
    if (d >= upper) {
        while (d >= upper) {
            d /= 10;
            ++r.Down;
        }
    } else {
        const Real lower = upper / 10;
        while (d < lower) {
            d *= 10;
            ++r.Up;
        }
    }
    const Real whole = std::trunc(d);
    r.Fraction = std::fabs(d - whole);
    r.Units = static_cast<long long>(whole) + (r.Fraction > WholeFraction ? 1 : 0);
    return r;
}

int LargestDivisorUpTo(long long n, int limit) {
    if (n < 1) return 1;
    for (int g = limit; g > 1; --g)
        if (n % g == 0) return g;
    return 1;
}

int MajorFor(long long units, ScaleAxis axis) {
    const int g = LargestDivisorUpTo(units, 20);
    if (axis != ScaleAxis::X || g <= 10) return g;
    if (g % 2 == 0) return g / 2;
    if (g % 3 == 0) return g / 3;
    return g;
}

int TicksFor(int major) {
    return major % 2 == 0 ? major / 2 : major;
}

int MinorFor(long long units, int major) {
    return units == major ? 5 : LargestDivisorUpTo(units / major, 10);
}

std::optional<AxisScale> ComputeAutoScale(Real max, Real min, ScaleAxis axis) {
    Real M = max;
    Real m = min;
    if (!std::isfinite(M) || !std::isfinite(m) || M == m) return std::nullopt;
    // The rules below need max above min; a range measured the wrong way round
    // (a log axis with no positive Y reports max 0, min 0.1) would never end.
    if (M < m) std::swap(M, m);

    // Rounding limit: narrow ranges far from zero keep more digits.
    long long roundingLimit = 100;
    const bool bothNonZero = M != 0 && m != 0;
    Real ratio = 0;
    if (bothNonZero) {
        const Real aM = std::fabs(M);
        const Real am = std::fabs(m);
        ratio = aM > am ? aM / am : am / aM;
        if (ratio <= NarrowRatio) {
            const Real fraction = ratio - 1;
            const Real inverse = fraction == 0 ? 10 : 1 / fraction;
            if (inverse <= 1E6L) {
                roundingLimit = static_cast<long long>(inverse);
                if (M - m < 1) roundingLimit *= 10;
            }
        }
    }

    // Zero pull: data far from zero on one side start the axis at zero.
    if (bothNonZero && ratio > ZeroPullRatio && ((M > 0) == (m > 0))) {
        if (std::fabs(M) > std::fabs(m))
            m = 0;
        else
            M = 0;
    }

    ScaledLimit top;
    if (M != 0) {
        top = ScaleLimit(M, roundingLimit);
        top.Value = std::ceil(top.Value);
        M = UnscaleLimit(top.Value, top);
    }
    ScaledLimit bottom;
    if (m != 0) {
        bottom = ScaleLimit(m, roundingLimit);
        bottom.Value = std::floor(bottom.Value);
        m = UnscaleLimit(bottom.Value, bottom);
    }

    bool small = false;
    RangeUnits u;
    int g = 1;
    for (int widenings = 0;; ++widenings) {
        if (M > 0 && m < 0) {
            if (M <= -m)
                M = -m;
            else
                m = -M;
        }
        const Real d = M - m;
        // Limits at the end of the extended range: nothing sensible to scale.
        if (!std::isfinite(M) || !std::isfinite(m) || !std::isfinite(d) || d <= 0)
            return std::nullopt;
        if (d < 1) small = true;
        u = CountRangeUnits(d, 100);
        g = MajorFor(u.Units, axis);
        const bool accepted = axis == ScaleAxis::X ? (g >= 4 && g <= 10) : g >= 4;
        // A symmetric range is kept even with an awkward count: widening one
        // side would break the symmetry.
        if (accepted || (M > 0 && m < 0) || widenings >= MaxWidenings) break;
        if (M > 0) {
            top.Value += 1;
            M = UnscaleLimit(std::trunc(top.Value), top);
        } else {
            bottom.Value -= 1;
            m = UnscaleLimit(std::trunc(bottom.Value), bottom);
        }
    }

    AxisScale result;
    result.Max = M;
    result.Min = m;
    int decimals = u.Up < u.Down ? 0 : (small ? u.Up : u.Up + 1);
    if (M - m > 1 && decimals > 0) --decimals;
    result.Decimals = decimals;
    result.Major = g;
    result.Ticks = TicksFor(g);
    result.Minor = MinorFor(u.Units, g);
    return result;
}

bool AutoScaleFromLimits(GraphSettings& s, ScaleAxis axis, RangeTexts& boxes) {
    const AxisLimits limits = LimitsOf(s, axis);
    const std::optional<AxisScale> r = ComputeAutoScale(limits.Max, limits.Min, axis);
    if (!r) return false;
    limits.Max = r->Max;
    limits.Min = r->Min;
    const AxisCounts counts = CountsOf(s, axis);
    counts.Major = r->Major;
    counts.Minor = r->Minor;
    counts.Ticks = r->Ticks;
    counts.Decimals = r->Decimals;
    ShowLimits(boxes, axis, r->Max, r->Min);
    limits.MultiScale = false;
    return true;
}

void AutoScaleXAxis(Document& doc, RangeTexts& boxes) {
    FindXRange(doc, boxes);
    AutoScaleFromLimits(doc.Settings, ScaleAxis::X, boxes);
}

void AutoScaleYLAxis(Document& doc, RangeTexts& boxes) {
    FindYLRange(doc, boxes);
    AutoScaleFromLimits(doc.Settings, ScaleAxis::YL, boxes);
}

void AutoScaleYRAxis(Document& doc, RangeTexts& boxes) {
    FindYRRange(doc, boxes);
    AutoScaleFromLimits(doc.Settings, ScaleAxis::YR, boxes);
}

void AutoScaleGraph(Document& doc, RangeTexts& boxes, const std::function<void()>& draw) {
    AutoScaleXAxis(doc, boxes);
    AutoScaleYLAxis(doc, boxes);
    if (draw) draw();
}

} // namespace torvel
