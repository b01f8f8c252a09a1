#include "scale/grid_settings.h"

#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace torvel {
namespace {

using namespace testing_support;

constexpr ScaleAxis X = ScaleAxis::X, YL = ScaleAxis::YL, YR = ScaleAxis::YR;

TEST(ComputeAutoGrid, Ranges) {
    struct GridCase {
        const char* name;
        Real min, max;
        AxisGrid x, y; // {major, minor, ticks, decimals}
    };
    const GridCase cases[] = {
        // The worked results.
        {"0 to 48", 0, 48, {8, 6, 4, 0}, {16, 3, 8, 0}},
        {"0 to 100", 0, 100, {10, 5, 5, 0}, {10, 5, 5, 0}},
        {"0 to 0.5", 0, 0.5L, {10, 5, 5, 1}, {10, 5, 5, 1}},
        {"0 to 47, second pass", 0, 47, {10, 1, 5, 0}, {10, 1, 5, 0}},
        {"0 to 12.5, second pass", 0, 12.5L, {5, 5, 5, 0}, {5, 5, 5, 0}},
        {"0 to 123.4, defaults", 0, 123.4L, {1, 1, 1, 2}, {1, 1, 1, 2}},
        // 0.048 -> 48 with Up 3, Small: 2 decimals.
        {"0 to 0.048", 0, 0.048L, {8, 6, 4, 2}, {16, 3, 8, 2}},
        // Second pass: 470 units, decimals Up - 2 = 2.
        {"0 to 0.047", 0, 0.047L, {10, 1, 5, 2}, {10, 1, 5, 2}},
        // 101 is prime but whole: kept with one interval; three digits would
        // ask for -1 decimals.
        {"0 to 101", 0, 101, {1, 1, 1, 0}, {1, 1, 1, 0}},
        {"0 to 60: 20 halved on X", 0, 60, {10, 6, 5, 0}, {20, 3, 10, 0}},
        {"0 to 450: 15 thirded on X", 0, 450, {5, 9, 5, 0}, {15, 3, 15, 0}},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ComputeAutoGrid(c.max, c.min, X), c.x);
        EXPECT_EQ(ComputeAutoGrid(c.max, c.min, YL), c.y);
        EXPECT_EQ(ComputeAutoGrid(c.max, c.min, YR), c.y);
        // Only the width counts, not the direction or the position.
        EXPECT_EQ(ComputeAutoGrid(c.min, c.max, X), c.x);
        EXPECT_EQ(ComputeAutoGrid(c.max + 1000, c.min + 1000, X), c.x);
    }
}

TEST(ComputeAutoGrid, NothingForEqualOrUnusableLimits) {
    EXPECT_FALSE(ComputeAutoGrid(3, 3, X));
    EXPECT_FALSE(ComputeAutoGrid(INFINITY, 3, X));
    EXPECT_FALSE(ComputeAutoGrid(NAN, 3, YL));
    EXPECT_FALSE(ComputeAutoGrid(1E4932L, -1E4932L, YL));
    EXPECT_TRUE(ComputeAutoGrid(1E-4940L, 0, X));
}

// Settings with every count different from what the tests store.
GraphSettings Marked() {
    GraphSettings s;
    s.XGridMinor = 3;
    s.XGridMajor = s.XTicks = 7;
    s.XDecimals = 5;
    s.YGridMinor = 4;
    s.YGridMajor = s.YLTicks = 9;
    s.YLDecimals = 6;
    s.YRTicks = 3;
    s.YRDecimals = 1;
    return s;
}

// The Y boxes hold good values throughout.
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
        for (const std::string& why : fb.BeepReasons)
            EXPECT_TRUE(why == "Enter a whole number from 1 to 10." ||
                        why == "Enter a whole number from 1 to 20." ||
                        why == "Enter a whole number from 0 to 8.")
                << why;
        EXPECT_TRUE(fb.Messages.empty());
        EXPECT_EQ(s.XGridMinor, r.xMinor);
        EXPECT_EQ(s.XGridMajor, r.xMajor);
        EXPECT_EQ(s.XTicks, r.xTicks);
        EXPECT_EQ(s.XDecimals, r.xDec);
        // The Y boxes are read whatever happened to the X ones.
        GraphSettings y = s;
        y.YGridMinor = 2;
        y.YGridMajor = 12;
        y.YLTicks = 6;
        y.YLDecimals = 0;
        y.YRTicks = 4;
        y.YRDecimals = 8;
        EXPECT_EQ(s, y);
    }
}

TEST(ApplyGridSettings, LogBoxesAreSkipped) {
    RecordingFeedback fb;
    GraphSettings s = Marked();
    ApplyGridSettings(Boxes("Log", "Log", "Log", "Log"), s, fb);
    EXPECT_EQ(s.XGridMinor, 3);
    EXPECT_EQ(s.XDecimals, 5);
    EXPECT_EQ(s.YGridMajor, 12);

    GridDialogState b = Boxes("1", "2", "2", "2");
    b.YMinor = b.YMajor = b.YLTicks = b.YLDec = b.YRTicks = b.YRDec = "Log";
    s = Marked();
    ApplyGridSettings(b, s, fb);
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(s.XGridMajor, 2);
    EXPECT_EQ(s.YGridMajor, 9);
    EXPECT_EQ(s.YRDecimals, 1);
}

