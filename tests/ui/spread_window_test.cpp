// The data window as a user drives it: real key and mouse events on the grid,
// the real clipboard, scripted answers to its questions.
#include "ui_test_support.h"

using namespace torvel;
using namespace torvel::test;

namespace {

class SpreadWindowTest : public ::testing::Test {
  protected:
    void Open(int rows = 10) {
        ctx.doc.NewSeriesRows = rows;
        series = &ctx.doc.CreateSeries(ctx.feedback);
        window = std::make_unique<TSpreadF>(ctx, *series);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid = window->findChild<SpreadGrid*>(QStringLiteral("StringGrid1"));
        ASSERT_NE(grid, nullptr);
        grid->setFocus();
    }

    // Keys go where the user's keys go: to the focused widget (grid or editor).
    QWidget* Focus() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w : grid;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(Focus(), key, mods);
    }
    void Type(const char* text) {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(Focus(), *c);
    }
    void At(int col, int row) { grid->SetCurrentCell({col, row}); }
    std::string Cell(int col, int row) const { return series->Cell(col, row); }
    QPoint CellCentre(int col, int row) const {
        return grid->visualRect(window->Model()->index(row - 1, col)).center();
    }
    TestAppContext ctx;
    Series* series = nullptr;
    std::unique_ptr<TSpreadF> window;
    SpreadGrid* grid = nullptr;
};

// ---------------------------------------------------------------------------
// Layout

TEST_F(SpreadWindowTest, NewWindowShowsTheGridAsLaidOut) {
    ctx.doc.CreateSeries(ctx.feedback); // take number 1, so this one is 2
    Open(10);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Series Number: 2"));
    EXPECT_EQ(window->size(), QSize(480, 350));
    SeriesTableModel* model = window->Model();
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("          Y2 Fit"));
    EXPECT_EQ(model->index(9, 0).data().toString(), QStringLiteral("     10"));
    EXPECT_EQ(model->index(3, 0).data(Qt::BackgroundRole).value<QColor>(),
              ToQColor(SeriesColorOf(2)));
    // Text on the dark series colours is white.
    Series blue(17, 1);
    EXPECT_EQ(SeriesTableModel(blue).headerData(1, Qt::Horizontal, Qt::ForegroundRole),
              QColor(Qt::white));
    EXPECT_EQ(grid->columnWidth(3), 128);
}

// ---------------------------------------------------------------------------
// Typing and committing

// Typing replaces the cell's text and Enter commits it (CommitEdit's outcomes
// are the rule's, tests/core); the editor reopens on the same cell showing
// what the cell holds, the old text after a refusal.
TEST_F(SpreadWindowTest, EnterCommitsAndReopensTheEditor) {
    Open();
    series->SetCell(XColumn, 2, "42");
    At(XColumn, 2);
    Type("abc");
    ASSERT_TRUE(grid->EditorOpen());
    EXPECT_EQ(grid->Editor()->text(), QStringLiteral("abc"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(XColumn, 2), "42");
    EXPECT_EQ(ctx.feedback.Beeps, 1);
    EXPECT_EQ(ctx.redraws, 0);
    EXPECT_EQ(grid->CurrentCell(), (CellPos{XColumn, 2}));
    ASSERT_TRUE(grid->EditorOpen());
    EXPECT_EQ(grid->Editor()->text(), QStringLiteral("42"));
    Type("9");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(XColumn, 2), "9");
    EXPECT_EQ(ctx.redraws, 1);
}

// The grid shows the rounded text; the editor opens on every digit kept, and
// Enter on it unchanged keeps the value and redraws nothing.
TEST_F(SpreadWindowTest, EditorOpensOnEveryDigitKept) {
    Open();
    Type("123456789012345");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(XColumn, 1), "1.23457E+0014");
    ASSERT_TRUE(grid->EditorOpen());
    EXPECT_EQ(grid->Editor()->text(), QString("123456789012345"));
    Key(Qt::Key_Return);
    EXPECT_EQ(ctx.redraws, 1);
    EXPECT_EQ(series->Store().Row(0).X, 123456789012345.0L);
    EXPECT_EQ(window->Model()->data(window->Model()->index(0, XColumn)).toString(),
              QString("1.23457E+0014"));
}

