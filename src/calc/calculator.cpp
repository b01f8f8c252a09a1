#include "calc/calculator.h"

#include "core/number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

namespace torvel {

namespace {

constexpr Real Pi = std::numbers::pi_v<Real>;
// Trigonometric results this small are the rounding of an exact 0.
constexpr Real FlushBelow = 1E-11L;

Real Flushed(Real v) {
    return std::fabs(v) < FlushBelow ? 0 : v;
}

// The text of a zero X, assigned whole: a one-character literal assigned to a
// string gives GCC 12 at -O3 a false -Wrestrict.
const std::string& ZeroText() {
    static const std::string zero(1, '0');
    return zero;
}

} // namespace

// ---------------------------------------------------------------- the X box

bool Calculator::ReadX() {
    // The box still shows what the last operation put there: X keeps the
    // digits the 14-character text leaves out.
    if (!shownX_.empty() && Boxes.EditX == shownX_) return true;
    std::string text = CommaToPoint(Boxes.EditX);
    if (text.empty()) text = ZeroText();
    const NumberRead r = TextToNumber(text);
    if (!r.Ok()) {
        std::string reason = "X is not a number: ";
        reason += Boxes.EditX;
        fb_.Beep(reason);
        LiftPending = false;
        X = 0;
        Boxes.EditX = ZeroText();
        shownX_ = ZeroText();
        SelectX();
        return false;
    }
    X = r.Value;
    return true;
}

void Calculator::SelectX() {
    Boxes.SelStart = 0;
    Boxes.SelLength = static_cast<int>(Boxes.EditX.size());
    Boxes.FocusX = true;
}

void Calculator::Display() {
    Boxes.EditX = NumberToText(X, 14);
    shownX_ = Boxes.EditX;
    Boxes.EditY = NumberToText(Y, 14);
    Boxes.EditZ = NumberToText(Z, 14);
    Boxes.EditT = NumberToText(T, 14);
    SelectX();
    LiftPending = true;
}

void Calculator::Finish() {
    k_ = X;
    mirroredK_ = X;
    Display();
}

void Calculator::Drop() {
    Y = Z;
    Z = T;
}

void Calculator::Push() {
    T = Z;
    Z = Y;
    Y = X;
}

bool Calculator::Take(Real result) {
    if (!std::isfinite(result)) {
        // The stack stays as it was; only the read X is kept.
        SelectX();
        fb_.Message(MessageKind::Error, FloatOverflowText, MessageButtons::Ok);
        return false;
    }
    X = result;
    return true;
}

void Calculator::Beep(const std::string& reason) {
    fb_.Beep(reason);
}

// ---------------------------------------------------------------- window

bool Calculator::Show() {
    if (!ShownOnce) {
        ShownOnce = true;
        Expanded = false;
        X = k_;
        mirroredK_ = k_;
        Display();
        return true;
    }
    FollowK();
    return false;
}

void Calculator::FollowK() {
    // X is ConstantK: a value given elsewhere since the last operation wins.
    if (k_ == mirroredK_) return;
    X = k_;
    mirroredK_ = k_;
    Display();
}

void Calculator::Activate() {
    if (ShownOnce) FollowK();
    SelectX();
    LiftPending = false;
}

bool Calculator::Close() {
    if (!ReadX()) return false;
    k_ = X;
    mirroredK_ = X;
    return true;
}

// ---------------------------------------------------------------- stack

void Calculator::Enter() {
    if (!ReadX()) return;
    Push();
    Finish();
    LiftPending = false;
}

void Calculator::Add() {
    if (!ReadX() || !Take(Y + X)) return;
    Drop();
    Finish();
}

void Calculator::Subtract() {
    if (!ReadX() || !Take(Y - X)) return;
    Drop();
    Finish();
}

void Calculator::Multiply() {
    if (!ReadX() || !Take(Y * X)) return;
    Drop();
    Finish();
}

void Calculator::Divide() {
    if (!ReadX()) return;
    if (X == 0) {
        Beep("Division by zero.");
        SelectX();
        LiftPending = false;
        return;
    }
    if (!Take(Y / X)) return;
    Drop();
    Finish();
}

void Calculator::Power() {
    if (!ReadX()) return;
    // Negative bases are refused, as the logarithm behind the power would be.
    if (!(Y > 0)) {
        Beep("Y ^ X needs Y above 0.");
        return;
    }
    if (!Take(std::pow(Y, X))) return;
    Drop();
    Finish();
}

void Calculator::ChangeSign() {
    if (!ReadX()) return;
    X = -X;
    Finish();
    LiftPending = false;
}

void Calculator::Square() {
    if (ReadX() && Take(X * X)) Finish();
}

void Calculator::SquareRoot() {
    if (!ReadX()) return;
    if (!(X > 0)) {
        Beep("The square root needs X above 0.");
        return;
    }
    if (Take(std::sqrt(X))) Finish();
}

void Calculator::Reciprocal() {
    if (!ReadX()) return;
    if (X == 0) {
        Beep("1 / X needs X other than 0.");
        return;
    }
    if (Take(1 / X)) Finish();
}

void Calculator::RollDown() {
    if (!ReadX()) return;
    const Real x = X;
    X = Y;
    Y = Z;
    Z = T;
    T = x;
    Finish();
}

void Calculator::RollUp() {
    if (!ReadX()) return;
    const Real t = T;
    T = Z;
    Z = Y;
    Y = X;
    X = t;
    Finish();
}

void Calculator::Swap() {
    if (!ReadX()) return;
    std::swap(X, Y);
    Finish();
}

void Calculator::DegToRad() {
    if (ReadX() && Take(X * Pi / 180)) Finish();
}

void Calculator::RadToDeg() {
    if (ReadX() && Take(X * 180 / Pi)) Finish();
}

void Calculator::Store() {
    if (!ReadX()) return;
    Memory = X;
    SelectX();
    LiftPending = false;
}

void Calculator::Recall() {
    ReadX(); // an unreadable X goes on as 0
    Push();
    X = Memory;
    Finish();
}

void Calculator::ClearX() {
    X = 0;
    k_ = 0;
    mirroredK_ = 0;
    Boxes.EditX = ZeroText();
    shownX_ = ZeroText();
    SelectX();
    LiftPending = false;
}

void Calculator::ClearAll() {
    X = Y = Z = T = 0;
    k_ = 0;
    mirroredK_ = 0;
    Display();
    LiftPending = false;
}

// ---------------------------------------------------------------- functions

void Calculator::Function(CalcFunction f) {
    if (!ReadX()) return;
    const Real x = X;
    const Real a = Degrees ? x * Pi / 180 : x;
    const Real right = Degrees ? 90 : Pi / 2;
    auto angle = [this](Real radians) { return Degrees ? radians * 180 / Pi : radians; };
    Real r = 0;
    switch (f) {
    case CalcFunction::Sin:
        r = Flushed(std::sin(a));
        break;
    case CalcFunction::Cos:
        r = Degrees && x == 90 ? 0 : Flushed(std::cos(a));
        break;
    case CalcFunction::Tan:
        r = Flushed(std::sin(a) / std::cos(a));
        break;
    case CalcFunction::Asin:
        if (x == 1)
            r = right;
        else if (x == -1)
            r = -right;
        else
            r = angle(std::atan(x / std::sqrt(1 - x * x)));
        break;
    case CalcFunction::Acos:
        if (x == 0) {
            r = right;
        } else if (x == -1) {
            r = Degrees ? 180 : Pi;
        } else {
            const Real s = std::sqrt(1 - x * x);
            if (x > 0)
                r = angle(std::atan(s / x));
            else
                r = Degrees ? (std::atan(s / x) / Pi + 1) * 180 : std::atan(s / x) + Pi;
        }
        break;
    case CalcFunction::Atan:
        r = angle(std::atan(x));
        break;
    case CalcFunction::Log:
        r = std::log10(x);
        break;
    case CalcFunction::TenX:
        r = std::pow(Real(10), x);
        break;
    case CalcFunction::Ln:
        r = std::log(x);
        break;
    case CalcFunction::Ex:
        r = std::exp(x);
        break;
    }
    // A domain error, a pole or an overflow all end in a value that is not finite.
    if (!std::isfinite(r)) {
        fb_.Beep();
        fb_.Message(MessageKind::Error, MathErrorText, MessageButtons::Ok);
        LiftPending = false;
        SelectX();
        return;
    }
    X = r;
    Finish();
}

void Calculator::ExponentSign() {
    std::string text = Boxes.EditX;
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::size_t e = text.find('E');
    if (e == std::string::npos) {
        text += "E+0000";
    } else if (e + 1 < text.size() && text[e + 1] == '+') {
        text[e + 1] = '-';
    } else if (e + 1 < text.size() && text[e + 1] == '-') {
        text[e + 1] = '+';
    } else {
        text.insert(e + 1, 1, '+');
    }
    Boxes.EditX = text;
    Boxes.SelStart = static_cast<int>(text.size());
    Boxes.SelLength = 0;
    Boxes.FocusX = true;
    LiftPending = false;
}

// ---------------------------------------------------------------- clipboard

std::optional<std::string> Calculator::Copy() {
    std::optional<std::string> text;
    if (CopySource != CalcRegister::None) {
        text = CopySource == CalcRegister::Y   ? Boxes.EditY
               : CopySource == CalcRegister::Z ? Boxes.EditZ
                                               : Boxes.EditT;
        CopySource = CalcRegister::None;
    } else if (ReadX()) {
        text = NumberToText(X, 14);
    }
    LiftPending = true;
    SelectX();
    return text;
}

void Calculator::Paste(std::string_view clipboard) {
    ReadX(); // an unreadable X goes on as 0
    const Real old = X;
    k_ = old;
    mirroredK_ = old;
    // A number followed by anything else (a unit, a line break) pastes the number.
    std::string text = CommaToPoint(clipboard);
    NumberRead r = TextToNumber(text);
    if (!r.Ok()) r = TextToNumber(text.substr(0, static_cast<std::size_t>(r.FailPos - 1)));
    if (!r.Ok()) {
        Beep("The clipboard does not start with a number.");
        return;
    }
    T = Z;
    Z = Y;
    Y = old;
    X = r.Value;
    Finish();
}

void Calculator::EditXButton() {
    Boxes.SelStart = static_cast<int>(Boxes.EditX.size());
    Boxes.SelLength = 0;
    Boxes.FocusX = true;
    LiftPending = false;
}

// ---------------------------------------------------------------- toggles

void Calculator::ToggleTop() {
    OnTop = !OnTop;
    SelectX();
    LiftPending = false;
}

void Calculator::ToggleSmall() {
    Expanded = !Expanded;
    SelectX();
    LiftPending = true;
}

void Calculator::ToggleDegrees() {
    Degrees = !Degrees;
    SelectX();
}

// ---------------------------------------------------------------- keys

bool Calculator::KeyChar(char c) {
    switch (c) {
    case '+':
        Add();
        return true;
    case '-':
        Subtract();
        return true;
    case '*':
        Multiply();
        return true;
    case '/':
        Divide();
        return true;
    case '\r':
    case '\n':
        Enter();
        LiftPending = false;
        return true;
    default:
        break;
    }
    if (LiftPending) {
        Enter();
        LiftPending = false;
    }
    if (static_cast<unsigned char>(c) < 32 || c == 127) return false;
    const int size = static_cast<int>(Boxes.EditX.size());
    const int start = std::clamp(Boxes.SelStart, 0, size);
    const int length = std::clamp(Boxes.SelLength, 0, size - start);
    Boxes.EditX.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), 1, c);
    Boxes.SelStart = start + 1;
    Boxes.SelLength = 0;
    Boxes.FocusX = true;
    return true;
}

