#include "scale/scale_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace torvel {
namespace {

RangeTexts Texts(const char* maxX, const char* minX, const char* maxYL, const char* minYL,
                 const char* maxYR, const char* minYR) {
    return {maxX, minX, maxYL, minYL, maxYR, minYR};
}

GraphSettings Limits() {
    GraphSettings s;
    s.XMax = 9;
    s.XMin = 1;
    s.YLMax = 8;
    s.YLMin = 2;
    s.YRMax = 7;
    s.YRMin = 3;
    return s;
}

TEST(ApplyScaleSettings, ReadsBoxesOfAxesNotInMultiScale) {
    struct Row {
        const char* name;
        RangeTexts boxes;
        int autoBox;
        int beeps;
        Real xMax, xMin, ylMax, ylMin, yrMax, yrMin;
        bool msX, msYL, msYR;
    };
    const Row rows[] = {
        {"disable reads all", Texts("10", "-1", "5,5", ".5", "1E3", "-2e-2"), AutoBoxDisable, 0, 10,
         -1, 5.5L, 0.5L, 1000, -0.02L, false, false, false},
        {"empty box reads 0", Texts("", "-4", "3", "", "", ""), AutoBoxDisable, 0, 0, -4, 3, 0, 0,
         0, false, false, true},
        {"equal limits switch to multi-scale", Texts("5", "5", "2", "1", "4", "4.0"),
         AutoBoxDisable, 0, 5, 5, 2, 1, 4, 4, true, false, true},
        {"unreadable keeps that limit only", Texts("1x", "0", " 7", "7 ", "1.2.3", "-"),
         AutoBoxDisable, 4, 9, 0, 7, 2, 7, 3, false, false, false},
        {"beyond the extended range refused", Texts("1E5000", "-1E5000", "1", "0", "1", "0"),
         AutoBoxDisable, 2, 9, 1, 1, 0, 1, 0, false, false, false},
        {"X choice leaves X boxes unread", Texts("zz", "zz", "6", "0", "6", "0"), AutoBoxX, 0, 9, 1,
         6, 0, 6, 0, true, false, false},
        {"Y choice leaves both Y axes unread", Texts("6", "0", "zz", "zz", "zz", "zz"), AutoBoxY, 0,
         6, 0, 8, 2, 7, 3, false, true, true},
        {"Both reads nothing", Texts("zz", "zz", "zz", "zz", "zz", "zz"), AutoBoxBoth, 0, 9, 1, 8,
         2, 7, 3, true, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GraphSettings s = Limits();
        RecordingFeedback fb;
        ApplyScaleSettings(r.boxes, r.autoBox, s, fb);
        EXPECT_EQ(fb.Beeps, r.beeps);
        EXPECT_TRUE(fb.Messages.empty());
        EXPECT_EQ(s.XMax, r.xMax);
        EXPECT_EQ(s.XMin, r.xMin);
        EXPECT_EQ(s.YLMax, r.ylMax);
        EXPECT_EQ(s.YLMin, r.ylMin);
        EXPECT_EQ(s.YRMax, r.yrMax);
        EXPECT_EQ(s.YRMin, r.yrMin);
        EXPECT_EQ(s.MultiScaleX, r.msX);
        EXPECT_EQ(s.MultiScaleYL, r.msYL);
        EXPECT_EQ(s.MultiScaleYR, r.msYR);
    }
}

// A scale dialog over a document, with counted draws.
class ScaleDialog : public ::testing::Test {
  protected:
    Series& Add(std::vector<std::pair<std::string, std::string>> cells, bool left = true) {
        doc.NewSeriesRows = static_cast<int>(cells.size());
        Series& s = doc.CreateSeries(fb);
        s.YAxisLeft = left;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            s.SetCell(XColumn, static_cast<int>(i) + 1, cells[i].first);
            s.SetCell(YColumn, static_cast<int>(i) + 1, cells[i].second);
        }
        return s;
    }
    RedrawHooks Hooks() {
        return {[this] { ++draws; }, [this] { ++ensureDraws; }};
    }

    Document doc;
    RecordingFeedback fb;
    int draws = 0;
    int ensureDraws = 0;
    GridDialogRules grid{doc.Settings, fb, Hooks()};
    ScaleDialogRules dialog{doc, fb, Hooks(), grid};
    GraphSettings& s = doc.Settings;
};

TEST_F(ScaleDialog, ShowClearsMultiScaleSelectsDisableAndFillsBoxes) {
    s = Limits();
    s.XMax = 0.25L;
    s.MultiScaleX = s.MultiScaleYL = s.MultiScaleYR = true;
    dialog.State.CancelShown = false;
    dialog.Show(false);
    EXPECT_FALSE(s.MultiScaleX);
    EXPECT_FALSE(s.MultiScaleYL);
    EXPECT_FALSE(s.MultiScaleYR);
    EXPECT_EQ(dialog.State.AutoBox, AutoBoxDisable);
    EXPECT_FALSE(dialog.State.JustShown);
    EXPECT_TRUE(dialog.State.CancelShown);
    EXPECT_TRUE(dialog.State.GridButtonShown);
    EXPECT_EQ(dialog.State.FocusBox, "MaxX");
    EXPECT_EQ(dialog.State.Boxes.MaxX, ".25");
    EXPECT_EQ(dialog.State.Boxes.MinX, "1");
    EXPECT_EQ(dialog.State.Boxes.MaxYL, "8");
    EXPECT_EQ(dialog.State.Boxes.MinYR, "3");
    EXPECT_EQ(fb.Beeps, 0);
    dialog.Show(true);
    EXPECT_FALSE(dialog.State.GridButtonShown);
}

TEST_F(ScaleDialog, ShowsOwnSelectionIsNotApplied) {
    s = Limits();
    dialog.State.AutoBox = AutoBoxBoth;
    // Stale box texts from the last time: reading them would beep and set flags.
    dialog.State.Boxes = Texts("x", "x", "1", "1", "x", "x");
    dialog.Show(false);
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_FALSE(s.MultiScaleYL);
    EXPECT_EQ(s.YLMax, 8);
    EXPECT_EQ(dialog.State.AutoBox, AutoBoxDisable);
    EXPECT_FALSE(dialog.State.JustShown);
    // The change of choice still draws when a graph window exists.
    EXPECT_EQ(draws, 1);
    // The user's next change is applied.
    dialog.State.AutoBox = AutoBoxX;
    dialog.AutoBoxChanged();
    EXPECT_TRUE(s.MultiScaleX);
    EXPECT_FALSE(s.MultiScaleYL);
    EXPECT_EQ(draws, 2);
}

TEST_F(ScaleDialog, CancelAfterShowLeavesEveryAxisOutOfMultiScale) {
    s.MultiScaleX = s.MultiScaleYL = s.MultiScaleYR = true;
    dialog.Show(false);
    dialog.State.Boxes.MaxX = "123";
    // Cancel reads nothing: there is no rule to call.
    EXPECT_FALSE(s.MultiScaleX || s.MultiScaleYL || s.MultiScaleYR);
    EXPECT_EQ(s.XMax, 0);
}

TEST_F(ScaleDialog, SameMaxAndMinThenOKSwitchesThatAxisToMultiScale) {
    s = Limits();
    dialog.Show(false);
    dialog.State.Boxes.MaxYR = "4";
    dialog.State.Boxes.MinYR = "4";
    dialog.OK();
    EXPECT_TRUE(s.MultiScaleYR);
    EXPECT_FALSE(s.MultiScaleYL);
    EXPECT_FALSE(s.MultiScaleX);
    EXPECT_EQ(draws + ensureDraws, 0);
}

TEST_F(ScaleDialog, AutoBoxRefusalsOnLogAxes) {
    struct Row {
        const char* name;
        bool logX, logY;
        int choice;
        bool refused;
    };
    const Row rows[] = {
        {"both log, X", true, true, AutoBoxX, true},
        {"both log, Y", true, true, AutoBoxY, true},
        {"log X, X", true, false, AutoBoxX, true},
        {"log X, Both", true, false, AutoBoxBoth, true},
        {"log X, Y allowed", true, false, AutoBoxY, false},
        {"log Y, Y", false, true, AutoBoxY, true},
        {"log Y, Both", false, true, AutoBoxBoth, true},
        {"log Y, X allowed", false, true, AutoBoxX, false},
        {"linear, Both allowed", false, false, AutoBoxBoth, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Document d;
        d.Settings = Limits();
        d.Settings.LogX = r.logX;
        d.Settings.LogY = r.logY;
        RecordingFeedback f;
        GridDialogRules g{d.Settings, f, {}};
        int drawn = 0;
        ScaleDialogRules sd{d, f, {[&] { ++drawn; }, {}}, g};
        sd.Show(false);
        drawn = 0;
        sd.State.AutoBox = r.choice;
        sd.AutoBoxChanged();
        EXPECT_EQ(f.Beeps, r.refused ? 1 : 0);
        EXPECT_EQ(sd.State.AutoBox, r.refused ? AutoBoxDisable : r.choice);
        // No multi-scale flag ever lands on a logarithmic axis.
        if (r.logX) {
            EXPECT_FALSE(d.Settings.MultiScaleX);
        }
        if (r.logY) {
            EXPECT_FALSE(d.Settings.MultiScaleYL || d.Settings.MultiScaleYR);
        }
        if (!r.refused) {
            EXPECT_EQ(d.Settings.MultiScaleX, r.choice == AutoBoxX || r.choice == AutoBoxBoth);
            EXPECT_EQ(d.Settings.MultiScaleYL, r.choice == AutoBoxY || r.choice == AutoBoxBoth);
            EXPECT_EQ(drawn, 1);
        }
    }
}

TEST_F(ScaleDialog, RefusalFallsBackToDisableAndAppliesIt) {
    s = Limits();
    dialog.Show(false);
    dialog.State.AutoBox = AutoBoxY;
    dialog.AutoBoxChanged();
    ASSERT_TRUE(s.MultiScaleYL);
    // The log dialog makes Y logarithmic while "Y" is chosen; picking "Both" is
    // refused and the dialog's "Disable" takes effect.
    s.LogY = true;
    dialog.State.AutoBox = AutoBoxBoth;
    dialog.AutoBoxChanged();
    EXPECT_EQ(fb.Beeps, 1);
    EXPECT_EQ(dialog.State.AutoBox, AutoBoxDisable);
    EXPECT_FALSE(s.MultiScaleX);
    EXPECT_FALSE(s.MultiScaleYL);
    EXPECT_FALSE(s.MultiScaleYR);
}

TEST_F(ScaleDialog, FindButtonsTakeTheDataRangeWithoutDrawing) {
    Add({{"5", "-2"}, {"1", "4"}});
    Add({{"-3", "10"}, {"2", "20"}}, false);
    dialog.Show(false);
    dialog.FindX();
    EXPECT_EQ(s.XMax, 5);
    EXPECT_EQ(s.XMin, -3);
    EXPECT_EQ(dialog.State.Boxes.MinX, "-3");
    dialog.FindYL();
    EXPECT_EQ(s.YLMax, 4);
    EXPECT_EQ(dialog.State.Boxes.MinYL, "-2");
    dialog.FindYR();
    EXPECT_EQ(s.YRMax, 20);
    EXPECT_EQ(dialog.State.Boxes.MaxYR, "20");
    EXPECT_EQ(draws + ensureDraws, 0);
}

TEST_F(ScaleDialog, AutoButtons) {
    Add({{"3", "-3.7"}, {"47", "5"}});
    Add({{"0", "3"}, {"1", "47"}}, false);
    dialog.Show(false);
    dialog.State.AutoBox = AutoBoxX;
    dialog.AutoBoxChanged();
    ASSERT_EQ(draws, 1);
    dialog.AutoX();
    EXPECT_EQ(s.XMax, 48);
    EXPECT_EQ(dialog.State.Boxes.MaxX, "48");
    EXPECT_EQ(dialog.State.AutoBox, AutoBoxDisable);
    EXPECT_FALSE(s.MultiScaleX);
    // The selection of "Disable" counts as a change (one draw) and the button
    // draws when a graph window exists (another); no window is created.
    EXPECT_EQ(draws, 3);
    EXPECT_EQ(ensureDraws, 0);

    dialog.AutoYL();
    EXPECT_EQ(s.YLMax, 5);
    EXPECT_EQ(s.YLMin, -5);
    EXPECT_EQ(ensureDraws, 1);
    dialog.AutoYR();
    EXPECT_EQ(s.YRMax, 48);
    EXPECT_EQ(s.YGridMajor, 16);
    EXPECT_EQ(s.YRTicks, 8);
    EXPECT_EQ(ensureDraws, 2);
    EXPECT_EQ(fb.Beeps, 0);
}

TEST_F(ScaleDialog, FindAllTakesEveryRangeAndClearsTheGrid) {
    Add({{"5", "-2"}, {"1", "4"}});
    Add({{"-3", "10"}, {"2", "20"}}, false);
    s.XGridMajor = 8;
    s.YGridMinor = 4;
    s.YRDecimals = 0;
    grid.Show(false);
    dialog.Show(false);
    dialog.State.Boxes.MaxX = "oops";
    dialog.FindAll();
    EXPECT_EQ(fb.Beeps, 1); // the box read before the Find
    EXPECT_EQ(s.XMax, 5);
    EXPECT_EQ(s.XMin, -3);
    EXPECT_EQ(s.YLMin, -2);
    EXPECT_EQ(s.YRMax, 20);
    EXPECT_EQ(dialog.State.Boxes.MaxX, "5");
    EXPECT_EQ(dialog.State.Boxes.MinYR, "10");
    EXPECT_EQ(s.XGridMajor, 1);
    EXPECT_EQ(s.YGridMinor, 1);
    EXPECT_EQ(s.YRDecimals, 2);
    EXPECT_EQ(grid.State.XMajor, "1");
    EXPECT_EQ(ensureDraws, 1);
}

TEST_F(ScaleDialog, ViewAppliesHidesCancelAndDraws) {
    s = Limits();
    dialog.Show(false);
    dialog.State.Boxes.MaxX = "100";
    dialog.View();
    EXPECT_EQ(s.XMax, 100);
    EXPECT_FALSE(dialog.State.CancelShown);
    EXPECT_EQ(ensureDraws, 1);
}

TEST_F(ScaleDialog, GridButtonAppliesFirst) {
    s = Limits();
    dialog.Show(false);
    dialog.State.Boxes.MinYL = "-8";
    dialog.GoGrid();
    EXPECT_EQ(s.YLMin, -8);
    EXPECT_EQ(draws + ensureDraws, 0);
}

} // namespace
} // namespace torvel
