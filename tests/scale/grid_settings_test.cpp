#include "scale/grid_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace torvel {
namespace {

struct GridCase {
    const char* name;
    Real min, max;
    AxisGrid x, y;
};

TEST(ComputeAutoGrid, WorkedResults) {
    // {major, minor, ticks, decimals}
    const GridCase cases[] = {
        {"0 to 48", 0, 48, {8, 6, 4, 0}, {16, 3, 8, 0}},
        {"0 to 100", 0, 100, {10, 5, 5, 0}, {10, 5, 5, 0}},
        {"0 to 0.5", 0, 0.5L, {10, 5, 5, 1}, {10, 5, 5, 1}},
        {"0 to 47, second pass", 0, 47, {10, 1, 5, 0}, {10, 1, 5, 0}},
        {"0 to 12.5, second pass", 0, 12.5L, {5, 5, 5, 0}, {5, 5, 5, 0}},
        {"0 to 123.4, defaults", 0, 123.4L, {1, 1, 1, 2}, {1, 1, 1, 2}},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComputeAutoGrid(c.max, c.min, ScaleAxis::X), c.x);
        EXPECT_EQ(ComputeAutoGrid(c.max, c.min, ScaleAxis::YL), c.y);
        EXPECT_EQ(ComputeAutoGrid(c.max, c.min, ScaleAxis::YR), c.y);
        // Only the width counts, not the direction or the position.
        EXPECT_EQ(ComputeAutoGrid(c.min, c.max, ScaleAxis::X), c.x);
        EXPECT_EQ(ComputeAutoGrid(c.max + 1000, c.min + 1000, ScaleAxis::X), c.x);
    }
}

TEST(ComputeAutoGrid, MoreRanges) {
    const GridCase cases[] = {
        // 0.048 -> 48 with Up 3, Small: 2 decimals.
        {"0 to 0.048", 0, 0.048L, {8, 6, 4, 2}, {16, 3, 8, 2}},
        // 0.047 needs the second pass: 470 units, decimals Up - 2 = 2.
        {"0 to 0.047", 0, 0.047L, {10, 1, 5, 2}, {10, 1, 5, 2}},
        // 1000: ten units of 100.
        {"0 to 1000", 0, 1000, {10, 5, 5, 0}, {10, 5, 5, 0}},
        // 101 at three digits: 101 prime; whole, so kept with one interval.
        {"0 to 101", 0, 101, {1, 1, 1, 0}, {1, 1, 1, 0}},
        // 60 on X: 20 halved to 10; on Y 20 (minor: 60/20 = 3).
        {"0 to 60", 0, 60, {10, 6, 5, 0}, {20, 3, 10, 0}},
        // 450 at two digits: N = 45, g = 15 -> 5 on X.
        {"0 to 450", 0, 450, {5, 9, 5, 0}, {15, 3, 15, 0}},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComputeAutoGrid(c.max, c.min, ScaleAxis::X), c.x);
        EXPECT_EQ(ComputeAutoGrid(c.max, c.min, ScaleAxis::YL), c.y);
    }
}

TEST(ComputeAutoGrid, DecimalsNeverNegative) {
    // A second pass over a range of 100 to 1000 would give -1 decimals.
    for (Real max : {101.0L, 127.0L, 503.0L, 997.0L}) {
        const std::optional<AxisGrid> g = ComputeAutoGrid(max, 0, ScaleAxis::X);
        ASSERT_TRUE(g.has_value());
        EXPECT_EQ(g->Decimals, 0) << static_cast<double>(max);
    }
}

TEST(ComputeAutoGrid, NothingForEqualOrUnusableLimits) {
    EXPECT_FALSE(ComputeAutoGrid(3, 3, ScaleAxis::X));
    EXPECT_FALSE(ComputeAutoGrid(INFINITY, 3, ScaleAxis::X));
    EXPECT_FALSE(ComputeAutoGrid(NAN, 3, ScaleAxis::YL));
    EXPECT_FALSE(ComputeAutoGrid(1E4932L, -1E4932L, ScaleAxis::YL));
    EXPECT_TRUE(ComputeAutoGrid(1E-4940L, 0, ScaleAxis::X));
}

