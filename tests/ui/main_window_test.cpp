// The main window: windows and their limits, the questions of Exit, Close All,
// Clear All and New Graph File, menu merging, Open's extension rule, help.
#include "shell_test_support.h"

#include "ui/graph_window.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace torvel;
using torvel::test::Settle;
using torvel::test::Shell;

namespace {

QStringList MenuTitles(QMenuBar* bar) {
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

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(MainWindow, StartsWithCaptionMenusAndElevenToolButtons) {
    Shell s;
    EXPECT_EQ(s.main->windowTitle(), QStringLiteral("Torvel Graphics v2.07"));
    EXPECT_EQ(MenuTitles(s.main->menuBar()),
              (QStringList{"&File", "&Preferences", "&Window", "&Help"}));
    const char* hints[] = {"New Data",    "Open File",  "Tile Windows", "View Graph",
                           "Graph Scale", "Save Graph", "Graph Grid",   "Cascade Windows",
                           "Calculator",  "Copy",       "Paste"};
    for (int i = 0; i < 11; ++i) {
        auto* b = s.main->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(i + 1));
        ASSERT_NE(b, nullptr) << i;
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(hints[i]));
    }
    // Dialogs of later windows are present but not yet usable.
    EXPECT_FALSE(s.main->findChild<QToolButton*>(QStringLiteral("SpeedButton5"))->isEnabled());
    EXPECT_FALSE(s.main->findChild<QToolButton*>(QStringLiteral("SpeedButton9"))->isEnabled());
}

TEST(MainWindow, NewDataCreatesCaptionedWindowsUpToTheSeriesLimit) {
    Shell s;
    s.main->Doc().Prefs.MaxDataIndex = 7;
    for (int i = 0; i < MaxSeries; ++i)
        s.main->NewData1Click();
    Settle();
    ASSERT_EQ(s.main->Doc().SeriesCount(), MaxSeries);
    EXPECT_TRUE(s.feedback.Messages.empty());
    for (const auto& series : s.main->Doc().DataWindows()) {
        EXPECT_EQ(series->IndexCount, 7);
        QWidget* w = s.main->DataWindowOf(*series);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Series Number: %1").arg(series->SeriesNumber));
    }
    s.main->NewData1Click();
    EXPECT_EQ(s.main->Doc().SeriesCount(), MaxSeries);
    EXPECT_EQ(s.feedback.Beeps, 1);
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Text, "Sorry the number of series is LIMITED to 21.");
    EXPECT_EQ(s.feedback.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(s.feedback.Messages[0].Buttons, MessageButtons::Ok);
}

TEST(MainWindow, TheSeriesLimitMessageIsARealMessageBox) {
    Shell s(false);
    for (int i = 0; i < MaxSeries; ++i)
        s.main->NewData1Click();
    QString text;
    test::AnswerMessageBox(QMessageBox::Ok, &text);
    s.main->NewData1Click();
    EXPECT_EQ(text, QStringLiteral("Sorry the number of series is LIMITED to 21."));
    EXPECT_EQ(s.main->Doc().SeriesCount(), MaxSeries);
}

TEST(MainWindow, NewTextStopsAtTenWindows) {
    Shell s;
    for (int i = 0; i < 11; ++i)
        s.main->NewText1Click();
    EXPECT_EQ(s.main->TextWindowCount(), MaxTextWindows);
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Text, "Sorry the number of Text files is LIMITED to 10.");
    EXPECT_EQ(s.feedback.Beeps, 1);
    for (QWidget* w : s.main->TextWindows())
        EXPECT_EQ(w->windowTitle(), QStringLiteral("NoName.txt"));
}

