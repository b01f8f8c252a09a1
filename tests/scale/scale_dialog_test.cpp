#include "scale/scale_dialog.h"

#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace torvel {
namespace {

using namespace testing_support;

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
        for (const std::string& why : fb.BeepReasons)
            EXPECT_TRUE(why.starts_with("Not a number: ") ||
                        why.starts_with("Too large for an axis limit: 1E5000") ||
                        why.starts_with("Too large for an axis limit: -1E5000"))
                << why;
        EXPECT_TRUE(fb.Messages.empty());
        GraphSettings expected = Limits();
        expected.XMax = r.xMax;
        expected.XMin = r.xMin;
        expected.YLMax = r.ylMax;
        expected.YLMin = r.ylMin;
        expected.YRMax = r.yrMax;
        expected.YRMin = r.yrMin;
        expected.MultiScaleX = r.msX;
        expected.MultiScaleYL = r.msYL;
        expected.MultiScaleYR = r.msYR;
        EXPECT_EQ(s, expected);
    }
}

// A scale dialog over a document, with counted draws.
class ScaleDialog : public ::testing::Test {
  protected:
    Document doc;
    RecordingFeedback fb;
    DrawCounter d;
    GridDialogRules grid{doc.Settings, fb, d.Hooks()};
    ScaleDialogRules dialog{doc, fb, d.Hooks(), grid};
    GraphSettings& s = doc.Settings;
};

TEST_F(ScaleDialog, ShowClearsMultiScaleSelectsDisableAndFillsBoxes) {
    s = Limits();
    s.XMax = 0.25L;
    s.MultiScaleX = s.MultiScaleYL = s.MultiScaleYR = true;
    dialog.State.CancelShown = false;
    dialog.Show(false);
    EXPECT_FALSE(s.MultiScaleX || s.MultiScaleYL || s.MultiScaleYR);
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
    // Cancel reads nothing (there is no rule to call): no axis is left in
    // multi-scale mode.
    EXPECT_FALSE(s.MultiScaleX || s.MultiScaleYL || s.MultiScaleYR);
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
    EXPECT_EQ(d.draw, 1);
    // The user's next change is applied.
    dialog.State.AutoBox = AutoBoxX;
    dialog.AutoBoxChanged();
    EXPECT_TRUE(s.MultiScaleX);
    EXPECT_FALSE(s.MultiScaleYL);
    EXPECT_EQ(d.draw, 2);
}

// OK reads the boxes (here: equal limits switch that axis to multi-scale).
TEST_F(ScaleDialog, OkAppliesTheBoxesWithoutDrawing) {
    s = Limits();
    dialog.Show(false);
    dialog.State.Boxes.MaxYR = dialog.State.Boxes.MinYR = "4";
    dialog.OK();
    EXPECT_TRUE(s.MultiScaleYR);
    EXPECT_FALSE(s.MultiScaleYL || s.MultiScaleX);
    EXPECT_EQ(d.draw + d.ensure, 0);
}

