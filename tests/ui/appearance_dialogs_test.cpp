// The title, graph type and floating titles dialogs driven by their
// objectNames through the menus that open them.
#include "ui_test_support.h"

using namespace torvel;
using namespace torvel::test;

namespace {

// Answers the next `count` modal showings in a row with act(dialog, i).
void AnswerModals(int count, std::function<void(QWidget*, int)> act, int i = 0) {
    WhenModal([=](QWidget* w) {
        act(w, i);
        if (i + 1 < count) AnswerModals(count, act, i + 1);
    });
}

} // namespace

// Enter is OK wherever the focus is; the first box starts focused and
// selected; Escape cancels; Help opens the titles' help section.
TEST(AppearanceDialogs, TitleDialogsByKeyboard) {
    GraphShell s({1});
    GraphSettings& st = s.main->Doc().Settings;
    st.MainTitles = {"one", "two", "three"};
    WhenModal([](QWidget* d) {
        auto* first = Child<QLineEdit>(d, "TitTop1");
        EXPECT_EQ(first->selectedText(), "one");
        QTest::keyClicks(first, "New");
        QTest::keyClick(first, Qt::Key_Tab);
        QTest::keyClick(d->focusWidget(), Qt::Key_Return);
    });
    s.graph->findChild<QAction*>("Main2")->trigger();
    EXPECT_EQ(st.MainTitles, (std::array<std::string, 3>{"New", "two", "three"}));
    st.YTitles = {"L", "R"};
    WhenModal([](QWidget* d) {
        Child<QLineEdit>(d, "TitY2")->setText("changed");
        Click(d, "Button1");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    s.WindowOf(1)->findChild<QAction*>("YAxis2")->trigger();
    EXPECT_EQ(st.YTitles[1], "R");
    ASSERT_NE(s.main->HelpWindow(), nullptr);
    EXPECT_EQ(s.main->HelpWindow()->Source().fragment(), "help-900");
}

TEST(AppearanceDialogs, GraphTypeNextOverSeriesOneThreeAndSeven) {
    GraphShell s({1, 3, 7});
    QStringList labels;
    AnswerModals(3, [&](QWidget* d, int i) {
        labels << Child<QLabel>(d, "Label1")->text();
        if (i == 1) {
            // Series 3 shown as bars on the right axis, at once.
            Click(d, "RadioGroup1Item1");
            Click(d, "RadioGroup3Item1");
        }
        if (i == 2) {
            // "Fit" without a fit opens the fit dialog; cancelled, Line stays.
            QString fitDialog;
            WhenModal([&](QWidget* fit) {
                fitDialog = fit->objectName();
                Click(fit, "CancelBtn");
            });
            Click(d, "RadioGroup1Item2");
            EXPECT_EQ(fitDialog, "FitF");
        }
        Click(d, i < 2 ? "NextB" : "OKBtn");
    });
    s.graph->findChild<QAction*>("GraphType2")->trigger();
    EXPECT_EQ(labels, (QStringList{"Series # 1", "Series # 3", "Series # 7"}));
    EXPECT_EQ(s.main->Doc().FindSeries(3)->GraphType, GraphBar);
    EXPECT_FALSE(s.main->Doc().FindSeries(3)->YAxisLeft);
    EXPECT_EQ(s.main->Doc().FindSeries(7)->GraphType, GraphLine);
    EXPECT_EQ(s.main->ActiveChild(), s.graph);
}

TEST(AppearanceDialogs, FloatingTitlesCommaEmptyAndView) {
    GraphShell s({1});
    GraphSettings& st = s.main->Doc().Settings;
    st.FloatTitleY[0] = 4;
    st.FloatTitleX[2] = 3; // boxes left as shown: each position stays its own
    st.FloatTitleY[2] = 6;
    // From a data window with the graph window closed: View makes it again.
    s.graph->findChild<QAction*>("Close1")->trigger();
    Settle();
    ASSERT_EQ(s.main->GraphF(), nullptr);
    s.main->setGeometry(20, 20, 760, 560); // on the offscreen screen, where the corner is free
    torvel::test::ShowFramed(*s.main);
    bool cancelAfterView = true;
    WhenModal([&](QWidget* d) {
        // 10 pixels inside the main window's corner, the frames included.
        EXPECT_EQ(torvel::test::CornerGap(*d, *s.main, {10, 10}), QPoint(10, 10));
        Child<QLineEdit>(d, "Edit1")->setText("Peak");
        Child<QLineEdit>(d, "Edit11")->setText("1,5");
        Child<QLineEdit>(d, "Edit21")->setText("");
        Child<QLineEdit>(d, "Edit12")->setText("1.5");
        Click(d, "Button4");
        cancelAfterView = Child(d, "Button2")->isVisible();
        Click(d, "Button1");
    });
    s.WindowOf(1)->findChild<QAction*>("Floating2")->trigger();
    EXPECT_FALSE(cancelAfterView);
    EXPECT_NE(s.main->GraphF(), nullptr);
    EXPECT_EQ(st.FloatTitleText[0], "Peak");
    EXPECT_EQ((std::vector<Real>{st.FloatTitleX[0], st.FloatTitleY[0], st.FloatTitleX[1],
                                 st.FloatTitleX[2], st.FloatTitleY[2]}),
              (std::vector<Real>{0, 0, 1.5L, 3, 6}));
    // Cancel at the next opening keeps the titles.
    WhenModal([](QWidget* d) {
        Child<QLineEdit>(d, "Edit1")->setText("dropped");
        Click(d, "Button2");
    });
    s.main->GraphF()->findChild<QAction*>("Floating1")->trigger();
    EXPECT_EQ(st.FloatTitleText[0], "Peak");
}
