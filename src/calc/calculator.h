// The reverse-Polish calculator without its window: the four-level stack, the
// memory, the X box as text with its selection, every operation, the keys
// typed into the X box and the window's toggles. The window (ui/calc_window)
// copies its boxes into Boxes before an event and shows them after it.
#pragma once

#include "core/data_model.h"
#include "core/feedback.h"

#include <optional>
#include <string>
#include <string_view>

namespace torvel {

inline constexpr const char* CalcCaption = "Torvel RPN Calculator";
inline constexpr const char* MathErrorText = "Math Error";
// What an unguarded operation reports when its result leaves the extended range.
inline constexpr const char* FloatOverflowText = "Floating point overflow.";
inline constexpr int CalcHelpContext = 150;

// The register box last entered with the mouse, for copying.
enum class CalcRegister { None, Y, Z, T };

// The boxes of the window. SelStart / SelLength are EditX's selection (the
// caret alone when SelLength is 0); FocusX asks the window to give EditX the
// focus with that selection. SourceSelStart / SourceSelLength are the
// selection of the box CopySource names.
struct CalcBoxes {
    std::string EditX, EditY, EditZ, EditT;
    int SelStart = 0;
    int SelLength = 0;
    bool FocusX = false;
    int SourceSelStart = 0;
    int SourceSelLength = 0;
};

enum class CalcFunction { Sin, Cos, Tan, Asin, Acos, Atan, Log, TenX, Ln, Ex };
enum class CalcKey { Down, Up, PageUp, PageDown };

class Calculator {
  public:
    // constantK: the document's ConstantK, which X is mirrored into.
    Calculator(Real& constantK, Feedback& feedback) : k_(constantK), fb_(feedback) {}

    CalcBoxes Boxes;
    Real X = 0, Y = 0, Z = 0, T = 0;
    Real Memory = 0;
    // The next character typed into EditX first pushes the stack.
    bool LiftPending = false;
    bool OnTop = true;
    bool Expanded = true;
    bool Degrees = true;
    bool ShownOnce = false;
    CalcRegister CopySource = CalcRegister::None;

    // Showing the window. The first show takes X from ConstantK and shows the
    // stack; later shows keep the registers, except that X follows ConstantK
    // when something else (a loaded graph, the K box) changed it meanwhile.
    // True on the first show (the window shrinks and places itself then).
    bool Show();
    // The window became active: EditX focused and selected, no lift.
    void Activate();
    // The window closes: true when X read, and then ConstantK took it.
    bool Close();

    void Enter();
    void Add();
    void Subtract();
    void Multiply();
    void Divide();
    void Power();
    void ChangeSign();
    void Square();
    void SquareRoot();
    void Reciprocal();
    void RollDown();
    void RollUp();
    void Swap();
    void DegToRad();
    void RadToDeg();
    void Store();
    void Recall();
    void ClearX();
    void ClearAll();
    // sin ... e^x, with the "Math Error" rule.
    void Function(CalcFunction f);
    void ExponentSign();
    // The Copy button: the clipboard text, or nothing when X did not read.
    std::optional<std::string> Copy();
    // The Paste button, given the clipboard text.
    void Paste(std::string_view clipboard);
    void EditXButton();
    void ToggleTop();
    void ToggleSmall();
    void ToggleDegrees();

    // A character typed into EditX: the operators and Return are handled here;
    // any other printable character goes into the box (replacing the
    // selection), after the pending lift. False for a character the box
    // itself should handle (Backspace), after the pending lift.
    bool KeyChar(char c);
    // Keys released in EditX.
    void KeyRelease(CalcKey key);
    // Ctrl+X, Ctrl+C and Ctrl+V seen by the window: the clipboard text to
    // set, if any.
    std::string CutKey();
    std::string CopyKey();
    void PasteKey(std::string_view clipboard);
    // A register box was entered with the mouse (None: EditX was entered).
    void EnterBox(CalcRegister r) { CopySource = r; }

    // Captions and hints that follow the toggles.
    const char* TopCaption() const { return OnTop ? "Back" : "Top"; }
    const char* TopHint() const { return OnTop ? "Click moves to back" : "Click stays on top"; }
    const char* SmallCaption() const { return Expanded ? "Shrink" : "Trig"; }
    const char* SmallHint() const { return Expanded ? "Click to shrink" : "Click for Trig/Log"; }
    const char* AngleText() const { return Degrees ? "Degrees" : "Radians"; }

  private:
    bool ReadX();
    void FollowK();
    void Display();
    void Finish();
    void SelectX();
    void Drop();
    void Push();
    // Finishes with `result` in X, or reports an overflow and keeps the stack.
    bool Take(Real result);
    void Beep(const std::string& reason);

    Real& k_;
    Feedback& fb_;
    // The text Display put into EditX and the value behind it: while the box
    // still shows that text, X keeps every digit instead of the rounded text.
    std::string shownX_;
    // ConstantK as the calculator last wrote it, to notice changes by others.
    Real mirroredK_ = 0;
};

} // namespace torvel
