// The cell operation dialogs driven end to end from the data window's Math menu
// and pop-up menu: fill, operate on cells (statistics, Copy, the calculator's
// K), X & Y operations with Next over two series.
#include "ui_test_support.h"

#include "cellops/cell_dialogs.h"
#include "core/grid_store.h"
#include "ui/dialogs/calc_window.h"
#include "ui/series_table_model.h"
#include "ui/spread_window.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace torvel;
using torvel::test::NewDataWindow;
using torvel::test::Settle;
using torvel::test::Shell;
using torvel::test::Trigger;
using torvel::test::WhenModal;

namespace {

QString Shown(TSpreadF* w, int row, int col) {
    return w->Model()->index(row - 1, col).data().toString().trimmed();
}

template <class T> T* Child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void Type(QWidget* dialog, const char* box, const char* text) {
    Child<QLineEdit>(dialog, box)->setText(QString::fromLatin1(text));
}

} // namespace

TEST(CellDialogs, FillCellsFromTheMathMenuAndThePopup) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {});
    QStringList boxes;
    WhenModal([&](QWidget* d) {
        ASSERT_EQ(d->windowTitle(), QStringLiteral("Math Fill Cells"));
        EXPECT_EQ(Child<QLabel>(d, "Label1")->text(), QStringLiteral("Series # 1"));
        for (const char* e : {"Edit1", "Edit2", "Edit3", "Edit4"})
            boxes << Child<QLineEdit>(d, e)->text();
        Child<QRadioButton>(d, "OperateOnBoxItem1")->click(); // Y column
        Type(d, "Edit1", "0");
        Type(d, "Edit2", "5");
        Type(d, "Edit3", "0");
        Type(d, "Edit4", "0.1");
        QTest::keyClick(d, Qt::Key_Return); // Enter operates
        // Too large a start index is said in its box; nothing more is filled.
        Type(d, "Edit1", "11");
        Child<QPushButton>(d, "ButtonOperate")->click();
        EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text(), QStringLiteral("Too Large"));
        QTest::keyClick(d, Qt::Key_Escape);
    });
    Trigger(w, "FillCells1");
    EXPECT_EQ(boxes, (QStringList{"1", "10", "1", "1"}));
    EXPECT_EQ((QStringList{Shown(w, 1, YColumn), Shown(w, 2, YColumn), Shown(w, 5, YColumn),
                           Shown(w, 6, YColumn), Shown(w, 1, XColumn)}),
              (QStringList{"0", ".1", ".4", "", ""}));
    EXPECT_EQ(s.feedback.Beeps, 1);

    // The boxes keep what was typed; the pop-up's entry opens the same dialog.
    WhenModal([&](QWidget* d) {
        EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text(), QStringLiteral("Too Large"));
        EXPECT_TRUE(Child<QRadioButton>(d, "OperateOnBoxItem1")->isChecked());
        Child<QPushButton>(d, "ButtonOK")->click();
    });
    Trigger(w, "FillCells2");
}