TEST_F(SpreadWindowTest, LeavingTheCellCommitsAndTheEditorFollows) {
    Open();
    Key(Qt::Key_Down); // an arrow key switches editing on
    ASSERT_TRUE(grid->EditorOpen());
    At(1, 1);
    Type("2.50");
    Key(Qt::Key_Down);
    EXPECT_EQ(Cell(XColumn, 1), "2.5");
    EXPECT_EQ(ctx.redraws, 1);
    EXPECT_EQ(grid->CurrentCell(), (CellPos{1, 2}));
    EXPECT_TRUE(grid->EditorOpen());
    // A mouse click on another cell commits too.
    Type("3e2");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(2, 5));
    EXPECT_EQ(Cell(XColumn, 2), "300");
    EXPECT_EQ(grid->CurrentCell(), (CellPos{2, 5}));
    EXPECT_TRUE(grid->EditorOpen());
}

TEST_F(SpreadWindowTest, EscapeKeepsTheOldTextAndStopsEditing) {
    Open();
    series->SetCell(XColumn, 1, "5");
    Type("9");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Cell(XColumn, 1), "5");
    EXPECT_FALSE(grid->EditingOn());
    EXPECT_FALSE(grid->EditorOpen());
    EXPECT_EQ(ctx.redraws, 0);
}

// ---------------------------------------------------------------------------
// The editing switch

// The fitted column never edits: typing, a double click, or moving into it
// (which switches editing off).
TEST_F(SpreadWindowTest, FittedColumnNeverEdits) {
    Open();
    series->SetCell(YFitColumn, 1, "5");
    At(3, 1);
    Type("7");
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(3, 1));
    EXPECT_FALSE(grid->EditorOpen());
    EXPECT_EQ(Cell(YFitColumn, 1), "5");
    At(2, 2);
    Type("1");
    ASSERT_TRUE(grid->EditingOn());
    grid->SetCurrentCell({3, 2});
    EXPECT_FALSE(grid->EditingOn());
    EXPECT_FALSE(grid->EditorOpen());
    EXPECT_EQ(Cell(YColumn, 2), "1");
}

TEST_F(SpreadWindowTest, ShiftCtrlTogglesEditing) {
    Open();
    // Shift alone extends the selection without editing.
    Key(Qt::Key_Shift, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_FALSE(grid->EditingOn());
    EXPECT_EQ(grid->Selection().Bottom, 2);
    // Shift pressed, then Ctrl while Shift is held.
    Key(Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(grid->EditingOn());
    ASSERT_TRUE(grid->EditorOpen());
    Type("8");
    Key(Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_FALSE(grid->EditingOn());
    EXPECT_FALSE(grid->EditorOpen());
    EXPECT_EQ(Cell(XColumn, 2), "8"); // closing the editor commits what was typed
    Key(Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(grid->EditorOpen());
}

// ---------------------------------------------------------------------------
// Tab and Delete

TEST_F(SpreadWindowTest, TabWhileEditingCommitsAndMovesTheEditor) {
    Open();
    Type("4");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(XColumn, 1), "4");
    EXPECT_EQ(grid->CurrentCell(), (CellPos{2, 1}));
    ASSERT_TRUE(grid->EditorOpen());
    Type("5");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Cell(YColumn, 1), "5");
    EXPECT_EQ(grid->CurrentCell(), (CellPos{1, 2}));
    EXPECT_EQ(ctx.redraws, 2);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->CurrentCell(), (CellPos{2, 1}));
}

// Delete empties the selection (DeleteCells' rule), or the cell being edited.
TEST_F(SpreadWindowTest, DeleteEmptiesTheSelectionOrTheEditedCell) {
    Open();
    for (int r = 1; r <= 3; ++r)
        series->SetCell(YColumn, r, std::to_string(10 * r));
    At(1, 2);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Cell(YColumn, 1) + Cell(YColumn, 2) + Cell(YColumn, 3), "10");
    EXPECT_EQ(grid->CurrentCell(), (CellPos{1, 2}));
    EXPECT_EQ(grid->Selection().Bottom, 2);
    EXPECT_GE(ctx.redraws, 1);
    At(2, 1);
    Type("5");
    Key(Qt::Key_Delete);
    EXPECT_EQ(Cell(YColumn, 1), "");
    EXPECT_EQ(ctx.feedback.Beeps, 0);
}

// ---------------------------------------------------------------------------
// Clipboard

