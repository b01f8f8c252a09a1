// The scale, grid and log scale dialogs driven as a user does: a zero-delay
// timer types into the boxes, picks the choices and presses keys and buttons
// while the dialog runs modally. Their rules are tested in tests/scale; here
// the boxes must reach them and what they say must be shown.
#include "ui_test_support.h"

#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/grid_dialog_widget.h"
#include "ui/dialogs/log_scale_dialog_widget.h"
#include "ui/dialogs/scale_dialog_widget.h"

using namespace torvel;
using namespace torvel::test;

namespace {

// Acts on the next modal dialog of type T once it is up (also one opened from
// within another dialog).
template <class T> void WhenShown(std::function<void(T&)> act, int tries = 200) {
    QTimer::singleShot(0, [act = std::move(act), tries] {
        if (auto* d = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(*d);
            return;
        }
        if (tries > 0) WhenShown<T>(act, tries - 1);
    });
}

QLineEdit* Box(QWidget& d, const char* name) {
    return d.findChild<QLineEdit*>(QString::fromLatin1(name));
}
QPushButton* Button(QWidget& d, const char* name) {
    return d.findChild<QPushButton*>(QString::fromLatin1(name));
}
// The checked item's caption, or "" when none is checked.
QString Chosen(QWidget& d, const char* group) {
    for (QRadioButton* r :
         d.findChild<QGroupBox*>(QString::fromLatin1(group))->findChildren<QRadioButton*>())
        if (r->isChecked()) return ShownText(r->text());
    return {};
}
// The three dialogs on a recording context, linked as the main window links them.
class ScaleDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctx.MainWidget()->setGeometry(40, 30, 760, 560);
        torvel::test::ShowFramed(*ctx.MainWidget());
        GraphSettings& s = ctx.doc.Settings;
        s.XMax = 10;
        s.XMin = 0;
        s.YLMax = s.YRMax = 100;
        s.YLMin = s.YRMin = -100;
        s.XGridMinor = 3;
        scale.SetGridDialog(&grid);
        grid.SetScaleDialog(&scale);
    }

    TestAppContext ctx;
    int draws = 0;
    RedrawHooks hooks{[this] { ++draws; }, [this] { ++draws; }};
    GridDialogRules gridRules{ctx.doc.Settings, ctx.feedback, hooks};
    TScaleF scale{ctx, hooks, gridRules};
    TLogScaleF log{ctx, hooks};
    TGridF grid{ctx, gridRules};
};

