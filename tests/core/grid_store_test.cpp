#include "core/grid_store.h"

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvel {
namespace {

// A series with a linear fit Y = 1 + 2X over its first rows, the fitted column
// filled, graph type Line & Fit.
Series FittedSeries(int rows = 5) {
    Series s(3, rows);
    for (int r = 1; r <= 2; ++r) {
        s.SetCell(XColumn, r, std::to_string(r));
        s.SetCell(YColumn, r, std::to_string(1 + 2 * r));
        s.SetCell(YFitColumn, r, std::to_string(1 + 2 * r));
    }
    GridToRows(s);
    s.Fit.FitKind = 1;
    s.Fit.Coef[1] = 1;
    s.Fit.Coef[2] = 2;
    s.Fit.Coef[7] = 1;
    s.HasFit = true;
    s.GraphType = GraphLineFit;
    s.SetHeader(YFitColumn, "Y = A + B*X");
    return s;
}

void ExpectFitCleared(const Series& s) {
    EXPECT_FALSE(s.HasFit);
    EXPECT_EQ(s.Fit.FitKind, 0);
    for (Real c : s.Fit.Coef)
        EXPECT_EQ(c, 0);
    EXPECT_EQ(s.Header(YFitColumn), "          Y3 Fit");
    for (int r = 1; r <= s.IndexCount; ++r) {
        EXPECT_EQ(s.Cell(YFitColumn, r), "") << "row " << r;
        EXPECT_FALSE(s.Store().Row(static_cast<std::size_t>(r - 1)).YFitValid);
        EXPECT_EQ(s.Store().Row(static_cast<std::size_t>(r - 1)).YFit, 0);
    }
}

std::vector<std::string> Column(const Series& s, int col) {
    std::vector<std::string> out;
    for (int r = 1; r <= s.IndexCount; ++r)
        out.push_back(s.Cell(col, r));
    return out;
}

TEST(GridStore, CellsAreAViewOfTheRows) {
    Series s(1, 4);
    s.SetCell(XColumn, 1, "1,5");
    s.SetCell(YColumn, 1, "-2");
    s.SetCell(XColumn, 2, "-12.5x"); // unreadable: partial value, flag set
    s.SetCell(YFitColumn, 3, ".25");
    EXPECT_EQ(s.Store().Row(0), (Tdata{1.5L, -2, 0, true, true, false}));
    EXPECT_EQ(s.Store().Row(1), (Tdata{125, 0, 0, true, false, false}));
    EXPECT_EQ(s.Store().Row(2), (Tdata{0, 0, 0.25L, false, false, true}));
    EXPECT_EQ(s.Store().Row(3), Tdata{});
    // Texts the grid would not show that way stay until the rows are shown.
    EXPECT_EQ(s.Cell(XColumn, 1), "1,5");
    EXPECT_EQ(s.Cell(XColumn, 2), "-12.5x");
    // A shorter series keeps the typed texts of the rows it keeps, the last one too.
    Series cut = s;
    cut.SetIndexCount(2);
    EXPECT_EQ(cut.Cell(XColumn, 2), "-12.5x");
    cut.SetIndexCount(3);
    EXPECT_EQ(cut.Cell(YFitColumn, 3), "");

    s.Store().SetRow(3, {7, 42, 0, true, false, false}); // an unflagged Y is shown empty
    RowsToGrid(s);
    EXPECT_EQ(Column(s, XColumn), (std::vector<std::string>{"1.5", "125", "", "7"}));
    EXPECT_EQ(Column(s, YColumn), (std::vector<std::string>{"-2", "", "", ""}));
    EXPECT_EQ(Column(s, YFitColumn), (std::vector<std::string>{"", "", ".25", ""}));
}

// Values the shown texts round: the store keeps them whole, the grid shows
// exactly the texts it always showed, and the editor opens on every digit.
TEST(GridStore, TypedValuesKeepEveryDigit) {
    struct Case {
        const char* typed;
        Real value;
        const char* shown;
    };
    const Case table[] = {
        {"123456789012345", 123456789012345.0L, "1.23457E+0014"},
        {"0.000012345678901", 0.000012345678901L, ".000012345679"},
        {"3.14159265358979323", 3.14159265358979323L, "3.14159265359"},
        {"1.2345678901234567e-300", 1.2345678901234567e-300L, "1.23457E-0300"},
        {"98765,4321098765", 98765.4321098765L, "98765.4321099"},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.typed);
        Series s(1, 2);
        RecordingFeedback fb;
        s.EditCol = YColumn;
        s.EditRow = 1;
        s.EditText = s.EditorText(YColumn, 1);
        s.SetCell(YColumn, 1, c.typed);
        ASSERT_EQ(CommitEdit(s, fb), CommitResult::Committed);
        EXPECT_EQ(s.Store().Row(0).Y, c.value);
        EXPECT_EQ(s.Cell(YColumn, 1), c.shown);
        EXPECT_EQ(s.Cell(YColumn, 1), NumberToText(c.value, 14));

        // The editor's text reads back exactly; Enter on it changes nothing.
        const std::string editor = s.EditorText(YColumn, 1);
        EXPECT_EQ(TextToNumber(editor).Value, c.value) << editor;
        EXPECT_LE(editor.size(), std::string(c.typed).size());
        s.EditText = editor;
        const auto version = s.GridVersion();
        s.SetCell(YColumn, 1, editor);
        EXPECT_EQ(CommitEdit(s, fb), CommitResult::Unchanged);
        EXPECT_EQ(s.GridVersion(), version);
        EXPECT_EQ(s.Store().Row(0).Y, c.value);
        EXPECT_EQ(s.Cell(YColumn, 1), c.shown);
        EXPECT_EQ(fb.Beeps, 0);
    }
}

TEST(GridStore, ClearFitOnlyWhenAFitExists) {
    struct Case {
        int before, after;
    };
    for (Case c : {Case{GraphLine, GraphLine}, Case{GraphBar, GraphBar}, Case{GraphFit, GraphLine},
                   Case{GraphNone, GraphNone}, Case{GraphLineBar, GraphLineBar},
                   Case{GraphLineFit, GraphLine}, Case{GraphBarFit, GraphBar}}) {
        Series s = FittedSeries();
        s.GraphType = c.before;
        ClearFit(s);
        EXPECT_EQ(s.GraphType, c.after) << "graph type " << c.before;
        ExpectFitCleared(s);
    }
    Series noFit(3, 2);
    noFit.GraphType = GraphLineFit;
    noFit.SetCell(YFitColumn, 1, "5");
    ClearFit(noFit);
    EXPECT_EQ(noFit.GraphType, GraphLineFit);
    EXPECT_EQ(noFit.Cell(YFitColumn, 1), "5");
}

// Commits `typed` into (col, row) whose text was `before` when editing began.
CommitResult Type(Series& s, RecordingFeedback& fb, int col, int row, const std::string& typed) {
    s.EditCol = col;
    s.EditRow = row;
    s.EditText = s.EditorText(col, row);
    s.SetCell(col, row, typed);
    return CommitEdit(s, fb);
}

TEST(CommitEdit, RejectsUnreadableTextWithBeepAndRestores) {
    for (const char* typed : {"abc", "7 ", "1.2.3", "1e", "-", "1,234.5", "1e99999"}) {
        Series s = FittedSeries();
        RecordingFeedback fb;
        s.SetCell(YColumn, 4, "9");
        EXPECT_EQ(Type(s, fb, YColumn, 4, typed), CommitResult::Rejected) << typed;
        EXPECT_EQ(s.Cell(YColumn, 4), "9");
        EXPECT_EQ(fb.BeepReasons, std::vector<std::string>{std::string("Not a number: ") + typed});
        EXPECT_TRUE(s.HasFit) << "a rejected edit must not clear the fit";
    }
}

TEST(CommitEdit, UnchangedAndEmptiedLeaveTheFit) {
    Series s = FittedSeries();
    RecordingFeedback fb;
    EXPECT_EQ(Type(s, fb, YColumn, 1, s.Cell(YColumn, 1)), CommitResult::Unchanged);
    EXPECT_EQ(Type(s, fb, YColumn, 1, ""), CommitResult::Emptied);
    EXPECT_EQ(s.Cell(YColumn, 1), "");
    EXPECT_TRUE(s.HasFit);
    s.EditCol = 0;
    EXPECT_EQ(CommitEdit(s, fb), CommitResult::Unchanged);
    s.EditCol = YColumn;
    s.EditRow = 99; // stale position past the last row
    EXPECT_EQ(CommitEdit(s, fb), CommitResult::Unchanged);
    EXPECT_EQ(fb.Beeps, 0);
}

TEST(CommitEdit, XBesideEmptyYIsPredictedAndKeepsTheFit) {
    Series s = FittedSeries();
    RecordingFeedback fb;
    EXPECT_EQ(Type(s, fb, XColumn, 4, "2,5"), CommitResult::Committed);
    EXPECT_EQ(s.Cell(XColumn, 4), "2.5");
    EXPECT_EQ(s.Cell(YColumn, 4), "6");
    EXPECT_TRUE(s.HasFit);
    EXPECT_EQ(s.GraphType, GraphLineFit);
    EXPECT_EQ(s.Cell(YFitColumn, 1), "3");
}

TEST(CommitEdit, PredictionOutsideTheDomainWritesNothing) {
    // Power and logarithmic fits need X above 0: 0 itself is outside.
    for (const int kind : {6, 8})
        for (const char* x : {"-1", "0"}) {
            Series s = FittedSeries();
            s.Fit.FitKind = kind;
            RecordingFeedback fb;
            EXPECT_EQ(Type(s, fb, XColumn, 4, x), CommitResult::Committed);
            EXPECT_EQ(s.Cell(YColumn, 4), "") << kind << " at " << x;
            EXPECT_TRUE(s.HasFit);
        }
}

TEST(CommitEdit, YTypedOrXBesideFilledYClearsTheFit) {
    {
        Series s = FittedSeries();
        RecordingFeedback fb;
        EXPECT_EQ(Type(s, fb, YColumn, 4, "8"), CommitResult::Committed);
        ExpectFitCleared(s);
        EXPECT_EQ(s.GraphType, GraphLine);
    }
    {
        Series s = FittedSeries();
        RecordingFeedback fb;
        EXPECT_EQ(Type(s, fb, XColumn, 1, "10"), CommitResult::Committed);
        EXPECT_EQ(s.Cell(YColumn, 1), "3") << "a filled Y is never overwritten";
        ExpectFitCleared(s);
    }
}

struct PasteCase {
    const char* name;
    const char* clipboard;
    CellPos at;
    std::vector<std::string> x, y;
    bool changed;
};

TEST(PasteCells, ClipboardTexts) {
    const PasteCase cases[] = {
        {"two lines at X", "1\t2\r\n3\t4\r\n", {1, 1}, {"1", "3", ""}, {"2", "4", ""}, true},
        {"two lines at Y", "1\t2\r\n3\t4\r\n", {2, 1}, {"", "", ""}, {"1", "3", ""}, true},
        {"into the fit column", "1\t2\r\n", {3, 1}, {"", "", ""}, {"", "", ""}, false},
        {"empty field skipped", "5\t\t7", {1, 1}, {"5", "", ""}, {"7", "", ""}, true},
        {"third value ignored", "1 2 3\r\n4 5 6", {1, 2}, {"", "1", "4"}, {"", "2", "5"}, true},
        {"stops at the last row",
         "1\t1\r\n2\t2\r\n3\t3\r\n4\t4\r\n",
         {1, 2},
         {"", "1", "2"},
         {"", "1", "2"},
         true},
        {"CR alone ends a line", "1\t2\r3\t4", {1, 1}, {"1", "3", ""}, {"2", "4", ""}, true},
        {"column names skipped", "X\tY-Z\r\n1\t2\r\n", {1, 1}, {"1", "", ""}, {"2", "", ""}, true},
        {"any separator", "x=1,5;y=2", {1, 1}, {"1", "", ""}, {"5", "", ""}, true},
        {"blank line advances", "1\t2\r\n\r\n3\t4", {1, 1}, {"1", "", "3"}, {"2", "", "4"}, true},
        {"leading CR", "\r\n9\t8", {1, 1}, {"", "9", ""}, {"", "8", ""}, true},
        {"unreadable token skipped", "1-2\t3", {1, 1}, {"", "", ""}, {"3", "", ""}, true},
        {"out of range skipped", "1e99999\t2", {1, 1}, {"", "", ""}, {"2", "", ""}, true},
        {"empty clipboard", "", {1, 1}, {"", "", ""}, {"", "", ""}, false},
        {"past the last row", "1\t2", {1, 4}, {"", "", ""}, {"", "", ""}, false},
        {"index column", "1\t2", {0, 1}, {"", "", ""}, {"", "", ""}, false},
    };
    for (const PasteCase& c : cases) {
        Series s(1, 3);
        EXPECT_EQ(PasteCells(s, c.clipboard, c.at), c.changed) << c.name;
        EXPECT_EQ(Column(s, XColumn), c.x) << c.name;
        EXPECT_EQ(Column(s, YColumn), c.y) << c.name;
        EXPECT_EQ(Column(s, YFitColumn), (std::vector<std::string>{"", "", ""})) << c.name;
    }
}

TEST(PasteCells, KeepsEveryDigitPasted) {
    Series s(1, 2);
    PasteCells(s, "123456789012345\t-0.000012345678901\r\n1.2345678901234567e300\t7", {1, 1});
    EXPECT_EQ(s.Store().Row(0).X, 123456789012345.0L);
    EXPECT_EQ(s.Store().Row(0).Y, -0.000012345678901L);
    EXPECT_EQ(s.Store().Row(1).X, 1.2345678901234567e300L);
    EXPECT_EQ(s.Cell(XColumn, 1), "1.23457E+0014");
}

TEST(PasteCells, CutsTheClipboardAt99999Characters) {
    Series s(1, 2);
    std::string text(99998, ' ');
    text += "12"; // the 2 lies beyond the cut
    PasteCells(s, text, {1, 1});
    EXPECT_EQ(s.Cell(XColumn, 1), "1");
}

TEST(PasteCells, FitRulesAsForTyping) {
    {
        // X alone beside an empty Y: predicted, fit kept.
        Series s = FittedSeries();
        PasteCells(s, "4", {1, 3});
        EXPECT_EQ(s.Cell(YColumn, 3), "9");
        EXPECT_TRUE(s.HasFit);
    }
    {
        // X and Y: the Y clears the fit.
        Series s = FittedSeries();
        PasteCells(s, "4\t7", {1, 3});
        EXPECT_EQ(s.Cell(YColumn, 3), "7");
        ExpectFitCleared(s);
        EXPECT_EQ(s.GraphType, GraphLine);
    }
}

TEST(CopyCells, SelectionAsTabbedLines) {
    Series s(1, 4);
    const char* x[] = {"1", "2", "3", "4"};
    const char* y[] = {"a", "", "c", "d"};
    for (int r = 1; r <= 4; ++r) {
        s.SetCell(XColumn, r, x[r - 1]);
        s.SetCell(YColumn, r, y[r - 1]);
    }
    struct Case {
        CellRect rect;
        const char* text;
    };
    for (Case c : {Case{{1, 1, 2, 3}, "1\ta\r\n2\t\r\n3\tc\r\n"}, Case{{2, 4, 2, 4}, "d\r\n"},
                   Case{{1, 4, 3, 4}, "4\td\t\r\n"}, Case{{2, 3, 1, 2}, "2\t\r\n3\tc\r\n"},
                   Case{{0, 4, 1, 9}, "4\r\n"}, Case{{1, 5, 2, 6}, ""}}) {
        EXPECT_EQ(CopyCells(s, c.rect), c.text);
    }
}

TEST(DeleteCells, EmptiesClearsFitAndRefreshesRows) {
    Series s = FittedSeries();
    DeleteCells(s, {2, 1, 2, 1});
    EXPECT_EQ(s.Cell(YColumn, 1), "");
    EXPECT_EQ(s.Cell(XColumn, 1), "1");
    EXPECT_FALSE(s.Store().Row(0).YValid);
    EXPECT_TRUE(s.Store().Row(1).YValid);
    ExpectFitCleared(s);
}

TEST(TabMove, Moves) {
    Series s(1, 3);
    struct Case {
        CellPos from;
        bool shift;
        CellPos to;
    };
    for (Case c :
         {Case{{1, 1}, false, {2, 1}}, Case{{2, 1}, false, {1, 2}}, Case{{3, 2}, false, {1, 3}},
          Case{{2, 3}, false, {1, 3}}, Case{{2, 2}, true, {1, 2}}, Case{{1, 2}, true, {2, 1}},
          Case{{1, 1}, true, {2, 1}}, Case{{3, 3}, true, {2, 2}}}) {
        EXPECT_EQ(TabMove(s, c.from, c.shift), c.to)
            << c.from.Col << "," << c.from.Row << (c.shift ? " shift" : "");
    }
}

} // namespace
} // namespace torvel