void Calculator::KeyRelease(CalcKey key) {
    switch (key) {
    case CalcKey::Down:
        RollDown();
        break;
    case CalcKey::Up:
        RollUp();
        break;
    case CalcKey::PageUp:
        ExponentSign();
        break;
    case CalcKey::PageDown:
        ChangeSign();
        break;
    }
    Boxes.FocusX = true;
}

std::string Calculator::CutKey() {
    const int size = static_cast<int>(Boxes.EditX.size());
    const int start = std::clamp(Boxes.SelStart, 0, size);
    const int length = std::clamp(Boxes.SelLength, 0, size - start);
    std::string cut =
        Boxes.EditX.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    Boxes.EditX.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    Boxes.SelStart = start;
    Boxes.SelLength = 0;
    Boxes.FocusX = true;
    return cut;
}

std::string Calculator::CopyKey() {
    auto part = [](const std::string& text, int start, int length) {
        const int size = static_cast<int>(text.size());
        start = std::clamp(start, 0, size);
        length = std::clamp(length, 0, size - start);
        return length > 0
                   ? text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length))
                   : text;
    };
    if (CopySource != CalcRegister::None) {
        const std::string& box = CopySource == CalcRegister::Y   ? Boxes.EditY
                                 : CopySource == CalcRegister::Z ? Boxes.EditZ
                                                                 : Boxes.EditT;
        CopySource = CalcRegister::None;
        std::string text = part(box, Boxes.SourceSelStart, Boxes.SourceSelLength);
        Boxes.SourceSelLength = 0;
        return text;
    }
    std::string text = part(Boxes.EditX, Boxes.SelStart, Boxes.SelLength);
    Boxes.SelStart = std::clamp(Boxes.SelStart, 0, static_cast<int>(Boxes.EditX.size()));
    Boxes.SelLength = 0;
    return text;
}

void Calculator::PasteKey(std::string_view clipboard) {
    // A box holds one line: the text up to the first line break.
    const std::string_view line = clipboard.substr(0, clipboard.find_first_of("\r\n"));
    const int size = static_cast<int>(Boxes.EditX.size());
    const int start = std::clamp(Boxes.SelStart, 0, size);
    const int length = std::clamp(Boxes.SelLength, 0, size - start);
    Boxes.EditX.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), line);
    Boxes.SelStart = start;
    Boxes.SelLength = 0;
    Boxes.FocusX = true;
}

} // namespace torvel
