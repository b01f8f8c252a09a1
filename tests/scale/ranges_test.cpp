#include "scale/ranges.h"

#include "core/grid_store.h"
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace torvel {
namespace {

using Cells = std::vector<std::pair<std::string, std::string>>;

void Fill(Series& s, const Cells& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        s.SetCell(1, static_cast<int>(i) + 1, cells[i].first);
        s.SetCell(2, static_cast<int>(i) + 1, cells[i].second);
    }
}

Series& Add(Document& doc, const Cells& cells, bool left = true, int rows = -1) {
    RecordingFeedback fb;
    doc.NewSeriesRows = rows < 0 ? static_cast<int>(cells.size()) : rows;
    Series& s = doc.CreateSeries(fb);
    s.YAxisLeft = left;
    Fill(s, cells);
    return s;
}

// The exchange passes as they are described: the order every sort must give.
void BubbleReference(std::vector<Tdata>& rows, int valid, bool ascending) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = 0; i + 1 < valid; ++i) {
            const Real a = rows[static_cast<std::size_t>(i)].X;
            const Real b = rows[static_cast<std::size_t>(i) + 1].X;
            if (ascending ? b < a : b > a) {
                std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(i) + 1]);
                swapped = true;
            }
        }
    }
}

TEST(CompactRows, DropsRowsLackingXOrY) {
    Series s(1, 4);
    Fill(s, {{"1", ""}, {"", "2"}, {"", ""}, {"3", ""}});
    CompactRows(s);
    EXPECT_EQ(s.ValidCount, 0);
    ASSERT_EQ(s.Rows.size(), 4u);
    for (const Tdata& r : s.Rows)
        EXPECT_EQ(r, Tdata{});
}

TEST(CompactRows, KeepsValidRowsInOrderAndRefillsWithEmptyRows) {
    Series s(1, 5);
    Fill(s, {{"5", "50"}, {"2", ""}, {"1", "10"}, {"3", "30"}, {"", ""}});
    CompactRows(s);
    ASSERT_EQ(s.ValidCount, 3);
    ASSERT_EQ(s.Rows.size(), 5u);
    EXPECT_EQ(s.Rows[0].X, 5);
    EXPECT_EQ(s.Rows[1].X, 1);
    EXPECT_EQ(s.Rows[2].X, 3);
    EXPECT_EQ(s.Rows[3], Tdata{});
    EXPECT_EQ(s.Rows[4], Tdata{});
}

TEST(ComputeSeriesRange, RowOneThreeFourValidSortedThenTwoEmptyRows) {
    GraphSettings g;
    Series s(1, 5);
    Fill(s, {{"9", "1"}, {"4", ""}, {"2", "7"}, {"5", "-3"}, {"", ""}});
    ComputeSeriesRange(s, true, g);
    ASSERT_EQ(s.ValidCount, 3);
    EXPECT_EQ(s.Rows[0].X, 2);
    EXPECT_EQ(s.Rows[0].Y, 7);
    EXPECT_EQ(s.Rows[1].X, 5);
    EXPECT_EQ(s.Rows[2].X, 9);
    EXPECT_EQ(s.Rows[3], Tdata{});
    EXPECT_EQ(s.Rows[4], Tdata{});
    EXPECT_EQ(s.FirstX, 2);
    EXPECT_EQ(s.LastX, 9);
    EXPECT_EQ(s.MaxY, 7);
    EXPECT_EQ(s.MinY, -3);
}

struct LogCase {
    const char* name;
    bool logX, logY;
    Cells cells;
    Real firstX, lastX, maxY, minY;
};

class LogRanges : public testing::TestWithParam<LogCase> {};

