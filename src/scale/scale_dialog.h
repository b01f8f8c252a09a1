// The scale dialog's rules: reading the six limit boxes and the "Multi-Scale"
// choice, and what each of its buttons does to the document.
#pragma once

#include "core/document.h"
#include "core/feedback.h"
#include "scale/grid_settings.h"
#include "scale/ranges.h"
#include "scale/redraw_hooks.h"

#include <string>
#include <utility>

namespace torvel {

// Item indices of the "Multi-Scale" radio group AutoBox.
enum AutoBoxChoice { AutoBoxX = 0, AutoBoxY = 1, AutoBoxBoth = 2, AutoBoxDisable = 3 };

// The box texts and choices of the scale dialog. The Qt dialog copies these to
// and from its widgets (same names) and calls the rules.
struct ScaleDialogState {
    RangeTexts Boxes; // MaxX, MinX, MaxYL, MinYL, MaxYR, MinYR
    int AutoBox = AutoBoxDisable;
    // Set while Show makes its own selection, so that selection is not applied.
    bool JustShown = false;
    bool CancelShown = true; // "Cancel" visible and enabled
    bool GridButtonShown = true;
    std::string FocusBox = "MaxX"; // the box whose text is selected and focused
};

// Reads the choice and the limit boxes of the axes not in multi-scale mode into
// the settings. An empty box reads as 0; a box that does not read as a finite
// number beeps and keeps its limit. Equal limits put the axis in multi-scale
// mode. Draws nothing.
void ApplyScaleSettings(const RangeTexts& boxes, int autoBox, GraphSettings& settings,
                        Feedback& feedback);

// The scale dialog's events. The Qt dialog keeps one of these, copies its
// widgets into State before an event and back after it (with the AutoBox
// signals blocked), and does the placing, closing and opening of other dialogs.
class ScaleDialogRules {
  public:
    // grid: the grid dialog's rules, whose Clear the "Find All" button uses.
    ScaleDialogRules(Document& doc, Feedback& feedback, RedrawHooks redraw, GridDialogRules& grid)
        : doc_(doc), feedback_(feedback), redraw_(std::move(redraw)), grid_(grid) {}

    ScaleDialogState State;

    // Clears the three multi-scale flags, selects "Disable" and fills the boxes.
    void Show(bool gridDialogVisible);
    // "OK" (then close) and "Grid" (then open the grid dialog).
    void OK() { Apply(); }
    void GoGrid() { Apply(); }
    // "Find" X, YL, YR: the data range into the limits and boxes; no drawing.
    void FindX() { FindXRange(doc_, State.Boxes); }
    void FindYL() { FindYLRange(doc_, State.Boxes); }
    void FindYR() { FindYRRange(doc_, State.Boxes); }
    // "Auto" X, YL, YR.
    void AutoX();
    void AutoYL();
    void AutoYR();
    // "Find All": every data range, then the grid counts reset (which draws).
    void FindAll();
    // "View": applies the boxes and draws, "Cancel" goes away.
    void View();

    // The user picked another AutoBox item (already in State.AutoBox).
    void AutoBoxChanged();
    // The program selects an AutoBox item; a real change counts as a change.
    void SelectAutoBox(int choice);

  private:
    void Apply() { ApplyScaleSettings(State.Boxes, State.AutoBox, doc_.Settings, feedback_); }

    Document& doc_;
    Feedback& feedback_;
    RedrawHooks redraw_;
    GridDialogRules& grid_;
    bool refusing_ = false;
};

} // namespace torvel
