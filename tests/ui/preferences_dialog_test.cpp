// The preferences dialog driven as a user does: a zero-delay timer types into
// the boxes, picks the choices and clicks a button while the dialog runs modally.
#include "ui_test_support.h"

#include "ui/preferences_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

using namespace torvel;
using torvel::test::TestAppContext;

namespace {

class PreferencesDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        cfg = dir.filePath(QStringLiteral("torvel.cfg")).toStdString();
        // Inside the offscreen screen (800 x 600), which the dialog is kept on.
        ctx.MainWidget()->setGeometry(40, 30, 720, 540);
        ctx.MainWidget()->show();
    }

    // Runs the dialog modally; `user` acts on it once it is shown.
    int Run(const std::function<void(TPreferF&)>& user) {
        TPreferF dialog(ctx, cfg);
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(dialog.isVisible());
            user(dialog);
        });
        const int result = dialog.Execute();
        applied = dialog.LastApplied();
        return result;
    }
    static QLineEdit* Box(TPreferF& d, const char* name) {
        return d.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static void SetBox(TPreferF& d, const char* name, const char* text) {
        QLineEdit* box = Box(d, name);
        ASSERT_NE(box, nullptr) << name;
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    static void Choose(TPreferF& d, const char* group, int item) {
        auto* box = d.findChild<QGroupBox*>(QString::fromLatin1(group));
        ASSERT_NE(box, nullptr) << group;
        const auto radios = box->findChildren<QRadioButton*>();
        ASSERT_LT(item, radios.size());
        // On the button's circle and caption, where a user clicks.
        QTest::mouseClick(radios[item], Qt::LeftButton, {}, QPoint(6, radios[item]->height() / 2));
        ASSERT_TRUE(radios[item]->isChecked()) << group << " " << item;
    }
    static void Click(TPreferF& d, const char* button) {
        auto* b = d.findChild<QPushButton*>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    std::string CfgText() const {
        std::ifstream in(cfg, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    TestAppContext ctx;
    QTemporaryDir dir;
    std::string cfg;
    PreferencesApplied applied;
};

TEST_F(PreferencesDialogTest, ShowsItsControlsFilledFromThePreferences) {
    ctx.doc.Prefs = {25, 3, 6, 0};
    Run([&](TPreferF& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Perferences  Dialog"));
        EXPECT_EQ(Box(d, "MaxLenth1")->text(), QStringLiteral("25"));
        EXPECT_EQ(Box(d, "BarWidth1")->text(), QStringLiteral("3"));
        EXPECT_EQ(d.focusWidget(), Box(d, "MaxLenth1"));
        EXPECT_EQ(Box(d, "MaxLenth1")->selectedText(), QStringLiteral("25"));

        QStringList labels;
        for (QLabel* l : d.findChildren<QLabel*>())
            labels << l->text();
        EXPECT_TRUE(labels.contains(QStringLiteral("Max Data  Index [ 1..10000 ]")));
        EXPECT_TRUE(labels.contains(QStringLiteral("Bar Width [ 1..10 ]")));
        EXPECT_EQ(d.findChild<QGroupBox*>("GroupBox1")->title(),
                  QStringLiteral("Data Set Size && Graph Bar Width"));

        auto* grid = d.findChild<QGroupBox*>("RadioGroup1");
        auto* font = d.findChild<QGroupBox*>("RadioGroup2");
        EXPECT_EQ(grid->title(), QStringLiteral("Printer Minor Grid Color"));
        EXPECT_EQ(font->title(), QStringLiteral("Printer Font Size"));
        QStringList gridItems, fontItems;
        for (QRadioButton* r : grid->findChildren<QRadioButton*>())
            gridItems << r->text() + (r->isChecked() ? "*" : "");
        for (QRadioButton* r : font->findChildren<QRadioButton*>())
            fontItems << r->text() + (r->isChecked() ? "*" : "");
        EXPECT_EQ(gridItems,
                  (QStringList{"Default (Gray)", "Light Gray", "Black*", "Dotted Black"}));
        EXPECT_EQ(fontItems, (QStringList{"Default", "Large*"}));
        EXPECT_EQ(d.findChild<QPushButton*>("OKBtn")->text(), QStringLiteral("OK"));
        EXPECT_EQ(d.findChild<QPushButton*>("CancelBtn")->text(), QStringLiteral("Cancel"));
        EXPECT_EQ(d.findChild<QPushButton*>("Button1")->text(), QStringLiteral("Help"));
        Click(d, "CancelBtn");
    });
}

TEST_F(PreferencesDialogTest, SitsThirtyPixelsInsideTheMainWindowsCorner) {
    Run([&](TPreferF& d) {
        const QRect main = ctx.MainWidget()->frameGeometry();
        const QRect own = d.frameGeometry();
        EXPECT_EQ(own.right(), main.right() - 30);
        EXPECT_EQ(own.bottom(), main.bottom() - 30);
        d.reject();
    });
}

// The rules of OK are the engine's (tested with it); here the boxes and choices
// the user set must reach them.
TEST_F(PreferencesDialogTest, OkTakesTheBoxesAndChoicesAndWritesTheFile) {
    ctx.doc.Prefs = {10, 1, 0, 0};
    EXPECT_EQ(Run([&](TPreferF& d) {
                  SetBox(d, "MaxLenth1", "50");
                  SetBox(d, "BarWidth1", "11"); // beyond 1..10: a beep, the old value stays
                  Choose(d, "RadioGroup1", 3);  // Dotted Black
                  Choose(d, "RadioGroup2", 1);  // Large
                  Click(d, "OKBtn");
              }),
              QDialog::Accepted);
    EXPECT_EQ(ctx.feedback.Beeps, 1);
    EXPECT_EQ(ctx.doc.Prefs, (Preferences{50, 1, 7, 0}));
    EXPECT_TRUE(applied.Changed);
    EXPECT_TRUE(applied.Written);
    EXPECT_EQ(CfgText(), "50\r\n1\r\n0\r\n7\r\n");
}

TEST_F(PreferencesDialogTest, OkWithoutChangesWritesNothing) {
    ctx.doc.Prefs = {10, 1, 5, 0};
    Run([&](TPreferF& d) { Click(d, "OKBtn"); });
    EXPECT_FALSE(applied.Changed);
    EXPECT_EQ(CfgText(), "");
    EXPECT_EQ(ctx.doc.Prefs.PrinterOptions, 5);
}

TEST_F(PreferencesDialogTest, CancelChangesNothing) {
    ctx.doc.Prefs = {10, 1, 0, 0};
    EXPECT_EQ(Run([&](TPreferF& d) {
                  SetBox(d, "MaxLenth1", "50");
                  Choose(d, "RadioGroup1", 3);
                  Click(d, "CancelBtn");
              }),
              QDialog::Rejected);
    EXPECT_EQ(ctx.doc.Prefs, (Preferences{10, 1, 0, 0}));
    EXPECT_EQ(CfgText(), "");
}

TEST_F(PreferencesDialogTest, HelpOpensContext1200) {
    Run([&](TPreferF& d) {
        Click(d, "Button1");
        EXPECT_TRUE(d.isVisible());
        d.reject();
    });
    EXPECT_EQ(ctx.helpContexts, std::vector<int>{1200});
}

} // namespace
