#include "scale/auto_scale.h"

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace torvel {
namespace {

struct ScaleCase {
    const char* name;
    Real dataMin, dataMax;
    Real min, max;
    int major, ticks, minor, decimals;
};

void ExpectScale(const ScaleCase& c, ScaleAxis axis) {
    SCOPED_TRACE(c.name);
    const std::optional<AxisScale> r = ComputeAutoScale(c.dataMax, c.dataMin, axis);
    ASSERT_TRUE(r.has_value());
    // Limits are built from whole units by powers of ten; compare them as text.
    EXPECT_EQ(NumberToText(r->Min, 14), NumberToText(c.min, 14));
    EXPECT_EQ(NumberToText(r->Max, 14), NumberToText(c.max, 14));
    EXPECT_EQ(r->Major, c.major);
    EXPECT_EQ(r->Ticks, c.ticks);
    EXPECT_EQ(r->Minor, c.minor);
    EXPECT_EQ(r->Decimals, c.decimals);
}

TEST(ComputeAutoScale, WorkedResultsXAxis) {
    const ScaleCase cases[] = {
        {"pull to zero, widen top", 3, 47, 0, 48, 8, 4, 6, 0},
        {"small numbers", 0.0123L, 0.0456L, 0, 0.048L, 8, 4, 6, 3},
        {"narrow far from zero", 1000, 1005, 1000, 1010, 10, 5, 5, 0},
        {"straddles zero", -3.7L, 5, -5, 5, 10, 5, 5, 0},
        {"symmetric accepted with 13", -7, 13, -13, 13, 13, 13, 2, 0},
        {"negative, bottom widened", -3.7L, -1, -4, 0, 10, 5, 4, 1},
    };
    for (const ScaleCase& c : cases)
        ExpectScale(c, ScaleAxis::X);
}

TEST(ComputeAutoScale, WorkedResultsYAxesKeepLargeDivisions) {
    const ScaleCase cases[] = {
        {"3 to 47 on Y", 3, 47, 0, 48, 16, 8, 3, 0},
        // 0.046 has g = 2, 0.047 g = 1, 0.048 g = 16: accepted unreduced.
        {"small numbers on Y", 0.0123L, 0.0456L, 0, 0.048L, 16, 8, 3, 3},
        {"narrow far from zero on Y", 1000, 1005, 1000, 1010, 10, 5, 5, 0},
        {"symmetric on Y", -7, 13, -13, 13, 13, 13, 2, 0},
    };
    for (const ScaleCase& c : cases) {
        ExpectScale(c, ScaleAxis::YL);
        ExpectScale(c, ScaleAxis::YR);
    }
}

TEST(ComputeAutoScale, MoreRangesByHand) {
    const ScaleCase cases[] = {
        // 0 stays, 100 is whole: 10 units of 10.
        {"0 to 100", 0, 100, 0, 100, 10, 5, 5, 0},
        // r = 2.5: no pull; 20..50 in tenths: N = 30, g = 15 -> 5.
        {"2 to 5", 2, 5, 2, 5, 5, 5, 6, 1},
        // Both negative, r = 2: M = -1, m = -2, a range of exactly 1.
        {"-2 to -1", -2, -1, -2, -1, 10, 5, 5, 2},
        // A range of 0.5 gets 2 decimals here (the auto-grid gives 1).
        {"0 to 0.5", 0, 0.5L, 0, 0.5L, 10, 5, 5, 2},
        // Symmetric with g = 2: -2.3..2.3 has N = 46 and is kept.
        {"symmetric with 2 divisions", -2.3L, 1, -2.3L, 2.3L, 2, 1, 1, 1},
        // Equal magnitudes give L = 10: 1.15 rounds up to 2.
        {"equal magnitudes", -1.15L, 1.15L, -2, 2, 10, 5, 4, 1},
        // Equal magnitudes: r = 1 gives L = 10.
        {"-5 to 5", -5, 5, -5, 5, 10, 5, 5, 0},
        // No zero pull across zero; N = 20 halved to 10 on X.
        {"-100 to 2", -100, 2, -100, 100, 10, 5, 2, 0},
    };
    for (const ScaleCase& c : cases)
        ExpectScale(c, ScaleAxis::X);
}

TEST(ComputeAutoScale, DecimalsFollowTheRangeWidth) {
    struct Row {
        Real min, max;
        int decimals;
    };
    // Limits that are already round stay as they are, so only the width counts.
    const Row rows[] = {{0, 500, 0},   {0, 50, 0},     {0, 5, 1},      {0, 1, 2},    {0, 0.5L, 2},
                        {0, 0.05L, 3}, {0, 0.005L, 4}, {0, 2E-9L, 10}, {0, 0.1L, 2}, {0, 10, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(NumberToText(r.max, 14));
        const std::optional<AxisScale> s = ComputeAutoScale(r.max, r.min, ScaleAxis::X);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(s->Decimals, r.decimals);
    }
}

TEST(ComputeAutoScale, NarrowRangesKeepMoreDigits) {
    // r = 1.00005: L = 20000, times 10 for a range below 1 -> six digits kept.
    std::optional<AxisScale> s = ComputeAutoScale(1000.05L, 1000, ScaleAxis::X);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(NumberToText(s->Max, 14), "1000.05");
    EXPECT_EQ(NumberToText(s->Min, 14), "1000");
    EXPECT_EQ(s->Major, 10);
    EXPECT_EQ(s->Decimals, 3);
    // r - 1 below 1E-6: L stays 100 and both limits round to two digits.
    s = ComputeAutoScale(1000000.5L, 1000000, ScaleAxis::X);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(NumberToText(s->Max, 14), "1100000");
    EXPECT_EQ(NumberToText(s->Min, 14), "1000000");
}

TEST(ComputeAutoScale, NothingToScale) {
    EXPECT_FALSE(ComputeAutoScale(5, 5, ScaleAxis::X));
    EXPECT_FALSE(ComputeAutoScale(0, 0, ScaleAxis::YL));
    EXPECT_FALSE(ComputeAutoScale(INFINITY, 0, ScaleAxis::X));
    EXPECT_FALSE(ComputeAutoScale(1, NAN, ScaleAxis::X));
    // Rounding up past the end of the extended range.
    EXPECT_FALSE(ComputeAutoScale(1.15E4932L, 1, ScaleAxis::X));
    EXPECT_FALSE(ComputeAutoScale(1E4932L, -1E4932L, ScaleAxis::X));
}

TEST(ComputeAutoScale, ReversedLimitsAreTheRangeBetweenThem) {
    // A log Y axis with no positive Y measures max 0 and min 0.1.
    const std::optional<AxisScale> s = ComputeAutoScale(0, 0.1L, ScaleAxis::YL);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->Min, 0);
    EXPECT_EQ(NumberToText(s->Max, 14), ".1");
    EXPECT_GT(s->Max, s->Min);
}

TEST(ComputeAutoScale, ExtremeMagnitudesEnd) {
    for (Real v : {1E-4000L, 3.3E4000L, 1E-4940L, 7E4930L}) {
        SCOPED_TRACE(static_cast<double>(std::log10(v)));
        const std::optional<AxisScale> s = ComputeAutoScale(v * 4.7L, v, ScaleAxis::X);
        ASSERT_TRUE(s.has_value());
        EXPECT_GE(s->Major, 4);
        EXPECT_LE(s->Major, 10);
        EXPECT_GT(s->Max, s->Min);
    }
}

TEST(LargestDivisorUpTo, Table) {
    EXPECT_EQ(LargestDivisorUpTo(48, 20), 16);
    EXPECT_EQ(LargestDivisorUpTo(47, 20), 1);
    EXPECT_EQ(LargestDivisorUpTo(470, 20), 10);
    EXPECT_EQ(LargestDivisorUpTo(60, 20), 20);
    EXPECT_EQ(LargestDivisorUpTo(6, 10), 6);
    EXPECT_EQ(LargestDivisorUpTo(0, 20), 1);
    EXPECT_EQ(LargestDivisorUpTo(-4, 20), 1);
}

// Over many random data ranges the auto-scaled X axis keeps what the renderer
// relies on.
TEST(ComputeAutoScale, PropertiesOverRandomRanges) {
    std::mt19937_64 rng(20240607);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::uniform_int_distribution<int> kind(0, 3);
    for (int i = 0; i < 20000; ++i) {
        Real a = mantissa(rng) * std::pow(10.0L, exponent(rng));
        Real b;
        switch (kind(rng)) {
        case 0: // unrelated magnitude
            b = mantissa(rng) * std::pow(10.0L, exponent(rng));
            break;
        case 1: // narrow range far from zero
            b = a * (1 + mantissa(rng) * std::pow(10.0L, -exponent(rng) / 2 - 7));
            break;
        case 2: // from zero
            b = 0;
            break;
        default: // same order of magnitude
            b = a * (1 + mantissa(rng) / 4);
            break;
        }
        if (a == b) continue;
        const Real dataMax = std::max(a, b);
        const Real dataMin = std::min(a, b);
        SCOPED_TRACE(NumberToText(dataMin, 22) + " .. " + NumberToText(dataMax, 22));
        for (ScaleAxis axis : {ScaleAxis::X, ScaleAxis::YL}) {
            const std::optional<AxisScale> s = ComputeAutoScale(dataMax, dataMin, axis);
            ASSERT_TRUE(s.has_value());
            ASSERT_GT(s->Max, s->Min);
            ASSERT_GE(s->Max, dataMax);
            ASSERT_LE(s->Min, dataMin);
            const bool straddles = s->Max > 0 && s->Min < 0;
            if (!straddles) {
                ASSERT_GE(s->Major, 4);
                if (axis == ScaleAxis::X) {
                    ASSERT_LE(s->Major, 10);
                }
            }
            ASSERT_LE(s->Major, 20);
            ASSERT_GE(s->Major, 1);
            ASSERT_EQ(s->Ticks, s->Major % 2 == 0 ? s->Major / 2 : s->Major);
            ASSERT_GE(s->Minor, 1);
            ASSERT_LE(s->Minor, 10);
            ASSERT_GE(s->Decimals, 0);
        }
    }
}

} // namespace
} // namespace torvel

