// The calculator engine driven as a user types and clicks: keys go through
// KeyChar as the window passes them, buttons through their operations.
#include "calc/calculator.h"

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace torvel;

namespace {

struct Calc {
    Calc() : calc(k, fb) { calc.Show(); }
    // Each character as typed into EditX; buttons are named in braces:
    // "{sqrt}" and so on (see Press).
    void Type(const std::string& keys) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == '{') {
                const std::size_t end = keys.find('}', i);
                Press(keys.substr(i + 1, end - i - 1));
                i = end;
            } else {
                calc.KeyChar(keys[i]);
            }
        }
    }
    void Press(const std::string& name) {
        static const std::vector<std::pair<std::string, std::function<void(Calculator&)>>> ops = {
            {"chs", [](Calculator& c) { c.ChangeSign(); }},
            {"sqrt", [](Calculator& c) { c.SquareRoot(); }},
            {"x2", [](Calculator& c) { c.Square(); }},
            {"1/x", [](Calculator& c) { c.Reciprocal(); }},
            {"y^x", [](Calculator& c) { c.Power(); }},
            {"roll", [](Calculator& c) { c.RollDown(); }},
            {"up", [](Calculator& c) { c.KeyRelease(CalcKey::Up); }},
            {"xy", [](Calculator& c) { c.Swap(); }},
            {"sto", [](Calculator& c) { c.Store(); }},
            {"rcl", [](Calculator& c) { c.Recall(); }},
            {"cx", [](Calculator& c) { c.ClearX(); }},
            {"ca", [](Calculator& c) { c.ClearAll(); }},
            {"e+-", [](Calculator& c) { c.ExponentSign(); }},
            {"edit", [](Calculator& c) { c.EditXButton(); }},
            {"deg", [](Calculator& c) { c.ToggleDegrees(); }},
            {"sin", [](Calculator& c) { c.Function(CalcFunction::Sin); }},
            {"cos", [](Calculator& c) { c.Function(CalcFunction::Cos); }},
            {"tan", [](Calculator& c) { c.Function(CalcFunction::Tan); }},
            {"asin", [](Calculator& c) { c.Function(CalcFunction::Asin); }},
            {"acos", [](Calculator& c) { c.Function(CalcFunction::Acos); }},
            {"atan", [](Calculator& c) { c.Function(CalcFunction::Atan); }},
            {"log", [](Calculator& c) { c.Function(CalcFunction::Log); }},
            {"10x", [](Calculator& c) { c.Function(CalcFunction::TenX); }},
            {"ln", [](Calculator& c) { c.Function(CalcFunction::Ln); }},
            {"ex", [](Calculator& c) { c.Function(CalcFunction::Ex); }},
        };
        for (const auto& [n, op] : ops)
            if (n == name) return op(calc);
        ADD_FAILURE() << "no button " << name;
    }

    Real k = 0;
    RecordingFeedback fb;
    Calculator calc;
};

std::string Stack(const Calculator& c) {
    return c.Boxes.EditT + " " + c.Boxes.EditZ + " " + c.Boxes.EditY + " " + c.Boxes.EditX;
}

} // namespace

