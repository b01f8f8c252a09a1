#include "files/import_table_dialog.h"

#include <gtest/gtest.h>

#include <string>

namespace torvel {
namespace {

ImportTableState Start(const std::string& text, int free = MaxSeries,
                       const RememberedTables& remembered = {}) {
    return ImportTableStart("/data/t.csv", TableHeadOf(text, true, "/data/t.csv"), free,
                            remembered);
}

std::string Cell(const ImportTableState& s, int row, int column) {
    const TableCell& c =
        s.Preview.Rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column - 1)];
    return c.Number ? ShortestText(c.Value) : "[" + c.Text + "]";
}

TEST(ImportTableDialog, ThePreviewFollowsEachChoice) {
    ImportTableState s = Start("t;a;b\n0;1,5;2\n1;2,5;3\n");
    EXPECT_EQ(Cell(s, 0, 2), "1.5");
    EXPECT_EQ(s.Format.SeriesColumns, (std::vector<int>{2, 3}));
    EXPECT_TRUE(s.CanLoad);

    ImportDecimalChanged(s, '.');
    EXPECT_EQ(Cell(s, 0, 2), "[1,5]") << "a decimal comma is no number with a point";
    EXPECT_EQ(s.Format.SeriesColumns, (std::vector<int>{3}));

    ImportHeaderChanged(s, 0);
    ImportSkipChanged(s, 0);
    EXPECT_EQ(Cell(s, 0, 1), "[t]");
    EXPECT_EQ(s.Preview.Lines.front(), 1);

    RecordingFeedback fb;
    ImportSeparatorChanged(s, '5', fb);
    EXPECT_EQ(fb.Beeps, 1);
    EXPECT_EQ(s.Format.Separator, ';');
    ImportSeparatorChanged(s, ',', fb);
    EXPECT_EQ(s.Preview.Columns, 2);
    EXPECT_EQ(Cell(s, 1, 1), "[0;1]");

    ImportSeparatorChanged(s, ';', fb);
    ImportXColumnChanged(s, 3);
    EXPECT_EQ(s.Format.XColumn, 3);
    EXPECT_TRUE(s.Format.SeriesColumns.empty());
    EXPECT_FALSE(s.CanLoad);
    EXPECT_EQ(s.Note, "Choose at least one column to load as a series.");
    ImportSeriesToggled(s, 3, true, fb); // the X column
    EXPECT_EQ(fb.Beeps, 2);
    ImportSeriesToggled(s, 1, true, fb);
    EXPECT_EQ(s.Format.SeriesColumns, (std::vector<int>{1}));
    EXPECT_TRUE(s.CanLoad);
}

TEST(ImportTableDialog, NoMoreColumnsThanFreeSeries) {
    ImportTableState s = Start("1,2,3,4\n", 2);
    EXPECT_EQ(s.Format.SeriesColumns, (std::vector<int>{2, 3}));
    EXPECT_EQ(s.Note, SeriesLimitText(MaxSeries) + " Only the first 2 columns of numbers load.");
    RecordingFeedback fb;
    ImportSeriesToggled(s, 4, true, fb);
    EXPECT_EQ(s.Format.SeriesColumns, (std::vector<int>{2, 3}));
    ASSERT_EQ(fb.Messages.size(), 1u);
    EXPECT_EQ(fb.Messages[0].Text, SeriesLimitText(MaxSeries));

    EXPECT_FALSE(Start("a,b\n").CanLoad) << "a header alone";
    EXPECT_FALSE(Start("1,2\n", 0).CanLoad);
}

} // namespace
} // namespace torvel
