#include "history/history.h"

#include "cellops/cell_dialogs.h"
#include "commands/data_commands.h"
#include "core/change_recorder.h"
#include "core/number_text.h"
#include "fit/fit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <new>

namespace torvel {
namespace {

// Everything a user can see or save of the document, every value to the bit.
std::string Dump(const Document& doc) {
    std::string out;
    auto bits = [&](Real v) {
        unsigned char b[10];
        std::memcpy(b, &v, sizeof b);
        char hex[24];
        for (int i = 0; i < 10; ++i)
            std::snprintf(hex + 2 * i, 3, "%02x", b[i]);
        out += hex;
        out += ' ';
    };
    const GraphSettings& g = doc.Settings;
    for (Real v : {g.XMax, g.XMin, g.YLMax, g.YLMin, g.YRMax, g.YRMin, doc.ConstantK})
        bits(v);
    out += g.MainTitles[0] + "|" + g.FloatTitleText[0] + "|" + std::to_string(g.XGridMajor) +
           std::to_string(g.LogX) + "|" + doc.GraphFileName + "|" +
           std::to_string(doc.Prefs.MaxDataIndex) + "\n";
    for (int n = 1; n <= MaxSeries; ++n)
        out += doc.SeriesNumberUsed[static_cast<std::size_t>(n)] ? '1' : '0';
    out += '\n';
    for (const auto& p : doc.DataWindows()) {
        const Series& s = *p;
        out += std::to_string(s.SeriesNumber) + " " + std::to_string(s.IndexCount) + " " +
               std::to_string(s.GraphType) + std::to_string(s.HasFit) +
               std::to_string(s.ShowPoints) + std::to_string(s.YAxisLeft) +
               std::to_string(s.PrintColor) + " " + std::to_string(s.Fit.FitKind) + " " +
               s.SeriesTitle + "|" + s.Caption + "|" + s.Header(3) + "\n";
        for (Real c : s.Fit.Coef)
            bits(c);
        out += '\n';
        for (int r = 1; r <= s.IndexCount; ++r) {
            for (int c = XColumn; c <= YFitColumn; ++c) {
                out += s.HasValue(c, r) ? '+' : '-';
                bits(s.ValueOf(c, r));
                if (const std::string* t = s.KeptText(c, r)) out += "'" + *t + "' ";
            }
            out += '\n';
        }
    }
    return out;
}

class HistoryTest : public ::testing::Test {
  protected:
    HistoryTest() {
        doc.NewSeriesRows = 8;
        Series& a = doc.CreateSeries(fb);
        Series& b = doc.CreateSeries(fb);
        for (int r = 1; r <= 6; ++r) {
            a.SetValue(XColumn, r, r * 1.1L);
            a.SetValue(YColumn, r, 1.0L / (r + 2));
            b.SetValue(XColumn, r, 7 - r);
            b.SetValue(YColumn, r, r * r / 3.0L);
        }
        b.SetCell(YColumn, 2, "4x"); // typed, not a number: its text is kept
        b.SeriesTitle = "second";
        // Series 1 has a fit: its fitted column and graph type depend on it.
        a.Fit.FitKind = 1;
        a.GraphType = GraphLineFit;
        ComputeFit(doc, a.Fit, fb);
        doc.ConstantK = 2.5L;
        doc.Settings.MainTitles[0] = "Main";
        history.Clear();
    }

    Series& S(int n) { return *doc.FindSeries(n); }