TEST(MainWindow, ClosingASeriesFreesItsNumberForTheNextWindow) {
    Shell s;
    for (int i = 0; i < 3; ++i)
        s.main->NewData1Click();
    s.main->Doc().DestroySeries(*s.main->Doc().FindSeries(2));
    Settle();
    EXPECT_EQ(VisibleChildren(*s.main), 2);
    s.main->NewData1Click();
    std::vector<int> numbers;
    for (const auto& series : s.main->Doc().DataWindows())
        numbers.push_back(series->SeriesNumber);
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
}

TEST(MainWindow, CloseAllAsksAndKeepsSettings) {
    Shell s;
    s.main->NewData1Click();
    s.main->NewText1Click();
    s.main->Doc().Settings.MainTitles[0] = "Kept";
    s.main->Doc().GraphFileName = "/tmp/kept.gra";

    s.feedback.Script = {Answer::Cancel};
    s.main->WindowCloseAll1Click();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    EXPECT_EQ(s.main->TextWindowCount(), 1);
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Text, "Possible data loss. Continue?");
    EXPECT_EQ(s.feedback.Messages[0].Buttons, MessageButtons::YesCancel);

    s.feedback.Script = {Answer::Yes};
    s.main->WindowCloseAll1Click();
    Settle();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->TextWindowCount(), 0);
    EXPECT_EQ(VisibleChildren(*s.main), 0);
    EXPECT_EQ(s.main->Doc().Settings.MainTitles[0], "Kept");
    EXPECT_EQ(s.main->Doc().GraphFileName, "/tmp/kept.gra");
}

TEST(MainWindow, CloseAllWithNothingOpenAsksNothing) {
    Shell s;
    s.main->WindowCloseAll1Click();
    EXPECT_TRUE(s.feedback.Messages.empty());
}

TEST(MainWindow, ClearAllResetsSettingsAndWithNoWindowAsksNothing) {
    Shell s;
    s.main->Doc().Settings.MainTitles[0] = "Gone";
    s.main->Doc().GraphFileName = "/tmp/gone.gra";
    s.main->WindowClearAll1Click();
    EXPECT_TRUE(s.feedback.Messages.empty());
    EXPECT_EQ(s.main->Doc().Settings.MainTitles[0], "");
    EXPECT_EQ(s.main->Doc().GraphFileName, "NoName.gra");

    s.main->NewData1Click();
    s.main->Doc().Settings.MainTitles[0] = "Stays";
    s.feedback.Script = {Answer::Cancel};
    s.main->WindowClearAll1Click();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    EXPECT_EQ(s.main->Doc().Settings.MainTitles[0], "Stays");
}

TEST(MainWindow, NewGraphFileQuestionCancelKeepsEverything) {
    Shell s;
    s.main->NewData1Click();
    s.main->Doc().Settings.XTitles[0] = "x";
    s.feedback.Script = {Answer::Cancel};
    s.main->NewGraphFile1Click();
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Text, "Possible data loss. Save existing graph file first?");
    EXPECT_EQ(s.feedback.Messages[0].Buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    EXPECT_EQ(s.main->Doc().Settings.XTitles[0], "x");
}

TEST(MainWindow, NewGraphFileAnsweredNoDiscardsEverythingWithoutFurtherQuestions) {
    Shell s;
    s.main->NewData1Click();
    s.main->NewData1Click();
    s.main->NewText1Click();
    s.main->EnsureGraphWindow();
    s.main->Doc().Settings.XTitles[0] = "x";
    s.main->Doc().GraphFileName = "/tmp/old.gra";
    s.feedback.Script = {Answer::No};
    s.main->NewGraphFile1Click();
    Settle();
    EXPECT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->TextWindowCount(), 0);
    EXPECT_EQ(s.main->GraphF(), nullptr);
    EXPECT_EQ(VisibleChildren(*s.main), 0);
    EXPECT_EQ(s.main->Doc().Settings.XTitles[0], "");
    EXPECT_EQ(s.main->Doc().GraphFileName, "NoName.gra");
}

