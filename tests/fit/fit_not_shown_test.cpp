// The command line's fit works out what the window's does and moves no row.
#include "fit/fit.h"
#include "fit/fit_statistics.h"

#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

namespace torvel {
namespace {

using namespace testing_support;

TEST(FitNotShown, SameFitRowsLeftWhereTheyAre) {
    // Unsorted, with a gap; a line, a cubic and a power fit.
    const char* const rows = "3:7.5 1:2 :9 2:4.25 5:26 4:15.5";
    for (const int kind : {1, 3, 6}) {
        SCOPED_TRACE(kind);
        Document shownDoc, bareDoc;
        SilentFeedback fb;
        Series& shown = AddSeries(shownDoc, rows);
        Series& bare = AddSeries(bareDoc, rows);
        const std::string x = Column(bare, XColumn), y = Column(bare, YColumn);
        shown.Fit.FitKind = bare.Fit.FitKind = kind;
        ComputeFit(shownDoc, shown.Fit, fb);
        ComputeFit(bareDoc, bare.Fit, fb, FitRowsShown::NotShown);
        EXPECT_EQ(bare.Fit.Coef, shown.Fit.Coef);
        EXPECT_EQ(bare.Fit.FitOK, shown.Fit.FitOK);
        EXPECT_TRUE(bare.HasFit);
        EXPECT_EQ(Column(bare, XColumn), x);
        EXPECT_EQ(Column(bare, YColumn), y);
        EXPECT_FALSE(bare.Store().HasFitColumn());
        const auto a = ComputeFitStatistics(shownDoc, shown),
                   b = ComputeFitStatistics(bareDoc, bare);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->RSquared, b->RSquared);
        EXPECT_EQ(a->ResidualSumOfSquares, b->ResidualSumOfSquares);
    }
}

} // namespace
} // namespace torvel
