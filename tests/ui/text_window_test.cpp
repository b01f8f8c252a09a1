// The text window: saving, the clipboard limit, the close question, opening
// files.
#include "ui_test_support.h"

using namespace torvel;
using namespace torvel::test;

namespace {

class TextWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        memo = window.findChild<TextMemo*>(QStringLiteral("Memo1"));
        ASSERT_NE(memo, nullptr);
        memo->setFocus();
        window.SetSaveDialog([this](const std::string& preset) -> std::optional<std::string> {
            presets.push_back(preset);
            if (choices.empty()) return std::nullopt;
            auto c = choices.front();
            choices.pop_front();
            return c;
        });
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

    TestAppContext ctx;
    TTextF window{ctx};
    TextMemo* memo = nullptr;
    QTemporaryDir dir;
    std::deque<std::optional<std::string>> choices;
    std::vector<std::string> presets;
};

TEST_F(TextWindowTest, SavingANewNameWritesCrLfLinesAndTakesTheName) {
    memo->setPlainText(QStringLiteral("first\nsecond"));
    const std::string path = Path("notes.txt");
    choices = {path, path};
    EXPECT_EQ(window.SaveText1Click(), SaveResult::Saved);
    EXPECT_EQ(presets, std::vector<std::string>{"NoName.txt"});
    EXPECT_EQ(ReadAll(path), "first\r\nsecond\r\n");
    EXPECT_EQ(window.windowTitle(), QString::fromStdString(path));
    // Saving again to the window's own file asks nothing.
    memo->setPlainText(QStringLiteral("changed"));
    EXPECT_EQ(window.SaveText1Click(), SaveResult::Saved);
    EXPECT_EQ(presets.back(), path);
    EXPECT_EQ(ReadAll(path), "changed\r\n");
    EXPECT_TRUE(ctx.feedback.Messages.empty());
}

TEST_F(TextWindowTest, AFailedWriteIsReportedAndKeepsTheCaption) {
    memo->setPlainText(QStringLiteral("text"));
    choices = {Path("no-such-folder/notes.txt")};
    EXPECT_EQ(window.SaveText1Click(), SaveResult::Failed);
    ASSERT_EQ(ctx.feedback.Messages.size(), 1u);
    EXPECT_EQ(ctx.feedback.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(window.Caption(), QStringLiteral("NoName.txt"));
}

TEST_F(TextWindowTest, OpenedFileRoundTripsByteForByte) {
    const std::string path = Path("in.txt");
    test::WriteAll(QString::fromStdString(path), "alpha\r\n\tbeta\r\n\r\ngamma\r\n");
    QString error;
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(path), &error)) << error.toStdString();
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("alpha\n\tbeta\n\ngamma"));
    EXPECT_EQ(window.Caption(), QFileInfo(QString::fromStdString(path)).absoluteFilePath());
    choices = {path};
    EXPECT_EQ(window.SaveText1Click(), SaveResult::Saved);
    EXPECT_EQ(ReadAll(path), "alpha\r\n\tbeta\r\n\r\ngamma\r\n");
    EXPECT_TRUE(ctx.feedback.Messages.empty());
    // An editor's byte-order mark is no text.
    test::WriteAll(QString::fromStdString(path), "\357\273\277alpha\r\n");
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(path), &error));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("alpha"));
    // A CR alone ends a line, as in old spreadsheet exports.
    test::WriteAll(QString::fromStdString(path), "alpha\rbeta\r\rgamma\r");
    ASSERT_TRUE(window.OpenFile(QString::fromStdString(path), &error));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("alpha\nbeta\n\ngamma"));
}

TEST_F(TextWindowTest, PasteTakesAtMost99999Characters) {
    QGuiApplication::clipboard()->setText(QString(150000, QLatin1Char('a')));
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText().size(), 99999);
    // A cut that would fall inside a surrogate pair leaves the whole character out.
    // U+1F600 as its two UTF-16 units, the first of them the 99,999th.
    QGuiApplication::clipboard()->setText(QString(99998, QLatin1Char('a')) + QChar(0xD83D) +
                                          QChar(0xDE00) + QLatin1Char('b'));
    memo->clear();
    window.Paste1Click();
    EXPECT_EQ(memo->toPlainText(), QString(99998, QLatin1Char('a')));
}

} // namespace