// Settings with every count different from what the tests store.
GraphSettings Marked() {
    GraphSettings s;
    s.XGridMinor = 3;
    s.XGridMajor = 7;
    s.XTicks = 7;
    s.XDecimals = 5;
    s.YGridMinor = 4;
    s.YGridMajor = 9;
    s.YLTicks = 9;
    s.YLDecimals = 6;
    s.YRTicks = 3;
    s.YRDecimals = 1;
    return s;
}

GridDialogState Boxes(const char* xMinor, const char* xMajor, const char* xTicks,
                      const char* xDec) {
    GridDialogState b;
    b.XMinor = xMinor;
    b.XMajor = xMajor;
    b.XTicks = xTicks;
    b.XDec = xDec;
    b.YMinor = "2";
    b.YMajor = "12";
    b.YLTicks = "6";
    b.YLDec = "0";
    b.YRTicks = "4";
    b.YRDec = "8";
    return b;
}

TEST(ApplyGridSettings, BoxesAndTheirRanges) {
    struct Row {
        const char* name;
        GridDialogState boxes;
        int beeps;
        int xMinor, xMajor, xTicks, xDec;
    };
    const Row rows[] = {
        {"all good", Boxes("10", "20", "1", "0"), 0, 10, 20, 1, 0},
        {"minor 12 refused", Boxes("12", "5", "5", "3"), 1, 3, 5, 5, 3},
        {"empty counts read 1, empty decimals 0", Boxes("", "", "", ""), 0, 1, 1, 1, 0},
        {"zero counts refused", Boxes("0", "0", "0", "0"), 3, 3, 7, 7, 0},
        {"above range", Boxes("11", "21", "21", "9"), 4, 3, 7, 7, 5},
        {"negative", Boxes("-1", "-5", "-1", "-1"), 4, 3, 7, 7, 5},
        {"not whole numbers", Boxes("2.5", "1,5", "x", "2 "), 4, 3, 7, 7, 5},
        {"leading blank and hex", Boxes(" 4", "$10", "0x0A", "+3"), 0, 4, 16, 10, 3},
        {"overflowing number", Boxes("99999999999", "5", "5", "5"), 1, 3, 5, 5, 5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GraphSettings s = Marked();
        RecordingFeedback fb;
        ApplyGridSettings(r.boxes, s, fb);
        EXPECT_EQ(fb.Beeps, r.beeps);
        EXPECT_TRUE(fb.Messages.empty());
        EXPECT_EQ(s.XGridMinor, r.xMinor);
        EXPECT_EQ(s.XGridMajor, r.xMajor);
        EXPECT_EQ(s.XTicks, r.xTicks);
        EXPECT_EQ(s.XDecimals, r.xDec);
        // The Y boxes are read whatever happened to the X ones.
        EXPECT_EQ(s.YGridMinor, 2);
        EXPECT_EQ(s.YGridMajor, 12);
        EXPECT_EQ(s.YLTicks, 6);
        EXPECT_EQ(s.YLDecimals, 0);
        EXPECT_EQ(s.YRTicks, 4);
        EXPECT_EQ(s.YRDecimals, 8);
    }
}

TEST(ApplyGridSettings, LogBoxesAreSkipped) {
    GridDialogState b = Boxes("Log", "Log", "Log", "Log");
    GraphSettings s = Marked();
    RecordingFeedback fb;
    ApplyGridSettings(b, s, fb);
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(s.XGridMinor, 3);
    EXPECT_EQ(s.XDecimals, 5);
    EXPECT_EQ(s.YGridMajor, 12);

    b = Boxes("1", "2", "2", "2");
    b.YMinor = b.YMajor = b.YLTicks = b.YLDec = b.YRTicks = b.YRDec = "Log";
    s = Marked();
    ApplyGridSettings(b, s, fb);
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(s.XGridMajor, 2);
    EXPECT_EQ(s.YGridMajor, 9);
    EXPECT_EQ(s.YRDecimals, 1);
}

struct Draws {
    int draw = 0, ensure = 0;
    RedrawHooks Hooks() {
        return {[this] { ++draw; }, [this] { ++ensure; }};
    }
};

TEST(ClearGrid, ResetsLinearAxesAndDraws) {
    struct Row {
        bool logX, logY;
        bool xCleared, yCleared;
        int beeps, draws;
    };
    const Row rows[] = {{false, false, true, true, 0, 1},
                        {true, false, false, true, 0, 1},
                        {false, true, true, false, 0, 1},
                        {true, true, false, false, 1, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.logX) + std::to_string(r.logY));
        GraphSettings s = Marked();
        s.LogX = r.logX;
        s.LogY = r.logY;
        GridDialogState b = Boxes("4", "4", "4", "4");
        const GridDialogState before = b;
        RecordingFeedback fb;
        Draws d;
        ClearGrid(b, s, fb, d.Hooks());
        EXPECT_EQ(fb.Beeps, r.beeps);
        EXPECT_EQ(d.ensure, r.draws);
        EXPECT_EQ(d.draw, 0);
        if (r.xCleared) {
            EXPECT_EQ(s.XGridMinor, 1);
            EXPECT_EQ(s.XGridMajor, 1);
            EXPECT_EQ(s.XTicks, 1);
            EXPECT_EQ(s.XDecimals, 2);
            EXPECT_EQ(b.XMinor, "1");
            EXPECT_EQ(b.XMajor, "1");
            EXPECT_EQ(b.XTicks, "1");
            EXPECT_EQ(b.XDec, "2");
        } else {
            EXPECT_EQ(s.XGridMajor, 7);
            EXPECT_EQ(s.XDecimals, 5);
            EXPECT_EQ(b.XMajor, before.XMajor);
        }
        if (r.yCleared) {
            EXPECT_EQ(s.YGridMinor, 1);
            EXPECT_EQ(s.YGridMajor, 1);
            EXPECT_EQ(s.YLTicks, 1);
            EXPECT_EQ(s.YRTicks, 1);
            EXPECT_EQ(s.YLDecimals, 2);
            EXPECT_EQ(s.YRDecimals, 2);
            EXPECT_EQ(b.YMinor, "1");
            EXPECT_EQ(b.YRTicks, "1");
            EXPECT_EQ(b.YLDec, "2");
            EXPECT_EQ(b.YRDec, "2");
        } else {
            EXPECT_EQ(s.YGridMajor, 9);
            EXPECT_EQ(s.YRDecimals, 1);
            EXPECT_EQ(b.YMajor, before.YMajor);
        }
    }
}

