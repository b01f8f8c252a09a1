// Every settings and appearance dialog without a mouse: where the focus starts,
// where Tab takes it, and what the Alt+letter access keys do.
#include "ui_test_support.h"

#include "core/grid_store.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/graph_window.h"
#include "ui/help_window.h"
#include "ui/spread_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace torvel;
using torvel::test::Settle;
using torvel::test::Shell;
using torvel::test::WhenModal;

namespace {

struct KeyboardShell : Shell {
    KeyboardShell() {
        main->resize(1200, 800);
        main->show();
        main->NewData1Click();
        main->NewData1Click();
        Settle();
        graph = main->EnsureGraphWindow();
        Settle();
    }
    QAction* GraphAction(const char* name) { return graph->findChild<QAction*>(name); }
    TGraphF* graph = nullptr;
};

// The dialog made the active window, so its access keys count.
void Activate(QWidget* dialog) {
    QApplication::setActiveWindow(dialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog, 2000));
}

QString FocusName(QWidget* dialog) {
    QWidget* w = dialog->focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
}

// The focus before and after each of `steps` presses of Tab.
QStringList TabChain(QWidget* dialog, int steps) {
    QStringList names{FocusName(dialog)};
    for (int i = 0; i < steps; ++i) {
        QWidget* at = dialog->focusWidget();
        QTest::keyClick(at ? at : dialog, Qt::Key_Tab);
        names << FocusName(dialog);
    }
    return names;
}

// Alt+letter from wherever the focus is, through the window as the platform
// delivers it, so the access keys (shortcuts) see it.
void AccessKey(QWidget* dialog, Qt::Key key) {
    QTest::keyClick(dialog->windowHandle(), key, Qt::AltModifier);
    QCoreApplication::processEvents();
}

struct KeyCase {
    const char* opener;           // an action of the graph window
    QStringList chain;            // focus at the start, then after each Tab
    Qt::Key key;                  // an access key...
    const char* focused;          // ...and where the focus is after it
    const char* hidden = nullptr; // a button the access key's command hides
};

} // namespace