// Keys and buttons in, the stack (T Z Y X boxes), the beeps and messages out.
TEST(Calculator, KeysAndOperations) {
    struct Case {
        const char* keys;
        const char* stack; // T Z Y X as the boxes show them
        int beeps;
        int messages;
    };
    const Case cases[] = {
        {"2\r3+", "0 0 0 5", 0, 0},
        // After an operation the next digit lifts; after ENTER it replaces X.
        {"2\r3+4", "0 0 5 4", 0, 0},
        {"1\r2\r3\r4", "1 2 3 4", 0, 0},
        // T is copied down by an operation that drops the stack.
        {"1\r2\r3\r4\r**", "2 2 2 48", 0, 0},
        {"10\r0/", "0 0 10 0", 1, 0},
        {"9\r2-", "0 0 0 7", 0, 0},
        {"9\r4/", "0 0 0 2.25", 0, 0},
        {"2\r10{y^x}", "0 0 0 1024", 0, 0},
        {"8{chs}\r3{y^x}", "0 0 -8 3", 1, 0}, // negative bases are refused
        {"0{sqrt}", "0 0 0 0", 1, 0},
        {"16{sqrt}", "0 0 0 4", 0, 0},
        {"0{1/x}", "0 0 0 0", 1, 0},
        {"4{1/x}", "0 0 0 .25", 0, 0},
        {"3{x2}", "0 0 0 9", 0, 0},
        {"1\r2\r3\r4{roll}", "4 1 2 3", 0, 0},
        {"1\r2\r3\r4{up}", "2 3 4 1", 0, 0},
        {"1\r2{xy}", "0 0 2 1", 0, 0},
        // CHS leaves no lift: the next digit replaces X.
        {"5{chs}7", "0 0 0 7", 0, 0},
        // Unreadable X: beep, 0, nothing done.
        {"1\r2.3.4+", "0 0 1 0", 1, 0},
        // The unguarded operations report an overflow and keep the stack.
        {"1E4000\r*", "0 0 1.00000E+4000 1.00000E+4000", 0, 1},
        {"1E4000\r1E4000{e+-}{e+-}/", "0 0 1.00000E+4000 1E-4000", 0, 1},
        // The value behind the shown text is kept: the square of the root is 2.
        {"2{sqrt}{x2}", "0 0 0 2", 0, 0},
        {"1\r3/3*", "0 0 0 1", 0, 0},
    };
    for (const Case& c : cases) {
        Calc t;
        t.Type(c.keys);
        EXPECT_EQ(Stack(t.calc), c.stack) << c.keys;
        EXPECT_EQ(t.fb.Beeps, c.beeps) << c.keys;
        EXPECT_EQ(t.fb.Messages.size(), std::size_t(c.messages)) << c.keys;
    }
}

// Degrees mode unless the keys toggle it; X as text, or the "Math Error" rule.
TEST(Calculator, GuardedFunctions) {
    struct Case {
        const char* keys;
        const char* x; // the X box afterwards
        bool error;
    };
    const Case cases[] = {
        {"180{sin}", "0", false},
        {"30{sin}", ".5", false},
        {"90{cos}", "0", false},
        {"45{tan}", "1", false},
        {"1{asin}", "90", false},
        {"0{acos}", "90", false},
        {"1{chs}{acos}", "180", false},
        {".5{chs}{acos}", "120", false},
        {"1{atan}", "45", false},
        {"2{acos}", "2", true},
        {"2{asin}", "2", true},
        {"1000{log}", "3", false},
        {"0{ln}", "0", true},
        {"1{chs}{log}", "-1", true},
        {"2{10x}", "100", false},
        {"1{ex}{ln}", "1", false},
        {"99999{ex}", "99999", true},
        {"99999{10x}", "99999", true},
        // Radians.
        {"{deg}1{chs}{acos}", "3.14159265359", false},
        {"{deg}1{asin}", "1.57079632679", false},
        {"{deg}.5{chs}{acos}", "2.09439510239", false},
    };
    for (const Case& c : cases) {
        Calc t;
        t.Type(c.keys);
        EXPECT_EQ(t.calc.Boxes.EditX, c.x) << c.keys;
        if (c.error) {
            ASSERT_EQ(t.fb.Messages.size(), 1u) << c.keys;
            EXPECT_EQ(t.fb.Messages[0].Text, "Math Error");
            EXPECT_EQ(t.fb.Messages[0].Kind, MessageKind::Error);
            EXPECT_EQ(t.fb.Beeps, 1) << c.keys;
            EXPECT_FALSE(t.calc.LiftPending) << c.keys;
        } else {
            EXPECT_TRUE(t.fb.Messages.empty()) << c.keys;
        }
    }
}

