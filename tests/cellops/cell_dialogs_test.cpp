// The three cell-operation dialogs' rules on a series, as their boxes and
// buttons drive them.
#include "cellops/cell_dialogs.h"

#include "core/number_text.h"
#include "core/out_of_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace torvel;

namespace {

// A column of cell texts, top to bottom.
std::vector<std::string> Column(const Series& s, int col) {
    std::vector<std::string> texts;
    for (int r = 1; r <= s.IndexCount; ++r)
        texts.push_back(s.Cell(col, r));
    return texts;
}

Series WithColumn(int col, const std::vector<std::string>& texts) {
    Series s(1, static_cast<int>(texts.size()));
    for (int r = 1; r <= s.IndexCount; ++r)
        s.SetCell(col, r, texts[static_cast<std::size_t>(r - 1)]);
    return s;
}

struct Counting {
    Document doc;
    RecordingFeedback fb;
    int draws = 0;
    RedrawHooks Hooks() {
        return {[this] { ++draws; }, {}};
    }
};

} // namespace

TEST(FillDialog, OperateTable) {
    struct Case {
        const char *start, *stop, *value, *step;
        int column; // 0 X, 1 Y
        std::vector<int> filledRows;
        const char* failedBox;
        const char* failedText;
    };
    const Case cases[] = {
        {"0", "5", "1", "1", 0, {1, 2, 3, 4, 5}, "", ""},
        {"8", "3", "1", "1", 0, {8}, "", ""},
        {"9", "50", "1", "1", 1, {9, 10}, "", ""},
        {"10", "12", "1", "1", 0, {10}, "", ""},
        {"-4", "2", "1.5", "1", 1, {1, 2}, "", ""},
        {"11", "12", "1", "1", 0, {}, "Edit1", "Too Large"},
        {"x", "5", "1", "1", 0, {}, "Edit1", "Enter integer"},
        {"1", "", "1", "1", 0, {}, "Edit2", "Enter integer"},
        {"1", "5", "1,5", "1", 0, {}, "Edit3", "Enter value"},
        {"1", "5", "1", "", 0, {}, "Edit4", "Enter value"},
    };
    for (const Case& c : cases) {
        Counting k;
        FillDialogRules fill(k.doc, k.fb, k.Hooks());
        Series s(1, 10);
        fill.State = {c.column, c.start, c.stop, c.value, c.step, "", ""};
        const bool filled = fill.Operate(s);
        const std::string what = std::string(c.start) + ".." + c.stop;
        EXPECT_EQ(filled, c.filledRows.size() > 0) << what;
        EXPECT_EQ(fill.State.FailedBox, c.failedBox) << what;
        EXPECT_EQ(k.fb.Beeps, *c.failedBox ? 1 : 0) << what;
        if (*c.failedBox) {
            const std::string& box = c.failedBox == std::string("Edit1")   ? fill.State.Edit1
                                     : c.failedBox == std::string("Edit2") ? fill.State.Edit2
                                     : c.failedBox == std::string("Edit3") ? fill.State.Edit3
                                                                           : fill.State.Edit4;
            EXPECT_EQ(box, c.failedText) << what;
        }
        const int col = c.column == 0 ? XColumn : YColumn;
        for (int r = 1; r <= 10; ++r) {
            const bool expected =
                std::find(c.filledRows.begin(), c.filledRows.end(), r) != c.filledRows.end();
            EXPECT_EQ(!s.Cell(col, r).empty(), expected) << what << " row " << r;
        }
        EXPECT_EQ(k.draws, filled ? 1 : 0) << what;
    }
}

TEST(FillDialog, RepeatedAdditionAndOverflow) {
    Counting k;
    FillDialogRules fill(k.doc, k.fb, k.Hooks());
    Series s(1, 11);
    fill.State = {0, "1", "11", "0", "0.1", "", ""};
    ASSERT_TRUE(fill.Operate(s));
    Real v = 0;
    for (int r = 1; r <= 11; ++r) {
        EXPECT_EQ(s.ValueOf(XColumn, r), v) << r; // the running sum, not start + i * step
        v += 0.1L;
    }
    EXPECT_EQ(s.Cell(XColumn, 11), "1");
    // A sequence that leaves the number range fills nothing.
    Series t(1, 3);
    fill.State = {1, "1", "3", "1E4932", "1E4932", "", ""};
    EXPECT_FALSE(fill.Operate(t));
    EXPECT_EQ(Column(t, YColumn), (std::vector<std::string>{"", "", ""}));
    ASSERT_EQ(k.fb.Messages.size(), 1u);
    EXPECT_EQ(k.fb.Messages[0].Text, "Floating point overflow.");
}