TEST_P(LogRanges, FirstXAndMinYFollowTheLogRules) {
    const LogCase& c = GetParam();
    GraphSettings g;
    g.LogX = c.logX;
    g.LogY = c.logY;
    Series s(1, static_cast<int>(c.cells.size()));
    Fill(s, c.cells);
    ComputeSeriesRange(s, true, g);
    EXPECT_EQ(s.FirstX, c.firstX);
    EXPECT_EQ(s.LastX, c.lastX);
    EXPECT_EQ(s.MaxY, c.maxY);
    EXPECT_EQ(s.MinY, c.minY);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogRanges,
    testing::Values(
        LogCase{"LogXSkipsNonPositive",
                true,
                false,
                {{"7", "1"}, {"-2", "1"}, {"5", "1"}, {"0", "1"}},
                5,
                7,
                1,
                1},
        LogCase{"LogXAllNegativeEndsAtLast", true, false, {{"-1", "2"}, {"-3", "4"}}, -1, -1, 4, 2},
        LogCase{
            "LogYSkipsNonPositive", false, true, {{"1", "-1"}, {"2", "0"}, {"3", "4"}}, 1, 3, 4, 4},
        LogCase{"LogYNoPositiveGivesTenth", false, true, {{"1", "-1"}, {"2", "0"}}, 1, 2, 0, 0.1L},
        LogCase{"LinearTakesEverything",
                false,
                false,
                {{"1", "-1"}, {"2", "0"}, {"-4", "3"}},
                -4,
                2,
                3,
                -1},
        LogCase{"LogYMaxHasNoSignCondition",
                false,
                true,
                {{"1", "-5"}, {"2", "-7"}, {"3", "2"}},
                1,
                3,
                2,
                2}),
    [](const testing::TestParamInfo<LogCase>& info) { return info.param.name; });

TEST(ComputeSeriesRange, FewerThanTwoValidRowsKeepsThePreviousRange) {
    GraphSettings g;
    Series s(1, 3);
    Fill(s, {{"1", "10"}, {"4", "40"}, {"", ""}});
    ComputeSeriesRange(s, true, g);
    ASSERT_EQ(s.LastX, 4);
    s.SetCell(2, 2, "");
    ComputeSeriesRange(s, true, g);
    EXPECT_EQ(s.ValidCount, 1);
    EXPECT_EQ(s.FirstX, 1);
    EXPECT_EQ(s.LastX, 4);
    EXPECT_EQ(s.MaxY, 40);
    EXPECT_EQ(s.MinY, 10);
}

// Many equal X values with distinct Y: stability is visible.
TEST(ComputeSeriesRange, OrderMatchesTheExchangePassesBothWays) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 1 + trial * 3;
        Series s(1, n + 2);
        for (int r = 1; r <= n; ++r) {
            const int x = static_cast<int>(rng() % 6) - 3;
            s.SetCell(1, r, std::to_string(x));
            s.SetCell(2, r, std::to_string(r));
            if (rng() % 3 == 0) s.SetCell(3, r, std::to_string(r * 10));
            if (rng() % 7 == 0) s.SetCell(2, r, "");
        }
        for (bool ascending : {true, false}) {
            Series expected = s;
            CompactRows(expected);
            BubbleReference(expected.Rows, expected.ValidCount, ascending);
            Series actual = s;
            ComputeSeriesRange(actual, ascending, GraphSettings{});
            ASSERT_EQ(actual.Rows, expected.Rows) << "trial " << trial << " asc " << ascending;
        }
    }
}

// Signs, both zeros, subnormal, huge and infinite values keep their order.
TEST(ComputeSeriesRange, ExtremeValuesSortLikeTheExchangePasses) {
    const std::vector<std::string> xs{"5",        "-0",      "1E-4940", "0",       "-1E-4940",
                                      "1E4000",   "-1E4000", "1e99999", "-2.5",    "0",
                                      "-1e99999", "2.5",     "-0",      "1E-4940", "3",
                                      "-2.5",     "1E-20",   "-1E-20",  "1E4000",  "0.5"};
    std::mt19937 rng(3);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<std::string> order = xs;
        std::shuffle(order.begin(), order.end(), rng);
        Series s(1, static_cast<int>(order.size()));
        for (std::size_t i = 0; i < order.size(); ++i) {
            s.SetCell(1, static_cast<int>(i) + 1, order[i]);
            s.SetCell(2, static_cast<int>(i) + 1, std::to_string(i));
        }
        for (bool ascending : {true, false}) {
            Series expected = s;
            CompactRows(expected);
            BubbleReference(expected.Rows, expected.ValidCount, ascending);
            Series actual = s;
            ComputeSeriesRange(actual, ascending, GraphSettings{});
            ASSERT_EQ(actual.Rows, expected.Rows) << "trial " << trial << " asc " << ascending;
        }
    }
}

TEST(ComputeSeriesRange, LargeReversedSeriesComesOutAscending) {
    const int n = 100000;
    Series s(1, n);
    for (int r = 1; r <= n; ++r) {
        s.SetCell(1, r, std::to_string(n - r));
        s.SetCell(2, r, std::to_string(r));
    }
    ComputeSeriesRange(s, true, GraphSettings{});
    ASSERT_EQ(s.ValidCount, n);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(s.Rows[static_cast<std::size_t>(i)].X, i);
    EXPECT_EQ(s.FirstX, 0);
    EXPECT_EQ(s.LastX, n - 1);
}