TEST(MainWindow, ExitWithNothingOpenClosesWithoutAQuestion) {
    Shell s;
    s.main->show();
    EXPECT_TRUE(s.main->close());
    EXPECT_TRUE(s.feedback.Messages.empty());
}

TEST(MainWindow, ExitQuestionCancelStaysOpenNoClosesEverything) {
    Shell s;
    s.main->show();
    s.main->NewText1Click();
    s.main->NewData1Click();

    s.feedback.Script = {Answer::Cancel};
    EXPECT_FALSE(s.main->close());
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Text,
              "Save && Exit [YES] -- No Save && Exit [NO] -- Cancel Exit [CANCEL]");
    EXPECT_EQ(s.feedback.Messages[0].Kind, MessageKind::Confirmation);
    EXPECT_EQ(s.feedback.Messages[0].Buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    EXPECT_FALSE(s.main->Closing());

    s.feedback.Script = {Answer::No};
    EXPECT_TRUE(s.main->close());
    EXPECT_TRUE(s.main->Closing());
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->TextWindowCount(), 0);
}

TEST(MainWindow, ExitQuestionIsARealMessageBox) {
    Shell s(false);
    s.main->show();
    s.main->NewText1Click();
    QString text;
    test::AnswerMessageBox(QMessageBox::Cancel, &text);
    EXPECT_FALSE(s.main->close());
    EXPECT_EQ(text,
              QStringLiteral("Save && Exit [YES] -- No Save && Exit [NO] -- Cancel Exit [CANCEL]"));
    test::AnswerMessageBox(QMessageBox::No);
    EXPECT_TRUE(s.main->close());
}

TEST(MainWindow, GraphWindowExistsOnlyWithASeries) {
    Shell s;
    EXPECT_EQ(s.main->EnsureGraphWindow(), nullptr);
    s.main->NewData1Click();
    TGraphF* g = s.main->EnsureGraphWindow();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(s.main->EnsureGraphWindow(), g); // brought forward, not made twice
    EXPECT_EQ(g->windowTitle(), QStringLiteral("Graph"));
    s.main->Doc().DestroySeries(*s.main->Doc().FindSeries(1));
    Settle();
    EXPECT_EQ(s.main->GraphF(), nullptr);
}

TEST(MainWindow, ViewGraphButtonDoesNothingWithoutASeries) {
    Shell s;
    s.main->findChild<QToolButton*>(QStringLiteral("SpeedButton4"))->click();
    EXPECT_EQ(s.main->GraphF(), nullptr);
    s.main->NewData1Click();
    s.main->findChild<QToolButton*>(QStringLiteral("SpeedButton4"))->click();
    EXPECT_NE(s.main->GraphF(), nullptr);
}

TEST(MainWindow, CopyButtonBeepsWithoutAChildThatCanCopy) {
    Shell s;
    s.main->findChild<QToolButton*>(QStringLiteral("SpeedButton10"))->click();
    EXPECT_EQ(s.feedback.Beeps, 1);
}

TEST(MainWindow, GraphWindowMenusReplaceTheMainFileMenuWhileActive) {
    Shell s;
    s.main->show();
    s.main->NewData1Click();
    TGraphF* g = s.main->EnsureGraphWindow();
    ASSERT_NE(g, nullptr);
    s.main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(g->parentWidget()));
    const QList<QAction*> bar = s.main->menuBar()->actions();
    ASSERT_EQ(bar.size(), 5);
    EXPECT_EQ(bar[0]->menu()->objectName(), QStringLiteral("File1"));
    EXPECT_EQ(bar[0]->menu()->parent(), g->MenuBar());
    EXPECT_EQ(bar[1]->text(), QStringLiteral("&Graph"));
    EXPECT_EQ(MenuTitles(s.main->menuBar()).mid(2),
              (QStringList{"&Preferences", "&Window", "&Help"}));
    EXPECT_FALSE(g->MenuBar()->isVisible());
    // The graph's own File menu has its save commands.
    EXPECT_NE(bar[0]->menu()->findChild<QAction*>(QStringLiteral("SaveBitmap1")), nullptr);

    s.main->CloseAllWindows(true);
    Settle();
    EXPECT_EQ(MenuTitles(s.main->menuBar()),
              (QStringList{"&File", "&Preferences", "&Window", "&Help"}));
}

