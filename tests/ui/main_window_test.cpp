// The main window: menus and their merging, windows and their limits, the
// questions of Exit, Close All, Clear All and New Graph File, Open's extension
// rule, start-up and exit, help.
#include "ui_test_support.h"

#include "core/change_recorder.h"

#include <map>

using namespace torvel;
using namespace torvel::test;

namespace {

QStringList BarTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    return titles;
}

int VisibleChildren(TMDIMainF& m) {
    int n = 0;
    for (QMdiSubWindow* sub : m.MdiArea()->subWindowList())
        n += sub->isVisibleTo(&m) ? 1 : 0;
    return n;
}

QToolButton* Tool(Shell& s, int n) {
    return s.main->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(n));
}

void Activate(Shell& s, QWidget* child) {
    s.main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(child->parentWidget()));
}

// A copy of the example graph in the test's folder.
QString ExampleCopy(Shell& s, const QString& name = QStringLiteral("example.gra")) {
    const QString path = s.Path(name);
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(test::SourceFile(QStringLiteral("../../examples/example.gra")), path));
    return path;
}

QByteArray ReadFig(Shell& s) {
    QFile fig(s.main->StartupFile());
    EXPECT_TRUE(fig.open(QIODevice::ReadOnly));
    return fig.readAll();
}

} // namespace

// ---------------------------------------------------------------------------
// Menus and tool bar

// Every menu entry and tool bar button is in use; Open and Exit have their keys.
static void ExpectAllEnabled(QMenuBar* bar, const std::string& who) {
    // Undo and Redo are enabled only while there is a step to take.
    for (QAction* title : bar->actions())
        for (const QString& entry : MenuTexts(title->menu()))
            EXPECT_TRUE(!entry.endsWith('-') || entry.startsWith("&Undo") ||
                        entry.startsWith("&Redo"))
                << who << " " << entry.toStdString();
}

// Each kind of child puts its own menus in the bar while it is active, its
// File in place of the main window's; every entry and tool button is in use.
TEST(MainWindow, ActiveChildsMenusStandInTheBar) {
    Shell s;
    s.main->show();
    EXPECT_EQ(s.main->windowTitle(), QStringLiteral("Torvel Graphics v2.07"));
    ExpectAllEnabled(s.main->menuBar(), "MDIMainF");
    EXPECT_EQ(s.main->findChild<QAction*>("Open1")->shortcut(), QKeySequence(Qt::Key_F3));
    for (int i = 1; i <= 11; ++i)
        EXPECT_TRUE(Tool(s, i) && Tool(s, i)->isEnabled()) << i;
    QString preferences;
    WhenModal([&](QWidget* w) {
        preferences = w->windowTitle();
        qobject_cast<QDialog*>(w)->reject();
    });
    Trigger(s.main.get(), "Options1");
    EXPECT_EQ(preferences, QStringLiteral("Perferences  Dialog"));
    s.main->NewData1Click();
    QWidget* data = s.main->DataWindowOf(*s.main->Doc().DataWindows()[0]);
    TGraphF* graph = s.main->EnsureGraphWindow();
    QWidget* text = s.main->NewTextWindow();
    QMenuBar* bar = s.main->menuBar();
    const QStringList tail{"&Preferences", "&Window", "&Help"};

    Activate(s, graph);
    EXPECT_EQ(BarTitles(bar), (QStringList{"&File", "&Graph"} + tail));
    EXPECT_EQ(bar->actions()[0]->menu()->parent(), graph->MenuBar()); // its File
    EXPECT_FALSE(graph->MenuBar()->isVisible());
    ExpectAllEnabled(bar, "graph");

    Activate(s, data);
    EXPECT_EQ(BarTitles(bar),
              (QStringList{"&File", "&Edit", "&Math", "&Regression", "&Graph"} + tail));
    ExpectAllEnabled(bar, "data");
    // Its New Data is the main window's command.
    s.main->findChild<TSpreadF*>()->findChild<QAction*>("New1")->trigger();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 2);

    Activate(s, text);
    EXPECT_EQ(BarTitles(bar), (QStringList{"&File", "&Edit"} + tail));
    ExpectAllEnabled(bar, "text");

    s.main->CloseAllWindows(true);
    Settle();
    EXPECT_EQ(BarTitles(bar), (QStringList{"&File"} + tail));
}

