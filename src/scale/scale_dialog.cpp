#include "scale/scale_dialog.h"

#include "core/number_text.h"
#include "scale/auto_scale.h"

#include <cmath>

namespace torvel {

namespace {

void ReadLimit(const std::string& text, Real& limit, Feedback& feedback) {
    if (text.empty()) {
        limit = 0;
        return;
    }
    const NumberRead r = TextToNumber(text);
    // An exponent beyond the extended range would give an infinite limit that
    // no axis can be drawn with: refused like any unreadable text.
    if (!r.Ok() || !std::isfinite(r.Value)) {
        feedback.Beep(r.Ok() ? "Too large for an axis limit: " + text : "Not a number: " + text);
        return;
    }
    limit = r.Value;
}

// Multi-scale mode is never allowed on a logarithmic axis; with both axes
// logarithmic the whole group is out of use, "Disable" included.
bool Refused(int choice, const GraphSettings& s) {
    if (s.LogX && s.LogY) return true;
    if (s.LogX && (choice == AutoBoxX || choice == AutoBoxBoth)) return true;
    if (s.LogY && (choice == AutoBoxY || choice == AutoBoxBoth)) return true;
    return false;
}

} // namespace

void ApplyScaleSettings(const RangeTexts& b, int autoBox, GraphSettings& s, Feedback& feedback) {
    s.MultiScaleX = autoBox == AutoBoxX || autoBox == AutoBoxBoth;
    s.MultiScaleYL = autoBox == AutoBoxY || autoBox == AutoBoxBoth;
    s.MultiScaleYR = s.MultiScaleYL;
    if (!s.MultiScaleX) {
        ReadLimit(b.MaxX, s.XMax, feedback);
        ReadLimit(b.MinX, s.XMin, feedback);
        if (s.XMax == s.XMin) s.MultiScaleX = true;
    }
    if (!s.MultiScaleYL) {
        ReadLimit(b.MaxYL, s.YLMax, feedback);
        ReadLimit(b.MinYL, s.YLMin, feedback);
        if (s.YLMax == s.YLMin) s.MultiScaleYL = true;
    }
    if (!s.MultiScaleYR) {
        ReadLimit(b.MaxYR, s.YRMax, feedback);
        ReadLimit(b.MinYR, s.YRMin, feedback);
        if (s.YRMax == s.YRMin) s.MultiScaleYR = true;
    }
}

void ScaleDialogRules::Show(bool gridDialogVisible) {
    GraphSettings& s = doc_.Settings;
    State.GridButtonShown = !gridDialogVisible;
    State.CancelShown = true;
    State.JustShown = true;
    s.MultiScaleX = false;
    s.MultiScaleYL = false;
    s.MultiScaleYR = false;
    SelectAutoBox(AutoBoxDisable);
    // Also when the selection was refused (both axes logarithmic): a flag left
    // set would swallow the user's next choice.
    State.JustShown = false;
    State.Boxes.MaxX = NumberToText(s.XMax, 14);
    State.Boxes.MinX = NumberToText(s.XMin, 14);
    State.Boxes.MaxYL = NumberToText(s.YLMax, 14);
    State.Boxes.MinYL = NumberToText(s.YLMin, 14);
    State.Boxes.MaxYR = NumberToText(s.YRMax, 14);
    State.Boxes.MinYR = NumberToText(s.YRMin, 14);
    State.FocusBox = "MaxX";
}

void ScaleDialogRules::SelectAutoBox(int choice) {
    if (State.AutoBox == choice) return;
    State.AutoBox = choice;
    AutoBoxChanged();
}

void ScaleDialogRules::AutoBoxChanged() {
    if (Refused(State.AutoBox, doc_.Settings)) {
        // The fallback selection comes back here as a change of its own; one
        // refusal beeps once.
        if (!refusing_) feedback_.Beep("Multi-scale is not possible on a logarithmic axis.");
        refusing_ = true;
        SelectAutoBox(AutoBoxDisable);
        refusing_ = false;
        return;
    }
    if (State.JustShown)
        State.JustShown = false; // Show's own selection: the boxes are not filled yet
    else
        Apply();
    redraw_.DrawIfShown();
}

void ScaleDialogRules::AutoX() {
    AutoScaleXAxis(doc_, State.Boxes);
    SelectAutoBox(AutoBoxDisable);
    redraw_.DrawIfShown();
}

void ScaleDialogRules::AutoYL() {
    AutoScaleYLAxis(doc_, State.Boxes);
    SelectAutoBox(AutoBoxDisable);
    redraw_.EnsureDraw();
}

void ScaleDialogRules::AutoYR() {
    AutoScaleYRAxis(doc_, State.Boxes);
    SelectAutoBox(AutoBoxDisable);
    redraw_.EnsureDraw();
}

void ScaleDialogRules::FindAll() {
    SelectAutoBox(AutoBoxDisable);
    Apply();
    FindAllRanges(doc_, State.Boxes);
    grid_.ClearCounts();
}

void ScaleDialogRules::View() {
    SelectAutoBox(AutoBoxDisable);
    Apply();
    State.CancelShown = false;
    redraw_.EnsureDraw();
}

} // namespace torvel
