#include "commands/data_commands.h"

#include "core/number_text.h"
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

TEST(CutTest, GivesTheCellsEmptiesThemAndClearsTheFit) {
    Document doc;
    RecordingFeedback fb;
    Series& s = AddSeries(doc, "1:2 2:4 3:6.5");
    s.Fit.FitKind = 1;
    ComputeFit(doc, s.Fit, fb);
    ASSERT_TRUE(s.HasFit);
    EXPECT_EQ(CutCells(s, {XColumn, 2, YColumn, 3}), "2\t4\r\n3\t6.5\r\n");
    EXPECT_EQ(Rows(s), "1:2 : :");
    EXPECT_FALSE(s.HasFit);
    EXPECT_FALSE(s.Rows[1].XValid);
    // Pasted elsewhere, the values have moved.
    PasteCells(s, "2\t4\r\n3\t6.5\r\n", {XColumn, 2});
    EXPECT_EQ(Rows(s), "1:2 2:4 3:6.5");
}

TEST(ClearFitTest, FitTypesFallBackWithOrWithoutAFit) {
    const int after[] = {0,         GraphLine,    GraphBar,  GraphLine,
                         GraphNone, GraphLineBar, GraphLine, GraphBar};
    for (bool withFit : {false, true})
        for (int type = GraphLine; type <= GraphBarFit; ++type) {
            Document doc;
            RecordingFeedback fb;
            Series& s = AddSeries(doc, "1:1 2:3");
            if (withFit) {
                s.Fit.FitKind = 1;
                ComputeFit(doc, s.Fit, fb);
            }
            s.GraphType = type;
            ClearFitCommand(s);
            EXPECT_EQ(s.GraphType, after[type]) << type;
            EXPECT_FALSE(s.HasFit);
            EXPECT_EQ(s.Fit.FitKind, 0);
            EXPECT_EQ(s.Cell(YFitColumn, 1), "");
        }
}

} // namespace
} // namespace torvel
