#include "scale/ranges.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace torvel {
namespace {

using namespace testing_support;

Series SeriesOf(std::string_view rows) {
    const Cells cells = CellsOf(rows);
    Series s(1, static_cast<int>(cells.size()));
    FillCells(s, cells);
    return s;
}

// The exchange passes as they are described: the order every sort must give.
void BubbleReference(std::vector<Tdata>& rows, int valid, bool ascending) {
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(valid); ++i) {
            const Real a = rows[i].X, b = rows[i + 1].X;
            if (ascending ? b < a : b > a) {
                std::swap(rows[i], rows[i + 1]);
                swapped = true;
            }
        }
    }
}

// The measured rows (the view the renderer and the fit read).
std::vector<Tdata> ValidRows(const Series& s) {
    std::vector<Tdata> rows;
    for (int i = 0; i < s.ValidCount; ++i)
        rows.push_back(s.Store().Row(s.ValidIndex(i)));
    return rows;
}

void ExpectOrderOfTheExchangePasses(const Series& s, const std::string& trace) {
    for (bool ascending : {true, false}) {
        Series compacted = s;
        CompactRows(compacted);
        std::vector<Tdata> expected = compacted.Store().All();
        BubbleReference(expected, compacted.ValidCount, ascending);
        // Measuring leaves the rows alone; sorting rewrites them in that order.
        Series measured = s;
        ComputeSeriesRange(measured, ascending, GraphSettings{});
        ASSERT_EQ(measured.Store().All(), s.Store().All()) << trace;
        ASSERT_EQ(ValidRows(measured),
                  std::vector<Tdata>(expected.begin(), expected.begin() + compacted.ValidCount))
            << trace << " ascending " << ascending;
        Series sorted = s;
        SortRows(sorted, ascending, GraphSettings{});
        ASSERT_EQ(sorted.Store().All(), expected) << trace << " ascending " << ascending;
    }
}

TEST(CompactRows, ValidRowsFirstInTheirOrderThenEmptyRows) {
    // Rows with X but no Y (or Y but no X) count no valid rows.
    Series none = SeriesOf("1: :2 : 3:");
    CompactRows(none);
    EXPECT_EQ(none.ValidCount, 0);
    EXPECT_EQ(none.Store().All(), std::vector<Tdata>(4));

    Series some = SeriesOf("5:50 2: 1:10 3:30 :");
    CompactRows(some);
    ASSERT_EQ(some.ValidCount, 3);
    ASSERT_EQ(some.Store().Size(), 5u);
    EXPECT_EQ(some.Store().Row(0).X, 5);
    EXPECT_EQ(some.Store().Row(1).X, 1);
    EXPECT_EQ(some.Store().Row(2).X, 3);
    EXPECT_EQ(some.Store().Row(3), Tdata{});
    EXPECT_EQ(some.Store().Row(4), Tdata{});
}

TEST(ComputeSeriesRange, LogAxesRules) {
    struct Row {
        const char* rows;
        bool logX, logY;
        Real firstX, lastX, maxY, minY;
    };
    const Row table[] = {
        {"7:1 -2:1 5:1 0:1", true, false, 5, 7, 1, 1}, // first positive X
        {"-1:2 -3:4", true, false, -1, -1, 4, 2},      // none positive: the last X
        {"1:-1 2:0 3:4", false, true, 1, 3, 4, 4},     // smallest positive Y
        {"1:-1 2:0", false, true, 1, 2, 0, 0.1L},      // none positive: 0.1
        {"1:-5 2:-7 3:2", false, true, 1, 3, 2, 2},    // MaxY has no sign condition
        {"1:-1 2:0 -4:3", false, false, -4, 2, 3, -1}, // linear takes everything
    };
    for (const Row& r : table) {
        SCOPED_TRACE(r.rows);
        GraphSettings g;
        g.LogX = r.logX;
        g.LogY = r.logY;
        Series s = SeriesOf(r.rows);
        ComputeSeriesRange(s, true, g);
        EXPECT_EQ(s.FirstX, r.firstX);
        EXPECT_EQ(s.LastX, r.lastX);
        EXPECT_EQ(s.MaxY, r.maxY);
        EXPECT_EQ(s.MinY, r.minY);
    }
}