TEST(ScaleDialogAutoBox, RefusalsOnLogAxes) {
    struct Row {
        const char* name;
        bool logX, logY;
        int choice;
        bool refused;
        int draws; // a refusal's fallback to "Disable" is applied unless that is refused too
    };
    const Row rows[] = {
        {"both log, X", true, true, AutoBoxX, true, 0},
        {"both log, Y", true, true, AutoBoxY, true, 0},
        {"both log, even Disable", true, true, AutoBoxDisable, true, 0},
        {"log X, X", true, false, AutoBoxX, true, 1},
        {"log X, Both", true, false, AutoBoxBoth, true, 1},
        {"log X, Y allowed", true, false, AutoBoxY, false, 1},
        {"log Y, Y", false, true, AutoBoxY, true, 1},
        {"log Y, X allowed", false, true, AutoBoxX, false, 1},
        {"linear, Both allowed", false, false, AutoBoxBoth, false, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Document doc;
        doc.Settings = Limits();
        doc.Settings.LogX = r.logX;
        doc.Settings.LogY = r.logY;
        RecordingFeedback fb;
        GridDialogRules grid{doc.Settings, fb, {}};
        DrawCounter d;
        ScaleDialogRules dialog{doc, fb, d.Hooks(), grid};
        dialog.Show(false);
        dialog.State.AutoBox = r.choice;
        dialog.AutoBoxChanged();
        EXPECT_EQ(fb.BeepReasons, r.refused
                                      ? std::vector<std::string>{"Multi-scale is not possible on a "
                                                                 "logarithmic axis."}
                                      : std::vector<std::string>{});
        EXPECT_EQ(d.draw, r.draws);
        const GraphSettings& g = doc.Settings;
        EXPECT_EQ(dialog.State.AutoBox, r.refused ? AutoBoxDisable : r.choice);
        const int applied = r.refused ? AutoBoxDisable : r.choice;
        EXPECT_EQ(g.MultiScaleX, applied == AutoBoxX || applied == AutoBoxBoth);
        EXPECT_EQ(g.MultiScaleYL, applied == AutoBoxY || applied == AutoBoxBoth);
        EXPECT_EQ(g.MultiScaleYR, g.MultiScaleYL);
    }
}

TEST_F(ScaleDialog, AutoButtons) {
    AddSeries(doc, "3:-3.7 47:5");
    AddSeries(doc, "0:3 1:47", false);
    dialog.Show(false);
    dialog.State.AutoBox = AutoBoxX;
    dialog.AutoBoxChanged();
    ASSERT_EQ(d.draw, 1);
    dialog.AutoX();
    EXPECT_EQ(s.XMax, 48);
    EXPECT_EQ(dialog.State.Boxes.MaxX, "48");
    EXPECT_EQ(dialog.State.AutoBox, AutoBoxDisable);
    EXPECT_FALSE(s.MultiScaleX);
    // The selection of "Disable" counts as a change (one draw) and the button
    // draws when a graph window exists (another); no window is created.
    EXPECT_EQ(d.draw, 3);
    EXPECT_EQ(d.ensure, 0);

    dialog.AutoYL();
    EXPECT_EQ(s.YLMax, 5);
    EXPECT_EQ(s.YLMin, -5);
    EXPECT_EQ(d.ensure, 1);
    EXPECT_EQ(s.YGridMajor, 10);
    // YR changes the Y grid it shares with YL; YL keeps its limits and labels.
    dialog.AutoYR();
    EXPECT_EQ(s.YRMax, 48);
    EXPECT_EQ(s.YRMin, 0);
    EXPECT_EQ(s.YGridMajor, 16);
    EXPECT_EQ(s.YGridMinor, 3);
    EXPECT_EQ(s.YRTicks, 8);
    EXPECT_EQ(dialog.State.Boxes.MaxYR, "48");
    EXPECT_FALSE(s.MultiScaleYR);
    EXPECT_EQ(s.YLMax, 5);
    EXPECT_EQ(s.YLTicks, 5);
    EXPECT_EQ(dialog.State.Boxes.MaxYL, "5");
    EXPECT_EQ(d.ensure, 2);
    EXPECT_EQ(fb.Beeps, 0);
}

TEST_F(ScaleDialog, FindAllTakesEveryRangeAndClearsTheGrid) {
    AddSeries(doc, "5:-2 1:4");
    AddSeries(doc, "-3:10 2:20", false);
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
    EXPECT_EQ(d.ensure, 1);
}

TEST_F(ScaleDialog, ViewAndGridApplyTheBoxesFirst) {
    s = Limits();
    dialog.Show(false);
    dialog.State.Boxes.MinYL = "-8";
    dialog.GoGrid();
    EXPECT_EQ(s.YLMin, -8);
    EXPECT_EQ(d.draw + d.ensure, 0);
    dialog.State.Boxes.MaxX = "100";
    dialog.View();
    EXPECT_EQ(s.XMax, 100);
    EXPECT_FALSE(dialog.State.CancelShown);
    EXPECT_EQ(d.ensure, 1);
}

} // namespace
} // namespace torvel