TEST(DialogKeyboard, FocusStartsOnTheFirstControlAndTabFollowsTheListedOrder) {
    const KeyCase cases[] = {
        {"scale2",
         {"MaxX",    "MinX",      "MaxYL",   "MinYL",      "MaxYR",   "MinYR",   "AutoBoxItem3",
          "Button1", "Button2",   "Button3", "AutoBX",     "AutoBYL", "AutoBYR", "SetMaxMin1",
          "OKBtn",   "CancelBtn", "GoGridB", "DrawScaleB", "Button4", "MaxX"},
         Qt::Key_M,
         "AutoBoxItem3"},
        {"Grid3",
         {"XMajor",      "YMinor",      "YMajor",    "XTicks",    "XDec",   "YLTicks", "YLDec",
          "YRTicks",     "YRDec",       "OKBtn",     "CancelBtn", "HelpB",  "ClearB",  "AutoXGridB",
          "AutoYLGridB", "AutoYRGridB", "DrawGridB", "GoScaleB",  "XMinor", "XMajor"},
         Qt::Key_C,
         "XMajor",
         "CancelBtn"},
        {"Log2",
         {"LogBoxItem3", "FormatBoxItem0", "OKBtn", "CancelBtn", "Button1", "LogBoxItem3"},
         Qt::Key_F,
         "FormatBoxItem0"},
        {"Main2",
         {"TitTop1", "TitTop2", "TitTop3", "OKBtn", "CancelBtn", "Button1", "TitTop1"},
         Qt::Key_T,
         "TitTop3"},
        {"XAxis2",
         {"TitX1", "TitX2", "TitX3", "OKBtn", "CancelBtn", "Button1", "TitX1"},
         Qt::Key_S,
         "TitX2"},
        {"Yasxis1",
         {"TitY1", "TitY2", "OKBtn", "CancelBtn", "Button1", "TitY1"},
         Qt::Key_R,
         "TitY2"},
        {"Series1",
         {"TitSer1", "OKBtn", "CancelBtn", "Button6", "Button1", "Button2", "Button3", "Button4",
          "Button5"},
         Qt::Key_T,
         "TitSer1"},
        {"GraphType2",
         {"RadioGroup1Item0", "RadioGroup2Item0", "RadioGroup3Item0", "OKBtn", "NextB", "Button1",
          "RadioGroup1Item0"},
         Qt::Key_Y,
         "RadioGroup3Item0"},
        {"Floating1",
         {"Edit1",  "Edit2",  "Edit3",   "Edit4",   "Edit5",   "Edit6",   "Edit7",
          "Edit8",  "Edit9",  "Edit10",  "Edit11",  "Edit12",  "Edit13",  "Edit14",
          "Edit15", "Edit16", "Edit17",  "Edit18",  "Edit19",  "Edit20",  "Edit21",
          "Edit22", "Edit23", "Edit24",  "Edit25",  "Edit26",  "Edit27",  "Edit28",
          "Edit29", "Edit30", "Button1", "Button2", "Button3", "Button4", "Edit1"},
         Qt::Key_Y,
         "Edit21"},
    };
    KeyboardShell s;
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.opener);
        QStringList chain, afterKey;
        WhenModal([&](QWidget* d) {
            Activate(d);
            chain = TabChain(d, static_cast<int>(c.chain.size()) - 1);
            AccessKey(d, c.key);
            afterKey << FocusName(d);
            if (c.hidden) {
                QTest::qWait(250); // a button's access key presses it for a moment first
                EXPECT_FALSE(d->findChild<QWidget*>(c.hidden)->isVisible());
            }
            qobject_cast<QDialog*>(d)->reject();
        });
        QAction* opener = s.GraphAction(c.opener);
        ASSERT_NE(opener, nullptr);
        opener->trigger();
        Settle();
        EXPECT_EQ(chain, c.chain);
        EXPECT_EQ(afterKey, QStringList{QString::fromLatin1(c.focused)});
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST(DialogKeyboard, TheFitDialogByKeyboardAlone) {
    KeyboardShell s;
    Series& series = *s.main->Doc().FindSeries(1);
    auto* window = qobject_cast<TSpreadF*>(s.main->DataWindowOf(series));
    ASSERT_NE(window, nullptr);
    const char* const cells[][2] = {{"0", "1"}, {"1", "3"}, {"2", "5"}, {"3", "7"}};
    for (int r = 1; r <= 4; ++r) {
        series.SetCell(XColumn, r, cells[r - 1][0]);
        series.SetCell(YColumn, r, cells[r - 1][1]);
    }
    GridToRows(series);
    window->RefreshGrid();

    // Down chooses the straight line at once; Alt+N is Next, which goes on to
    // series 2, where Escape puts its previous (no) equation back.
    QStringList chain;
    WhenModal([&](QWidget* d) {
        Activate(d);
        chain = TabChain(d, 6);
        QTest::keyClick(d->findChild<QWidget*>("RadioFit1Item0"), Qt::Key_Down);
        AccessKey(d, Qt::Key_N);
        QTest::qWait(250); // an access key presses its button for a moment first
        WhenModal([](QWidget* again) {
            QTest::keyClick(again->focusWidget() ? again->focusWidget() : again, Qt::Key_Escape);
        });
    });
    window->findChild<QAction*>("FitY1")->trigger();
    Settle();
    EXPECT_EQ(chain, (QStringList{"RadioFit1Item0", "OKBtn", "CancelBtn", "NextB", "Button2",
                                  "Button1", "RadioFit1Item0"}));
    EXPECT_EQ(series.Fit.FitKind, 1);
    EXPECT_EQ(s.main->Doc().FindSeries(2)->Fit.FitKind, 0);
}

