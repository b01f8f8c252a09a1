// The calculator window driven with keys and clicks; the rules themselves are
// the engine's (tests/calc).
#include "ui_test_support.h"

#include "calc/calculator.h"
#include "ui/dialogs/calc_window.h"

using namespace torvel;
using namespace torvel::test;

namespace {

class CalcWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctx.MainWidget()->setGeometry(40, 30, 720, 540);
        ctx.MainWidget()->show();
    }
    QLineEdit* Box(const char* name) { return calc.findChild<QLineEdit*>(name); }
    QPushButton* Button(const char* name) { return calc.findChild<QPushButton*>(name); }
    void Click(const char* name) { MouseClick(&calc, name); }
    // Y, Z, T and X as their boxes show them.
    QString Stack() {
        return Box("EditT")->text() + " " + Box("EditZ")->text() + " " + Box("EditY")->text() +
               " " + Box("EditX")->text();
    }

    TestAppContext ctx;
    TCalcF calc{ctx};
};

} // namespace

TEST_F(CalcWindowTest, TypingAndClicking) {
    ctx.doc.ConstantK = 7;
    calc.ShowCalculator();
    EXPECT_EQ(Stack(), QStringLiteral("0 0 0 7"));
    // Only X takes typing and Tab.
    EXPECT_TRUE(Box("EditY")->isReadOnly());
    EXPECT_FALSE(Box("EditT")->focusPolicy() & Qt::TabFocus);
    QLineEdit* x = Box("EditX");
    QTest::keyClicks(x, "2");
    QTest::keyClick(x, Qt::Key_Return);
    QTest::keyClicks(x, "3+");
    EXPECT_EQ(Stack(), QStringLiteral("0 0 7 5"));
    EXPECT_EQ(ctx.doc.ConstantK, 5);
    QTest::keyClicks(x, "16");
    Click("SpeedButtonsqrt");
    EXPECT_EQ(Stack(), QStringLiteral("0 7 5 4"));
    // Down arrow rolls the stack; Page Down changes the sign.
    QTest::keyClick(x, Qt::Key_Down);
    EXPECT_EQ(Stack(), QStringLiteral("4 0 7 5"));
    QTest::keyClick(x, Qt::Key_PageDown);
    EXPECT_EQ(x->text(), QStringLiteral("-5"));
}

TEST_F(CalcWindowTest, TogglesChangeTheWindow) {
    calc.ShowCalculator();
    EXPECT_TRUE(calc.windowFlags() & Qt::WindowStaysOnTopHint);
    QWidget* trig = calc.findChild<QWidget*>("TrigRows");
    EXPECT_FALSE(trig->isVisible()); // the first show shrinks the window
    const int small = calc.height();
    Click("ButtonSmall");
    EXPECT_TRUE(trig->isVisible());
    EXPECT_GT(calc.height(), small);
    EXPECT_EQ(Button("ButtonSmall")->text(), QStringLiteral("Shrink"));
    Click("Buttontop");
    EXPECT_FALSE(calc.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(calc.isVisible());
    Click("Buttondeg");
    EXPECT_EQ(calc.findChild<QLabel*>("Label5")->text(), QStringLiteral("Radians"));
    Click("ButtonH");
    EXPECT_EQ(ctx.helpContexts, std::vector<int>{150});
}

TEST_F(CalcWindowTest, MathErrorKeepsX) {
    calc.ShowCalculator();
    Click("ButtonSmall");
    QTest::keyClicks(Box("EditX"), "2");
    Click("Buttonacos");
    ASSERT_EQ(Told(ctx.feedback), Texts{"Math Error"});
    EXPECT_EQ(Box("EditX")->text(), QStringLiteral("2"));
    // The on-top state is back after the message.
    EXPECT_TRUE(calc.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(CalcWindowTest, RegistersSurviveHidingAndKFollows) {
    calc.ShowCalculator();
    QLineEdit* x = Box("EditX");
    QTest::keyClicks(x, "6");
    QTest::keyClick(x, Qt::Key_Return);
    QTest::keyClicks(x, "7*9");
    int closed = 0;
    QObject::connect(&calc, &TCalcF::Closed, [&closed] { ++closed; });
    Click("ButtonExit");
    EXPECT_FALSE(calc.isVisible());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(ctx.doc.ConstantK, 9);
    // Escape closes too; an unreadable X keeps K and tells nobody.
    x->setText(QStringLiteral("abc"));
    QTest::keyClick(x, Qt::Key_Escape);
    EXPECT_EQ(ctx.doc.ConstantK, 9);
    // K given elsewhere (a loaded graph, the K box) is X at the next show.
    ctx.doc.ConstantK = 2.5;
    calc.ShowCalculator();
    EXPECT_EQ(Stack(), QStringLiteral("0 0 42 2.5"));
}

// The tool bar's button and the data window's Math menu open the one calculator.
TEST(CalcWindowOpeners, ToolBarAndMathMenu) {
    test::Shell s;
    s.main->show();
    TCalcF* calc = s.main->CalcF();
    QTest::mouseClick(s.main->findChild<QToolButton*>("SpeedButton9"), Qt::LeftButton);
    EXPECT_TRUE(calc->isVisible());
    calc->close();
    s.main->NewData1Click();
    s.main->findChild<TSpreadF*>()->findChild<QAction*>("N3")->trigger();
    EXPECT_TRUE(calc->isVisible());
    EXPECT_EQ(s.main->findChildren<TCalcF*>().size(), 1);
}