TEST(MathDialog, OperateTable) {
    struct Case {
        int op;
        const char* k;
        std::vector<std::string> in, out;
        const char* message; // empty: none
    };
    const std::string undefined = UndefinedOperationText;
    const Case cases[] = {
        {0, "2", {"1", "", "-3", "abc"}, {"3", "", "-1", "abc"}, ""},
        {1, "2", {"1", "5"}, {"-1", "3"}, ""},
        {2, "2.5", {"2", "-4"}, {"5", "-10"}, ""},
        {3, "0", {"1", "2.50", ""}, {"1", "2.5", ""}, UndefinedOperationText},
        {3, "4", {"1", "2"}, {".25", ".5"}, ""},
        {4, "2", {"3", "1.5"}, {"9", "2.25"}, ""},
        // A fault leaves every cell as it was, the first ones too.
        {4, "2", {"3", "-1", "2"}, {"3", "-1", "2"}, "Invalid floating point operation."},
        {4, "2", {"3", "0"}, {"3", "0"}, "Floating point division by zero."},
        {5, "0", {"2", "5000"}, {"2", "5000"}, "Floating point overflow."},
        {5, "0", {"2", "-1"}, {"100", ".1"}, ""},
        {6, "0", {"-1", "0", "100", ""}, {"-1", "0", "2", ""}, UndefinedOperationText},
        {7, "0", {"4", "0", "-8"}, {".25", "0", "-.125"}, UndefinedOperationText},
        {8, "0", {"2.5", "2.4", "-2.7", "-2.5"}, {"3", "2", "-3", "-3"}, ""},
        {8, "1.9", {"3.14159", "-3.16"}, {"3.1", "-3.2"}, ""},
        {8, "-2", {"1250", "-1249"}, {"1300", "-1200"}, ""},
        {8, "-.5", {"3.15", "-.4"}, {"3", "0"}, ""}, // the whole part of K counts
        {8, "6000", {"1"}, {"1"}, "Floating point overflow."},
        {8, "-6000", {"5"}, {"5"}, "Floating point overflow."},
        // Results beyond the extended range are faults as well.
        {0, "1E4932", {"1E4932"}, {"1E4932"}, "Floating point overflow."},
        {2, "1E3000", {"1E3000"}, {"1E3000"}, "Floating point overflow."},
        {3, "1E-4000", {"1E4000"}, {"1E4000"}, "Floating point overflow."},
        {4, "2", {"1E4000"}, {"1E4000"}, "Floating point overflow."},
    };
    for (const Case& c : cases) {
        Counting k;
        Document doc;
        MathDialogRules math(doc, k.fb, k.Hooks());
        Series s = WithColumn(YColumn, c.in);
        math.Show(s, {1, 1, 1, 1});
        math.State.OperationBox = c.op;
        math.State.Target = YColumnCellsTarget;
        math.State.Edit1 = c.k;
        math.Operate(s, {1, 1, 1, 1});
        const std::string what = std::to_string(c.op) + " K=" + c.k;
        EXPECT_EQ(Column(s, YColumn), c.out) << what;
        if (*c.message) {
            ASSERT_EQ(k.fb.Messages.size(), 1u) << what;
            EXPECT_EQ(k.fb.Messages[0].Text, c.message) << what;
            EXPECT_EQ(k.fb.Messages[0].Kind, MessageKind::Error) << what;
        } else {
            EXPECT_TRUE(k.fb.Messages.empty()) << what;
        }
        // The undefined message comes with the beep; a fault with the report alone.
        EXPECT_EQ(k.fb.Beeps, c.message == undefined ? 1 : 0) << what;
    }
}