TEST(CellDialogs, OperateOnCellsStatisticsCopyAndTheMessage) {
    Shell s;
    s.main->show();
    TSpreadF* w = NewDataWindow(s, {{"1", "2"}, {"0", "4"}, {"3", ""}});
    s.main->Doc().ConstantK = 2;
    QStringList stats;
    WhenModal([&](QWidget* d) {
        ASSERT_EQ(d->windowTitle(), QStringLiteral("Math Operations on Cells"));
        EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text(), QStringLiteral("2"));
        EXPECT_EQ(Child<QPushButton>(d, "ButtonCopy")->toolTip(),
                  QStringLiteral("Win Clip = Tot, Ave, Sig"));
        Child<QRadioButton>(d, "YColumnCellsRB")->click();
        stats << Child<QLineEdit>(d, "Edit2")->text() << Child<QLineEdit>(d, "Edit3")->text();
        Child<QRadioButton>(d, "OperationBoxItem2")->click(); // Cell * K
        Type(d, "Edit1", "2.5");
        QTest::keyClick(d, Qt::Key_Return); // Enter operates
        stats << Child<QLineEdit>(d, "Edit2")->text();
        // 1 / Cell on the X column: the 0 stays, the message comes after the pass.
        Child<QRadioButton>(d, "XColumnCellsRB")->click();
        Child<QRadioButton>(d, "OperationBoxItem7")->click();
        Child<QPushButton>(d, "ButtonOperate")->click();
        Child<QPushButton>(d, "ButtonCopy")->click(); // copies and closes
    });
    Trigger(w, "OperateonCells2");
    EXPECT_EQ(stats, (QStringList{"6", "3", "15"}));
    EXPECT_EQ(s.main->Doc().ConstantK, 2.5L);
    EXPECT_EQ((QStringList{Shown(w, 1, YColumn), Shown(w, 2, YColumn), Shown(w, 3, YColumn),
                           Shown(w, 1, XColumn), Shown(w, 2, XColumn), Shown(w, 3, XColumn)}),
              (QStringList{"5", "10", "", "1", "0", ".333333333333"}));
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Text, UndefinedOperationText);
    // Total 1 + 0 + 1/3, Average, Sigma of the X column after the pass.
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("1.33333333333\r.444444444444\r.509175077217"));
}

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
        Type(d, "Edit1", "4");
        Child<QPushButton>(d, "ButtonCal")->click();
        calcShown = calc->isVisible();
        // What the calculator holds in X when it closes is K.
        calc->EditX()->setText(QStringLiteral("100"));
        calc->close();
        Settle();
        kAfterCalc = Child<QLineEdit>(d, "Edit1")->text();
        Child<QRadioButton>(d, "OperationBoxItem0")->click(); // Cell + K
        Child<QPushButton>(d, "ButtonOperate")->click();
        Child<QPushButton>(d, "Button1")->click();
    });
    Trigger(w, "OperateonCells1");
    EXPECT_TRUE(calcShown);
    EXPECT_EQ(kAfterCalc, QStringLiteral("100"));
    EXPECT_EQ((QStringList{Shown(w, 1, XColumn), Shown(w, 2, XColumn), Shown(w, 3, YColumn)}),
              (QStringList{"1", "102", "130"}));
}

TEST(CellDialogs, XYOperationsWithNextOverTwoSeries) {
    Shell s;
    s.main->show();
    TSpreadF* one = NewDataWindow(s, {{"5", ""}, {"1", "2"}});
    TSpreadF* two = NewDataWindow(s, {{"0", "0"}, {"2", "2"}, {"1", "2"}});
    s.main->SetActiveChild(one);
    QStringList labels;
    WhenModal([&](QWidget* d) {
        ASSERT_EQ(d->windowTitle(), QStringLiteral("Math X & Y Operations"));
        labels << Child<QLabel>(d, "Label1")->text();
        EXPECT_EQ(Child<QRadioButton>(d, "Math_XYBoxItem0")->text(), QStringLiteral("Switch X&&Y"));
        Child<QPushButton>(d, "ButtonOperate")->click(); // Switch X&Y
        WhenModal([&](QWidget* d2) {
            labels << Child<QLabel>(d2, "Label1")->text();
            Child<QRadioButton>(d2, "Math_XYBoxItem7")->click(); // the running integral
            QTest::keyClick(d2, Qt::Key_Return);
            QTest::keyClick(d2, Qt::Key_Escape);
        });
        Child<QPushButton>(d, "NextB")->click();
    });
    Trigger(one, "XYOperations2");
    EXPECT_EQ(labels, (QStringList{"Series Number  1", "Series Number  2"}));
    EXPECT_EQ((QStringList{Shown(one, 1, XColumn), Shown(one, 1, YColumn), Shown(one, 2, XColumn),
                           Shown(one, 2, YColumn)}),
              (QStringList{"", "5", "2", "1"}));
    EXPECT_EQ((QStringList{Shown(two, 1, YColumn), Shown(two, 2, YColumn), Shown(two, 3, YColumn),
                           Shown(two, 3, XColumn)}),
              (QStringList{"0", "1", "3", "2"}));
}
