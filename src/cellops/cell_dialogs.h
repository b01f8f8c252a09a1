// The rules of the three cell-operation dialogs ("Math Fill Cells", "Math
// Operations on Cells", "Math X & Y Operations"): each keeps the texts and
// choices of its boxes in a state struct; the Qt dialogs copy their widgets
// to and from it and call one rule per event.
#pragma once

#include "cellops/cell_ops.h"
#include "core/document.h"
#include "core/feedback.h"
#include "scale/redraw_hooks.h"

#include <array>
#include <functional>
#include <string>

namespace torvel {

inline constexpr const char* FillCaption = "Math Fill Cells";
inline constexpr const char* MathCaption = "Math Operations on Cells";
inline constexpr const char* MathXYCaption = "Math X & Y Operations";
inline constexpr const char* UndefinedOperationText =
    "Undefined math operation.  Some cells may be incorrect.";
inline constexpr const char* EnterIntegerText = "Enter integer";
inline constexpr const char* EnterValueText = "Enter value";
inline constexpr const char* TooLargeText = "Too Large";
inline constexpr int FillHelpContext = 1140;
inline constexpr int MathHelpContext = 1120;
inline constexpr int MathXYHelpContext = 1160;

inline constexpr std::array<const char*, 2> OperateOnItems = {"X Column cells", "Y Column cells"};
inline constexpr std::array<const char*, 4> FillLabels = {"Start Index", "Stop Index",
                                                          "Start Value", "Step Value"};
inline constexpr std::array<const char*, CellOpCount> OperationItems = {
    "Cell + K",  "Cell - K",    "Cell * K", "Cell / K",    "Cell ^ K",
    "10 ^ Cell", "Log10(Cell)", "1 / Cell", "Round(Cell) "};
inline constexpr std::array<const char*, 3> MathTargetItems = {"Selected cells", "X Column cells",
                                                               "Y Column cells"};
inline constexpr std::array<const char*, XYOpCount> MathXYItems = {
    "Switch X&Y", "Y = Y + X", "Y = Y - X", "Y = Y * X",
    "Y = Y / X",  "Y = X / Y", "Y= Sum(Y)", "Y= Integral of f(x) dx"};

// "Series # 3" (fill, operate) and "Series Number  3" (X & Y).
std::string SeriesHashCaption(int seriesNumber);
std::string SeriesNumberCaption(int seriesNumber);

// Reports a fault of a pass the way the program reports floating-point faults.
void ReportFault(Feedback& feedback, CellFault fault);

// ---------------------------------------------------------------- fill

struct FillDialogState {
    int OperateOnBox = 0; // 0 X column, 1 Y column
    std::string Edit1, Edit2, Edit3, Edit4;
    std::string Label1;
    // The box a failure wrote its text into (focused and selected), or empty.
    std::string FailedBox;
};

class FillDialogRules {
  public:
    FillDialogRules(Document& doc, Feedback& feedback, RedrawHooks redraw)
        : doc_(doc), feedback_(feedback), redraw_(std::move(redraw)) {}

    FillDialogState State;

    // Fills only the empty boxes: 1, the row count, 1, 1.
    void Show(const Series& series);
    // "Operate": true when the cells were filled.
    bool Operate(Series& series);
    // "Next": the series loop moves on to the next series.
    void Next() { doc_.NextSeriesRequested = true; }

  private:
    bool Fail(std::string& box, const char* name, const char* text);

    Document& doc_;
    Feedback& feedback_;
    RedrawHooks redraw_;
};

// ---------------------------------------------------------------- operate on cells

enum MathTarget { SelectedCells = 0, XColumnCellsTarget = 1, YColumnCellsTarget = 2 };

struct MathDialogState {
    int OperationBox = 0;
    std::string Edit1; // K
    int Target = SelectedCells;
    std::string Edit2, Edit3, Edit4; // Total, Average, Sigma
    std::string Label1;
};

class MathDialogRules {
  public:
    MathDialogRules(Document& doc, Feedback& feedback, RedrawHooks redraw)
        : doc_(doc), feedback_(feedback), redraw_(std::move(redraw)) {}

    MathDialogState State;

    // K into its box, the statistics of the target.
    void Show(const Series& series, CellRect selection);
    // One of the three target buttons was clicked.
    void TargetChanged(const Series& series, CellRect selection);
    // "Operate": true when cells were rewritten. `shown` runs once the cells
    // and the statistics are new and before any message about them, so that
    // the user sees what the message is about.
    bool Operate(Series& series, CellRect selection, const std::function<void()>& shown = {});
    // Focus left for another window: K read, a beep when it does not read.
    void Deactivate() { ReadK(true); }
    // "Calculator": K read when it reads, silently otherwise.
    void CalculatorButton() { ReadK(false); }
    // The calculator closed: its X is K.
    void CalculatorClosed() { ShowK(); }
    // "Copy": Total, Average and Sigma separated by a carriage return.
    std::string CopyText() const;
    // "Next": the series loop moves on to the next series.
    void Next() { doc_.NextSeriesRequested = true; }

  private:
    CellRect Targets(const Series& series, CellRect selection) const;
    void ShowStatistics(const Series& series, CellRect selection);
    bool ReadK(bool beep);
    void ShowK();

    Document& doc_;
    Feedback& feedback_;
    RedrawHooks redraw_;
    // The text ShowK put into the K box: while the box shows it, K keeps the
    // digits the text leaves out.
    std::string shownK_;
};

// ---------------------------------------------------------------- X & Y

struct MathXYDialogState {
    int Math_XYBox = 0;
    std::string Label1;
};

class MathXYDialogRules {
  public:
    MathXYDialogRules(Document& doc, Feedback& feedback, RedrawHooks redraw)
        : doc_(doc), feedback_(feedback), redraw_(std::move(redraw)) {}

    MathXYDialogState State;

    void Show(const Series& series) { State.Label1 = SeriesNumberCaption(series.SeriesNumber); }
    // "Operate": true when the rows changed.
    bool Operate(Series& series);
    // "Next": the series loop moves on to the next series.
    void Next() { doc_.NextSeriesRequested = true; }

  private:
    Document& doc_;
    Feedback& feedback_;
    RedrawHooks redraw_;
};

} // namespace torvel
