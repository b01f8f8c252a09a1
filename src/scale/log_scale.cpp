#include "scale/log_scale.h"

namespace torvel {

int LogBoxFor(const GraphSettings& s) {
    if (s.LogX && s.LogY) return LogBoxBoth;
    if (s.LogX) return LogBoxX;
    if (s.LogY) return LogBoxY;
    return LogBoxNone;
}

void LogScaleDialogRules::Show() {
    State.LogBox = LogBoxFor(settings_);
    State.FormatBox = settings_.LogFormatExponential ? FormatExponential : FormatDecimal;
    State.CancelShown = true;
}

void LogScaleDialogRules::ApplyLogBox() {
    settings_.LogX = State.LogBox == LogBoxX || State.LogBox == LogBoxBoth;
    settings_.LogY = State.LogBox == LogBoxY || State.LogBox == LogBoxBoth;
}

void LogScaleDialogRules::ApplyFormatBox() {
    settings_.LogFormatExponential = State.FormatBox == FormatExponential;
}

void LogScaleDialogRules::LogBoxChanged() {
    ApplyLogBox();
    State.CancelShown = false;
    redraw_.DrawIfShown();
}

void LogScaleDialogRules::FormatBoxChanged() {
    ApplyFormatBox();
    State.CancelShown = false;
    redraw_.DrawIfShown();
}

void LogScaleDialogRules::OK() {
    ApplyLogBox();
    ApplyFormatBox();
}

} // namespace torvel