TEST(MainWindow, WindowMenuListsTheChildren) {
    Shell s;
    s.main->NewData1Click();
    s.main->NewText1Click();
    QMenu* menu = s.main->findChild<QMenu*>(QStringLiteral("Window1"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text();
    EXPECT_EQ(texts, (QStringList{"Tile &Vert.", "Tile &Horz.", "&Cascade", "C&lose All",
                                  "Clear  &All", "&1 Series Number: 1", "&2 NoName.txt"}));
}

TEST(MainWindow, TilingPutsWindowsSideBySideOrAboveEachOther) {
    Shell s;
    s.main->resize(1000, 700);
    s.main->show();
    s.main->NewData1Click();
    s.main->NewData1Click();
    s.main->WindowTileHoz1Click(); // Tile Vert.
    QList<QMdiSubWindow*> subs = s.main->MdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    EXPECT_EQ(subs[0]->height(), subs[1]->height());
    EXPECT_NE(subs[0]->x(), subs[1]->x());
    EXPECT_EQ(subs[0]->y(), subs[1]->y());
    s.main->WindowTileVert1Click(); // Tile Horz.
    EXPECT_EQ(subs[0]->width(), subs[1]->width());
    EXPECT_EQ(subs[0]->x(), subs[1]->x());
    EXPECT_NE(subs[0]->y(), subs[1]->y());
}

TEST(MainWindow, OpenExtensionDecidesUnderTheFirstTwoFilters) {
    Shell s;
    const QString notes = s.Path(QStringLiteral("notes.txt"));
    WriteFile(notes, "1 2\r\n");
    const QString data = s.Path(QStringLiteral("data.prn"));
    WriteFile(data, "hello\r\n");

    // A text file under "Data File" does nothing.
    s.main->OpenChosenFile(notes, 0);
    EXPECT_EQ(s.main->TextWindowCount(), 0);
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);

    // The same data file under "Text File" opens in a text window captioned with the path.
    s.main->OpenChosenFile(data, 2);
    ASSERT_EQ(s.main->TextWindowCount(), 1);
    EXPECT_EQ(s.main->TextWindows()[0]->windowTitle(), data);
    s.main->OpenChosenFile(notes, 3);
    EXPECT_EQ(s.main->TextWindowCount(), 2);
}

TEST(MainWindow, OpenDialogHasTheFourFiltersWithGraphFilePreselected) {
    Shell s;
    const QString notes = s.Path(QStringLiteral("notes.txt"));
    WriteFile(notes, "some notes\n");
    QStringList filters;
    QString selected;
    test::WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        dialog->selectNameFilter(filters[2]);
        dialog->selectFile(notes);
        static_cast<QDialog*>(dialog)->accept();
    });
    s.main->Open1Click();
    EXPECT_EQ(filters, TMDIMainF::OpenFilters());
    EXPECT_EQ(selected, QStringLiteral("Graph File (*.gra)"));
    ASSERT_EQ(s.main->TextWindowCount(), 1);
}

TEST(MainWindow, OpenDialogCancelledDoesNothing) {
    Shell s;
    test::WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    s.main->Open1Click();
    EXPECT_EQ(s.main->MdiArea()->subWindowList().size(), 0);
}

TEST(MainWindow, TextLimitAppliesToOpeningFilesAsText) {
    Shell s;
    const QString notes = s.Path(QStringLiteral("notes.txt"));
    WriteFile(notes, "x\n");
    for (int i = 0; i < 10; ++i)
        s.main->NewText1Click();
    s.main->OpenChosenFile(notes, 2);
    EXPECT_EQ(s.main->TextWindowCount(), 10);
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Text, "Sorry the number of Text files is LIMITED to 10.");
}