// The remembered measurement must never show: every result equals a fresh reading.
class MeasureMemoTest : public testing::Test {
  protected:
    void SetUp() override {
        Fill(s, {{"3", "30"}, {"1", ""}, {"2", "-20"}, {"-1", "5"}, {"", "7"}});
    }
    Series Fresh(bool ascending, const GraphSettings& g) const {
        Series f = s;
        f.Measured = {};
        ComputeSeriesRange(f, ascending, g);
        return f;
    }
    void ExpectSameAsFresh(const GraphSettings& g) {
        const Series f = Fresh(true, g);
        EXPECT_EQ(s.Rows, f.Rows);
        EXPECT_EQ(s.ValidCount, f.ValidCount);
        EXPECT_EQ(s.FirstX, f.FirstX);
        EXPECT_EQ(s.LastX, f.LastX);
        EXPECT_EQ(s.MaxY, f.MaxY);
        EXPECT_EQ(s.MinY, f.MinY);
    }
    Series s{1, 6};
};

TEST_F(MeasureMemoTest, RepeatedMeasureGivesTheSameResult) {
    GraphSettings g;
    ComputeSeriesRange(s, true, g);
    ComputeSeriesRange(s, true, g);
    ExpectSameAsFresh(g);
}

TEST_F(MeasureMemoTest, AscendingAfterDescendingRereadsTheOrder) {
    GraphSettings g;
    ComputeSeriesRange(s, true, g);
    ComputeSeriesRange(s, false, g);
    EXPECT_EQ(s.Rows[0].X, 3);
    ComputeSeriesRange(s, true, g);
    EXPECT_EQ(s.Rows[0].X, -1);
    ExpectSameAsFresh(g);
}

TEST_F(MeasureMemoTest, RowsChangedBehindTheGridAreReadAgain) {
    GraphSettings g;
    ComputeSeriesRange(s, true, g);
    s.Rows[0].X = 99;
    s.Rows[4] = Tdata{1, 2, 3, true, true, true};
    ComputeSeriesRange(s, true, g);
    ExpectSameAsFresh(g);
}

TEST_F(MeasureMemoTest, EditedCellIsSeen) {
    GraphSettings g;
    ComputeSeriesRange(s, true, g);
    s.SetCell(2, 2, "100");
    ComputeSeriesRange(s, true, g);
    EXPECT_EQ(s.ValidCount, 4);
    EXPECT_EQ(s.MaxY, 100);
    ExpectSameAsFresh(g);
}

TEST_F(MeasureMemoTest, LogSettingsChangedBetweenMeasures) {
    GraphSettings g;
    ComputeSeriesRange(s, true, g);
    g.LogX = true;
    g.LogY = true;
    ComputeSeriesRange(s, true, g);
    EXPECT_EQ(s.FirstX, 2);
    EXPECT_EQ(s.MinY, 5);
    ExpectSameAsFresh(g);
}

TEST_F(MeasureMemoTest, ResizedSeriesIsReadAgain) {
    GraphSettings g;
    ComputeSeriesRange(s, true, g);
    s.SetIndexCount(8);
    s.SetCell(1, 8, "10");
    s.SetCell(2, 8, "1");
    ComputeSeriesRange(s, true, g);
    EXPECT_EQ(s.Rows.size(), 8u);
    EXPECT_EQ(s.LastX, 10);
    ExpectSameAsFresh(g);
}

TEST(FindRanges, NoSeriesGivesZeroEverywhere) {
    Document doc;
    doc.Settings.XMax = 5;
    doc.Settings.YRMin = -5;
    RangeTexts boxes;
    FindAllRanges(doc, boxes);
    EXPECT_EQ(doc.Settings.XMax, 0);
    EXPECT_EQ(doc.Settings.XMin, 0);
    EXPECT_EQ(doc.Settings.YLMax, 0);
    EXPECT_EQ(doc.Settings.YLMin, 0);
    EXPECT_EQ(doc.Settings.YRMax, 0);
    EXPECT_EQ(doc.Settings.YRMin, 0);
    EXPECT_EQ(boxes.MaxX, "0");
    EXPECT_EQ(boxes.MinYR, "0");
}