TEST_F(ScaleDialogsTest, ScaleDialogShowsTheLimitsFivePixelsInside) {
    WhenShown<TScaleF>([&](TScaleF& d) {
        EXPECT_TRUE(d.windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ(Chosen(d, "AutoBox"), QStringLiteral("Disable"));
        EXPECT_EQ(d.focusWidget(), Box(d, "MaxX"));
        EXPECT_EQ(Box(d, "MaxX")->selectedText().trimmed(), QStringLiteral("10"));
        EXPECT_EQ(Box(d, "MinYL")->text().trimmed(), QStringLiteral("-100"));
        EXPECT_EQ(torvel::test::CornerGap(d, *ctx.MainWidget(), {5, 5}), QPoint(5, 5));
        MouseClick(&d, "Button4");
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(scale.Execute(), QDialog::Rejected);
    EXPECT_EQ(ctx.helpContexts, std::vector<int>{ScaleHelpContext});
}

// Each box reaches its own limit; equal limits put the axis in multi-scale
// mode; Enter in a box is OK.
TEST_F(ScaleDialogsTest, EachBoxSetsItsOwnLimit) {
    WhenShown<TScaleF>([&](TScaleF& d) {
        const char* const typed[][2] = {{"MaxX", "5"},    {"MinX", "5"},   {"MaxYL", "8"},
                                        {"MinYL", "2.5"}, {"MaxYR", "70"}, {"MinYR", "-3"}};
        for (const auto& [box, text] : typed)
            Type(&d, box, text);
        QTest::keyClick(Box(d, "MinYR"), Qt::Key_Return);
    });
    EXPECT_EQ(scale.Execute(), QDialog::Accepted);
    const GraphSettings& s = ctx.doc.Settings;
    EXPECT_TRUE(s.MultiScaleX);
    EXPECT_EQ(s.XMax, 5);
    EXPECT_EQ(s.XMin, 5);
    EXPECT_FALSE(s.MultiScaleYL || s.MultiScaleYR);
    EXPECT_EQ((std::vector<Real>{s.YLMax, s.YLMin, s.YRMax, s.YRMin}),
              (std::vector<Real>{8, 2.5L, 70, -3}));
    EXPECT_EQ(ctx.feedback.Beeps, 0);
}

// "View" applies and draws; Cancel goes away and Escape with it. "Grid" opens
// the grid dialog on top, without its own "Scale" button.
TEST_F(ScaleDialogsTest, ViewHidesCancelAndGridOpensTheGridDialog) {
    WhenShown<TScaleF>([&](TScaleF& d) {
        Type(&d, "MaxX", "20");
        MouseClick(&d, "DrawScaleB");
        EXPECT_EQ(draws, 1);
        EXPECT_FALSE(Button(d, "CancelBtn")->isVisible());
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        WhenShown<TGridF>([&](TGridF& g) {
            EXPECT_FALSE(Button(g, "GoScaleB")->isVisible());
            g.reject();
        });
        MouseClick(&d, "GoGridB");
        d.accept();
    });
    scale.Execute();
}

// The grid dialog sits thirty pixels inside the main window's corner; the
// boxes of a logarithmic axis read "Log", are out of use and are not read.
TEST_F(ScaleDialogsTest, GridBoxesReadLogOnLogarithmicAxes) {
    GraphSettings& s = ctx.doc.Settings;
    s.LogX = true;
    WhenShown<TGridF>([&](TGridF& d) {
        EXPECT_TRUE(d.windowFlags() & Qt::WindowStaysOnTopHint);
        const QRect main = ctx.MainWidget()->frameGeometry();
        EXPECT_EQ(d.frameGeometry().bottomRight(), main.bottomRight() - QPoint(30, 30));
        for (const char* name : {"XMinor", "XMajor", "XTicks", "XDec"}) {
            EXPECT_EQ(Box(d, name)->text(), QStringLiteral("Log")) << name;
            EXPECT_FALSE(Box(d, name)->isEnabled()) << name;
        }
        EXPECT_EQ(d.focusWidget(), Box(d, "YMinor"));
        MouseClick(&d, "HelpB");
        Type(&d, "YMajor", "4");
        // "Clear" resets only the linear axis and draws; Cancel goes away.
        MouseClick(&d, "ClearB");
        EXPECT_EQ(Box(d, "YMajor")->text(), QStringLiteral("1"));
        EXPECT_FALSE(Button(d, "CancelBtn")->isVisible());
        Type(&d, "YLDec", "0");
        QTest::keyClick(Box(d, "YLDec"), Qt::Key_Return);
    });
    EXPECT_EQ(grid.Execute(), QDialog::Accepted);
    EXPECT_EQ(s.XGridMinor, 3);
    EXPECT_EQ(s.YLDecimals, 0);
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(ctx.helpContexts, std::vector<int>{GridHelpContext});
}

TEST_F(ScaleDialogsTest, LogScaleChoicesTakeEffectAtOnce) {
    GraphSettings& s = ctx.doc.Settings;
    s.LogX = true;
    s.LogFormatExponential = true;
    WhenShown<TLogScaleF>([&](TLogScaleF& d) {
        EXPECT_EQ(Chosen(d, "FormatBox"), QStringLiteral("Exponential"));
        MouseClick(&d, "Button1");
        Choose(&d, "LogBox", LogBoxBoth);
        EXPECT_TRUE(s.LogX && s.LogY);
        EXPECT_EQ(draws, 1);
        Choose(&d, "FormatBox", FormatDecimal);
        QTest::keyClick(&d, Qt::Key_Escape); // Cancel is out of use
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(&d, Qt::Key_Return);
    });
    EXPECT_EQ(log.Execute(), QDialog::Accepted);
    EXPECT_FALSE(s.LogFormatExponential);
    EXPECT_EQ(ctx.helpContexts, std::vector<int>{LogScaleHelpContext});
}

// From None to Y the arrow keys pass Both, which must not make X logarithmic
// for a moment (its draw would round the X limits); where they stop counts,
// once the user has stopped there for the platform's key interval.
TEST_F(ScaleDialogsTest, LogScaleArrowKeysActOnlyWhereTheyStop) {
    GraphSettings& s = ctx.doc.Settings;
    WhenShown<TLogScaleF>([&](TLogScaleF& d) {
        d.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        QTest::keyClick(d.focusWidget(), Qt::Key_Up); // None to Both
        QTest::keyClick(d.focusWidget(), Qt::Key_Up); // Both to Y
        EXPECT_EQ(draws, 0);
        EXPECT_FALSE(s.LogX || s.LogY);
        QTest::qWait(QApplication::keyboardInputInterval() + 200);
        EXPECT_TRUE(s.LogY);
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(log.Execute(), QDialog::Accepted);
    EXPECT_TRUE(s.LogY);
    EXPECT_FALSE(s.LogX);
    EXPECT_EQ(draws, 1);
}

// Every entry that opens one of the three dialogs, and the redraw after it.
TEST(ScaleDialogsShell, MenusRegionsAndToolBarOpenTheDialogs) {
    GraphShell s;
    TSpreadF* data = s.WindowOf(1);
    qobject_cast<QMdiSubWindow*>(s.graph->parentWidget())->resize(600, 450);
    s.graph->Draw();
    Settle();
    QSignalSpy redrawn(s.main.get(), &TMDIMainF::GraphRedrawn);
    // Each opener: the dialog it shows, closed with Escape, and a redraw.
    auto opens = [&](QWidget* dialog, const std::function<void()>& open) {
        QWidget* shown = nullptr;
        QTimer::singleShot(0, [&] {
            shown = QApplication::activeModalWidget();
            if (shown) QTest::keyClick(shown, Qt::Key_Escape);
        });
        redrawn.clear();
        open();
        return shown == dialog && !dialog->isVisible() && redrawn.count() >= 1;
    };
    QWidget* scale = &s.main->ScaleDialog();
    QWidget* grid = &s.main->GridDialog();
    QWidget* log = &s.main->LogScaleDialog();
    const std::tuple<QWidget*, const char*, QWidget*> entries[] = {
        {s.graph, "scale2", scale}, {s.graph, "Scale1", scale}, {s.graph, "Grid3", grid},
        {s.graph, "Grid1", grid},   {s.graph, "Log2", log},     {s.graph, "LogScale1", log},
        {data, "Scale2", scale},    {data, "Grid1", grid},      {data, "LogScale", log}};
    for (const auto& [window, name, dialog] : entries)
        EXPECT_TRUE(opens(dialog, [&] { Trigger(window, name); })) << name;
    for (const auto& [tool, dialog] : {std::pair{"SpeedButton5", scale}, {"SpeedButton7", grid}})
        EXPECT_TRUE(opens(dialog, [&] { s.main->findChild<QToolButton*>(tool)->click(); })) << tool;
    // The click region beside the plot.
    const GraphGeometry& g = s.main->GraphState().View.Geometry;
    EXPECT_TRUE(opens(
        scale, [&] { s.graph->Image1MouseDown(g.PlotLeft / 2, g.PlotBottom - g.PlotHeight / 2); }));
}

} // namespace
