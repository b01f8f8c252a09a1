// The widget-test environment itself: offscreen platform, fixed font, a clipboard.
#include "test_app_context.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>

#include <gtest/gtest.h>

TEST(UiTestSetup, RunsOffscreenWithFixedFontAndWorkingClipboard) {
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    EXPECT_EQ(QFontInfo(QApplication::font()).pointSize(), 9);
    QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\r\n"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\r\n"));
}

TEST(UiTestSetup, TestContextRecords) {
    torvel::test::TestAppContext ctx;
    ctx.Fb().Beep();
    ctx.RedrawGraph();
    ctx.ShowHelp(1200);
    EXPECT_EQ(ctx.feedback.Beeps, 1);
    EXPECT_EQ(ctx.redraws, 1);
    EXPECT_EQ(ctx.helpContexts, std::vector<int>{1200});
}