// The paste rules are the engine's (tested with it); here Ctrl+V must take the
// real clipboard to the current cell and leave editing off.
TEST_F(SpreadWindowTest, CtrlVPastesTheClipboardAtTheCurrentCell) {
    Open(3);
    Type("9"); // an open editor: committed first, then editing goes off
    At(2, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\r\n3\t4\r\n5\t6\r\n"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(XColumn, 1), "9");
    EXPECT_EQ(Cell(YColumn, 3), "3");
    EXPECT_FALSE(grid->EditingOn());
    EXPECT_FALSE(grid->EditorOpen());
    EXPECT_EQ(ctx.redraws, 2);
}

// A cut of two rows and two columns empties them, leaves the top-left cell
// current and alone selected, and its paste elsewhere moves the values.
TEST_F(SpreadWindowTest, CutThenPasteMovesValues) {
    Open();
    for (int row : {2, 3}) {
        series->SetCell(XColumn, row, std::to_string(row));
        series->SetCell(YColumn, row, std::to_string(row * 10));
    }
    At(1, 2);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Cell(XColumn, 2) + Cell(YColumn, 3), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("2\t20\r\n3\t30\r\n"));
    const CellRect sel = grid->Selection();
    EXPECT_EQ((std::vector<int>{sel.Left, sel.Top, sel.Right, sel.Bottom}),
              (std::vector<int>{XColumn, 2, XColumn, 2}));
    At(1, 5);
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(XColumn, 5), "2");
    EXPECT_EQ(Cell(YColumn, 6), "30");
}

// ---------------------------------------------------------------------------
// Closing and menus

// A window that goes while a cell is being edited (close all, exit) drops the
// edit: nothing is committed into a window being destroyed.
TEST_F(SpreadWindowTest, DestroyingTheWindowWithAnOpenEditorCommitsNothing) {
    Open();
    series->SetCell(XColumn, 1, "4");
    Type("abc");
    ASSERT_TRUE(grid->EditorOpen());
    window.reset();
    EXPECT_EQ(Cell(XColumn, 1), "4");
    EXPECT_EQ(ctx.feedback.Beeps, 0);
    EXPECT_EQ(ctx.redraws, 0);
}

// Saving commits the open edit first (what is written is what is shown) and
// takes the file's name into the caption.
TEST_F(SpreadWindowTest, SaveDataWritesTheCellsAndTakesTheNameIntoTheCaption) {
    Open(1);
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("first.prn")).toStdString();
    window->SetSaveDialog([&](const std::string& preset) -> std::optional<std::string> {
        EXPECT_EQ(preset, "NoName");
        return path;
    });
    Type("1,5");
    EXPECT_EQ(window->SaveData1Click(), SaveResult::Saved);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Series Number: 1   -   FIRST.PRN"));
    EXPECT_EQ(ReadAll(path), " 1.50000000000000E+0000  1.00000000000000E+4932\r\n");
}

TEST_F(SpreadWindowTest, RemovedSeriesLeavesAnEmptyWindowThatClosesQuietly) {
    Open();
    Type("5"); // an open editor
    ctx.doc.DestroySeries(*series);
    series = nullptr;
    EXPECT_TRUE(window->Detached());
    EXPECT_EQ(window->Model()->rowCount(), 0);
    EXPECT_FALSE(grid->EditorOpen());
    // Commands and a repaint touch nothing that is gone.
    QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\r\n"));
    window->Paste1Click();
    window->Copy1Click();
    window->Cut1Click();
    window->RefreshGrid();
    grid->viewport()->repaint();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(ctx.feedback.Messages.empty());
}

TEST_F(SpreadWindowTest, PopupMenuEntriesAreInUseAndFileEntriesAnnounceThemselves) {
    Open();
    for (const QString& entry : test::MenuTexts(window->PopupMenu()))
        EXPECT_FALSE(entry.endsWith('-')) << entry.toStdString();
    // The File menu's entries of the main window only announce themselves.
    QSignalSpy open(window.get(), &TSpreadF::OpenRequested);
    QSignalSpy bitmap(window.get(), &TSpreadF::SaveBitmapRequested);
    window->FileMenu()->actions()[3]->trigger();
    window->findChild<QAction*>(QStringLiteral("SaveBitmap1"))->trigger();
    EXPECT_EQ(open.count(), 1);
    EXPECT_EQ(bitmap.count(), 1);
}

} // namespace