// Many equal X values with distinct Y make the stability visible; signs, both
// zeros, subnormal, huge and infinite values keep their order.
TEST(ComputeSeriesRange, OrderMatchesTheExchangePassesBothWays) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 1 + trial * 3;
        Series s(1, n + 2);
        for (int r = 1; r <= n; ++r) {
            s.SetCell(XColumn, r, std::to_string(static_cast<int>(rng() % 6) - 3));
            s.SetCell(YColumn, r, rng() % 7 == 0 ? "" : std::to_string(r));
            if (rng() % 3 == 0) s.SetCell(YFitColumn, r, std::to_string(r * 10));
        }
        ExpectOrderOfTheExchangePasses(s, "trial " + std::to_string(trial));
    }
    std::vector<std::string> xs{"5",  "-0",      "1E-4940", "0",   "-1E-4940", "1E4000", "-1E4000",
                                "-0", "1e99999", "-2.5",    "0",   "-1e99999", "2.5",    "1E-20",
                                "3",  "-2.5",    "1E-4940", "0.5", "-1E-20",   "1E4000"};
    for (int trial = 0; trial < 20; ++trial) {
        std::shuffle(xs.begin(), xs.end(), rng);
        Series s(1, static_cast<int>(xs.size()));
        for (std::size_t i = 0; i < xs.size(); ++i) {
            s.SetCell(XColumn, static_cast<int>(i) + 1, xs[i]);
            s.SetCell(YColumn, static_cast<int>(i) + 1, std::to_string(i));
        }
        ExpectOrderOfTheExchangePasses(s, "extreme trial " + std::to_string(trial));
    }
}

