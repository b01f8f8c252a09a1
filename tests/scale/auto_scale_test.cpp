#include "scale/auto_scale.h"

#include "core/number_text.h"
#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

namespace torvel {
namespace {

using namespace testing_support;

constexpr ScaleAxis X = ScaleAxis::X, YL = ScaleAxis::YL, YR = ScaleAxis::YR;

struct ScaleCase {
    const char* name;
    ScaleAxis axis;
    Real dataMin, dataMax;
    Real min, max;
    int major, ticks, minor, decimals;
};

TEST(ComputeAutoScale, Ranges) {
    const ScaleCase cases[] = {
        // The worked results.
        {"m pulled to 0, top widened", X, 3, 47, 0, 48, 8, 4, 6, 0},
        {"small numbers", X, 0.0123L, 0.0456L, 0, 0.048L, 8, 4, 6, 3},
        {"narrow far from zero: L = 200", X, 1000, 1005, 1000, 1010, 10, 5, 5, 0},
        {"straddles zero", X, -3.7L, 5, -5, 5, 10, 5, 5, 0},
        {"symmetric accepted with 13", X, -7, 13, -13, 13, 13, 13, 2, 0},
        {"M pulled to 0, bottom widened", X, -3.7L, -1, -4, 0, 10, 5, 4, 1},
        // The Y axes keep divisions above 10.
        {"3 to 47 on Y", YL, 3, 47, 0, 48, 16, 8, 3, 0},
        {"3 to 47 on YR", YR, 3, 47, 0, 48, 16, 8, 3, 0},
        // 0.046 has g = 2, 0.047 g = 1, 0.048 g = 16: accepted unreduced.
        {"small numbers on Y", YL, 0.0123L, 0.0456L, 0, 0.048L, 16, 8, 3, 3},
        {"narrow far from zero on Y", YR, 1000, 1005, 1000, 1010, 10, 5, 5, 0},
        {"symmetric on Y", YL, -7, 13, -13, 13, 13, 13, 2, 0},
        // More by hand.
        {"0 stays, 100 is whole", X, 0, 100, 0, 100, 10, 5, 5, 0},
        {"r = 2.5, no pull: 30 tenths, 15 -> 5", X, 2, 5, 2, 5, 5, 5, 6, 1},
        {"both negative, a range of exactly 1", X, -2, -1, -2, -1, 10, 5, 5, 2},
        {"0.5 gets 2 decimals (auto grid: 1)", X, 0, 0.5L, 0, 0.5L, 10, 5, 5, 2},
        {"symmetric kept with g = 2", X, -2.3L, 1, -2.3L, 2.3L, 2, 1, 1, 1},
        {"equal magnitudes: L = 10", X, -1.15L, 1.15L, -2, 2, 10, 5, 4, 1},
        {"no pull across zero; 20 halved", X, -100, 2, -100, 100, 10, 5, 2, 0},
        // r = 1.00005: L = 20000, times 10 for a range below 1.
        {"narrow keeps six digits", X, 1000, 1000.05L, 1000, 1000.05L, 10, 5, 5, 3},
        // r - 1 below 1E-6: L stays 100, two digits.
        {"too narrow for more digits", X, 1000000, 1000000.5L, 1000000, 1100000, 10, 5, 5, 0},
        // A log Y axis with no positive Y measures max 0 and min 0.1.
        {"reversed limits", YL, 0.1L, 0, 0, 0.1L, 10, 5, 5, 2},
    };
    for (const ScaleCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<AxisScale> r = ComputeAutoScale(c.dataMax, c.dataMin, c.axis);
        ASSERT_TRUE(r.has_value());
        // Limits are built from whole units by powers of ten; compare them as text.
        EXPECT_EQ(NumberToText(r->Min, 14), NumberToText(c.min, 14));
        EXPECT_EQ(NumberToText(r->Max, 14), NumberToText(c.max, 14));
        EXPECT_EQ(r->Major, c.major);
        EXPECT_EQ(r->Ticks, c.ticks);
        EXPECT_EQ(r->Minor, c.minor);
        EXPECT_EQ(r->Decimals, c.decimals);
    }
}

TEST(ComputeAutoScale, NothingToScale) {
    EXPECT_FALSE(ComputeAutoScale(5, 5, X));
    EXPECT_FALSE(ComputeAutoScale(0, 0, YL));
    EXPECT_FALSE(ComputeAutoScale(INFINITY, 0, X));
    EXPECT_FALSE(ComputeAutoScale(1, NAN, X));
    // Rounding up past the end of the extended range.
    EXPECT_FALSE(ComputeAutoScale(1.15E4932L, 1, X));
    EXPECT_FALSE(ComputeAutoScale(1E4932L, -1E4932L, X));
}

TEST(DivisionRules, Table) {
    EXPECT_EQ(LargestDivisorUpTo(48, 20), 16);
    EXPECT_EQ(LargestDivisorUpTo(47, 20), 1);
    EXPECT_EQ(LargestDivisorUpTo(60, 20), 20);
    EXPECT_EQ(LargestDivisorUpTo(6, 10), 6);
    EXPECT_EQ(LargestDivisorUpTo(0, 20), 1);
    EXPECT_EQ(LargestDivisorUpTo(-4, 20), 1);
    // X: 16 halved, 15 thirded, 13 kept; Y: unreduced.
    for (auto [units, x, y] : {std::tuple{48, 8, 16}, {45, 5, 15}, {26, 13, 13}, {47, 1, 1}}) {
        EXPECT_EQ(MajorFor(units, X), x) << units;
        EXPECT_EQ(MajorFor(units, YR), y) << units;
    }
}

class AutoScaleDoc : public ::testing::Test {
  protected:
    Document doc;
    GraphSettings& s = doc.Settings;
    RangeTexts boxes;
};

TEST_F(AutoScaleDoc, MeasuresEverySeriesSortedAndLeavesTheGrids) {
    Series& a = AddSeries(doc, "5:1 1:2 3:3");
    Series& b = AddSeries(doc, "9:7 8:6", false);
    AutoScaleYLAxis(doc, boxes);
    // Measured in X order; the cells stay as typed.
    EXPECT_EQ(a.Cell(XColumn, 1), "5");
    EXPECT_EQ(a.Store().Row(0).X, 5);
    EXPECT_EQ(a.ValidRow(0).X, 1);
    EXPECT_EQ(a.ValidRow(2).X, 5);
    // The right-axis series is measured too, though not used.
    EXPECT_EQ(b.ValidRow(0).X, 8);
    EXPECT_EQ(b.ValidRow(0).Y, 6);
    // YL is 1 to 3: r = 3 pulls nothing; 10..30 tenths, N = 20 accepted on Y.
    EXPECT_EQ(s.YLMin, 1);
    EXPECT_EQ(s.YLMax, 3);
    EXPECT_EQ(s.YGridMajor, 20);
    EXPECT_EQ(s.YLTicks, 10);
    EXPECT_EQ(s.YGridMinor, 5);
    EXPECT_EQ(s.YLDecimals, 1);
    EXPECT_FALSE(s.MultiScaleYL);
    EXPECT_TRUE(s.MultiScaleYR);
}

TEST_F(AutoScaleDoc, MenuCommandDoesXAndLeftYAndDraws) {
    AddSeries(doc, "3:-3.7 47:5");
    AddSeries(doc, "0:1 1:2", false);
    int draws = 0;
    AutoScaleGraph(doc, boxes, [&] { ++draws; });
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(s.XMax, 48);
    EXPECT_EQ(s.YLMax, 5);
    EXPECT_EQ(s.YLMin, -5);
    // The right axis is left alone.
    EXPECT_EQ(s.YRMax, 0);
    EXPECT_TRUE(s.MultiScaleYR);
    EXPECT_EQ(boxes.MaxYR, "");
}

} // namespace
} // namespace torvel