// Every key a menu shows does its entry's command, whichever child is active
// (the child's menus then stand in the bar), pressed where the user's focus
// is, and again after Alt+F and Escape have opened and closed the File menu.
TEST(MainWindow, EveryShortcutShownInAMenuWorksInEachChild) {
    Shell s;
    s.main->resize(900, 700);
    s.main->show();
    s.main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.main.get()));
    s.main->NewData1Click();
    QWidget* data = s.main->DataWindowOf(*s.main->Doc().DataWindows()[0]);
    QWidget* text = s.main->NewTextWindow();
    QPlainTextEdit* memo = qobject_cast<TTextF*>(text)->Memo();
    TGraphF* graph = s.main->EnsureGraphWindow();
    // The command of each key, as the first word of the entry it triggers.
    const std::map<QKeySequence, QString> commands{{QKeySequence(Qt::Key_F3), "Open"},
                                                   {QKeySequence(Qt::ALT | Qt::Key_F3), "Close"},
                                                   {QKeySequence(Qt::CTRL | Qt::Key_X), "Cut"},
                                                   {QKeySequence(Qt::CTRL | Qt::Key_C), "Copy"},
                                                   {QKeySequence(Qt::CTRL | Qt::Key_V), "Paste"},
                                                   {QKeySequence(Qt::ALT | Qt::Key_F4), "Exit"},
                                                   {QKeySequence(Qt::CTRL | Qt::Key_Z), "Undo"},
                                                   {QKeySequence(Qt::CTRL | Qt::Key_Y), "Redo"}};
    QStringList triggered;
    for (QAction* a : s.main->findChildren<QAction*>())
        QObject::connect(a, &QAction::triggered, [a, &triggered] {
            triggered << a->text().remove('&').section(QRegularExpression("[ .\t]"), 0, 0);
        });
    // The main window's own menus last: its Exit ends the test.
    for (QWidget* child :
         {static_cast<QWidget*>(graph), data, text, static_cast<QWidget*>(nullptr)}) {
        if (child) {
            Activate(s, child);
        } else {
            s.main->CloseAllWindows(true);
            Settle();
        }
        const std::string who = child ? child->objectName().toStdString() : "MDIMainF";
        QStringList shown;
        for (QAction* title : s.main->menuBar()->actions())
            for (QAction* a : title->menu()->actions()) {
                // A key the main window answers is shown after a tab.
                const QKeySequence key = a->shortcut().isEmpty()
                                             ? QKeySequence(a->text().section(QLatin1Char('\t'), 1))
                                             : a->shortcut();
                if (key.isEmpty() || !a->isEnabled()) continue;
                shown << key.toString();
                auto command = commands.find(key);
                ASSERT_NE(command, commands.end()) << who << " " << key.toString().toStdString();
                for (const bool menuOpened : {false, true}) {
                    // Back from a dialog, the platform activates no window by itself.
                    s.main->activateWindow();
                    ASSERT_TRUE(QTest::qWaitForWindowActive(s.main.get()));
                    if (child) child->setFocus();
                    if (menuOpened) {
                        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
                        ASSERT_NE(QApplication::activePopupWidget(), nullptr) << who;
                        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
                    }
                    if (key == QKeySequence(Qt::Key_F3))
                        WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
                    // A step to take back, and for Redo one taken back.
                    {
                        RecordedStep step(s.main->Doc(), "Scale");
                        step.Settings();
                        s.main->Doc().Settings.XMax += 1;
                    }
                    if (key == QKeySequence(Qt::CTRL | Qt::Key_Y)) s.main->Undo1Click();
                    if (child == text) {
                        memo->setPlainText(QStringLiteral("abc"));
                        memo->selectAll();
                    }
                    QGuiApplication::clipboard()->setText(QStringLiteral("x"));
                    triggered.clear();
                    QWidget* focus = QApplication::focusWidget();
                    QTest::keyClick(focus ? focus : s.main.get(), key[0].key(),
                                    key[0].keyboardModifiers());
                    // The text window's editor does the clipboard keys itself.
                    QString edited;
                    if (child == text) {
                        const bool copied = QGuiApplication::clipboard()->text() == "abc";
                        const QString left = memo->toPlainText();
                        edited = copied        ? (left.isEmpty() ? "Cut" : "Copy")
                                 : left == "x" ? "Paste"
                                               : "";
                    }
                    EXPECT_TRUE(triggered.contains(command->second) || edited == command->second)
                        << who << " " << key.toString().toStdString() << " "
                        << triggered.join(' ').toStdString() << (menuOpened ? " after Alt+F" : "");
                    if (!s.main->isVisible()) break; // Alt+F4 ended the program
                }
            }
        EXPECT_TRUE(shown.contains(QStringLiteral("F3"))) << who;
    }
}