TEST(MainWindow, ToolBarToggleRenamesTheMenuItem) {
    Shell s;
    s.main->show();
    QAction* item = s.main->findChild<QAction*>(QStringLiteral("ToolBar1"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("&Hide Tool Bar"));
    item->trigger();
    EXPECT_EQ(item->text(), QStringLiteral("&Show Tool Bar"));
    item->trigger();
    EXPECT_EQ(item->text(), QStringLiteral("&Hide Tool Bar"));
}

TEST(MainWindow, HelpOpensTheHelpPageAtTheContextsSection) {
    Shell s;
    s.main->ShowHelp(550);
    s.main->findChild<QAction*>(QStringLiteral("Contents1"))->trigger();
    s.main->findChild<QAction*>(QStringLiteral("HelpHTM1"))->trigger();
    ASSERT_EQ(s.opened.size(), 3u);
    EXPECT_EQ(s.opened[0].fragment(), QStringLiteral("help-550"));
    EXPECT_EQ(s.opened[1].fragment(), QStringLiteral("help-100"));
    EXPECT_TRUE(s.opened[2].fragment().isEmpty());
    EXPECT_TRUE(s.opened[0].isLocalFile());
    EXPECT_TRUE(QFileInfo::exists(s.opened[0].toLocalFile()));
}

TEST(MainWindow, EveryHelpContextHasItsSection) {
    QFile f(test::SourceHelpFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(f.readAll());
    for (int context :
         {100, 150, 500, 550, 600, 700, 900, 1000, 1120, 1140, 1160, 1200, 1300, 1400, 1500})
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"help-%1\"").arg(context))) << context;
    EXPECT_TRUE(html.contains(QStringLiteral("id=\"home\"")));
}

TEST(MainWindow, VistaHelpIsAnInformationMessage) {
    Shell s;
    s.main->VistaHelp1Click();
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Kind, MessageKind::Information);
    EXPECT_EQ(s.feedback.Messages[0].Text.rfind("For Vista or Windows 7/8 operating systems", 0),
              0u);
}

TEST(MainWindow, AboutBoxIsCentredBlackAndClosesWithOk) {
    Shell s;
    s.main->setGeometry(100, 100, 1000, 700);
    s.main->show();
    QString caption;
    QStringList labels;
    bool onTop = false;
    QPoint centreOffset;
    test::WhenModal([&](QWidget* w) {
        caption = w->windowTitle();
        onTop = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        for (QLabel* l : w->findChildren<QLabel*>())
            if (!l->text().isEmpty()) labels << l->text();
        centreOffset = w->frameGeometry().center() - s.main->frameGeometry().center();
        w->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    });
    s.main->About1Click();
    EXPECT_EQ(caption, QStringLiteral("About Torvel Graphics"));
    EXPECT_TRUE(onTop);
    EXPECT_TRUE(labels.contains(QStringLiteral("TORVEL GRAPHICS")));
    EXPECT_TRUE(labels.contains(QStringLiteral("(32-bit) Version 2.07")));
    EXPECT_LE(std::abs(centreOffset.x()), 2);
    EXPECT_LE(std::abs(centreOffset.y()), 2);
}

TEST(MainWindow, OpeningADataFileMakesCaptionedWindowsAndTheGraph) {
    Shell s;
    const QString data = s.Path(QStringLiteral("data.prn"));
    WriteFile(data, "1 2 3\r\n2 4 6\r\n3 9 12\r\n");
    // Under the "Graph File" filter the extension still decides.
    s.main->OpenChosenFile(data, 1);
    Settle();
    ASSERT_EQ(s.main->Doc().SeriesCount(), 2);
    for (const auto& series : s.main->Doc().DataWindows()) {
        EXPECT_EQ(series->IndexCount, 3);
        QWidget* w = s.main->DataWindowOf(*series);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(),
                  QStringLiteral("Series Number: %1   -   DATA.PRN").arg(series->SeriesNumber));
    }
    EXPECT_NE(s.main->GraphF(), nullptr);
    EXPECT_EQ(s.main->Doc().DataWindows()[1]->FileName, data.toStdString());
}