// Spread values sort in many buckets; a far outlier crowds the rest into one;
// a long reversed series; outliers ever closer crowd each bucket dealt
// again, to the last resort; equal X over rows dealt by several processors.
TEST(ComputeSeriesRange, LargeOrdersMatchAStableSortBothWays) {
    std::mt19937 rng(3);
    const Real nested[] = {1, 1E-3L, 1E-6L, 1E-9L, 1E-12L};
    for (const int n : {5000, 70000, 100000, 140000, 600000}) {
        Series s(1, n);
        std::vector<std::uint32_t> rows(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const Real x = n == 600000   ? static_cast<Real>(rng() % 5000)
                           : n == 100000 ? n - i
                           : n == 140000
                               ? (i % 1000 < 5 ? nested[i % 1000] : (rng() % 1000) * 1E-18L)
                           : i == n / 2 ? 1E9L
                           : n == 5000  ? static_cast<Real>(rng() % 3000) / 7
                                        : (rng() % 1000) / 1E3L;
            s.Store().SetRow(static_cast<std::size_t>(i), {x, 1, 0, true, true});
            rows[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(i);
        }
        RowsToGrid(s);
        for (bool ascending : {true, false}) {
            std::vector<std::uint32_t> expected = rows;
            std::stable_sort(expected.begin(), expected.end(), [&](auto a, auto b) {
                const Real xa = s.Store().X(a), xb = s.Store().X(b);
                return ascending ? xa < xb : xa > xb;
            });
            ComputeSeriesRange(s, ascending, GraphSettings{});
            for (int i = 0; i < n; ++i)
                ASSERT_EQ(s.ValidIndex(i), expected[static_cast<std::size_t>(i)]) << n << " " << i;
        }
    }
}

// The remembered measurement must never show: after any change between two
// measurements the result equals a fresh reading.
TEST(ComputeSeriesRange, RememberedMeasurementEqualsAFreshReading) {
    using Change = std::function<void(Series&, GraphSettings&)>;
    const std::pair<const char*, Change> changes[] = {
        {"nothing", [](Series&, GraphSettings&) {}},
        {"descending in between",
         [](Series& s, GraphSettings& g) {
             ComputeSeriesRange(s, false, g);
             ASSERT_EQ(s.ValidRow(0).X, 3);
         }},
        {"rows rewritten",
         [](Series& s, GraphSettings&) {
             s.Store().Set(XColumn, 0, 99);
             s.Store().SetRow(4, Tdata{1, 2, 3, true, true, true});
             RowsToGrid(s);
         }},
        {"edited cell", [](Series& s, GraphSettings&) { s.SetCell(YColumn, 2, "100"); }},
        {"Y replaced", [](Series& s, GraphSettings&) { s.SetCell(YColumn, 1, "100"); }},
        {"X replaced", [](Series& s, GraphSettings&) { s.SetCell(XColumn, 1, "-5"); }},
        {"log settings", [](Series&, GraphSettings& g) { g.LogX = g.LogY = true; }},
        {"resized",
         [](Series& s, GraphSettings&) {
             s.SetIndexCount(8);
             s.SetCell(XColumn, 8, "10");
             s.SetCell(YColumn, 8, "1");
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        Series s = SeriesOf("3:30 1: 2:-20 -1:5 :7 :");
        GraphSettings g;
        ComputeSeriesRange(s, true, g);
        change(s, g);
        ComputeSeriesRange(s, true, g);
        Series fresh = s;
        fresh.Measured = {};
        ComputeSeriesRange(fresh, true, g);
        EXPECT_EQ(ValidRows(s), ValidRows(fresh));
        EXPECT_EQ(s.ValidCount, fresh.ValidCount);
        EXPECT_EQ(s.FirstX, fresh.FirstX);
        EXPECT_EQ(s.LastX, fresh.LastX);
        EXPECT_EQ(s.MaxY, fresh.MaxY);
        EXPECT_EQ(s.MinY, fresh.MinY);
    }
}

TEST(FindRanges, EachAxisTakesOnlyItsOwnSeries) {
    Document doc;
    AddSeries(doc, "1:10 2:20", true);
    AddSeries(doc, "-5:-100 8:300", false);
    doc.Settings.YRMax = 77;
    doc.Settings.XMax = 66;
    RangeTexts one;
    // The single-axis operations touch only their axis.
    FindYLRange(doc, one);
    EXPECT_EQ(doc.Settings.YLMax, 20);
    EXPECT_EQ(doc.Settings.YLMin, 10);
    EXPECT_EQ(doc.Settings.YRMax, 77);
    EXPECT_EQ(doc.Settings.XMax, 66);
    EXPECT_EQ(one.MaxYL, "20");
    EXPECT_TRUE(one.MaxX.empty());
    FindYRRange(doc, one);
    EXPECT_EQ(doc.Settings.YRMax, 300);
    EXPECT_EQ(doc.Settings.YRMin, -100);
    FindXRange(doc, one);
    EXPECT_EQ(doc.Settings.XMax, 8);
    EXPECT_EQ(doc.Settings.XMin, -5);
    // The combined operation agrees with them.
    const GraphSettings single = doc.Settings;
    RangeTexts all;
    FindAllRanges(doc, all);
    EXPECT_EQ(doc.Settings, single);
    EXPECT_EQ(all.MaxX, "8");
    EXPECT_EQ(all.MinX, "-5");
    EXPECT_EQ(all.MaxYL, "20");
    EXPECT_EQ(all.MinYL, "10");
    EXPECT_EQ(all.MaxYR, "300");
    EXPECT_EQ(all.MinYR, "-100");
}

TEST(FindRanges, SeriesWithoutTwoValidRowsIsLeftOut) {
    Document doc;
    AddSeries(doc, "1:10 2:20", false); // right axis only: the left stays 0
    AddSeries(doc, ": :");              // a fresh empty window
    AddSeries(doc, "-50:-50 1:");       // one valid row
    RangeTexts boxes;
    FindAllRanges(doc, boxes);
    EXPECT_EQ(doc.Settings.XMin, 1);
    EXPECT_EQ(doc.Settings.XMax, 2);
    EXPECT_EQ(doc.Settings.YLMax, 0);
    EXPECT_EQ(doc.Settings.YLMin, 0);
    EXPECT_EQ(doc.Settings.YRMax, 20);
}

// Find passes the log settings to the measuring.
TEST(FindRanges, LogAxesUsePositiveMinima) {
    Document doc;
    doc.Settings.LogX = true;
    doc.Settings.LogY = true;
    AddSeries(doc, "-2:-1 0:0 5:4 7:9");
    RangeTexts boxes;
    FindAllRanges(doc, boxes);
    EXPECT_EQ(doc.Settings.XMin, 5);
    EXPECT_EQ(doc.Settings.XMax, 7);
    EXPECT_EQ(doc.Settings.YLMin, 4);
    EXPECT_EQ(doc.Settings.YLMax, 9);
}

} // namespace
} // namespace torvel