// ---------------------------------------------------------------------------
// Windows and limits

TEST(MainWindow, NewWindowsStopAtTheirLimits) {
    Shell s;
    s.main->Doc().Prefs.MaxDataIndex = 7;
    for (int i = 0; i <= MaxSeries; ++i)
        s.main->NewData1Click();
    const QString notes = s.Path(QStringLiteral("notes.txt"));
    WriteAll(notes, "x\n");
    for (int i = 0; i <= MaxTextWindows; ++i)
        s.main->NewText1Click();
    s.main->OpenChosenFile(notes, 2);
    ASSERT_EQ(s.main->Doc().SeriesCount(), MaxSeries);
    EXPECT_EQ(s.main->TextWindowCount(), MaxTextWindows);
    const Series& last = *s.main->Doc().DataWindows().back();
    EXPECT_EQ(last.IndexCount, 7);
    EXPECT_EQ(s.main->DataWindowOf(last)->windowTitle(), QStringLiteral("Series Number: 21"));
    EXPECT_EQ(s.feedback.Beeps, 3);
    EXPECT_EQ(Told(s.feedback), (Texts{"Sorry the number of series is LIMITED to 21.",
                                       "Sorry the number of Text files is LIMITED to 10.",
                                       "Sorry the number of Text files is LIMITED to 10."}));
}

// The graph window exists only with a series: View Graph and Save Graph do
// nothing without one; a data window's View and Auto Scale make it; the last
// data window closed takes its series and the graph window with it.
TEST(MainWindow, GraphWindowExistsOnlyWithASeries) {
    Shell s;
    s.main->show();
    Tool(s, 4)->click(); // View Graph
    Tool(s, 6)->click(); // Save Graph
    EXPECT_EQ(s.main->GraphF(), nullptr);
    EXPECT_EQ(s.feedback.Beeps, 0);
    // A beep that refuses something also says why in the status bar.
    Tool(s, 10)->click(); // Copy
    EXPECT_EQ(s.main->statusBar()->currentMessage(),
              QStringLiteral("Copy needs a data or text window to copy from."));
    s.main->NewText1Click();
    auto* data = NewDataWindow(s, {{"1", "3"}, {"7", "42"}});
    Tool(s, 4)->click();
    TGraphF* g = s.main->GraphF();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(s.main->EnsureGraphWindow(), g); // brought forward, not made twice
    EXPECT_EQ(g->windowTitle(), QStringLiteral("Graph"));
    g->Close1Click();
    Settle();
    Trigger(data, "View1");
    ASSERT_NE(s.main->GraphF(), nullptr);
    s.main->GraphF()->Close1Click();
    Settle();
    s.main->Doc().Settings.XMax = 1000;
    Trigger(data, "AutoScale1");
    EXPECT_NE(s.main->GraphF(), nullptr);
    EXPECT_LT(s.main->Doc().Settings.XMax, 1000); // the rule's limits: tests/scale
    s.feedback.Script = {Answer::Yes};
    data->parentWidget()->close();
    Settle();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->GraphF(), nullptr);
    EXPECT_EQ(s.main->MdiArea()->subWindowList().size(), 1);
    ASSERT_EQ(Told(s.feedback), Texts{"Possible data loss. Continue?"});
}