TEST(MainWindow, ADataFileBeyondTheSeriesLimitCreatesOnlyWhatFits) {
    Shell s;
    for (int i = 0; i < 19; ++i)
        s.main->NewData1Click();
    const QString data = s.Path(QStringLiteral("wide.prn"));
    WriteFile(data, "1 2 3 4 5 6\r\n");
    s.main->OpenChosenFile(data, 0);
    EXPECT_EQ(s.main->Doc().SeriesCount(), MaxSeries);
    ASSERT_FALSE(s.feedback.Messages.empty());
    EXPECT_EQ(s.feedback.Messages[0].Text, "Sorry the number of series is LIMITED to 21.");
}

TEST(MainWindow, StartupFileIsWrittenAtExitAndReadAtStart) {
    Shell s;
    s.main->show();
    s.main->setGeometry(60, 40, 700, 500); // within the offscreen 800 x 600 screen
    const QRect before = s.main->geometry();
    const QPoint pos = s.main->pos();
    EXPECT_TRUE(s.main->close());
    QFile fig(s.main->StartupFile());
    ASSERT_TRUE(fig.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = fig.readAll().split('\n');
    ASSERT_GE(lines.size(), 9);
    EXPECT_EQ(lines[4].trimmed().toInt(), before.width());
    EXPECT_EQ(lines[5].trimmed().toInt(), before.height());
    EXPECT_EQ(lines[6].trimmed().toInt(), pos.y());
    EXPECT_EQ(lines[7].trimmed().toInt(), pos.x());
    EXPECT_EQ(lines[8].trimmed(), QByteArray("NoName.gra"));
    EXPECT_TRUE(lines[0].endsWith('\r')); // CR LF line ends

    s.Restart();
    EXPECT_EQ(s.main->size(), before.size());
    EXPECT_EQ(s.main->pos(), pos);
}

TEST(MainWindow, AMissingLastGraphStartsEmptyWithoutAWord) {
    Shell s;
    s.main.reset();
    {
        QFile fig(s.Path(QStringLiteral("torvel-graphics.fig")));
        ASSERT_TRUE(fig.open(QIODevice::WriteOnly));
        fig.write("10\r\n1\r\n0\r\n0\r\n800\r\n600\r\n50\r\n60\r\n/no/such/folder/gone.gra\r\n");
    }
    s.Restart();
    s.main->show();
    Settle();
    EXPECT_TRUE(s.feedback.Messages.empty());
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->Doc().GraphFileName, "NoName.gra");
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

TEST(MainWindow, NewGraphFileKeepsOnlyThePreferencesInTheStartupFile) {
    Shell s;
    s.main->show();
    s.main->close();
    s.Restart();
    s.main->NewData1Click();
    s.feedback.Script = {Answer::No};
    s.main->NewGraphFile1Click();
    QFile fig(s.main->StartupFile());
    ASSERT_TRUE(fig.open(QIODevice::ReadOnly));
    EXPECT_EQ(fig.readAll().count('\n'), 4);
}

namespace {

// A copy of the example graph in the test's folder.
QString ExampleCopy(Shell& s, const QString& name = QStringLiteral("example.gra")) {
    const QString path = s.Path(name);
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(test::SourceExample(QStringLiteral("example.gra")), path));
    return path;
}

} // namespace