TEST(DialogKeyboard, TheGraphPopupMenuOpensFromTheKeyboard) {
    KeyboardShell s;
    auto* image = s.graph->findChild<QWidget*>("Image1");
    ASSERT_NE(image, nullptr);
    EXPECT_NE(image->focusPolicy() & Qt::TabFocus, 0);
    auto* popup = s.graph->findChild<QMenu*>("PopupMenu1");
    ASSERT_NE(popup, nullptr);
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(0, 0),
                            image->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(image, &byKey);
    EXPECT_TRUE(popup->isVisible());
    // It opens over the graph, not wherever the mouse pointer was left.
    EXPECT_TRUE(QRect(image->mapToGlobal(QPoint(0, 0)), image->size()).contains(popup->pos()));
    popup->hide();
    QTest::keyClick(image, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(popup->isVisible());
    popup->hide();
}

TEST(DialogKeyboard, TheDataPopupMenuOpensFromTheKeyboardAtTheCurrentCell) {
    KeyboardShell s;
    auto* window = s.main->findChild<TSpreadF*>();
    ASSERT_NE(window, nullptr);
    auto* grid = window->findChild<QTableView*>();
    ASSERT_NE(grid, nullptr);
    QMenu* popup = window->PopupMenu();
    const QRect cell(
        grid->viewport()->mapToGlobal(grid->visualRect(grid->currentIndex()).topLeft()),
        grid->visualRect(grid->currentIndex()).size());
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(cell.contains(popup->pos()));
    popup->hide();
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
    QApplication::sendEvent(grid, &byKey);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(cell.contains(popup->pos()));
    popup->hide();
}

// The captions read as the control tables give them, access keys or not.
TEST(DialogKeyboard, CaptionsReadAsListed) {
    struct CaptionCase {
        const char* opener;
        std::vector<const char*> captions;
    };
    const CaptionCase cases[] = {
        {"Main2",
         {"First Main Title", "Second Main Title", "Third Main Title", "OKBtn=OK",
          "CancelBtn=Cancel", "Button1=Help"}},
        {"XAxis2",
         {"First  Line X Title", "Second Line X Title", "Third Line X Title", "OKBtn=OK",
          "CancelBtn=Cancel", "Button1=Help"}},
        {"Yasxis1", {"Left  Y Title", "Right Y Title", "OKBtn=OK", "CancelBtn=Cancel"}},
        {"Series1",
         {"Series #1", "Series Title \"Text\"", "Auto Label All", "OKBtn=OK", "CancelBtn=Cancel",
          "Button6=Next", "Button1=Help", "Button2=Series + ##", "Button3=\"Text\" + ##",
          "Button4=\"Text \" only", "Button5=Clear"}},
        {"GraphType2",
         {"Series # 1", "Graph Type", "Points", "Y Axis", "RadioGroup1Item4=Line & Bar",
          "RadioGroup1Item6=Bar & Fit", "RadioGroup2Item1=Hide", "RadioGroup3Item1=Right",
          "OKBtn=OK", "NextB=Next", "Button1=Help"}},
        {"Floating1",
         {"Floating Titles", "X Position", "Y Position", "Button1=OK", "Button2=Cancel",
          "Button3=Help", "Button4=View"}},
        {"FitPop",
         {"Regression Equation", "Coefficients", "Determination", "Sample Equation",
          "RadioFit1Item1=1st  Order Polynominal", "RadioFit1Item8=Natural Log Fit", "OKBtn=OK",
          "CancelBtn=Cancel", "NextB=Next", "Button2=Copy Coefficients", "Button1=Help"}},
    };
    KeyboardShell s;
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.opener);
        QStringList seen;
        WhenModal([&](QWidget* d) {
            for (QGroupBox* g : d->findChildren<QGroupBox*>())
                seen << ShownText(g->title());
            for (QLabel* l : d->findChildren<QLabel*>())
                seen << ShownText(l->text());
            for (QAbstractButton* b : d->findChildren<QAbstractButton*>())
                seen << b->objectName() + "=" + ShownText(b->text());
            qobject_cast<QDialog*>(d)->reject();
        });
        s.GraphAction(c.opener)->trigger();
        Settle();
        for (const char* caption : c.captions)
            EXPECT_TRUE(seen.contains(QString::fromUtf8(caption))) << caption;
    }
}

// In the data window's dialogs too, Tab reaches a choice at its checked item
// only, whatever item the dialog itself checked, and every button but OK and
// Cancel (Enter and Escape) has an access key of its own.
TEST(DialogKeyboard, TheCellAndPrinterColourDialogsByKeyboard) {
    KeyboardShell s;
    auto* window = s.main->findChild<TSpreadF*>();
    ASSERT_NE(window, nullptr);
    for (const char* opener : {"FillCells1", "OperateonCells2", "XYOperations2", "PrintColor1"}) {
        SCOPED_TRACE(opener);
        int groups = 0;
        WhenModal([&groups](QWidget* d) {
            for (QButtonGroup* group : d->findChildren<QButtonGroup*>()) {
                ++groups;
                for (QAbstractButton* b : group->buttons())
                    EXPECT_EQ(b->focusPolicy() == Qt::StrongFocus, b->isChecked())
                        << qPrintable(b->objectName());
            }
            QSet<QChar> keys;
            for (QPushButton* b : d->findChildren<QPushButton*>()) {
                const QString text = b->text();
                if (text == QStringLiteral("OK") || text == QStringLiteral("Cancel")) continue;
                const qsizetype amp = text.indexOf(QLatin1Char('&'));
                ASSERT_TRUE(amp >= 0 && amp + 1 < text.size()) << qPrintable(text);
                const QChar key = text[amp + 1].toLower();
                EXPECT_FALSE(keys.contains(key)) << qPrintable(text);
                keys.insert(key);
            }
            static_cast<QDialog*>(d)->reject();
        });
        window->findChild<QAction*>(opener)->trigger();
        Settle();
        EXPECT_GT(groups, 0);
    }
}