// The desktop's keys for child windows: Ctrl+F6 (or Ctrl+Tab) to the next one,
// with Shift back, Alt+- its window menu, Ctrl+F4 closes it through its question.
TEST(MainWindow, ChildWindowsByKeyboard) {
    Shell s;
    s.main->show();
    s.main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s.main.get()));
    s.main->NewData1Click();
    s.main->NewText1Click();
    QMdiArea* area = s.main->MdiArea();
    QMdiSubWindow* text = area->activeSubWindow();
    QList<QMdiSubWindow*> active;
    bool menuShown = false;
    s.feedback.Script = {Answer::Cancel, Answer::Yes};
    for (QKeyCombination key :
         {Qt::CTRL | Qt::Key_F6, Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::SHIFT | Qt::Key_F6,
          Qt::CTRL | Qt::SHIFT | Qt::Key_F6, Qt::ALT | Qt::Key_Minus, Qt::CTRL | Qt::Key_F4,
          Qt::CTRL | Qt::Key_F4}) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        Settle();
        active << area->activeSubWindow();
        if (key.key() != Qt::Key_Minus) continue;
        menuShown = text->systemMenu()->isVisible();
        QTest::keyClick(text->systemMenu(), Qt::Key_Escape);
    }
    EXPECT_NE(active[0], text);
    EXPECT_EQ(active.mid(0, 4), (QList<QMdiSubWindow*>{active[0], text, active[0], text}));
    EXPECT_TRUE(menuShown);
    EXPECT_EQ(s.feedback.Messages.size(), 2u); // Cancel kept it, Yes closed it
    EXPECT_EQ(s.main->TextWindowCount(), 0);
}

// Tile Vert. gives one column per window, Tile Horz. one row per window,
// covering the area: the graph first, then the data windows by series number
// (not in the order they were made).
TEST(MainWindow, TilingGivesAColumnOrARowToEachWindowInGraphAndSeriesOrder) {
    Shell s;
    s.main->resize(1000, 700);
    s.main->show();
    s.main->NewData1Click();
    s.main->NewData1Click();
    s.main->EnsureGraphWindow();
    // Series 1 made again, now the last window made.
    s.main->Doc().DestroySeries(*s.main->Doc().FindSeries(1));
    Settle();
    s.main->NewData1Click();
    const QList<QWidget*> order{s.main->GraphF(),
                                s.main->DataWindowOf(*s.main->Doc().FindSeries(1)),
                                s.main->DataWindowOf(*s.main->Doc().FindSeries(2))};
    const QRect area = s.main->MdiArea()->viewport()->rect();
    for (const bool sideBySide : {true, false}) {
        if (sideBySide)
            s.main->WindowTileHoz1Click(); // Tile Vert.
        else
            s.main->WindowTileVert1Click(); // Tile Horz.
        const int length = sideBySide ? area.width() : area.height();
        int edge = 0;
        for (int i = 0; i < 3; ++i) {
            const QRect r = order[i]->parentWidget()->geometry();
            EXPECT_EQ(sideBySide ? r.left() : r.top(), edge) << i;
            EXPECT_EQ(sideBySide ? r.top() : r.left(), 0) << i;
            EXPECT_EQ(sideBySide ? r.height() : r.width(),
                      sideBySide ? area.height() : area.width())
                << i;
            EXPECT_NEAR(sideBySide ? r.width() : r.height(), length / 3, 1) << i;
            edge += sideBySide ? r.width() : r.height();
        }
        EXPECT_EQ(edge, length);
    }
}

// ---------------------------------------------------------------------------
// Questions before data is lost