TEST(MainWindow, OpeningAGraphFileReplacesTheSeriesAndShowsTheGraph) {
    Shell s;
    s.main->show();
    const QString path = ExampleCopy(s);
    s.main->NewData1Click();
    s.feedback.Script = {Answer::Cancel};
    s.main->OpenChosenFile(path, 1);
    ASSERT_EQ(s.feedback.Messages.size(), 1u);
    EXPECT_EQ(s.feedback.Messages[0].Text, "Possible data loss. Continue?");
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
    for (const auto& series : s.main->Doc().DataWindows())
        EXPECT_EQ(s.main->DataWindowOf(*series)->windowTitle(),
                  QStringLiteral("Series Number: %1").arg(series->SeriesNumber));
}

TEST(MainWindow, AnUnreadableGraphFileIsReportedAndDrawsNothing) {
    Shell s;
    const QString bad = s.Path(QStringLiteral("bad.gra"));
    WriteFile(bad, "not a graph\r\n");
    s.main->OpenChosenFile(bad, 1);
    ASSERT_FALSE(s.feedback.Messages.empty());
    EXPECT_EQ(s.feedback.Messages.back().Text,
              "The file " + bad.toStdString() + " has an incompatible format.");
    EXPECT_FALSE(s.main->Doc().GraphLoadFailed);
    EXPECT_EQ(s.main->GraphF(), nullptr);
}

TEST(MainWindow, TheLastGraphReopensAtTheNextStartUnlessAnArgumentNamesAnother) {
    Shell s;
    const QString first = ExampleCopy(s);
    s.main->show();
    s.main->OpenChosenFile(first, 1);
    s.feedback.Script = {Answer::No};
    ASSERT_TRUE(s.main->close());

    s.Restart();
    s.main->show();
    Settle();
    EXPECT_EQ(s.main->Doc().GraphFileName, first.toStdString());
    EXPECT_EQ(s.main->Doc().SeriesCount(), 3);
    s.feedback.Script = {Answer::No};
    ASSERT_TRUE(s.main->close());

    // The command-line argument wins over the remembered graph.
    const QString second = ExampleCopy(s, QStringLiteral("second.gra"));
    s.Restart(second);
    s.main->show();
    Settle();
    EXPECT_EQ(s.main->Doc().GraphFileName, second.toStdString());
    EXPECT_EQ(s.main->GraphF()->windowTitle(), QStringLiteral("Graph   -   SECOND.GRA"));
}

TEST(MainWindow, ADataFileAsArgumentOpensAsData) {
    Shell s;
    const QString data = s.Path(QStringLiteral("start.prn"));
    WriteFile(data, "1 2\r\n2 3\r\n");
    s.Restart(data);
    s.main->show();
    Settle();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);
    EXPECT_EQ(s.main->Doc().GraphFileName, "NoName.gra");
}

TEST(MainWindow, SaveAndExitWritesTheGraphButACancelledSaveKeepsTheProgramOpen) {
    Shell s;
    s.main->show();
    s.main->NewData1Click();
    int asked = 0;
    s.main->SetSaveDialog([&](const SaveDialogRequest& r) -> std::optional<std::string> {
        ++asked;
        EXPECT_EQ(r.DefaultExtension, "gra");
        return std::nullopt;
    });
    s.feedback.Script = {Answer::Yes};
    EXPECT_FALSE(s.main->close());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(s.main->Doc().SeriesCount(), 1);

    const QString target = s.Path(QStringLiteral("saved.gra"));
    s.main->SetSaveDialog([&](const SaveDialogRequest&) -> std::optional<std::string> {
        return target.toStdString();
    });
    s.feedback.Script = {Answer::Yes};
    EXPECT_TRUE(s.main->close());
    EXPECT_TRUE(QFileInfo::exists(target));
    QFile fig(s.main->StartupFile());
    ASSERT_TRUE(fig.open(QIODevice::ReadOnly));
    EXPECT_TRUE(fig.readAll().contains(target.toUtf8()));
}