    Document doc;
    RecordingFeedback fb;
    History history{doc};
};

// Every kind of step: after Undo the document is as before, bit for bit, and
// after Redo as after it.
struct StepCase {
    const char* Name;
    std::function<void(Document&, Feedback&)> Run;
};

void TypeInto(Document& doc, Feedback& fb, int col, int row, const char* text) {
    Series& s = *doc.FindSeries(1);
    s.EditCol = col;
    s.EditRow = row;
    s.EditText = s.EditorText(col, row);
    s.SetCell(col, row, text); // what the grid's editor does on its way out
    CommitTyping(doc, s, fb);
}

template <class Rules> Rules MakeRules(Document& doc, Feedback& fb) {
    return Rules(doc, fb, RedrawHooks{});
}

const StepCase StepCases[] = {
    {"Typing", [](Document& d, Feedback& f) { TypeInto(d, f, XColumn, 3, "12.5"); }},
    {"Typing", [](Document& d, Feedback& f) { TypeInto(d, f, YColumn, 8, "-3"); }},
    {"Typing", // an X beside an empty Y: the fit answers it
     [](Document& d, Feedback& f) { TypeInto(d, f, XColumn, 7, "9"); }},
    {"Paste",
     [](Document& d, Feedback&) {
         PasteCells(d, *d.FindSeries(1), "5\t6\r\n7\t8\r\n", {1, 2});
     }},
    {"Cut",
     [](Document& d, Feedback&) {
         CutCells(d, *d.FindSeries(2), {1, 1, 3, 3});
     }},
    {"Delete",
     [](Document& d, Feedback&) {
         DeleteCells(d, *d.FindSeries(1), {2, 4, 2, 5});
     }},
    {"Sort X Ascending",
     [](Document& d, Feedback& f) { SortSeriesX(d, *d.FindSeries(2), true, f); }},
    {"Sort X Descending",
     [](Document& d, Feedback& f) { SortSeriesX(d, *d.FindSeries(1), false, f); }},
    {"Clear Fit", [](Document& d, Feedback&) { ClearFitCommand(d, *d.FindSeries(1)); }},
    {"Duplicate & Extend Index",
     [](Document& d, Feedback& f) { DuplicateSeries(d, *d.FindSeries(2), ExtendIndexRows, f); }},
    {"Fill Cells",
     [](Document& d, Feedback& f) {
         auto rules = MakeRules<FillDialogRules>(d, f);
         rules.State = {1, "2", "5", "0.5", "3", "", ""};
         rules.Operate(*d.FindSeries(1));
     }},
    {"Cell * K",
     [](Document& d, Feedback& f) {
         auto rules = MakeRules<MathDialogRules>(d, f);
         rules.State.OperationBox = static_cast<int>(CellOp::MultiplyK);
         rules.State.Edit1 = "3"; // a new K too
         rules.Operate(*d.FindSeries(2), {1, 1, 3, 8});
     }},
    {"Y= Sum(Y)",
     [](Document& d, Feedback& f) {
         auto rules = MakeRules<MathXYDialogRules>(d, f);
         rules.State.Math_XYBox = static_cast<int>(XYOp::Sum);
         rules.Operate(*d.FindSeries(1));
     }},
    {"Fit", // a dialog session on a series: its rows are sorted, fitted
     [](Document& d, Feedback& f) {
         Series& s = *d.FindSeries(2);
         RecordedStep step(d, "Fit");
         step.WholeSeries(s);
         s.Fit.FitKind = 2;
         ComputeFit(d, s.Fit, f);
     }},
    {"Graph Type",
     [](Document& d, Feedback&) {
         RecordedStep step(d, "Graph Type");
         for (const auto& s : d.DataWindows()) {
             step.Attributes(*s);
             s->GraphType = GraphBar;
             s->YAxisLeft = false;
         }
     }},
    {"Scale",
     [](Document& d, Feedback&) {
         RecordedStep step(d, "Scale");
         step.Settings();
         d.Settings.XMax = 1e300L;
         d.Settings.LogX = true;
     }},
    {"Close Data",
     [](Document& d, Feedback&) {
         RecordedStep step(d, "Close Data");
         d.DestroySeries(*d.FindSeries(1));
     }},
    {"Clear All",
     [](Document& d, Feedback&) {
         RecordedStep step(d, "Clear All");
         step.Settings();
         d.DestroyAllSeries();
         ResetGraphSettings(d.Settings);
         d.GraphFileName = NoNameGraph;
     }},
};

TEST_F(HistoryTest, EveryKindOfStepUndoesAndRedoesExactly) {
    doc.GraphFileName = "/tmp/kept.gra";
    for (const StepCase& c : StepCases) {
        SCOPED_TRACE(c.Name);
        history.Clear();
        const std::string before = Dump(doc);
        c.Run(doc, fb);
        const std::string after = Dump(doc);
        ASSERT_NE(before, after);
        ASSERT_EQ(history.UndoName(), c.Name);
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(Dump(doc), before);
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(Dump(doc), after);
        ASSERT_TRUE(history.Undo()); // the next case starts from the same document
        ASSERT_EQ(Dump(doc), before);
    }
}

TEST_F(HistoryTest, UndoRedoAndANewBranch) {
    EXPECT_FALSE(history.Unsaved());
    TypeInto(doc, fb, XColumn, 1, "10");
    TypeInto(doc, fb, XColumn, 2, "20");
    DeleteCells(doc, S(2), {1, 1, 1, 1});
    EXPECT_EQ(history.UndoCount(), 3u);
    EXPECT_TRUE(history.Unsaved());
    history.MarkSaved();
    EXPECT_TRUE(history.Undo());
    EXPECT_EQ(history.RedoName(), "Delete");
    EXPECT_TRUE(history.Unsaved());
    EXPECT_TRUE(history.Redo());
    EXPECT_FALSE(history.Unsaved()); // back where it was saved

    EXPECT_TRUE(history.Undo());
    EXPECT_TRUE(history.Undo());
    EXPECT_EQ(S(1).Cell(XColumn, 2), NumberToText(2.2L, 14));
    EXPECT_EQ(history.UndoName(), "Typing");
    // A new change after an undo: what was undone is gone for good.
    TypeInto(doc, fb, YColumn, 3, "30");
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoCount(), 2u);
    EXPECT_TRUE(history.Unsaved());
    CommitTyping(doc, S(1), fb); // Return again, nothing typed
    EXPECT_EQ(history.UndoCount(), 2u);
    // A step that changes nothing is no step.
    TypeInto(doc, fb, YColumn, 3, "30");
    EXPECT_EQ(history.UndoCount(), 2u);
}

TEST_F(HistoryTest, KeepsManyStepsAndDropsTheOldestBeyondItsMemory) {
    for (std::size_t i = 0; i <= History::MaxSteps; ++i)
        TypeInto(doc, fb, YColumn, 1 + static_cast<int>(i % 8), std::to_string(i).c_str());
    EXPECT_EQ(history.UndoCount(), History::MaxSteps);

    // A bound of a few kilobytes: each step of 40 cells costs about one.
    history.Clear();
    history.SetMemoryFloor(4096);
    doc.NewSeriesRows = 40;
    Series& big = doc.CreateSeries(fb);
    history.Clear();
    for (int i = 0; i < 12; ++i) {
        std::string column;
        for (int r = 0; r < 40; ++r)
            column += std::to_string(i * 100 + r) + "\r\n";
        PasteCells(doc, big, column, {1, 1});
    }
    EXPECT_LE(history.Bytes(), history.MemoryBound());
    EXPECT_GT(history.UndoCount(), 1u);
    EXPECT_LT(history.UndoCount(), 12u);

    // One step larger than the bound on its own runs, and cannot be undone.
    std::string told;
    history.NotUndoable = [&](const std::string& name) { told = name; };
    doc.NewSeriesRows = 1000;
    Series& huge = doc.CreateSeries(fb);
    // A quarter of what the rows take in the store: about 1,056 rows of 21 bytes.
    EXPECT_LT(history.MemoryBound(), 9000u);
    huge.SetValue(XColumn, 500, 3);
    SortSeriesX(doc, huge, true, fb);
    EXPECT_EQ(huge.ValueOf(XColumn, 1), 3);
    EXPECT_EQ(told, "Sort X Ascending");
    EXPECT_FALSE(history.CanUndo());
    EXPECT_TRUE(history.Unsaved());
}

TEST_F(HistoryTest, ACommandThatFailsPutsBackWhatItChanged) {
    const std::string before = Dump(doc);
    EXPECT_THROW(
        {
            RecordedStep step(doc, "Paste");
            step.Cells(S(1), {1, 1, 2, 8});
            S(1).ClearValue(XColumn, 4);
            doc.DestroySeries(S(2));
            throw std::bad_alloc();
        },
        std::bad_alloc);
    EXPECT_EQ(Dump(doc), before);
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(HistoryTest, ASeriesRemovedOutsideTheHistoryTakesItsStepsAlong) {
    DeleteCells(doc, S(2), {1, 1, 1, 1});
    doc.DestroySeries(S(1)); // untouched by any step: the history stays
    EXPECT_TRUE(history.CanUndo());
    doc.DestroySeries(S(2));
    EXPECT_FALSE(history.CanUndo());
}

} // namespace
} // namespace torvel