// Close All and Clear All ask only with windows open; Close All keeps the
// graph's settings, Clear All resets them.
TEST(MainWindow, CloseAllAndClearAllAskOnlyWithWindowsOpen) {
    Shell s;
    s.main->Doc().Settings.MainTitles[0] = "Gone";
    s.main->WindowClearAll1Click();
    s.main->WindowCloseAll1Click();
    EXPECT_TRUE(s.feedback.Messages.empty());
    EXPECT_EQ(s.main->Doc().Settings.MainTitles[0], "");
    s.main->NewData1Click();
    s.main->NewText1Click();
    s.main->Doc().Settings.MainTitles[0] = "Kept";
    s.feedback.Script = {Answer::Cancel, Answer::Cancel};
    s.main->WindowCloseAll1Click();
    s.main->WindowClearAll1Click();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    EXPECT_EQ(s.main->TextWindowCount(), 1);
    ASSERT_EQ(s.feedback.Messages.size(), 2u);
    EXPECT_EQ(s.feedback.Messages[0].Text, "Possible data loss. Continue?");
    EXPECT_EQ(s.feedback.Messages[0].Buttons, MessageButtons::YesCancel);
    s.feedback.Script = {Answer::Yes};
    s.main->WindowCloseAll1Click();
    Settle();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->TextWindowCount(), 0);
    EXPECT_EQ(VisibleChildren(*s.main), 0);
    EXPECT_EQ(s.main->Doc().Settings.MainTitles[0], "Kept");
}

TEST(MainWindow, NewGraphFileCancelKeepsYesSavesFirstNoDiscards) {
    Shell s;
    s.main->show();
    s.main->close(); // a full start-up file to begin with
    s.Restart();
    const QString target = s.Path(QStringLiteral("first.gra"));
    s.main->SetSaveDialog([&](const SaveDialogRequest&) -> std::optional<std::string> {
        return target.toStdString();
    });
    // Cancel keeps all; Yes saves first, then discards; No discards without a
    // further question.
    for (const Answer answer : {Answer::Cancel, Answer::Yes, Answer::No}) {
        s.main->NewData1Click();
        s.main->Doc().Settings.XTitles[0] = "x";
        s.feedback.Messages.clear();
        s.feedback.Script = {answer};
        s.main->NewGraphFile1Click();
        Settle();
        ASSERT_EQ(Told(s.feedback), Texts{"Possible data loss. Save existing graph file first?"});
        EXPECT_EQ(s.main->Doc().SeriesCount(), answer == Answer::Cancel ? 1 : 0);
    }
    EXPECT_TRUE(QFileInfo::exists(target));
    EXPECT_EQ(VisibleChildren(*s.main), 0);
    EXPECT_EQ(s.main->Doc().Settings.XTitles[0], "");
    EXPECT_EQ(s.main->Doc().GraphFileName, "NoName.gra");
    // Only the preferences stay in the start-up file until exit.
    EXPECT_EQ(ReadFig(s).count('\n'), 4);
}

// Exit asks only with windows open: Cancel keeps all, Yes saves the graph
// first (a cancelled save keeps the program open), No discards.
TEST(MainWindow, ExitAsksOnlyWithWindowsOpen) {
    Shell s;
    s.main->show();
    EXPECT_TRUE(s.main->close());
    EXPECT_TRUE(s.feedback.Messages.empty());
    s.Restart();
    s.main->show();
    s.main->NewText1Click();
    s.main->NewData1Click();
    QString target;
    const auto saveDialog = [&](const SaveDialogRequest& r) -> std::optional<std::string> {
        EXPECT_EQ(r.DefaultExtension, "gra");
        if (target.isEmpty()) return std::nullopt;
        return target.toStdString();
    };
    s.main->SetSaveDialog(saveDialog);
    s.feedback.Script = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(s.main->close());
    EXPECT_FALSE(s.main->close());
    EXPECT_EQ(Told(s.feedback),
              Texts(2, "Save && Exit [YES] -- No Save && Exit [NO] -- Cancel Exit [CANCEL]"));
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    s.feedback.Script = {Answer::No};
    EXPECT_TRUE(s.main->close());
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->TextWindowCount(), 0);

    s.Restart();
    s.main->SetSaveDialog(saveDialog);
    s.main->NewData1Click();
    target = s.Path(QStringLiteral("saved.gra"));
    s.feedback.Script = {Answer::Yes};
    EXPECT_TRUE(s.main->close());
    EXPECT_TRUE(QFileInfo::exists(target));
    EXPECT_TRUE(ReadFig(s).contains(target.toUtf8()));
}

