#include "commands/data_commands.h"

#include "core/number_text.h"
#include "core/out_of_memory.h"
#include "fit/fit.h"
#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace torvel {
namespace {

using namespace testing_support;

// The X and Y cells, "x:y" per row joined by spaces (the CellsOf form).
std::string Rows(const Series& s) {
    std::string text;
    for (int r = 1; r <= s.IndexCount; ++r) {
        if (r > 1) text += ' ';
        text += s.Cell(XColumn, r);
        text += ':';
        text += s.Cell(YColumn, r);
    }
    return text;
}

TEST(SortTest, CompleteRowsSortedStablyThenHalfRowsThenEmptyRows) {
    struct Case {
        const char* name;
        const char* rows;
        bool ascending;
        const char* sorted;
    };
    const Case cases[] = {
        {"ascending", "3:9 :5 1:1", true, "1:1 3:9 :5"},
        {"descending", "3:9 : 1:1 7:2", false, "7:2 3:9 1:1 :"},
        {"equal X keep their order", "2:1 1:0 2:2 1:5 2:3", true, "1:0 1:5 2:1 2:2 2:3"},
        {"equal X keep their order descending", "2:1 1:0 2:2 1:5 2:3", false,
         "2:1 2:2 2:3 1:0 1:5"},
        {"half rows keep their order", "4: 2:2 :7 1:1 :", true, "1:1 2:2 4: :7 :"},
        {"negative and fractional X", "-1.5:1 -2:2 0:3 0.25:4", true, "-2:2 -1.5:1 0:3 .25:4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        Series& s = AddSeries(doc, c.rows);
        const int count = s.IndexCount;
        RecordingFeedback fb;
        EXPECT_TRUE(SortSeriesX(s, c.ascending, doc.Settings, fb));
        EXPECT_EQ(Rows(s), c.sorted);
        EXPECT_EQ(s.IndexCount, count);
    }
}

TEST(DuplicateTest, CopiesValuesIntoTheLowestFreeNumber) {
    for (int extra : {0, ExtendIndexRows}) {
        SCOPED_TRACE(extra);
        Document doc;
        RecordingFeedback fb;
        AddSeries(doc, "1:1");
        Series& gap = AddSeries(doc, "1:1");
        Series& src = AddSeries(doc, "1:2 :5 3: 4:8 : 6:1 7:7 8:8 9:9 10:10");
        doc.DestroySeries(gap); // number 2 is free again
        const Real third = 1.0L / 3;
        GridToRows(src);
        src.Store().Set(XColumn, 1, third);
        src.Store().Set(YFitColumn, 0, 5);
        RowsToGrid(src);
        src.HasFit = true;
        src.Fit.FitKind = 1;
        src.SeriesTitle = "title";
        src.GraphType = GraphBarFit;

        const std::string text = DuplicateText(src);
        const Series* made = DuplicateSeries(doc, src, extra, fb);
        ASSERT_NE(made, nullptr);
        const Series& copy = *made;
        EXPECT_EQ(copy.SeriesNumber, 2);
        EXPECT_EQ(doc.DataWindows()[1].get(), &copy);
        EXPECT_EQ(copy.IndexCount, 10 + extra);
        EXPECT_EQ(copy.Store().Row(1).X, third); // every digit, not the cell's text
        for (int i = 0; i < 10; ++i) {
            const Tdata& a = src.Store().Row(static_cast<std::size_t>(i));
            const Tdata& b = copy.Store().Row(static_cast<std::size_t>(i));
            EXPECT_EQ(std::tie(a.X, a.Y, a.XValid, a.YValid),
                      std::tie(b.X, b.Y, b.XValid, b.YValid))
                << i;
            EXPECT_FALSE(b.YFitValid);
        }
        for (int r2 = 11; r2 <= copy.IndexCount; ++r2)
            EXPECT_EQ(copy.Cell(XColumn, r2) + copy.Cell(YColumn, r2), "");
        EXPECT_FALSE(copy.HasFit);
        EXPECT_EQ(copy.SeriesTitle, "");
        EXPECT_EQ(copy.GraphType, GraphLine);
        EXPECT_EQ(copy.Header(YFitColumn), "          Y2 Fit");
        const std::string start = "1\t2\r\n" + src.Cell(XColumn, 2) + "\t5\r\n3\t\r\n";
        EXPECT_EQ(text.substr(0, start.size()), start);
        EXPECT_EQ(doc.NewSeriesRows, 10); // as it was
        EXPECT_EQ(fb.Messages.size(), 0u);
    }
}

TEST(DuplicateTest, AtTheSeriesLimitSaysSo) {
    Document doc;
    RecordingFeedback fb;
    for (int i = 0; i < MaxSeries; ++i)
        AddSeries(doc, "1:2 3:4");
    EXPECT_EQ(DuplicateText(*doc.FindSeries(5)), "1\t2\r\n3\t4\r\n");
    EXPECT_EQ(DuplicateSeries(doc, *doc.FindSeries(5), ExtendIndexRows, fb), nullptr);
    EXPECT_EQ(doc.SeriesCount(), MaxSeries);
    EXPECT_EQ(fb.Beeps, 1);
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Text, "Sorry the number of series is LIMITED to 21.");
    EXPECT_EQ(fb.Messages[0].Kind, MessageKind::Error);
}

// Out of memory ends the command alone: the series as it was, no new one.
TEST(DataCommandsMemory, SortAndDuplicateLeaveEverythingAsItWas) {
    Document doc;
    RecordingFeedback fb;
    Series& s = AddSeries(doc, "3:1 1:2 :4");
    FailAllocationAt(1);
    EXPECT_FALSE(SortSeriesX(s, true, doc.Settings, fb));
    EXPECT_EQ(Rows(s), "3:1 1:2 :4");
    FailAllocationAt(1);
    EXPECT_EQ(DuplicateSeries(doc, s, 0, fb), nullptr);
    FailAllocationAt(0);
    EXPECT_EQ(doc.SeriesCount(), 1);
    EXPECT_FALSE(doc.SeriesNumberUsed[2]);
    EXPECT_EQ(doc.NewSeriesRows, 3);
    ASSERT_EQ(fb.Messages.size(), 2u);
    EXPECT_EQ(fb.Messages[0].Text, "Not enough memory to sort the rows.");
    EXPECT_EQ(fb.Messages[1].Text, "Not enough memory to duplicate the series.");
}

} // namespace
} // namespace torvel