TEST(MainWindow, NewGraphFileAnsweredYesSavesFirst) {
    Shell s;
    s.main->NewData1Click();
    const QString target = s.Path(QStringLiteral("first.gra"));
    s.main->SetSaveDialog([&](const SaveDialogRequest&) -> std::optional<std::string> {
        return target.toStdString();
    });
    s.feedback.Script = {Answer::Yes};
    s.main->NewGraphFile1Click();
    Settle();
    EXPECT_TRUE(QFileInfo::exists(target));
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->Doc().GraphFileName, "NoName.gra");
}

TEST(MainWindow, ATextWindowClosedByItselfLeavesTheListAfterItsQuestion) {
    Shell s;
    s.main->NewText1Click();
    s.main->NewText1Click();
    QWidget* first = s.main->TextWindows()[0];
    s.feedback.Script = {Answer::Cancel};
    first->parentWidget()->close();
    Settle();
    EXPECT_EQ(s.main->TextWindowCount(), 2);
    s.feedback.Script = {Answer::Yes};
    first->parentWidget()->close();
    Settle();
    EXPECT_EQ(s.main->TextWindowCount(), 1);
    EXPECT_EQ(s.feedback.Messages.size(), 2u);
    EXPECT_EQ(s.feedback.Messages[1].Text, "Possible data loss. Continue?");
}

TEST(MainWindow, ADataWindowClosedByItselfRemovesItsSeriesAndTheLastTakesTheGraph) {
    Shell s;
    s.main->NewData1Click();
    s.main->EnsureGraphWindow();
    QWidget* w = s.main->DataWindowOf(*s.main->Doc().DataWindows()[0]);
    s.feedback.Script = {Answer::Yes};
    w->parentWidget()->close();
    Settle();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->GraphF(), nullptr);
    EXPECT_EQ(s.main->MdiArea()->subWindowList().size(), 0);
}

TEST(MainWindow, PreferencesDialogOpensFromTheMenu) {
    Shell s;
    s.main->show();
    QString caption;
    test::WhenModal([&](QWidget* w) {
        caption = w->windowTitle();
        qobject_cast<QDialog*>(w)->reject();
    });
    QAction* item = s.main->findChild<QAction*>(QStringLiteral("Options1"));
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(caption, QStringLiteral("Perferences  Dialog"));
}

TEST(MainWindow, CopyButtonCopiesFromTheActiveDataWindow) {
    Shell s;
    s.main->show();
    s.main->NewData1Click();
    Series& series = *s.main->Doc().DataWindows()[0];
    series.SetCell(XColumn, 1, "5");
    QGuiApplication::clipboard()->clear();
    s.main->findChild<QToolButton*>(QStringLiteral("SpeedButton10"))->click();
    EXPECT_EQ(s.feedback.Beeps, 0);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("5")));
}

TEST(MainWindow, ADataWindowsFileMenuStandsInForTheMainOneAndForwardsItsCommands) {
    Shell s;
    s.main->show();
    s.main->NewData1Click();
    QWidget* w = s.main->DataWindowOf(*s.main->Doc().DataWindows()[0]);
    s.main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(w->parentWidget()));
    const QList<QAction*> bar = s.main->menuBar()->actions();
    ASSERT_GE(bar.size(), 5);
    QMenu* file = bar[0]->menu();
    ASSERT_NE(file, nullptr);
    QStringList items;
    for (QAction* a : file->actions())
        if (!a->isSeparator()) items << a->text();
    EXPECT_EQ(items, (QStringList{"New Graph &File", "&New  Data", "New  &Text", "&Open",
                                  "&Save Data", "Save &Graph", "Save &Bitmap", "&Close Data",
                                  "Print &Data", "&Print Graph", "P&rint Setup...", "E&xit"}));
    EXPECT_EQ(bar[1]->text(), QStringLiteral("&Edit"));
    // New Data from the data window's menu is the main window's command.
    for (QAction* a : file->actions())
        if (a->text() == QStringLiteral("&New  Data")) a->trigger();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 2);
}