// ---------------------------------------------------------------------------
// Open

TEST(MainWindow, OpenExtensionDecidesUnderTheFirstTwoFilters) {
    Shell s;
    const QString notes = s.Path(QStringLiteral("notes.txt"));
    WriteAll(notes, "1 2\r\n");
    const QString data = s.Path(QStringLiteral("data.prn"));
    WriteAll(data, "1 2 3\r\n2 4 6\r\n3 9 12\r\n");
    // A text file under "Data File" opens nothing and says why; so does a folder as text.
    s.main->OpenChosenFile(notes, 0);
    s.main->OpenChosenFile(s.dir.path(), 3);
    EXPECT_EQ(s.main->MdiArea()->subWindowList().size(), 0);
    EXPECT_EQ(Told(s.feedback),
              (Texts{"The file " + notes.toStdString() + " cannot be opened: Unknown file type",
                     s.dir.path().toStdString() + " is a folder"}));
    // The same data file under "Text File" opens in a text window captioned with the path...
    s.main->OpenChosenFile(data, 2);
    ASSERT_EQ(s.main->TextWindowCount(), 1);
    EXPECT_EQ(s.main->TextWindows()[0]->windowTitle(), data);
    // ... and under "Graph File" as data: a captioned window per Y column, and the graph.
    s.main->OpenChosenFile(data, 1);
    Settle();
    ASSERT_EQ(s.main->Doc().SeriesCount(), 2);
    EXPECT_EQ(s.main->DataWindowOf(*s.main->Doc().DataWindows()[1])->windowTitle(),
              QStringLiteral("Series Number: 2   -   DATA.PRN"));
    EXPECT_NE(s.main->GraphF(), nullptr);
}

TEST(MainWindow, OpeningAGraphFileAsksThenReplacesTheSeries) {
    Shell s;
    s.main->show();
    const QString path = ExampleCopy(s);
    s.main->NewData1Click();
    s.feedback.Script = {Answer::Cancel};
    s.main->OpenChosenFile(path, 1);
    ASSERT_EQ(Told(s.feedback), Texts{"Possible data loss. Continue?"});
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    s.feedback.Script = {Answer::Yes};
    s.main->OpenChosenFile(path, 0);
    Settle();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 3);
    EXPECT_EQ(s.main->Doc().GraphFileName, path.toStdString());
    ASSERT_NE(s.main->GraphF(), nullptr);
    EXPECT_EQ(s.main->GraphF()->windowTitle(), QStringLiteral("Graph   -   EXAMPLE.GRA"));
    EXPECT_FALSE(s.main->Doc().SuppressResizeDraw);
    EXPECT_EQ(s.main->MdiArea()->subWindowList().size(), 4);
}

// ---------------------------------------------------------------------------
// Start-up and exit

