// The cell operation dialogs driven end to end from the data window's Math menu
// and pop-up menu: fill, operate on cells (statistics, Copy, the calculator's
// K), X & Y operations with Next over two series.
#include "ui_test_support.h"

#include "cellops/cell_dialogs.h"
#include "ui/dialogs/calc_window.h"

using namespace torvel;
using namespace torvel::test;

namespace {

QString Seen(TSpreadF* w, int row, int col) {
    return w->Model()->index(row - 1, col).data().toString().trimmed();
}

// A cell dialog's background and its series label's colour: the series'
// colour, and black or white to read on it.
QString Colours(QWidget* dialog) {
    return dialog->palette().color(QPalette::Window).name() + " " +
           Child<QLabel>(dialog, "Label1")->palette().color(QPalette::WindowText).name();
}

} // namespace

// The boxes and the choice reach the rules; Enter operates; a refused box
// shows why, has the focus and keeps what it says at the next opening, from
// the pop-up menu too.
TEST(CellDialogs, FillCellsFromTheMathMenuAndThePopup) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {});
    QString focused;
    WhenModal([&](QWidget* d) {
        EXPECT_EQ(Colours(d), QStringLiteral("#00ff00 #000000"));
        Child<QRadioButton>(d, "OperateOnBoxItem1")->click(); // Y column
        SetText(d, "Edit1", "2");
        SetText(d, "Edit2", "3");
        SetText(d, "Edit3", "0");
        SetText(d, "Edit4", "0.1");
        QTest::keyClick(d, Qt::Key_Return);
        SetText(d, "Edit4", "2,0");
        Child<QPushButton>(d, "ButtonOperate")->click();
        focused = d->focusWidget() ? d->focusWidget()->objectName() : QString();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    Trigger(w, "FillCells1");
    EXPECT_EQ(focused, QStringLiteral("Edit4"));
    EXPECT_EQ((QStringList{Seen(w, 1, YColumn), Seen(w, 2, YColumn), Seen(w, 3, YColumn),
                           Seen(w, 4, YColumn), Seen(w, 2, XColumn)}),
              (QStringList{"", "0", ".1", "", ""}));
    EXPECT_EQ(s.feedback.Beeps, 1);
    WhenModal([&](QWidget* d) {
        EXPECT_EQ(Child<QLineEdit>(d, "Edit4")->text(), QStringLiteral("Enter value"));
        EXPECT_TRUE(Child<QRadioButton>(d, "OperateOnBoxItem1")->isChecked());
        Child<QPushButton>(d, "ButtonOK")->click();
    });
    Trigger(w, "FillCells2");
}

// The selection, the operation and K reach the rules; the calculator's X is
// K when it closes; Copy copies the statistics and closes.
TEST(CellDialogs, OperateOnSelectedCellsAndTheCalculatorsK) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {{"1", "10"}, {"2", "20"}, {"3", "30"}});
    // Rows 2 and 3 of X and Y are selected.
    w->Grid()->SetCurrentCell({XColumn, 2});
    w->Grid()->selectionModel()->select(
        QItemSelection(w->Model()->index(1, XColumn), w->Model()->index(2, YColumn)),
        QItemSelectionModel::Select);
    TCalcF* calc = s.main->CalcF();
    calc->ShowCalculator();
    ASSERT_TRUE(calc->isVisible());
    bool calcShown = false;
    QString kAfterCalc;
    WhenModal([&](QWidget* d) {
        // Operate on Cells closed the calculator first.
        EXPECT_FALSE(calc->isVisible());
        EXPECT_TRUE(Child<QRadioButton>(d, "SelectedCellsRB")->isChecked());
        EXPECT_EQ(Child<QLineEdit>(d, "Edit2")->text(), QStringLiteral("55"));
        SetText(d, "Edit1", "4");
        Child<QPushButton>(d, "ButtonCal")->click();
        calcShown = calc->isVisible();
        calc->EditX()->setText(QStringLiteral("100"));
        calc->close();
        Settle();
        kAfterCalc = Child<QLineEdit>(d, "Edit1")->text();
        Child<QRadioButton>(d, "OperationBoxItem0")->click(); // Cell + K
        QTest::keyClick(d, Qt::Key_Return);                   // Enter operates
        Child<QPushButton>(d, "ButtonCopy")->click();
    });
    Trigger(w, "OperateonCells1");
    EXPECT_TRUE(calcShown);
    EXPECT_EQ(kAfterCalc, QStringLiteral("100"));
    EXPECT_EQ((QStringList{Seen(w, 1, XColumn), Seen(w, 2, XColumn), Seen(w, 3, YColumn)}),
              (QStringList{"1", "102", "130"}));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("455\r")));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(CellDialogs, XYOperationsWithNextOverTwoSeries) {
    Shell s;
    s.main->show();
    TSpreadF* one = NewDataWindow(s, {{"5", ""}, {"1", "2"}});
    TSpreadF* two = NewDataWindow(s, {{"0", "0"}, {"2", "2"}, {"1", "2"}});
    s.main->SetActiveChild(one);
    QStringList labels;
    WhenModal([&](QWidget* d) {
        labels << Child<QLabel>(d, "Label1")->text() << Colours(d);
        Child<QPushButton>(d, "ButtonOperate")->click(); // Switch X&Y
        WhenModal([&](QWidget* d2) {
            labels << Child<QLabel>(d2, "Label1")->text() << Colours(d2);
            Child<QRadioButton>(d2, "Math_XYBoxItem7")->click(); // the running integral
            QTest::keyClick(d2, Qt::Key_Return);
            QTest::keyClick(d2, Qt::Key_Escape);
        });
        Child<QPushButton>(d, "NextB")->click();
    });
    Trigger(one, "XYOperations2");
    EXPECT_EQ(labels, (QStringList{"Series Number  1", "#00ff00 #000000", "Series Number  2",
                                   "#00ffff #000000"}));
    EXPECT_EQ((QStringList{Seen(one, 1, YColumn), Seen(one, 2, XColumn), Seen(two, 3, YColumn)}),
              (QStringList{"5", "2", "3"}));
}

// The grid and the statistics show a pass's new values before its message.
TEST(CellDialogs, TheUndefinedMessageComesAfterTheNewValuesAreShown) {
    Shell s(false); // real message boxes
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {{"0", ""}, {"100", ""}});
    QSignalSpy refreshed(w->Model(), &QAbstractItemModel::dataChanged);
    QString totalAtMessage;
    qsizetype refreshesAtMessage = -1;
    WhenModal([&](QWidget* d) {
        Child<QRadioButton>(d, "XColumnCellsRB")->click();
        Child<QRadioButton>(d, "OperationBoxItem6")->click(); // Log10(Cell)
        WhenModal([&, d](QWidget* box) {
            totalAtMessage = Child<QLineEdit>(d, "Edit2")->text();
            refreshesAtMessage = refreshed.count();
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
        Child<QPushButton>(d, "ButtonOperate")->click();
        Child<QPushButton>(d, "Button1")->click();
    });
    Trigger(w, "OperateonCells2");
    EXPECT_EQ(totalAtMessage, QStringLiteral("2")); // 0 stays 0, 100 gives 2
    EXPECT_GT(refreshesAtMessage, 0);
}