TEST(AutoGrid, StoresShowsHidesCancelAndDraws) {
    GraphSettings s = Marked();
    s.XMin = 0;
    s.XMax = 48;
    GridDialogState b;
    RecordingFeedback fb;
    Draws d;
    AutoGridX(b, s, fb, d.Hooks());
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(d.ensure, 1);
    EXPECT_EQ(s.XGridMajor, 8);
    EXPECT_EQ(s.XGridMinor, 6);
    EXPECT_EQ(s.XTicks, 4);
    EXPECT_EQ(s.XDecimals, 0);
    EXPECT_EQ(b.XMajor, "8");
    EXPECT_EQ(b.XMinor, "6");
    EXPECT_EQ(b.XTicks, "4");
    EXPECT_EQ(b.XDec, "0");
    EXPECT_FALSE(b.CancelShown);
    // Limits and the Y settings stay.
    EXPECT_EQ(s.XMax, 48);
    EXPECT_EQ(s.YGridMajor, 9);
}

TEST(AutoGrid, RightAxisChangesTheSharedYGrid) {
    GraphSettings s = Marked();
    s.YRMin = 0;
    s.YRMax = 48;
    GridDialogState b;
    RecordingFeedback fb;
    Draws d;
    AutoGridYR(b, s, fb, d.Hooks());
    EXPECT_EQ(s.YGridMajor, 16);
    EXPECT_EQ(s.YGridMinor, 3);
    EXPECT_EQ(s.YRTicks, 8);
    EXPECT_EQ(s.YRDecimals, 0);
    EXPECT_EQ(b.YMajor, "16");
    EXPECT_EQ(b.YRTicks, "8");
    // The left axis keeps its labels.
    EXPECT_EQ(s.YLTicks, 9);
    EXPECT_EQ(s.YLDecimals, 6);
    EXPECT_EQ(b.YLTicks, "1");

    s.YLMin = -0.25L;
    s.YLMax = 0.25L;
    AutoGridYL(b, s, fb, d.Hooks());
    EXPECT_EQ(s.YGridMajor, 10);
    EXPECT_EQ(s.YLTicks, 5);
    EXPECT_EQ(s.YLDecimals, 1);
    EXPECT_EQ(s.YRTicks, 8);
    EXPECT_EQ(d.ensure, 2);
}

