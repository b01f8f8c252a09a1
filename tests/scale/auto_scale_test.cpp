#include "scale/auto_scale.h"

#include "core/number_text.h"
#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
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
        {"-5 to 5", X, -5, 5, -5, 5, 10, 5, 5, 0},
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

// Round limits stay as they are, so only the width counts. Very narrow ranges
// get more than the 8 decimals the grid dialog takes: not limited.
TEST(ComputeAutoScale, DecimalsFollowTheRangeWidth) {
    const std::pair<Real, int> rows[] = {{500, 0},    {50, 0},     {10, 0},     {5, 1},
                                         {1, 2},      {0.5L, 2},   {0.1L, 2},   {0.05L, 3},
                                         {0.005L, 4}, {2E-9L, 10}, {1E-10L, 11}};
    for (const auto& [max, decimals] : rows) {
        SCOPED_TRACE(NumberToText(max, 14));
        const std::optional<AxisScale> s = ComputeAutoScale(max, 0, X);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->Decimals, decimals);
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

TEST(ComputeAutoScale, ExtremeMagnitudesEnd) {
    for (Real v : {1E-4000L, 3.3E4000L, 1E-4940L, 7E4930L}) {
        SCOPED_TRACE(static_cast<double>(std::log10(v)));
        const std::optional<AxisScale> s = ComputeAutoScale(v * 4.7L, v, X);
        ASSERT_TRUE(s.has_value());
        EXPECT_GE(s->Major, 4);
        EXPECT_LE(s->Major, 10);
        EXPECT_GT(s->Max, s->Min);
        EXPECT_LE(s->Decimals, MaxScaleDecimals);
    }
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

// Over many random data ranges the auto-scaled axes keep what the renderer
// relies on.
TEST(ComputeAutoScale, PropertiesOverRandomRanges) {
    std::mt19937_64 rng(20240607);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 12);
    for (int i = 0; i < 20000; ++i) {
        const Real a = mantissa(rng) * std::pow(10.0L, exponent(rng));
        Real b = 0; // from zero
        switch (i % 4) {
        case 0: // unrelated magnitude
            b = mantissa(rng) * std::pow(10.0L, exponent(rng));
            break;
        case 1: // narrow range far from zero
            b = a * (1 + mantissa(rng) * std::pow(10.0L, -exponent(rng) / 2 - 7));
            break;
        case 2: // same order of magnitude
            b = a * (1 + mantissa(rng) / 4);
            break;
        }
        if (a == b) continue;
        const Real dataMax = std::max(a, b), dataMin = std::min(a, b);
        SCOPED_TRACE(NumberToText(dataMin, 22) + " .. " + NumberToText(dataMax, 22));
        for (ScaleAxis axis : {X, YL}) {
            const std::optional<AxisScale> s = ComputeAutoScale(dataMax, dataMin, axis);
            ASSERT_TRUE(s.has_value());
            ASSERT_GT(s->Max, s->Min);
            ASSERT_GE(s->Max, dataMax);
            ASSERT_LE(s->Min, dataMin);
            if (!(s->Max > 0 && s->Min < 0)) {
                ASSERT_GE(s->Major, 4);
                ASSERT_LE(s->Major, axis == X ? 10 : 20);
            }
            ASSERT_LE(s->Major, 20);
            ASSERT_EQ(s->Ticks, s->Major % 2 == 0 ? s->Major / 2 : s->Major);
            ASSERT_GE(s->Minor, 1);
            ASSERT_LE(s->Minor, 10);
            ASSERT_GE(s->Decimals, 0);
        }
    }
}

class AutoScaleDoc : public ::testing::Test {
  protected:
    Document doc;
    GraphSettings& s = doc.Settings;
    RangeTexts boxes;
};

TEST_F(AutoScaleDoc, XAxisSetsLimitsCountsBoxesAndClearsMultiScale) {
    AddSeries(doc, "47:1 3:2 20:3");
    GraphSettings expected = s;
    expected.XMax = 48;
    expected.XMin = 0;
    expected.XGridMajor = 8;
    expected.XGridMinor = 6;
    expected.XTicks = 4;
    expected.XDecimals = 0;
    expected.MultiScaleX = false;
    AutoScaleXAxis(doc, boxes);
    // Nothing of the Y axes changes.
    EXPECT_EQ(s, expected);
    EXPECT_EQ(boxes.MaxX, "48");
    EXPECT_EQ(boxes.MinX, "0");
    EXPECT_EQ(boxes.MaxYL, "");
}

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

// With one X value, or no series at all, Find gives equal limits and the
// operation stops: counts and the multi-scale flag stay.
TEST_F(AutoScaleDoc, NothingToScaleStopsAfterFind) {
    s.XGridMajor = 3;
    s.XDecimals = 4;
    s.XMax = 5;
    s.MultiScaleX = false;
    AutoScaleXAxis(doc, boxes);
    EXPECT_EQ(s.XMax, 0);
    EXPECT_EQ(s.XMin, 0);
    EXPECT_FALSE(s.MultiScaleX);
    AddSeries(doc, "7:1 7:2");
    s.MultiScaleX = true;
    AutoScaleXAxis(doc, boxes);
    EXPECT_EQ(s.XMax, 7);
    EXPECT_EQ(s.XMin, 7);
    EXPECT_EQ(boxes.MaxX, "7");
    EXPECT_EQ(s.XGridMajor, 3);
    EXPECT_EQ(s.XDecimals, 4);
    EXPECT_TRUE(s.MultiScaleX);
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