TEST(AutoGrid, StoresShowsHidesCancelAndDraws) {
    GraphSettings s = Marked();
    s.XMax = s.YRMax = 48;
    GraphSettings expected = s;
    expected.XGridMajor = 8;
    expected.XGridMinor = 6;
    expected.XTicks = 4;
    expected.XDecimals = 0;
    GridDialogState b;
    RecordingFeedback fb;
    DrawCounter d;
    AutoGridX(b, s, fb, d.Hooks());
    EXPECT_EQ(s, expected); // limits and the Y settings stay
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(d.ensure, 1);
    EXPECT_EQ(b.XMajor + b.XMinor + b.XTicks + b.XDec, "8640");
    EXPECT_FALSE(b.CancelShown);

    // YR changes the Y grid it shares with YL; YL keeps its labels.
    AutoGridYR(b, s, fb, d.Hooks());
    EXPECT_EQ(s.YGridMajor, 16);
    EXPECT_EQ(s.YGridMinor, 3);
    EXPECT_EQ(s.YRTicks, 8);
    EXPECT_EQ(s.YRDecimals, 0);
    EXPECT_EQ(b.YMajor + b.YMinor + b.YRTicks + b.YRDec, "16380");
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
    EXPECT_EQ(d.ensure, 3);
}

TEST(AutoGrid, RefusedOnLogAxisOrEqualLimits) {
    struct Row {
        const char* name;
        ScaleAxis axis;
        bool logX, logY;
        Real max, min;
    };
    const Row rows[] = {
        {"log X", X, true, false, 48, 0},        {"equal X", X, false, false, 5, 5},
        {"log Y on YL", YL, false, true, 48, 0}, {"log Y on YR", YR, false, true, 48, 0},
        {"equal YL", YL, false, false, 0, 0},    {"infinite YR", YR, false, false, INFINITY, 0},
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
        RecordingFeedback fb;
        DrawCounter d;
        if (r.axis == X) AutoGridX(b, s, fb, d.Hooks());
        if (r.axis == YL) AutoGridYL(b, s, fb, d.Hooks());
        if (r.axis == YR) AutoGridYR(b, s, fb, d.Hooks());
        EXPECT_EQ(fb.Beeps, 1);
        EXPECT_EQ(d.ensure + d.draw, 0);
        EXPECT_EQ(s, before);
        EXPECT_EQ(b, GridDialogState{});
    }
}

class GridDialog : public ::testing::Test {
  protected:
    GraphSettings s = Marked();
    RecordingFeedback fb;
    DrawCounter d;
    GridDialogRules dialog{s, fb, d.Hooks()};
};

TEST_F(GridDialog, ShowFillsBoxesAsWholeNumbers) {
    dialog.State.CancelShown = false;
    dialog.Show(false);
    GridDialogState expected;
    expected.XMinor = "3";
    expected.XMajor = expected.XTicks = "7";
    expected.XDec = "5";
    expected.YMinor = "4";
    expected.YMajor = expected.YLTicks = "9";
    expected.YLDec = "6";
    expected.YRTicks = "3";
    expected.YRDec = "1";
    // Boxes enabled, "Cancel" and "Scale" shown, focus on XMajor.
    EXPECT_EQ(dialog.State, expected);
    dialog.Show(true);
    EXPECT_FALSE(dialog.State.ScaleButtonShown);
    EXPECT_EQ(d.draw + d.ensure, 0);
}

// Auto-scaling a very narrow range gives more decimals than may be typed; the
// dialog shows them and OK keeps them without a beep, while typing such a
// value is still refused.
TEST_F(GridDialog, DecimalsBeyondEightFromAutoScaleSurviveOK) {
    s.XDecimals = 11;
    s.YRDecimals = 12;
    dialog.Show(false);
    EXPECT_EQ(dialog.State.XDec, "11");
    dialog.OK();
    EXPECT_EQ(fb.Beeps, 0);
    EXPECT_EQ(s.XDecimals, 11);
    dialog.State.XDec = "12";
    dialog.OK();
    EXPECT_EQ(fb.Beeps, 1);
    EXPECT_EQ(s.XDecimals, 11);
    EXPECT_EQ(s.YRDecimals, 12);
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

// Each button reaches its own rule (the counts are the rules' tests above);
// "Clear" also hides "Cancel".
TEST_F(GridDialog, ButtonsClearAutoAndScale) {
    dialog.Show(false);
    dialog.Clear();
    EXPECT_FALSE(dialog.State.CancelShown);
    EXPECT_EQ(s.XGridMajor, 1);
    s.XMax = s.YLMax = s.YRMax = 48;
    dialog.AutoX();
    EXPECT_EQ(s.XTicks, 4);
    EXPECT_EQ(s.YLTicks, 1);
    dialog.AutoYL();
    EXPECT_EQ(s.YLTicks, 8);
    EXPECT_EQ(s.YRTicks, 1);
    dialog.AutoYR();
    EXPECT_EQ(s.YRTicks, 8);
    // "Scale" reads the boxes, typed values included.
    dialog.State.XDec = "5";
    dialog.State.YLTicks = "";
    dialog.GoScale();
    EXPECT_EQ(s.XDecimals, 5);
    EXPECT_EQ(s.YLTicks, 1);
}

} // namespace
} // namespace torvel
