#include "fit/fit_dialog.h"

#include "core/grid_store.h"
#include "core/number_text.h"
#include "fit/fit.h"
#include "scale/scale_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvel {
namespace {

using namespace testing_support;

class FitDialogTest : public testing::Test {
  protected:
    FitDialogRules rules{doc, fb, draws.Hooks()};
    void Select(int kind) {
        rules.State.RadioFit1 = kind;
        rules.SelectionChanged();
    }
    Document doc;
    RecordingFeedback fb;
    DrawCounter draws;
};

TEST_F(FitDialogTest, ChoosingAnEquationFitsShowsAndDraws) {
    Series& s = AddSeries(doc, "1:1 2:4 3:9 4:16");
    s.GraphType = GraphBar;
    rules.Show(s);
    EXPECT_EQ(rules.State.RadioFit1, 0);
    EXPECT_EQ(rules.State.Label9, "Series # 1");
    EXPECT_EQ(rules.State.SeriesColor, SeriesColorOf(1));
    EXPECT_EQ(rules.State.Labels, (std::array<std::string, 7>{}));

    Select(2);
    EXPECT_EQ(s.Fit.FitKind, 2);
    EXPECT_TRUE(s.HasFit);
    EXPECT_EQ(s.GraphType, GraphBarFit);
    EXPECT_EQ(Column(s, YFitColumn), "1|4|9|16");
    EXPECT_EQ(rules.State.Labels,
              (std::array<std::string, 7>{"A = " + NumberToText(s.Fit.Coef[1], 14),
                                          "B = " + NumberToText(s.Fit.Coef[2], 14),
                                          "C = " + NumberToText(s.Fit.Coef[3], 14), "", "", "",
                                          "R^2 = " + NumberToText(s.Fit.Coef[7], 14)}));
    EXPECT_EQ(rules.State.Label8, "Y = A + B*X + C*X^2");
    EXPECT_EQ(draws.draw, 1);

    // Which labels each kind fills: A, B and R^2 always, C..F by degree.
    const int filled[] = {0, 3, 4, 5, 6, 7, 3, 3, 3};
    Series& t = AddSeries(doc, "1:2 2:3 3:5 4:7 5:11 6:13 7:17");
    rules.Show(t);
    for (int kind = 0; kind <= 8; ++kind) {
        Select(kind);
        int count = 0;
        for (const std::string& label : rules.State.Labels)
            count += !label.empty();
        EXPECT_EQ(count, filled[kind]) << kind;
        EXPECT_EQ(rules.State.Label8, SampleEquation(kind));
    }
}

// Whatever was tried, a close without OK or Next leaves the series with the
// equation, graph type and fitted column it had.
TEST_F(FitDialogTest, CancelRestoresKindGraphTypeAndFittedColumn) {
    struct Case {
        const char* name;
        int kind, graphType;
    };
    for (const Case& c :
         {Case{"line shown as line & fit", 1, GraphLineFit}, Case{"no fit, bars", 0, GraphBar},
          Case{"power, fit only", 6, GraphFit}}) {
        SCOPED_TRACE(c.name);
        Document d;
        FitDialogRules r{d, fb, {}};
        Series& s = AddSeries(d, "1:2 2:4.5 3:5.5 4:8.25");
        s.Fit.FitKind = c.kind;
        s.GraphType = c.graphType;
        ComputeFit(d, s.Fit, fb);
        const std::string column = Column(s, YFitColumn);
        const auto coef = s.Fit.Coef;

        r.Show(s);
        for (int kind : {3, 0, 8, 2}) {
            r.State.RadioFit1 = kind;
            r.SelectionChanged();
        }
        r.Closed();
        EXPECT_EQ(s.Fit.FitKind, c.kind);
        EXPECT_EQ(s.GraphType, c.graphType);
        EXPECT_EQ(s.HasFit, c.kind != 0);
        EXPECT_EQ(Column(s, YFitColumn), column);
        EXPECT_EQ(s.Fit.Coef, coef);
        EXPECT_FALSE(r.Applied());
    }
}

TEST_F(FitDialogTest, OkAndNextKeepTheChoice) {
    Series& s = AddSeries(doc, "1:1 2:4 3:9 4:16");
    Series& t = AddSeries(doc, "1:1 2:2 3:3");
    t.GraphType = GraphNone;

    rules.Show(s);
    Select(2);
    rules.OK();
    rules.Closed();
    EXPECT_EQ(s.Fit.FitKind, 2);
    EXPECT_EQ(s.GraphType, GraphFit);
    EXPECT_FALSE(doc.NextSeriesRequested);

    rules.Show(t);
    Select(1);
    rules.Next();
    rules.Closed();
    EXPECT_TRUE(doc.NextSeriesRequested);
    EXPECT_EQ(t.Fit.FitKind, 1);
    EXPECT_EQ(t.GraphType, GraphFit);
    EXPECT_EQ(Column(t, YFitColumn), "1|2|3");

    // Back to "None" with OK: no fit, and the graph type stops drawing one.
    rules.Show(s);
    Select(0);
    rules.OK();
    rules.Closed();
    EXPECT_EQ(s.Fit.FitKind, 0);
    EXPECT_FALSE(s.HasFit);
    EXPECT_EQ(s.GraphType, GraphLine);
    EXPECT_EQ(Column(s, YFitColumn), "|||");
}

TEST(FitDialogRulesTest, GraphTypesWithAndWithoutAFit) {
    //                       Line  Bar  Fit  None LineBar LineFit BarFit
    const int with[] = {0, 3, 7, 3, 3, 7, 6, 7};
    const int without[] = {0, 1, 2, 1, 4, 5, 1, 2};
    for (int type = GraphLine; type <= GraphBarFit; ++type) {
        EXPECT_EQ(GraphTypeWithFit(type), with[type]) << type;
        EXPECT_EQ(GraphTypeWithoutFit(type), without[type]) << type;
    }
}

TEST(FitErrorTest, ColumnHoldsTheErrorsWhole) {
    Document doc;
    RecordingFeedback fb;
    Series& s = AddSeries(doc, "1:1 2:0 3:5 :");
    EXPECT_FALSE(ShowFitError(doc, s, fb)); // no fit: nothing happens
    EXPECT_EQ(s.Header(YFitColumn), "          Y1 Fit");

    s.Fit.FitKind = 1;
    ASSERT_TRUE(ShowFitError(doc, s, fb));
    EXPECT_EQ(s.Header(YFitColumn), FitErrorHeader);
    // The line is y = 2x - 2.
    EXPECT_EQ(Column(s, YFitColumn), "-100|1.00000E+1000|-20|");
    EXPECT_EQ(s.Store().Row(2).YFit, -20);
    EXPECT_EQ(s.Store().Row(1).YFit, 1.0E1000L);
    EXPECT_FALSE(s.Store().Row(3).YFitValid);
}

} // namespace
} // namespace torvel