// A damaged graph file that failed to open is not the graph being edited: the
// next Save Graph asks where to save, and asks before it replaces that file.
TEST(MainWindow, AGraphFileThatFailedToOpenIsNeverSavedOverUnasked) {
    Shell s;
    const QString path = ExampleCopy(s);
    std::string damaged = test::ReadAll(path.toStdString());
    const std::size_t line4 = damaged.find(" 0.0"); // the first row line
    damaged.replace(line4, damaged.find('\r', line4) - line4, "garbage here");
    WriteAll(path, damaged);
    s.main->OpenChosenFile(path, 1);
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.main->Doc().GraphFileName, NoNameGraph);

    std::vector<std::string> presets;
    std::deque<std::optional<std::string>> choices = {path.toStdString(), std::nullopt};
    s.main->SetSaveDialog([&](const SaveDialogRequest& r) {
        presets.push_back(r.FileName);
        auto c = choices.front();
        choices.pop_front();
        return c;
    });
    s.feedback.Script = {Answer::No};
    EXPECT_FALSE(s.main->SaveGraph());
    EXPECT_EQ(presets, (std::vector<std::string>{"NoName", "NoName"}));
    EXPECT_EQ(s.feedback.Messages.back().Text,
              "The File [ " + path.toStdString() + " ] already exists overwrite it?");
    EXPECT_EQ(test::ReadAll(path.toStdString()), damaged);
}

// Save Graph over a file another program changed since it was opened asks
// first (No showing the dialog again is the save loop's rule, tested with it);
// the file written is then the graph's own again.
TEST(MainWindow, AGraphFileChangedOutsideIsAskedForBeforeItIsOverwritten) {
    Shell s;
    const QString path = ExampleCopy(s);
    s.main->OpenChosenFile(path, 1);
    ASSERT_EQ(s.main->Doc().GraphFileName, path.toStdString());
    WriteAll(path, "theirs\r\n");
    s.main->SetSaveDialog(
        [&](const SaveDialogRequest&) -> std::optional<std::string> { return path.toStdString(); });
    s.feedback.Script = {Answer::Yes};
    EXPECT_TRUE(s.main->SaveGraph());
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages.back().Text,
              "The file " + path.toStdString() +
                  " was changed by another program since it was opened. Overwrite it?");
    EXPECT_NE(test::ReadAll(path.toStdString()), "theirs\r\n");
    EXPECT_TRUE(s.main->SaveGraph());
    EXPECT_EQ(s.feedback.Messages.size(), 1u);
}

// The start-up file keeps the window's place and the last graph, which
// reopens at the next start unless an argument names another file.
TEST(MainWindow, TheLastGraphReopensAtTheNextStartUnlessAnArgumentNamesAnother) {
    Shell s;
    const QString first = ExampleCopy(s);
    auto restart = [&s](const QString& argument) {
        s.feedback.Script = {Answer::No};
        ASSERT_TRUE(s.main->close());
        s.Restart(argument);
        s.main->show();
        Settle();
    };
    s.main->show();
    s.main->setGeometry(60, 40, 700, 500); // within the offscreen 800 x 600 screen
    const QRect before = s.main->geometry();
    s.main->OpenChosenFile(first, 1);
    restart({});
    EXPECT_EQ(s.main->geometry(), before);
    EXPECT_EQ(s.main->Doc().GraphFileName, first.toStdString());
    EXPECT_EQ(s.main->Doc().SeriesCount(), 3);
    // The command-line argument wins over the remembered graph.
    const QString second = ExampleCopy(s, QStringLiteral("second.gra"));
    restart(second);
    EXPECT_EQ(s.main->Doc().GraphFileName, second.toStdString());
    // A data file as argument opens as data, not the remembered graph, and the
    // graph it shows is unnamed.
    const QString data = s.Path(QStringLiteral("start.prn"));
    WriteAll(data, "1 2\r\n2 3\r\n");
    restart(data);
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    EXPECT_EQ(s.main->Doc().GraphFileName, "NoName.gra");
}

// A remembered graph that is gone starts empty without a word; a file named
// on the command line that is not there is no silent start.
TEST(MainWindow, AMissingLastGraphStartsEmptyWithoutAWord) {
    Shell s;
    s.main.reset();
    WriteAll(s.Path(QStringLiteral("torvel-graphics.fig")),
             "10\r\n1\r\n0\r\n0\r\n800\r\n600\r\n50\r\n60\r\n/no/such/folder/gone.gra\r\n");
    s.Restart();
    s.main->show();
    Settle();
    EXPECT_TRUE(s.feedback.Messages.empty());
    EXPECT_EQ(s.main->Doc().GraphFileName, "NoName.gra");
    const QString missing = s.Path(QStringLiteral("missing.gra"));
    s.Restart(missing);
    s.main->show();
    Settle();
    ASSERT_EQ(Told(s.feedback), Texts{"The file " + missing.toStdString() +
                                      " cannot be read: No such file or directory"});
}

