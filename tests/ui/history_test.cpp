// Undo and Redo in the shell: where they stand, what they are called, their
// keys with and without a child, and Clear All taken back whole.
#include "ui_test_support.h"

#include "files/graph_file.h"

using namespace torvel;
using namespace torvel::test;

namespace {

QAction* Action(Shell& s, const char* name) {
    return s.main->findChild<QAction*>(QString::fromLatin1(name));
}

// What the windows show: every series' cells, fit and caption, every setting.
std::string Shown(Shell& s) {
    Document& doc = s.main->Doc();
    std::string out = GraphFileText(doc);
    for (const auto& p : doc.DataWindows()) {
        const Series& series = *p;
        out += s.main->DataWindowOf(series)->windowTitle().toStdString() + "|" + series.Header(3) +
               "|" + CopyCells(series, {1, 1, 3, series.IndexCount});
    }
    return out + std::to_string(s.main->MdiArea()->subWindowList().size());
}

TEST(History, ClearAllThenUndoBringsEveryWindowBack) {
    Shell s;
    s.main->show();
    const QString path = s.Path(QStringLiteral("example.gra"));
    ASSERT_TRUE(QFile::copy(test::SourceFile(QStringLiteral("../../examples/example.gra")), path));
    ASSERT_TRUE(s.main->OpenGraphFile(path));
    Settle();
    ASSERT_GT(s.main->Doc().SeriesCount(), 1); // the example has fits too
    const std::string before = Shown(s);
    EXPECT_FALSE(s.main->DocHistory().Unsaved());

    s.feedback.Script = {Answer::Yes};
    Action(s, "WindowClearAll1")->trigger();
    Settle();
    ASSERT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->UndoAction()->text(), "&Undo Clear All");

    s.main->UndoAction()->trigger();
    Settle();
    EXPECT_EQ(Shown(s), before);
    EXPECT_NE(s.main->GraphF(), nullptr);
    EXPECT_FALSE(s.main->DocHistory().Unsaved());
    s.main->RedoAction()->trigger();
    Settle();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_TRUE(s.main->DocHistory().Unsaved());
}

} // namespace