TEST(MathDialog, KBoxAndTargets) {
    Counting k;
    Document doc;
    doc.ConstantK = 1.0L / 3;
    MathDialogRules math(doc, k.fb, k.Hooks());
    Series s(2, 4);
    for (int r = 1; r <= 4; ++r) {
        s.SetCell(XColumn, r, std::to_string(r));
        s.SetCell(YColumn, r, std::to_string(10 * r));
        s.SetCell(YFitColumn, r, "7");
    }
    s.HasFit = true;
    s.Fit.FitKind = 1;
    const CellRect rows2to3{1, 2, 3, 3};
    math.Show(s, rows2to3);
    EXPECT_EQ(math.State.Label1, "Series # 2");
    EXPECT_EQ(math.State.Edit1, ".333333333333");
    // Selected: X, Y and fitted cells of rows 2 and 3.
    EXPECT_EQ(math.State.Edit2, "69");
    math.State.Target = XColumnCellsTarget;
    math.TargetChanged(s, rows2to3);
    EXPECT_EQ(math.State.Edit2 + " " + math.State.Edit3, "10 2.5");

    // K as shown keeps all its digits: 3 * K is 1, not .999999999999.
    math.State.OperationBox = int(CellOp::MultiplyK);
    math.State.Target = SelectedCells;
    ASSERT_TRUE(math.Operate(s, {1, 3, 1, 3}));
    EXPECT_EQ(s.Cell(XColumn, 3), "1");
    EXPECT_FALSE(s.HasFit);
    EXPECT_EQ(k.draws, 1);

    // An unreadable K beeps and changes nothing, K included.
    math.State.Edit1 = "12x";
    EXPECT_FALSE(math.Operate(s, {1, 1, 2, 4}));
    EXPECT_EQ(k.fb.Beeps, 1);
    EXPECT_EQ(doc.ConstantK, 1.0L / 3);
    EXPECT_EQ(s.Cell(XColumn, 1), "1");
    math.Deactivate();
    EXPECT_EQ(k.fb.Beeps, 2);
    math.CalculatorButton();
    EXPECT_EQ(k.fb.Beeps, 2);
    math.State.Edit1 = "2,5";
    math.Deactivate();
    EXPECT_EQ(doc.ConstantK, 2.5L);
    doc.ConstantK = 4;
    math.CalculatorClosed();
    EXPECT_EQ(math.State.Edit1, "4");

    // The fitted column is never changed by an operation.
    s.SetCell(YFitColumn, 1, "7");
    math.State.OperationBox = int(CellOp::AddK);
    ASSERT_TRUE(math.Operate(s, {1, 1, 3, 1}));
    EXPECT_EQ(s.Cell(XColumn, 1) + " " + s.Cell(YColumn, 1) + " " + s.Cell(YFitColumn, 1),
              "5 14 7");
}

TEST(MathDialog, StatisticsAndCopy) {
    struct Case {
        std::vector<std::string> column;
        const char* copied;
    };
    const Case cases[] = {
        {{"1", "", "2", "abc", "3"}, "6\r2\r1"},
        {{"5"}, "5\r5\r0"},
        {{"", "x"}, "0\r0\r0"},
        {{"-1.5", "1.5"}, "0\r0\r2.12132034356"},
        // Far from zero the spread survives (a sum of squares would cancel it).
        {{"1000000000001", "1000000000002", "1000000000003"}, "3.00000E+0012\r1.00000E+0012\r1"},
    };
    for (const Case& c : cases) {
        Counting k;
        Document doc;
        MathDialogRules math(doc, k.fb, k.Hooks());
        Series s = WithColumn(YColumn, c.column);
        math.State.Target = YColumnCellsTarget;
        math.Show(s, {1, 1, 1, 1});
        EXPECT_EQ(math.CopyText(), c.copied);
    }
}

TEST(MathXYDialog, OperateOnRows) {
    struct Case {
        int op;
        std::vector<std::pair<std::string, std::string>> in, out;
    };
    const Case cases[] = {
        {0, {{"5", ""}, {"1", "2"}}, {{"", "5"}, {"2", "1"}}},
        {1, {{"1", "2"}, {"3", ""}, {"", "4"}}, {{"1", "3"}, {"3", "3"}, {"", "4"}}},
        {2, {{"1", ""}}, {{"1", "-1"}}},
        {3, {{"3", "2"}, {"5", ""}}, {{"3", "6"}, {"5", "0"}}},
        {4, {{"2", "1"}, {"0", "1"}}, {{"2", ".5"}, {"0", "1"}}},
        {5, {{"2", "4"}, {"1", "0"}}, {{"2", ".5"}, {"1", "0"}}},
        {6, {{"1", "1"}, {"2", "2"}, {"3", "3"}}, {{"1", "1"}, {"2", "3"}, {"3", "6"}}},
        // Sorted by X first; a row without Y becomes an empty row at the end.
        {7,
         {{"2", "2"}, {"5", ""}, {"0", "0"}, {"1", "2"}},
         {{"0", "0"}, {"1", "1"}, {"2", "3"}, {"", ""}}},
    };
    for (const Case& c : cases) {
        Counting k;
        MathXYDialogRules xy(k.doc, k.fb, k.Hooks());
        Series s(3, static_cast<int>(c.in.size()));
        for (int r = 1; r <= s.IndexCount; ++r) {
            s.SetCell(XColumn, r, c.in[std::size_t(r - 1)].first);
            s.SetCell(YColumn, r, c.in[std::size_t(r - 1)].second);
        }
        xy.Show(s);
        EXPECT_EQ(xy.State.Label1, "Series Number  3");
        xy.State.Math_XYBox = c.op;
        EXPECT_TRUE(xy.Operate(s));
        for (int r = 1; r <= s.IndexCount; ++r) {
            EXPECT_EQ(s.Cell(XColumn, r), c.out[std::size_t(r - 1)].first) << c.op << " " << r;
            EXPECT_EQ(s.Cell(YColumn, r), c.out[std::size_t(r - 1)].second) << c.op << " " << r;
        }
        EXPECT_EQ(k.draws, 1);
    }
    // An overflow on one row leaves every row as it was.
    for (const XYOp op : {XYOp::AddX, XYOp::MultiplyX, XYOp::Sum, XYOp::Integral}) {
        Counting k;
        MathXYDialogRules xy(k.doc, k.fb, k.Hooks());
        Series s(1, 3);
        const char* const cells[][2] = {{"2", "3"}, {"-1E4932", "1E4932"}, {"1E4932", "1E4932"}};
        for (int r = 1; r <= 3; ++r) {
            s.SetCell(XColumn, r, cells[r - 1][0]);
            s.SetCell(YColumn, r, cells[r - 1][1]);
        }
        xy.State.Math_XYBox = int(op);
        EXPECT_FALSE(xy.Operate(s)) << int(op);
        EXPECT_EQ(Column(s, YColumn), (std::vector<std::string>{"3", "1E4932", "1E4932"}));
        ASSERT_EQ(k.fb.Messages.size(), 1u);
        EXPECT_EQ(k.fb.Messages[0].Text, "Floating point overflow.");
        EXPECT_EQ(k.draws, 0);
    }
}

