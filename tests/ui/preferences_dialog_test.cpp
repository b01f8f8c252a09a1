// The preferences dialog driven as a user does: a zero-delay timer types into
// the boxes, picks the choices and clicks a button while the dialog runs modally.
#include "ui_test_support.h"

#include "ui/preferences_dialog.h"

using namespace torvel;
using namespace torvel::test;

namespace {

class PreferencesDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        cfg = dir.filePath(QStringLiteral("torvel.cfg")).toStdString();
        // Inside the offscreen screen (800 x 600), which the dialog is kept on.
        ctx.MainWidget()->setGeometry(40, 30, 720, 540);
        torvel::test::ShowFramed(*ctx.MainWidget());
    }

    // Runs the dialog modally; `user` acts on it once it is shown.
    int Run(const std::function<void(TPreferF&)>& user) {
        TPreferF dialog(ctx, cfg);
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(dialog.isVisible());
            user(dialog);
        });
        return dialog.Execute();
    }
    static QLineEdit* Box(TPreferF& d, const char* name) { return Child<QLineEdit>(&d, name); }

    TestAppContext ctx;
    QTemporaryDir dir;
    std::string cfg;
};

// The boxes and choices show the preferences; the dialog sits thirty pixels
// inside the main window's corner; Help opens its section; Cancel changes nothing.
TEST_F(PreferencesDialogTest, ShowsThePreferencesInsideTheMainWindow) {
    ctx.doc.Prefs = {25, 3, 6, 0};
    EXPECT_EQ(
        Run([&](TPreferF& d) {
            EXPECT_EQ(Box(d, "BarWidth1")->text(), QStringLiteral("3"));
            EXPECT_EQ(d.focusWidget(), Box(d, "MaxLenth1"));
            EXPECT_EQ(Box(d, "MaxLenth1")->selectedText(), QStringLiteral("25"));
            EXPECT_TRUE(Child<QRadioButton>(&d, "RadioGroup2Item1")->isChecked());
            EXPECT_EQ(torvel::test::CornerGap(d, *ctx.MainWidget(), {30, 30}), QPoint(30, 30));
            MouseClick(&d, "Button1");
            EXPECT_TRUE(d.isVisible());
            Type(&d, "MaxLenth1", "50");
            MouseClick(&d, "CancelBtn");
        }),
        QDialog::Rejected);
    EXPECT_EQ(ctx.helpContexts, std::vector<int>{1200});
    EXPECT_EQ(ctx.doc.Prefs, (Preferences{25, 3, 6, 0}));
    EXPECT_EQ(ReadAll(cfg), "");
}

// The rules of OK are the engine's (tested with it); here the boxes and choices
// the user set must reach them.
TEST_F(PreferencesDialogTest, OkTakesTheBoxesAndChoicesAndWritesTheFile) {
    ctx.doc.Prefs = {10, 1, 0, 0};
    EXPECT_EQ(Run([&](TPreferF& d) {
                  Type(&d, "MaxLenth1", "50");
                  Type(&d, "BarWidth1", "11"); // beyond 1..10: a beep, the old value stays
                  EXPECT_TRUE(Choose(&d, "RadioGroup1", 3)); // Dotted Black
                  EXPECT_TRUE(Choose(&d, "RadioGroup2", 1)); // Large
                  MouseClick(&d, "OKBtn");
              }),
              QDialog::Accepted);
    EXPECT_EQ(ctx.feedback.Beeps, 1);
    EXPECT_EQ(ctx.doc.Prefs, (Preferences{50, 1, 7, 0}));
    EXPECT_EQ(ReadAll(cfg), "50\r\n1\r\n0\r\n7\r\n");
}

} // namespace
