// The data window's own commands driven through its menus in the main window:
// sorting and duplicating, and what they do when memory runs out.
#include "ui_test_support.h"

using namespace torvel;
using namespace torvel::test;

namespace {

TEST(DataCommands, SortXFromTheMathMenu) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {{"3", "9"}, {"", "5"}, {"1", "1"}, {"2", "4"}});
    Trigger(w, "SortXDeccending1");
    EXPECT_EQ((QStringList{Shown(w, 1, XColumn), Shown(w, 2, XColumn), Shown(w, 3, XColumn),
                           Shown(w, 4, YColumn)}),
              (QStringList{"3", "2", "1", "5"}));
    Trigger(w, "SortXAccending1");
    EXPECT_EQ(Shown(w, 1, XColumn), "1");
}

// Duplicate and Fit Error that run out of memory say so and leave the series,
// the window list and the clipboard as they were; with memory back they work.
TEST(DataCommands, OutOfMemoryEndsOnlyTheCommand) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {{"1", "2"}, {"2", "4.5"}, {"3", "5"}});
    Series& series = w->GetSeries();
    series.Fit.FitKind = 1;
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    for (const char* action : {"DuplicateData1", "FitError1"}) {
        FailAllocationAt(1);
        Trigger(w, action);
        FailAllocationAt(0);
        Settle();
    }
    EXPECT_EQ(Told(s.feedback), (Texts{"Not enough memory to duplicate the series.",
                                       "Not enough memory to show the fit error."}));
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    EXPECT_EQ(Shown(w, 2, YFitColumn), QString());
    EXPECT_FALSE(series.HasFit);
    Trigger(w, "FitError1");
    Trigger(w, "DuplicateData1");
    Settle();
    EXPECT_EQ(s.feedback.Messages.size(), 2u);
    EXPECT_EQ(s.main->Doc().SeriesCount(), 2);
    EXPECT_FALSE(Shown(w, 2, YFitColumn).isEmpty());
}

} // namespace