TEST(FindRanges, EachAxisTakesOnlyItsOwnSeries) {
    Document doc;
    Add(doc, {{"1", "10"}, {"2", "20"}}, true);
    Add(doc, {{"-5", "-100"}, {"8", "300"}}, false);
    RangeTexts all;
    FindAllRanges(doc, all);
    const GraphSettings g = doc.Settings;
    EXPECT_EQ(g.XMax, 8);
    EXPECT_EQ(g.XMin, -5);
    EXPECT_EQ(g.YLMax, 20);
    EXPECT_EQ(g.YLMin, 10);
    EXPECT_EQ(g.YRMax, 300);
    EXPECT_EQ(g.YRMin, -100);
    EXPECT_EQ(all.MaxX, "8");
    EXPECT_EQ(all.MinX, "-5");
    EXPECT_EQ(all.MaxYL, "20");
    EXPECT_EQ(all.MinYL, "10");
    EXPECT_EQ(all.MaxYR, "300");
    EXPECT_EQ(all.MinYR, "-100");

    // The single-axis operations agree with the combined one and touch only their axis.
    Document doc2;
    Add(doc2, {{"1", "10"}, {"2", "20"}}, true);
    Add(doc2, {{"-5", "-100"}, {"8", "300"}}, false);
    doc2.Settings.YRMax = 77;
    doc2.Settings.XMax = 66;
    RangeTexts one;
    FindYLRange(doc2, one);
    EXPECT_EQ(doc2.Settings.YLMax, 20);
    EXPECT_EQ(doc2.Settings.YLMin, 10);
    EXPECT_EQ(doc2.Settings.YRMax, 77);
    EXPECT_EQ(doc2.Settings.XMax, 66);
    EXPECT_EQ(one.MaxYL, "20");
    EXPECT_TRUE(one.MaxX.empty());
    FindYRRange(doc2, one);
    EXPECT_EQ(doc2.Settings.YRMax, 300);
    EXPECT_EQ(doc2.Settings.YRMin, -100);
    FindXRange(doc2, one);
    EXPECT_EQ(doc2.Settings.XMax, 8);
    EXPECT_EQ(doc2.Settings.XMin, -5);
    EXPECT_EQ(one.MaxX, all.MaxX);
}

TEST(FindRanges, RightAxisOnlyLeavesLeftAtZero) {
    Document doc;
    Add(doc, {{"1", "10"}, {"2", "20"}}, false);
    RangeTexts boxes;
    FindAllRanges(doc, boxes);
    EXPECT_EQ(doc.Settings.YLMax, 0);
    EXPECT_EQ(doc.Settings.YLMin, 0);
    EXPECT_EQ(doc.Settings.YRMax, 20);
}

TEST(FindRanges, SeriesWithoutTwoValidRowsIsLeftOut) {
    Document doc;
    Add(doc, {{"5", "10"}, {"7", "20"}});
    Add(doc, {{"", ""}, {"", ""}});        // a fresh empty window
    Add(doc, {{"-50", "-50"}, {"1", ""}}); // one valid row
    RangeTexts boxes;
    FindAllRanges(doc, boxes);
    EXPECT_EQ(doc.Settings.XMin, 5);
    EXPECT_EQ(doc.Settings.XMax, 7);
    EXPECT_EQ(doc.Settings.YLMin, 10);
    EXPECT_EQ(doc.Settings.YLMax, 20);
}

TEST(FindRanges, BoxesUseWidth14Text) {
    Document doc;
    Add(doc, {{"0.000000000001", "123456789.987654"}, {"3E12", "1"}});
    RangeTexts boxes;
    FindAllRanges(doc, boxes);
    EXPECT_EQ(boxes.MaxX, NumberToText(3E12L, 14));
    EXPECT_EQ(boxes.MinX, NumberToText(1E-12L, 14));
    EXPECT_EQ(boxes.MaxYL, NumberToText(123456789.987654L, 14));
}

TEST(FindRanges, LogAxesUsePositiveMinima) {
    Document doc;
    doc.Settings.LogX = true;
    doc.Settings.LogY = true;
    Add(doc, {{"-2", "-1"}, {"0", "0"}, {"5", "4"}, {"7", "9"}});
    RangeTexts boxes;
    FindAllRanges(doc, boxes);
    EXPECT_EQ(doc.Settings.XMin, 5);
    EXPECT_EQ(doc.Settings.XMax, 7);
    EXPECT_EQ(doc.Settings.YLMin, 4);
    EXPECT_EQ(doc.Settings.YLMax, 9);
}

} // namespace
} // namespace torvel
