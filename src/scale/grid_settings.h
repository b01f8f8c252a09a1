// The grid dialog's rules: reading the ten count boxes, resetting the counts,
// and deriving major, minor, ticks and decimals from an axis's limits.
#pragma once

#include "core/data_model.h"
#include "core/feedback.h"
#include "scale/auto_scale.h"
#include "scale/redraw_hooks.h"

#include <optional>
#include <string>
#include <utility>

namespace torvel {

// The box texts and button states of the grid dialog. The Qt dialog copies
// these to and from its widgets (same names) and calls the rules.
struct GridDialogState {
    std::string XMinor = "1", XMajor = "1", XTicks = "1", XDec = "2";
    std::string YMinor = "1", YMajor = "1", YLTicks = "1", YLDec = "2";
    std::string YRTicks = "1", YRDec = "2";
    bool XBoxesEnabled = true;
    bool YBoxesEnabled = true;
    bool CancelShown = true; // "Cancel" visible and enabled
    bool ScaleButtonShown = true;
    std::string FocusBox = "XMajor"; // the box whose text is selected and focused

    bool operator==(const GridDialogState&) const = default;
};

// What a logarithmic axis shows in its grid boxes.
inline constexpr const char* LogBoxText = "Log";

// Major grid intervals, minor intervals per major one, labelled intervals and
// decimals of one axis.
struct AxisGrid {
    int Major = 1, Minor = 1, Ticks = 1, Decimals = 2;
    bool operator==(const AxisGrid&) const = default;
};

// The auto-grid arithmetic on an axis's limits: two significant digits, then
// three, then the defaults. Empty when the limits are equal or not finite.
std::optional<AxisGrid> ComputeAutoGrid(Real max, Real min, ScaleAxis axis);

// Reads the boxes into the settings in dialog order; a bad or out-of-range box
// beeps and keeps its setting (a box holding its setting's current value is
// kept silently, in range or not); boxes reading "Log" are skipped by axis.
void ApplyGridSettings(const GridDialogState& boxes, GraphSettings& settings, Feedback& feedback);
// Resets the counts of the linear axes and shows them; beeps instead of
// drawing when both axes are logarithmic.
void ClearGrid(GridDialogState& boxes, GraphSettings& settings, Feedback& feedback,
               const RedrawHooks& redraw);
// Derive one axis's counts from its limits, show them, hide "Cancel", draw.
// Beeps and changes nothing on a logarithmic axis or with equal limits.
void AutoGridX(GridDialogState& boxes, GraphSettings& settings, Feedback& feedback,
               const RedrawHooks& redraw);
void AutoGridYL(GridDialogState& boxes, GraphSettings& settings, Feedback& feedback,
                const RedrawHooks& redraw);
void AutoGridYR(GridDialogState& boxes, GraphSettings& settings, Feedback& feedback,
                const RedrawHooks& redraw);

// The grid dialog's events. The Qt dialog keeps one of these, copies its
// widgets into State before an event and back after it, and does the showing,
// closing and opening of other dialogs itself.
class GridDialogRules {
  public:
    GridDialogRules(GraphSettings& settings, Feedback& feedback, RedrawHooks redraw)
        : settings_(settings), feedback_(feedback), redraw_(std::move(redraw)) {}

    GridDialogState State;

    // Fills the boxes from the settings ("Log" and disabled on log axes).
    void Show(bool scaleDialogVisible);
    // "OK" (then close) and "Scale" (then open the scale dialog).
    void OK() { ApplyGridSettings(State, settings_, feedback_); }
    void GoScale() { ApplyGridSettings(State, settings_, feedback_); }
    void View();
    // "Clear": hides "Cancel", then ClearGrid.
    void Clear();
    // ClearGrid on this dialog's boxes, as the scale dialog's "Find All" uses it.
    void ClearCounts() { ClearGrid(State, settings_, feedback_, redraw_); }
    void AutoX() { AutoGridX(State, settings_, feedback_, redraw_); }
    void AutoYL() { AutoGridYL(State, settings_, feedback_, redraw_); }
    void AutoYR() { AutoGridYR(State, settings_, feedback_, redraw_); }

  private:
    GraphSettings& settings_;
    Feedback& feedback_;
    RedrawHooks redraw_;
};

} // namespace torvel