// Running out of memory in any of the three operations is told, and every cell
// stays as it was; Next asks the series loop for the next series.
TEST(CellDialogs, OutOfMemoryAndNext) {
    const std::string memory[] = {"Not enough memory to fill the cells.",
                                  "Not enough memory to operate on the cells.",
                                  "Not enough memory to combine X and Y."};
    for (int dialog = 0; dialog < 3; ++dialog) {
        Counting k;
        Series s = WithColumn(YColumn, {"1", "2", "3"});
        s.SetCell(XColumn, 1, "4");
        FillDialogRules fill(k.doc, k.fb, k.Hooks());
        MathDialogRules math(k.doc, k.fb, k.Hooks());
        MathXYDialogRules xy(k.doc, k.fb, k.Hooks());
        fill.Show(s);
        math.Show(s, {1, 1, 2, 3});
        math.State.Edit1 = "2";
        FailAllocationAt(1);
        const bool changed = dialog == 0   ? fill.Operate(s)
                             : dialog == 1 ? math.Operate(s, {1, 1, 2, 3})
                                           : xy.Operate(s);
        FailAllocationAt(0);
        EXPECT_FALSE(changed) << dialog;
        EXPECT_EQ(Column(s, XColumn), (std::vector<std::string>{"4", "", ""})) << dialog;
        EXPECT_EQ(Column(s, YColumn), (std::vector<std::string>{"1", "2", "3"})) << dialog;
        ASSERT_EQ(k.fb.Messages.size(), 1u) << dialog;
        EXPECT_EQ(k.fb.Messages[0].Text, memory[dialog]);
        EXPECT_EQ(k.draws, 0) << dialog;

        EXPECT_FALSE(k.doc.NextSeriesRequested);
        if (dialog == 0) fill.Next();
        if (dialog == 1) math.Next();
        if (dialog == 2) xy.Next();
        EXPECT_TRUE(k.doc.NextSeriesRequested) << dialog;
    }
}

// Texts that are no number keep a partial value beside them: the operations
// and the statistics skip them, as they skip empty cells.
TEST(MathDialog, TextsThatAreNoNumberAreSkipped) {
    Counting k;
    MathDialogRules math(k.doc, k.fb, k.Hooks());
    Series s = WithColumn(YColumn, {"12 kg", "3", "1.50", "7x"});
    math.State.Target = YColumnCellsTarget;
    math.Show(s, {});
    EXPECT_EQ(math.State.Edit2, "4.5");
    math.State.Edit1 = "10";
    math.State.OperationBox = int(CellOp::MultiplyK);
    ASSERT_TRUE(math.Operate(s, {}));
    EXPECT_EQ(Column(s, YColumn), (std::vector<std::string>{"12 kg", "30", "15", "7x"}));
    // A selection without a number changes nothing: the fit stays, nothing is drawn.
    s.HasFit = true;
    math.State.Target = SelectedCells;
    EXPECT_FALSE(math.Operate(s, {YColumn, 1, YColumn, 1}));
    EXPECT_TRUE(s.HasFit);
    EXPECT_EQ(k.draws, 1);
}