namespace torvel {
namespace {

// A document with one series per list of (X, Y) texts.
class AutoScaleDoc : public ::testing::Test {
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

    Document doc;
    RecordingFeedback fb;
    RangeTexts boxes;
};

TEST_F(AutoScaleDoc, XAxisSetsLimitsCountsBoxesAndClearsMultiScale) {
    Add({{"47", "1"}, {"3", "2"}, {"20", "3"}});
    ASSERT_TRUE(doc.Settings.MultiScaleX);
    AutoScaleXAxis(doc, boxes);
    const GraphSettings& s = doc.Settings;
    EXPECT_EQ(s.XMax, 48);
    EXPECT_EQ(s.XMin, 0);
    EXPECT_EQ(s.XGridMajor, 8);
    EXPECT_EQ(s.XGridMinor, 6);
    EXPECT_EQ(s.XTicks, 4);
    EXPECT_EQ(s.XDecimals, 0);
    EXPECT_EQ(boxes.MaxX, "48");
    EXPECT_EQ(boxes.MinX, "0");
    EXPECT_FALSE(s.MultiScaleX);
    // The Y axes and their flags are not touched.
    EXPECT_TRUE(s.MultiScaleYL);
    EXPECT_TRUE(s.MultiScaleYR);
    EXPECT_EQ(s.YGridMajor, 1);
    EXPECT_EQ(s.YLTicks, 1);
    EXPECT_EQ(boxes.MaxYL, "");
}

TEST_F(AutoScaleDoc, SortsEverySeriesAsASideEffect) {
    Series& a = Add({{"5", "1"}, {"1", "2"}, {"3", "3"}});
    Series& b = Add({{"9", "7"}, {"8", "6"}}, false);
    AutoScaleYLAxis(doc, boxes);
    // The rows are sorted; the cell texts stay as typed.
    EXPECT_EQ(a.Cell(XColumn, 1), "5");
    EXPECT_EQ(a.Rows[0].X, 1);
    EXPECT_EQ(a.Rows[1].X, 3);
    EXPECT_EQ(a.Rows[2].X, 5);
    // The right-axis series is measured (and sorted) too, though not used.
    EXPECT_EQ(b.Rows[0].X, 8);
    EXPECT_EQ(b.Rows[0].Y, 6);
    // YL is 1 to 3: r = 3 pulls nothing; 10..30 tenths, N = 20 accepted on Y.
    EXPECT_EQ(doc.Settings.YLMin, 1);
    EXPECT_EQ(doc.Settings.YLMax, 3);
    EXPECT_EQ(doc.Settings.YGridMajor, 20);
    EXPECT_EQ(doc.Settings.YLTicks, 10);
    EXPECT_EQ(doc.Settings.YGridMinor, 5);
    EXPECT_EQ(doc.Settings.YLDecimals, 1);
    EXPECT_FALSE(doc.Settings.MultiScaleYL);
    EXPECT_TRUE(doc.Settings.MultiScaleYR);
}

TEST_F(AutoScaleDoc, RightAxisChangesTheSharedYGrid) {
    Add({{"1", "0"}, {"2", "100"}});
    Add({{"1", "3"}, {"2", "47"}}, false);
    AutoScaleYLAxis(doc, boxes);
    EXPECT_EQ(doc.Settings.YGridMajor, 10);
    EXPECT_EQ(doc.Settings.YGridMinor, 5);
    AutoScaleYRAxis(doc, boxes);
    const GraphSettings& s = doc.Settings;
    EXPECT_EQ(s.YRMin, 0);
    EXPECT_EQ(s.YRMax, 48);
    EXPECT_EQ(s.YGridMajor, 16);
    EXPECT_EQ(s.YGridMinor, 3);
    EXPECT_EQ(s.YRTicks, 8);
    // The left axis keeps its own limits, ticks and decimals.
    EXPECT_EQ(s.YLMax, 100);
    EXPECT_EQ(s.YLTicks, 5);
    EXPECT_EQ(boxes.MaxYR, "48");
    EXPECT_EQ(boxes.MaxYL, "100");
    EXPECT_FALSE(s.MultiScaleYR);
}

TEST_F(AutoScaleDoc, SingleValueStopsAfterFind) {
    Add({{"7", "1"}, {"7", "2"}});
    doc.Settings.XGridMajor = 3;
    doc.Settings.XDecimals = 4;
    AutoScaleXAxis(doc, boxes);
    EXPECT_EQ(doc.Settings.XMax, 7);
    EXPECT_EQ(doc.Settings.XMin, 7);
    EXPECT_EQ(boxes.MaxX, "7");
    EXPECT_EQ(doc.Settings.XGridMajor, 3);
    EXPECT_EQ(doc.Settings.XDecimals, 4);
    EXPECT_TRUE(doc.Settings.MultiScaleX);
}

TEST_F(AutoScaleDoc, NoSeriesGivesZeroLimitsAndStops) {
    doc.Settings.XMax = 5;
    doc.Settings.MultiScaleX = false;
    AutoScaleXAxis(doc, boxes);
    EXPECT_EQ(doc.Settings.XMax, 0);
    EXPECT_EQ(doc.Settings.XMin, 0);
    EXPECT_FALSE(doc.Settings.MultiScaleX);
    EXPECT_EQ(doc.Settings.XGridMajor, 1);
}

TEST_F(AutoScaleDoc, MenuCommandDoesXAndLeftYAndDraws) {
    Add({{"3", "-3.7"}, {"47", "5"}});
    Add({{"0", "1"}, {"1", "2"}}, false);
    int draws = 0;
    AutoScaleGraph(doc, boxes, [&] { ++draws; });
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(doc.Settings.XMax, 48);
    EXPECT_EQ(doc.Settings.YLMax, 5);
    EXPECT_EQ(doc.Settings.YLMin, -5);
    // The right axis is left alone.
    EXPECT_EQ(doc.Settings.YRMax, 0);
    EXPECT_TRUE(doc.Settings.MultiScaleYR);
    EXPECT_EQ(boxes.MaxYR, "");
}

} // namespace
} // namespace torvel