TEST(Calculator, ExponentSignCycle) {
    struct Case {
        const char* text;
        int presses;
        const char* result;
    };
    const Case cases[] = {
        {"1.5", 1, "1.5E+0000"}, {"1.5", 2, "1.5E-0000"}, {"1.5", 3, "1.5E+0000"},
        {"2e3", 1, "2E+3"},      {"2E", 1, "2E+"},        {"", 1, "E+0000"},
        {"1.5E5", 1, "1.5E+5"},  {"3e-2", 1, "3E+2"},
    };
    for (const Case& c : cases) {
        Calc t;
        t.calc.Boxes.EditX = c.text;
        for (int i = 0; i < c.presses; ++i)
            t.calc.ExponentSign();
        EXPECT_EQ(t.calc.Boxes.EditX, c.result) << c.text << " x" << c.presses;
        EXPECT_FALSE(t.calc.LiftPending);
    }
    // Typed on: the exponent's digits follow the sign.
    Calc t;
    t.Type("1.5{e+-}3\r");
    EXPECT_EQ(t.calc.X, 1500);
    t.Type("1.5{e+-}{e+-}3\r");
    EXPECT_EQ(t.calc.X, 0.0015L);
}

TEST(Calculator, PasteButton) {
    struct Case {
        const char* clip;
        const char* stack;
        int beeps;
    };
    const Case cases[] = {
        {"12.5 kg", "2 1 7 12.5", 0}, {"3,25", "2 1 7 3.25", 0}, {"-4e2\r\n", "2 1 7 -400", 0},
        {"abc", "0 2 1 7", 1},        {"", "0 2 1 7", 1},        {"1e99999", "0 2 1 7", 1},
    };
    for (const Case& c : cases) {
        Calc t;
        t.Type("2\r1\r7");
        t.calc.Paste(c.clip);
        EXPECT_EQ(Stack(t.calc), c.stack) << c.clip;
        EXPECT_EQ(t.fb.Beeps, c.beeps) << c.clip;
    }
}

TEST(Calculator, MemoryAndClearing) {
    Calc t;
    t.Type("1\r2\r3\r42{sto}");
    EXPECT_EQ(t.calc.Memory, 42);
    t.Type("{cx}");
    EXPECT_EQ(Stack(t.calc), "1 2 3 0"); // CX: only X
    EXPECT_EQ(t.calc.Memory, 42);
    t.Type("{ca}");
    EXPECT_EQ(Stack(t.calc), "0 0 0 0");
    EXPECT_EQ(t.calc.Memory, 42); // CA keeps M
    t.Type("5{rcl}");
    EXPECT_EQ(Stack(t.calc), "0 0 5 42");
    EXPECT_EQ(t.k, 42);
}

TEST(Calculator, ConstantKIsX) {
    Calc t;
    t.Type("6\r7*");
    EXPECT_EQ(t.k, 42);
    // Typed but not yet operated on: K follows at the close.
    t.Type("9");
    EXPECT_EQ(t.k, 42);
    EXPECT_TRUE(t.calc.Close());
    EXPECT_EQ(t.k, 9);
    // An unreadable X at the close keeps K.
    t.calc.Boxes.EditX = "abc";
    EXPECT_FALSE(t.calc.Close());
    EXPECT_EQ(t.k, 9);
    // Registers survive hiding; a K given elsewhere becomes X.
    t.Type("{ca}1\r2\r3");
    t.calc.Close();
    EXPECT_FALSE(t.calc.Show());
    EXPECT_EQ(Stack(t.calc), "0 1 2 3");
    t.k = 8;
    t.calc.Show();
    EXPECT_EQ(Stack(t.calc), "0 1 2 8");
    // The first show takes X from K and shrinks the window.
    Real k = 5;
    RecordingFeedback fb;
    Calculator fresh(k, fb);
    EXPECT_TRUE(fresh.Show());
    EXPECT_EQ(fresh.Boxes.EditX, "5");
    EXPECT_FALSE(fresh.Expanded);
}
