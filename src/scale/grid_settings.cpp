#include "scale/grid_settings.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>

namespace torvel {

namespace {

const char* const BothLogText = "Both axes are logarithmic: their grids are fixed.";

constexpr Real FractionNoise = 1E-11L;
constexpr Real WholeFraction = 0.99999999999L;

// One pass of the auto-grid at two (upper 100) or three (upper 1000)
// significant digits.
struct GridPass {
    AxisGrid Grid;
    long long Units = 0;
    bool Bad = false;
};

GridPass RunGridPass(Real range, Real upper, int extraDigits, ScaleAxis axis) {
    GridPass pass;
    const RangeUnits u = CountRangeUnits(range, upper);
    pass.Units = u.Units;
    pass.Bad = u.Fraction > FractionNoise && u.Fraction < WholeFraction;
    const int decimals = u.Up < u.Down ? 0 : (range < 1 ? u.Up - 1 : u.Up) - extraDigits;
    // A range of 100 to 1000 read at three digits would ask for -1 decimals.
    pass.Grid.Decimals = std::max(decimals, 0);
    pass.Grid.Major = MajorFor(u.Units, axis);
    pass.Grid.Ticks = TicksFor(pass.Grid.Major);
    return pass;
}

void ReadCount(const std::string& text, int emptyValue, int low, int high, int& setting,
               Feedback& feedback) {
    if (text.empty()) {
        setting = emptyValue;
        return;
    }
    const IntegerRead r = TextToInteger(CommaToPoint(text));
    // The box still showing the setting's own value is no refused input, even
    // when that value lies outside what may be typed (auto-scaling a very
    // narrow range gives more than 8 decimals).
    if (r.Ok() && r.Value == setting) return;
    if (!r.Ok() || r.Value < low || r.Value > high) {
        feedback.Beep("Enter a whole number from " + std::to_string(low) + " to " +
                      std::to_string(high) + ".");
        return;
    }
    setting = r.Value;
}

std::string IntText(int v) {
    return std::to_string(v);
}

// The four boxes of one axis (the Y axes share their major and minor boxes).
struct AxisBoxes {
    std::string& Major;
    std::string& Minor;
    std::string& Ticks;
    std::string& Dec;
};

AxisBoxes BoxesOf(GridDialogState& b, ScaleAxis axis) {
    switch (axis) {
    case ScaleAxis::YL:
        return {b.YMajor, b.YMinor, b.YLTicks, b.YLDec};
    case ScaleAxis::YR:
        return {b.YMajor, b.YMinor, b.YRTicks, b.YRDec};
    default:
        return {b.XMajor, b.XMinor, b.XTicks, b.XDec};
    }
}

bool LogOf(const GraphSettings& s, ScaleAxis axis) {
    return axis == ScaleAxis::X ? s.LogX : s.LogY;
}

void ShowCounts(GridDialogState& b, GraphSettings& s, ScaleAxis axis) {
    const AxisBoxes boxes = BoxesOf(b, axis);
    const AxisCounts counts = CountsOf(s, axis);
    boxes.Major = IntText(counts.Major);
    boxes.Minor = IntText(counts.Minor);
    boxes.Ticks = IntText(counts.Ticks);
    boxes.Dec = IntText(counts.Decimals);
}

void StoreCounts(GridDialogState& b, GraphSettings& s, ScaleAxis axis, const AxisGrid& grid) {
    const AxisCounts counts = CountsOf(s, axis);
    counts.Major = grid.Major;
    counts.Minor = grid.Minor;
    counts.Ticks = grid.Ticks;
    counts.Decimals = grid.Decimals;
    ShowCounts(b, s, axis);
}

void AutoGridAxis(ScaleAxis axis, GridDialogState& boxes, GraphSettings& s, Feedback& feedback,
                  const RedrawHooks& redraw) {
    const AxisLimits limits = LimitsOf(s, axis);
    const std::optional<AxisGrid> grid =
        LogOf(s, axis) ? std::nullopt : ComputeAutoGrid(limits.Max, limits.Min, axis);
    if (!grid) {
        feedback.Beep(LogOf(s, axis) ? "A logarithmic axis has a fixed grid."
                                     : "The axis range has no grid to choose.");
        return;
    }
    StoreCounts(boxes, s, axis, *grid);
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
    grid.Minor = MinorFor(pass.Units, grid.Major);
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
    for (ScaleAxis axis : AllScaleAxes)
        if (!LogOf(s, axis)) StoreCounts(b, s, axis, AxisGrid{});
    if (s.LogX && s.LogY) {
        feedback.Beep(BothLogText);
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
    GridDialogState& b = State;
    b.ScaleButtonShown = !scaleDialogVisible;
    b.CancelShown = true;
    for (ScaleAxis axis : AllScaleAxes)
        ShowCounts(b, settings_, axis);
    b.XBoxesEnabled = true;
    b.YBoxesEnabled = true;
    b.FocusBox = "XMajor";
    if (settings_.LogX) {
        b.XMinor = b.XMajor = b.XTicks = b.XDec = LogBoxText;
        b.XBoxesEnabled = false;
        b.FocusBox = "YMinor";
    }
    if (settings_.LogY) {
        b.YMinor = b.YMajor = b.YLTicks = b.YLDec = b.YRTicks = b.YRDec = LogBoxText;
        b.YBoxesEnabled = false;
    }
}

void GridDialogRules::View() {
    GraphSettings& s = settings_;
    if (s.LogX && s.LogY) {
        feedback_.Beep(BothLogText);
        return;
    }
    ApplyGridSettings(State, s, feedback_);
    for (ScaleAxis axis : AllScaleAxes) {
        const AxisLimits limits = LimitsOf(s, axis);
        if (limits.Max != limits.Min) limits.MultiScale = false;
    }
    State.CancelShown = false;
    redraw_.EnsureDraw();
}

void GridDialogRules::Clear() {
    State.CancelShown = false;
    ClearGrid(State, settings_, feedback_, redraw_);
}

} // namespace torvel