TEST(AutoGrid, RefusedOnLogAxisOrEqualLimits) {
    struct Row {
        const char* name;
        ScaleAxis axis;
        bool logX, logY;
        Real max, min;
    };
    const Row rows[] = {
        {"log X", ScaleAxis::X, true, false, 48, 0},
        {"equal X", ScaleAxis::X, false, false, 5, 5},
        {"log Y on YL", ScaleAxis::YL, false, true, 48, 0},
        {"log Y on YR", ScaleAxis::YR, false, true, 48, 0},
        {"equal YL", ScaleAxis::YL, false, false, 0, 0},
        {"infinite YR", ScaleAxis::YR, false, false, INFINITY, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GraphSettings s = Marked();
        s.LogX = r.logX;
        s.LogY = r.logY;
        s.XMax = s.YLMax = s.YRMax = r.max;
        s.XMin = s.YLMin = s.YRMin = r.min;
        const GraphSettings before = s;
        GridDialogState b;
        const GridDialogState boxesBefore = b;
        RecordingFeedback fb;
        Draws d;
        if (r.axis == ScaleAxis::X) AutoGridX(b, s, fb, d.Hooks());
        if (r.axis == ScaleAxis::YL) AutoGridYL(b, s, fb, d.Hooks());
        if (r.axis == ScaleAxis::YR) AutoGridYR(b, s, fb, d.Hooks());
        EXPECT_EQ(fb.Beeps, 1);
        EXPECT_EQ(d.ensure + d.draw, 0);
        EXPECT_EQ(s, before);
        EXPECT_EQ(b, boxesBefore);
    }
}

class GridDialog : public ::testing::Test {
  protected:
    GraphSettings s = Marked();
    RecordingFeedback fb;
    Draws d;
    GridDialogRules dialog{s, fb, d.Hooks()};
};

TEST_F(GridDialog, ShowFillsBoxesAsWholeNumbers) {
    dialog.State.CancelShown = false;
    dialog.Show(false);
    const GridDialogState& b = dialog.State;
    EXPECT_EQ(b.XMinor, "3");
    EXPECT_EQ(b.XMajor, "7");
    EXPECT_EQ(b.XTicks, "7");
    EXPECT_EQ(b.XDec, "5");
    EXPECT_EQ(b.YMinor, "4");
    EXPECT_EQ(b.YMajor, "9");
    EXPECT_EQ(b.YLTicks, "9");
    EXPECT_EQ(b.YLDec, "6");
    EXPECT_EQ(b.YRTicks, "3");
    EXPECT_EQ(b.YRDec, "1");
    EXPECT_TRUE(b.XBoxesEnabled);
    EXPECT_TRUE(b.YBoxesEnabled);
    EXPECT_TRUE(b.CancelShown);
    EXPECT_TRUE(b.ScaleButtonShown);
    EXPECT_EQ(b.FocusBox, "XMajor");
    dialog.Show(true);
    EXPECT_FALSE(dialog.State.ScaleButtonShown);
    EXPECT_EQ(d.draw + d.ensure, 0);
}

TEST_F(GridDialog, ShowOnLogAxes) {
    s.LogX = true;
    dialog.Show(false);
    EXPECT_EQ(dialog.State.XMinor, "Log");
    EXPECT_EQ(dialog.State.XMajor, "Log");
    EXPECT_EQ(dialog.State.XTicks, "Log");
    EXPECT_EQ(dialog.State.XDec, "Log");
    EXPECT_FALSE(dialog.State.XBoxesEnabled);
    EXPECT_TRUE(dialog.State.YBoxesEnabled);
    EXPECT_EQ(dialog.State.YMajor, "9");
    EXPECT_EQ(dialog.State.FocusBox, "YMinor");

    s.LogX = false;
    s.LogY = true;
    dialog.Show(false);
    EXPECT_EQ(dialog.State.XMinor, "3");
    EXPECT_TRUE(dialog.State.XBoxesEnabled);
    EXPECT_FALSE(dialog.State.YBoxesEnabled);
    for (const std::string* t : {&dialog.State.YMinor, &dialog.State.YMajor, &dialog.State.YLTicks,
                                 &dialog.State.YLDec, &dialog.State.YRTicks, &dialog.State.YRDec})
        EXPECT_EQ(*t, "Log");
    EXPECT_EQ(dialog.State.FocusBox, "XMajor");

    // OK after a log Show leaves that axis's settings alone.
    dialog.State.XMajor = "12";
    dialog.OK();
    EXPECT_EQ(s.XGridMajor, 12);
    EXPECT_EQ(s.YGridMajor, 9);
    EXPECT_EQ(fb.Beeps, 0);
}

TEST_F(GridDialog, ViewAppliesClearsMultiScaleOfUsableAxesAndDraws) {
    s.MultiScaleX = s.MultiScaleYL = s.MultiScaleYR = true;
    s.XMax = 10;
    s.YLMax = s.YLMin = 4;
    s.YRMax = 1;
    dialog.Show(false);
    dialog.State.YMajor = "20";
    dialog.View();
    EXPECT_EQ(s.YGridMajor, 20);
    EXPECT_FALSE(s.MultiScaleX);
    EXPECT_TRUE(s.MultiScaleYL);
    EXPECT_FALSE(s.MultiScaleYR);
    EXPECT_FALSE(dialog.State.CancelShown);
    EXPECT_EQ(d.ensure, 1);
}

TEST_F(GridDialog, ViewAndClearWithBothAxesLogOnlyBeep) {
    s.LogX = s.LogY = true;
    s.XMax = 10;
    s.MultiScaleX = true;
    dialog.Show(false);
    const GraphSettings before = s;
    dialog.View();
    EXPECT_EQ(fb.Beeps, 1);
    EXPECT_TRUE(dialog.State.CancelShown);
    dialog.Clear();
    EXPECT_EQ(fb.Beeps, 2);
    EXPECT_EQ(s, before);
    EXPECT_EQ(d.ensure + d.draw, 0);
}

TEST_F(GridDialog, ClearHidesCancel) {
    dialog.Show(false);
    dialog.Clear();
    EXPECT_FALSE(dialog.State.CancelShown);
    EXPECT_EQ(s.XGridMajor, 1);
    EXPECT_EQ(dialog.State.XDec, "2");
    EXPECT_EQ(d.ensure, 1);
}

TEST_F(GridDialog, AutoButtonsUseTheCurrentLimits) {
    s.XMin = 0;
    s.XMax = 12.5L;
    dialog.Show(false);
    dialog.AutoX();
    EXPECT_EQ(s.XGridMajor, 5);
    EXPECT_EQ(dialog.State.XMinor, "5");
    EXPECT_FALSE(dialog.State.CancelShown);
    // "Scale" reads the boxes, typed values included.
    dialog.State.XDec = "0";
    dialog.State.YLDec = "";
    dialog.GoScale();
    EXPECT_EQ(s.XDecimals, 0);
    EXPECT_EQ(s.YLDecimals, 0);
}

} // namespace
} // namespace torvel
