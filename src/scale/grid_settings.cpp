#include "scale/grid_settings.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>

namespace torvel {

namespace {

constexpr Real WholeFraction = 0.99999999999L;
constexpr Real FractionNoise = 1E-11L;

// One pass of the auto-grid at two (upper 100) or three (upper 1000)
// significant digits.
struct GridPass {
    AxisGrid Grid;
    long long Units = 0;
    bool Bad = false;
};

GridPass RunGridPass(Real range, Real upper, int extraDigits, ScaleAxis axis) {
    GridPass pass;
    Real d = range;
    const bool small = d < 1;
    int up = 0;
    int down = 0;
    if (d >= upper) {
        while (d >= upper) {
            d /= 10;
            ++down;
        }
    } else {
        const Real lower = upper / 10;
        while (d < lower) {
            d *= 10;
            ++up;
        }
    }
    const Real whole = std::trunc(d);
    const Real fraction = std::fabs(d - whole);
    pass.Bad = fraction > FractionNoise && fraction < WholeFraction;
    int decimals = up < down ? 0 : (small ? up - 1 - extraDigits : up - extraDigits);
    // A range of 100 to 1000 read at three digits would ask for -1 decimals.
    pass.Grid.Decimals = std::max(decimals, 0);
    pass.Units = static_cast<long long>(whole) + (fraction > WholeFraction ? 1 : 0);
    int g = LargestDivisorUpTo(pass.Units, 20);
    if (axis == ScaleAxis::X) {
        if (g > 10 && g % 2 == 0)
            g /= 2;
        else if (g > 10 && g % 3 == 0)
            g /= 3;
    }
    pass.Grid.Major = g;
    pass.Grid.Ticks = g % 2 == 0 ? g / 2 : g;
    return pass;
}

void ReadCount(const std::string& text, int emptyValue, int low, int high, int& setting,
               Feedback& feedback) {
    if (text.empty()) {
        setting = emptyValue;
        return;
    }
    const IntegerRead r = TextToInteger(CommaToPoint(text));
    if (!r.Ok() || r.Value < low || r.Value > high) {
        feedback.Beep();
        return;
    }
    setting = r.Value;
}

std::string IntText(int v) {
    return std::to_string(v);
}

void AutoGridAxis(ScaleAxis axis, GridDialogState& boxes, GraphSettings& s, Feedback& feedback,
                  const RedrawHooks& redraw) {
    const bool log = axis == ScaleAxis::X ? s.LogX : s.LogY;
    const Real max = axis == ScaleAxis::X ? s.XMax : axis == ScaleAxis::YL ? s.YLMax : s.YRMax;
    const Real min = axis == ScaleAxis::X ? s.XMin : axis == ScaleAxis::YL ? s.YLMin : s.YRMin;
    const std::optional<AxisGrid> grid = log ? std::nullopt : ComputeAutoGrid(max, min, axis);
    if (!grid) {
        feedback.Beep();
        return;
    }
    switch (axis) {
    case ScaleAxis::X:
        s.XGridMajor = grid->Major;
        s.XGridMinor = grid->Minor;
        s.XTicks = grid->Ticks;
        s.XDecimals = grid->Decimals;
        boxes.XMajor = IntText(grid->Major);
        boxes.XMinor = IntText(grid->Minor);
        boxes.XTicks = IntText(grid->Ticks);
        boxes.XDec = IntText(grid->Decimals);
        break;
    case ScaleAxis::YL:
    case ScaleAxis::YR:
        s.YGridMajor = grid->Major;
        s.YGridMinor = grid->Minor;
        boxes.YMajor = IntText(grid->Major);
        boxes.YMinor = IntText(grid->Minor);
        if (axis == ScaleAxis::YL) {
            s.YLTicks = grid->Ticks;
            s.YLDecimals = grid->Decimals;
            boxes.YLTicks = IntText(grid->Ticks);
            boxes.YLDec = IntText(grid->Decimals);
        } else {
            s.YRTicks = grid->Ticks;
            s.YRDecimals = grid->Decimals;
            boxes.YRTicks = IntText(grid->Ticks);
            boxes.YRDec = IntText(grid->Decimals);
        }
        break;
    }
    boxes.CancelShown = false;
    redraw.EnsureDraw();
}

} // namespace

std::optional<AxisGrid> ComputeAutoGrid(Real max, Real min, ScaleAxis axis) {
    const Real range = std::fabs(max - min);
    if (max == min || !std::isfinite(range)) return std::nullopt;

    GridPass pass = RunGridPass(range, 100, 0, axis);
    if (pass.Grid.Major == 1 || pass.Bad) pass = RunGridPass(range, 1000, 1, axis);

    AxisGrid grid = pass.Grid;
    grid.Minor = pass.Units == grid.Major ? 5 : LargestDivisorUpTo(pass.Units / grid.Major, 10);
    if (pass.Bad) grid = AxisGrid{};
    return grid;
}

void ApplyGridSettings(const GridDialogState& b, GraphSettings& s, Feedback& feedback) {
    if (b.XMinor != LogBoxText) {
        ReadCount(b.XMinor, 1, 1, 10, s.XGridMinor, feedback);
        ReadCount(b.XMajor, 1, 1, 20, s.XGridMajor, feedback);
        ReadCount(b.XTicks, 1, 1, 20, s.XTicks, feedback);
        ReadCount(b.XDec, 0, 0, 8, s.XDecimals, feedback);
    }
    if (b.YMinor != LogBoxText) {
        ReadCount(b.YMinor, 1, 1, 10, s.YGridMinor, feedback);
        ReadCount(b.YMajor, 1, 1, 20, s.YGridMajor, feedback);
        ReadCount(b.YLTicks, 1, 1, 20, s.YLTicks, feedback);
        ReadCount(b.YLDec, 0, 0, 8, s.YLDecimals, feedback);
        ReadCount(b.YRTicks, 1, 1, 20, s.YRTicks, feedback);
        ReadCount(b.YRDec, 0, 0, 8, s.YRDecimals, feedback);
    }
}

void ClearGrid(GridDialogState& b, GraphSettings& s, Feedback& feedback,
               const RedrawHooks& redraw) {
    if (!s.LogX) {
        b.XMinor = b.XMajor = b.XTicks = "1";
        b.XDec = "2";
        s.XGridMinor = s.XGridMajor = s.XTicks = 1;
        s.XDecimals = 2;
    }
    if (!s.LogY) {
        b.YMinor = b.YMajor = b.YLTicks = b.YRTicks = "1";
        b.YLDec = b.YRDec = "2";
        s.YGridMinor = s.YGridMajor = s.YLTicks = s.YRTicks = 1;
        s.YLDecimals = s.YRDecimals = 2;
    }
    if (s.LogX && s.LogY) {
        feedback.Beep();
        return;
    }
    redraw.EnsureDraw();
}

void AutoGridX(GridDialogState& b, GraphSettings& s, Feedback& f, const RedrawHooks& r) {
    AutoGridAxis(ScaleAxis::X, b, s, f, r);
}
void AutoGridYL(GridDialogState& b, GraphSettings& s, Feedback& f, const RedrawHooks& r) {
    AutoGridAxis(ScaleAxis::YL, b, s, f, r);
}
void AutoGridYR(GridDialogState& b, GraphSettings& s, Feedback& f, const RedrawHooks& r) {
    AutoGridAxis(ScaleAxis::YR, b, s, f, r);
}

void GridDialogRules::Show(bool scaleDialogVisible) {
    const GraphSettings& s = settings_;
    GridDialogState& b = State;
    b.ScaleButtonShown = !scaleDialogVisible;
    b.CancelShown = true;
    b.XMinor = IntText(s.XGridMinor);
    b.XMajor = IntText(s.XGridMajor);
    b.XTicks = IntText(s.XTicks);
    b.XDec = IntText(s.XDecimals);
    b.YMinor = IntText(s.YGridMinor);
    b.YMajor = IntText(s.YGridMajor);
    b.YLTicks = IntText(s.YLTicks);
    b.YLDec = IntText(s.YLDecimals);
    b.YRTicks = IntText(s.YRTicks);
    b.YRDec = IntText(s.YRDecimals);
    b.XBoxesEnabled = true;
    b.YBoxesEnabled = true;
    b.FocusBox = "XMajor";
    if (s.LogX) {
        b.XMinor = b.XMajor = b.XTicks = b.XDec = LogBoxText;
        b.XBoxesEnabled = false;
        b.FocusBox = "YMinor";
    }
    if (s.LogY) {
        b.YMinor = b.YMajor = b.YLTicks = b.YLDec = b.YRTicks = b.YRDec = LogBoxText;
        b.YBoxesEnabled = false;
    }
}

void GridDialogRules::View() {
    GraphSettings& s = settings_;
    if (s.LogX && s.LogY) {
        feedback_.Beep();
        return;
    }
    ApplyGridSettings(State, s, feedback_);
    if (s.XMax != s.XMin) s.MultiScaleX = false;
    if (s.YLMax != s.YLMin) s.MultiScaleYL = false;
    if (s.YRMax != s.YRMin) s.MultiScaleYR = false;
    State.CancelShown = false;
    redraw_.EnsureDraw();
}

void GridDialogRules::Clear() {
    State.CancelShown = false;
    ClearGrid(State, settings_, feedback_, redraw_);
}

} // namespace torvel
