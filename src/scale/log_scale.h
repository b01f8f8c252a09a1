// The log scale dialog's rules: linear or logarithmic X and Y axes, and how
// logarithmic scale numbers are written.
#pragma once

#include "core/data_model.h"
#include "scale/redraw_hooks.h"

#include <utility>

namespace torvel {

// Item indices of the "Log Scale" radio group LogBox.
enum LogBoxChoice { LogBoxX = 0, LogBoxY = 1, LogBoxBoth = 2, LogBoxNone = 3 };
// Item indices of the "Format Log Scale" radio group FormatBox.
enum FormatBoxChoice { FormatExponential = 0, FormatDecimal = 1 };

struct LogScaleDialogState {
    int LogBox = LogBoxNone;
    int FormatBox = FormatExponential;
    bool CancelShown = true; // "Cancel" visible and enabled

    bool operator==(const LogScaleDialogState&) const = default;
};

// The choice that shows the current flags.
int LogBoxFor(const GraphSettings& settings);

// The log scale dialog's events. The Qt dialog copies its radio groups into
// State before an event and back after it; it does the showing and closing.
// A selection made by Show does not count as a change (the ui sets the radio
// groups with their signals blocked).
class LogScaleDialogRules {
  public:
    LogScaleDialogRules(GraphSettings& settings, RedrawHooks redraw)
        : settings_(settings), redraw_(std::move(redraw)) {}

    LogScaleDialogState State;

    void Show();
    // The user picked another LogBox or FormatBox item (already in State):
    // takes effect at once and the graph is drawn again.
    void LogBoxChanged();
    void FormatBoxChanged();
    // "OK": sets the three flags from the two groups (the ui then closes).
    void OK();

  private:
    void ApplyLogBox();
    void ApplyFormatBox();

    GraphSettings& settings_;
    RedrawHooks redraw_;
};

} // namespace torvel
