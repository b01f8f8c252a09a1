// The fit dialog and the Regression commands as a user drives them: menus of
// the data and graph windows, clicks on the dialog's items and buttons, keys.
#include "ui_test_support.h"

#include "ui/dialogs/fit_dialog.h"

#include "fit/fit.h"
#include "fit/fit_statistics.h"

using namespace torvel;
using namespace torvel::test;

namespace {

QString LabelText(QWidget* dialog, int n) {
    return Child<QLabel>(dialog, QStringLiteral("Label%1").arg(n).toLatin1().constData())->text();
}

TEST(FitDialog, RegressionFitChoosesCopiesAndKeepsALine) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {{"1", "3"}, {"2", "5"}, {"3", "7"}});
    Series& series = w->GetSeries();
    QStringList seen;
    WhenModal([&](QWidget* d) {
        seen << d->windowTitle() << LabelText(d, 9);
        Child<QRadioButton>(d, "RadioFit1Item1")->click();
        seen << LabelText(d, 8) << LabelText(d, 1) << LabelText(d, 7);
        Child<QPushButton>(d, "Button2")->click();
        Child<QPushButton>(d, "OKBtn")->click();
    });
    w->findChild<QAction*>(QStringLiteral("FitY1"))->trigger();
    EXPECT_EQ(seen, (QStringList{"Regression Fit Dialog", "Series # 1", "Y = A + B*X", "A = 1",
                                 "R^2 = 1"}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1\r\n2\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
    EXPECT_EQ(series.GraphType, GraphFit);
    // What the grid shows is the series' fitted column.
    EXPECT_EQ(w->Model()->index(2, YFitColumn).data().toString(), "7");
}

// The Regression menu's Fit Error % and Clear Fit reach the series and the grid.
TEST(FitDialog, ClearFitAndFitErrorFromTheRegressionMenu) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {{"1", "2"}, {"2", "0"}, {"3", "7"}});
    Series& series = w->GetSeries();
    series.Fit.FitKind = 1;
    series.GraphType = GraphLineFit;
    w->findChild<QAction*>(QStringLiteral("FitError1"))->trigger();
    EXPECT_EQ(w->Model()->headerData(YFitColumn, Qt::Horizontal).toString(), "   % Error YFit");
    EXPECT_EQ(w->Model()->index(1, YFitColumn).data().toString(), "1.00000E+1000");
    w->findChild<QAction*>(QStringLiteral("clearFit1"))->trigger();
    EXPECT_EQ(series.GraphType, GraphLine);
    EXPECT_EQ(w->Model()->headerData(YFitColumn, Qt::Horizontal).toString(), "          Y1 Fit");
    EXPECT_EQ(w->Model()->index(1, YFitColumn).data().toString(), "");
}

TEST(FitDialog, FitStatisticsShowsTheReportInATextWindow) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {{"1", "2"}, {"2", "0"}, {"3", "7"}});
    Series& series = w->GetSeries();
    w->findChild<QAction*>(QStringLiteral("FitStatistics1"))->trigger();
    EXPECT_EQ(s.feedback.Beeps, 1);
    EXPECT_EQ(s.main->TextWindowCount(), 0);
    series.Fit.FitKind = 1;
    ComputeFit(s.main->Doc(), series.Fit, s.feedback);
    w->findChild<QAction*>(QStringLiteral("FitStatistics2"))->trigger(); // the pop-up's
    ASSERT_EQ(s.main->TextWindowCount(), 1);
    auto* text = qobject_cast<TTextF*>(s.main->findChild<QMdiArea*>()->activeSubWindow()->widget());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Memo()->toPlainText().toStdString(),
              FitStatisticsReport(1, *ComputeFitStatistics(s.main->Doc(), series)));
    EXPECT_TRUE(QFontInfo(text->Memo()->font()).fixedPitch());
}

} // namespace