TEST(MainWindow, FailingToWriteTheStartupFileIsToldOnceAndDoesNotBlockExit) {
    Shell s;
    s.main.reset();
    TMDIMainF::Options o;
    o.StartupFile = s.Path(QStringLiteral("no/such/folder/torvel-graphics.fig"));
    o.FeedbackOverride = &s.feedback;
    TMDIMainF main(std::move(o));
    main.show();
    EXPECT_TRUE(main.close());
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Kind, MessageKind::Error);
    main.WriteStartup(); // a second attempt (as at destruction) says nothing more
    EXPECT_EQ(s.feedback.Messages.size(), 1u);
}

// ---------------------------------------------------------------------------
// Preferences, help and about

// Help shows in the program's own window, at the section of the context,
// with no web browser asked for; "Open in browser" is the one way out to it.
TEST(MainWindow, HelpShowsTheContextsSectionInItsOwnWindow) {
    Shell s;
    s.main->show();
    s.main->ShowHelp(550);
    THelpF* help = s.main->HelpWindow();
    ASSERT_NE(help, nullptr);
    // Over the program, not in a corner of the screen.
    EXPECT_LE((help->frameGeometry().center() - s.main->frameGeometry().center()).manhattanLength(),
              4);
    QTextBrowser* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    EXPECT_TRUE(browser->cursorForPosition(QPoint(20, 12))
                    .block()
                    .text()
                    .startsWith(QStringLiteral("The graph window")));
    s.main->findChild<QAction*>(QStringLiteral("Contents1"))->trigger();
    EXPECT_EQ(help->Source().fragment(), QStringLiteral("help-100"));
    help->findChild<QPushButton*>(QStringLiteral("BackBtn"))->click();
    EXPECT_EQ(help->Source().fragment(), QStringLiteral("help-550"));
    EXPECT_TRUE(s.opened.empty());
    help->findChild<QPushButton*>(QStringLiteral("OpenInBrowserBtn"))->click();
    EXPECT_EQ(s.opened, std::vector<QUrl>{help->Source()});
    // F1 follows the active window: the graph window has its own section.
    s.main->NewData1Click();
    s.main->findChild<QAction*>(QStringLiteral("ContextHelp"))->trigger();
    EXPECT_EQ(help->Source().fragment(), QStringLiteral("help-100"));
    s.main->EnsureGraphWindow();
    s.main->findChild<QAction*>(QStringLiteral("ContextHelp"))->trigger();
    EXPECT_EQ(help->Source().fragment(), QStringLiteral("help-550"));
    EXPECT_EQ(s.main->HelpWindow(), help); // one window, its history kept
}

// A dialog's Help button shows the help with the dialog (a window of the
// main window would be blocked by the modal dialog); the help stays open
// after the dialog closes.
TEST(MainWindow, HelpFromAModalDialogIsUsableAndOutlivesIt) {
    Shell s;
    s.main->show();
    QDialog dialog(s.main.get());
    bool notBlocked = false;
    test::WhenModal([&](QWidget* w) {
        s.main->ShowHelp(1200);
        // What the modal check lets through: a window that stands on the dialog.
        THelpF* help = s.main->HelpWindow();
        notBlocked = help && help->windowHandle() &&
                     help->windowHandle()->transientParent() == w->windowHandle();
        qobject_cast<QDialog*>(w)->accept();
    });
    dialog.exec();
    EXPECT_TRUE(notBlocked);
    THelpF* help = s.main->HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->parentWidget(), s.main.get());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Source().fragment(), QStringLiteral("help-1200"));
}
