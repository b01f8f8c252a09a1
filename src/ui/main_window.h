// The multiple-document main window: owns the one Document, the data, text and
// graph windows, runs start-up and shut-down, opens and creates documents,
// enforces the window limits, arranges the children and offers help.
// One class, its code in files by role: main_window.cpp (wiring and children),
// _menus (menus and tool bar), _documents (new, open, save, close, clear),
// _dialogs (the dialogs and the commands that open them), _arrange (tiling),
// _help, _startup (start-up file, first graph, exit, preferences), _import
// (Import Table and files dropped on the window).
#pragma once

#include "core/document.h"
#include "files/graph_file.h"
#include "files/import_table_dialog.h"
#include "history/history.h"
#include "history/recovery.h"
#include "scale/grid_settings.h"
#include "ui/app_context.h"
#include "ui/graph_window.h"
#include "ui/help_window.h"
#include "ui/printing.h"
#include "ui/qt_feedback.h"
#include "ui/series_loop.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class QProgressDialog;
class QTimer;

namespace torvel {

class TFitF;
class TPrintCF;
class TCalcF;
class TFillF;
class TMathF;
class TMath_XYF;
class TGraphF;
class TGridF;
class TLogScaleF;
class TScaleF;
class TGTypeF;
class TSpreadF;
class TTextF;
class TTitleFlF;
class TTitleSerF;
class TitleDialog;

class TMDIMainF : public QMainWindow, public AppContext, public DocumentObserver {
    Q_OBJECT

  public:
    struct Options {
        // The start-up file (.fig); its preferences-only sibling (.cfg) has the same stem.
        QString StartupFile;
        // The command-line argument, if any.
        QString CommandLineFile;
        // The help page (index.html); the help window opens it at #help-<context>.
        QString HelpFile;
        // Tests pass a recording feedback; the program shows message boxes.
        Feedback* FeedbackOverride = nullptr;
        // Tests replace the system's default handler (the help window's "Open in browser").
        std::function<void(const QUrl&)> UrlOpener;
        // Where unsaved work is kept against a crash; empty: nowhere.
        QString RecoveryFolder;
    };

    // How long the status bar shows why a beep refused an input.
    static constexpr int ReasonShownMs = 5000;

    explicit TMDIMainF(Options options, QWidget* parent = nullptr);
    ~TMDIMainF() override;

    // AppContext
    Document& Doc() override { return doc_; }
    Feedback& Fb() override { return *fb_; }
    QWidget* MainWidget() override { return this; }
    void RedrawGraph() override;
    void ShowHelp(int context) override;
    ProgramPrinter& Printing() override { return printer_; }

    // DocumentObserver: a data window per series.
    void SeriesAdded(Series& series) override;
    void SeriesRemoving(Series& series) override;

    // Commands, also reached from the graph, data and text windows' menus.
    void NewData1Click();
    void NewText1Click();
    void Open1Click();
    void NewGraphFile1Click();
    void WindowCloseAll1Click();
    void WindowClearAll1Click();
    void Exit1Click();
    void Options1Click();
    void ToolBar1Click();
    void WindowTileHoz1Click();  // Tile Vert.: side by side
    void WindowTileVert1Click(); // Tile Horz.: one above the other
    void WindowCasade1Click();
    void Contents1Click();
    void HelpHTM1Click();
    void VistaHelp1Click();
    void About1Click();
    void TorvelGraphicsHomePage1Click();
    // The scale, grid and log scale dialogs, each followed by a redraw of the
    // graph window if it exists.
    void Scale1Click();
    void Grid1Click();
    void LogScale1Click();

    // The appearance dialogs, each followed by a redraw. The per-series ones run
    // the series loop from a data window (that window first) or, given null,
    // from the graph window (the lowest series first, the graph active at the end).
    void MainTitlesDialog();
    void XTitlesDialog();
    void YTitlesDialog();
    void FloatingTitlesDialog();
    void SeriesTitlesDialog(TSpreadF* from);
    void GraphTypeDialog(TSpreadF* from);

    // What Open does with a chosen file: filter 0 Data, 1 Graph, 2 Text, 3 Any File as Text,
    // 4 Table.
    void OpenChosenFile(const QString& path, int filterIndex);
    // Import Table...: a table file chosen, then the import dialog.
    void ImportTable1Click();
    // The import dialog on a table; its series made on OK, the status bar
    // telling what loaded. False when nothing was loaded.
    bool ImportTableFile(const QString& path);
    // Files dropped on the window, each opened as Open opens it, one after another.
    void OpenDroppedFiles(const QStringList& paths);
    // Reads a data file into new data windows, with progress shown for big files.
    bool OpenDataFile(const QString& path);
    // Replaces the graph by a graph file; false when it could not be read.
    bool OpenGraphFile(const QString& path);
    // Opens a file in a new text window (limit checked).
    QWidget* OpenTextFile(const QString& path);

    // Saves the graph through the save dialog loop; false when nothing was written.
    bool SaveGraph();

    // The document's history, and Undo and Redo: one action each, in every
    // window's menus, named after the step ("Undo Paste").
    History& DocHistory() { return history_; }
    QAction* UndoAction() const { return actUndo_; }
    QAction* RedoAction() const { return actRedo_; }
    void Undo1Click();
    void Redo1Click();
    // How often unsaved work is written to the recovery file at the most.
    static constexpr int RecoveryDelayMs = 30000;
    // Writes the recovery file now (when anything is unsaved); tests and the timer.
    void WriteRecovery();
    const RecoveryWriter* Recovery() const { return recovery_.get(); }
    // A new, empty text window (limit checked), or null.
    QWidget* NewTextWindow();
    // The five filters of the open dialog, in order.
    static QStringList OpenFilters();
    GraphWindowState& GraphState() { return graphState_; }
    // The dialogs made at start-up and reused for the whole run.
    TScaleF& ScaleDialog() const { return *scaleF_; }
    TLogScaleF& LogScaleDialog() const { return *logScaleF_; }
    TGridF& GridDialog() const { return *gridF_; }
    // Tests answer the graph save dialog without a file dialog.
    void SetSaveDialog(SaveDialogFn dialog) { saveDialogOverride_ = std::move(dialog); }

    // Creates the graph window when a series exists and there is none; brings it to
    // the front otherwise. Returns the window (or null when no series exists).
    TGraphF* EnsureGraphWindow();
    // Destroys the graph window, the data windows (last first) and, when asked,
    // the text windows, without their own questions.
    void CloseAllWindows(bool withTextWindows);

    TGraphF* GraphF() const;
    // The fit dialog for a data window's series (its Regression > Fit), or with
    // null for the lowest series in use first (the graph window's Fit).
    void RunFitDialog(TSpreadF* start);
    // The fit statistics report of each series of the loop in a new text window.
    void RunFitStatistics(TSpreadF* start);
    TFitF* FitF();
    // The printer colour dialog in the series loop, from a data window; no redraw after it.
    void RunPrintColorDialog(TSpreadF* start);
    TPrintCF* PrintCF() const;
    // The cell operation dialogs in the series loop, from a data window; the
    // graph is redrawn after them. Operate on Cells closes the calculator first.
    void RunFillDialog(TSpreadF* start);
    void RunMathDialog(TSpreadF* start);
    void RunMathXYDialog(TSpreadF* start);
    TFillF* FillF() const { return fillF_; }
    TMathF* MathF() const { return mathF_; }
    TMath_XYF* MathXYF() const { return mathXYF_; }
    // The calculator window, created hidden at start-up and kept to the end.
    TCalcF* CalcF() const { return calcF_; }
    // Shows the calculator (tool bar, data window's Math menu, operate dialog).
    void ShowCalculator();
    QWidget* ActiveChild() const { return activeChild_; }
    void SetActiveChild(QWidget* child);
    int TextWindowCount() const;
    QList<QWidget*> TextWindows() const;
    // The data window showing a series, or null.
    QWidget* DataWindowOf(const Series& series) const;
    QMdiArea* MdiArea() const { return mdi_; }
    bool Closing() const { return closing_; }

    // The start-up file and its preferences-only sibling.
    const QString& StartupFile() const { return options_.StartupFile; }
    QString PreferencesFile() const;

    // The help page's URL at a context, or its front page for 0.
    QUrl HelpUrl(int context) const;
    // The help window, once help has been asked for.
    THelpF* HelpWindow() const { return help_; }

    // Writes the start-up file now (at exit); reports a failure once.
    void WriteStartup();

  signals:
    // Told after every draw of the graph window (tests and the status line).
    void GraphRedrawn();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateHistoryActions();
    // A dialog's showing as one step of the history: the settings dialogs,
    // and the per-series ones in their loop (each series' attributes, or all
    // of it for the fit).
    void SettingsSession(const char* name, const std::function<void()>& run);
    enum class SeriesPart { Attributes, WholeSeries };
    void SeriesSession(const char* name, TSpreadF* start, SeriesLoopEnd end, SeriesPart part,
                       const std::function<void(TSpreadF&)>& show);
    void HistoryChanged();
    void MoveInHistory(bool undo);
    void AfterHistoryMove();
    // At start: work left by a program that did not end normally is offered
    // back; true when it was opened. Then this program's recovery file starts.
    bool OfferRecovery();
    QAction* MakeAction(const char* name, const QString& text,
                        const std::function<void()>& handler);
    void Discard(QMdiSubWindow* sub);
    QWidget* CreateDataChild(Series& series);
    TTextF* CreateTextChild();
    QWidget* ShowTextWindow(TTextF* window, QSize size = QSize(480, 350));
    bool AskSaveFirst(bool* proceed);
    void ViewGraph();
    // A tool bar button's dialog: the graph made and drawn first, drawn again after.
    void ToolDialog(void (TMDIMainF::*command)());
    void ToolSaveGraph();
    void ToolCopyPaste(const char* actionName);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    // The desktop's keys for the child windows (window menu, close, next).
    void CreateChildKeys();
    void CreateDialogs();
    // Where the graph type dialog shows the fit dialog for a series that needs a fit.
    void FitDialogForGraphType(Series& series);
    void UpdateWindowMenu();
    void MergeMenus(QWidget* child);
    void SubWindowActivated(QMdiSubWindow* window);
    void ReadStartup();
    void LoadStartupGraph();
    void ReloadPrefs();
    void AfterSeriesRemoved();
    void RefreshDataWindows();
    void ConnectDataWindow(TSpreadF& window);
    std::optional<std::string> ChooseGraphFile(const SaveDialogRequest& request);
    // The children that tiling and cascading arrange, in the order they are placed.
    QList<QMdiSubWindow*> ArrangedChildren() const;
    void TileChildren(bool sideBySide);
    // The folder the open and save dialogs start in.
    QString StartFolder() const;
    void AfterArrange();
    bool SeriesLimitReached();
    bool TextLimitReached();
    QMdiSubWindow* AddChild(QWidget* widget, QSize size);
    // Shows a new child fully inside the visible work area when it fits there.
    void ShowInside(QMdiSubWindow* sub);
    void OpenUrl(const QUrl& url);
    // A beep's reason in the status bar, for a few seconds.
    void ShowReason(const std::string& reason);
    // The extension rule of Open: from the last dot of the name, at most four
    // characters, upper-cased.
    static QString OpenExtension(const QString& path);
    // The help window, made on first use; null (and told) without a help file.
    THelpF* ShowHelpWindow();

    Options options_;
    Document doc_;
    History history_{doc_};
    std::unique_ptr<RecoveryWriter> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    std::uint64_t recoveryVersion_ = 0; // the history's version last written
    QAction* actUndo_ = nullptr;
    QAction* actRedo_ = nullptr;
    GraphWindowState graphState_;
    QString openFolder_;
    QString startupError_;
    SaveDialogFn saveDialogOverride_;
    QList<QPointer<QMdiSubWindow>> doomed_;
    QAction* actNewGraph_ = nullptr;
    QAction* actNewData_ = nullptr;
    QAction* actNewText_ = nullptr;
    QAction* actOpen_ = nullptr;
    QAction* actImportTable_ = nullptr;
    // The import dialog's last choices for each kind of table file.
    RememberedTables rememberedTables_;
    QAction* actExit_ = nullptr;
    QAction* actTileVert_ = nullptr;
    QAction* actTileHorz_ = nullptr;
    QAction* actCascade_ = nullptr;
    QAction* actCloseAll_ = nullptr;
    QAction* actClearAll_ = nullptr;
    QAction* actHelp_ = nullptr;
    QAction* actHelpHtm_ = nullptr;
    QAction* actVista_ = nullptr;
    QAction* actAbout_ = nullptr;
    QAction* actHome_ = nullptr;
    QtFeedback qtFeedback_;
    ReasonShowingFeedback reasonFeedback_; // beeps' reasons in the status bar
    // The dialogs made at start-up (children of this window).
    TitleDialog* titleTF_ = nullptr;
    TitleDialog* titleXF_ = nullptr;
    TitleDialog* titleYF_ = nullptr;
    TTitleSerF* titleSerF_ = nullptr;
    TGTypeF* gTypeF_ = nullptr;
    TTitleFlF* titleFlF_ = nullptr;
    Feedback* fb_;
    ProgramPrinter printer_;

    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    TCalcF* calcF_ = nullptr;
    TFillF* fillF_ = nullptr;
    TMathF* mathF_ = nullptr;
    TMath_XYF* mathXYF_ = nullptr;
    QPointer<QWidget> activeChild_;
    QPointer<QMdiSubWindow> graphWindow_;
    QPointer<TFitF> fitF_;
    QPointer<TPrintCF> printCF_;
    std::map<const Series*, QPointer<QMdiSubWindow>> dataWindows_;
    QList<QPointer<QMdiSubWindow>> textWindows_;
    QPointer<THelpF> help_;

    // The grid counts' rules, shared by the grid dialog and the scale dialog's "Find All".
    std::unique_ptr<GridDialogRules> gridRules_;
    TScaleF* scaleF_ = nullptr;
    TLogScaleF* logScaleF_ = nullptr;
    TGridF* gridF_ = nullptr;

    QMenu* fileMenu_ = nullptr;
    QMenu* prefMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* toolBarAction_ = nullptr;
    QAction* prefsAction_ = nullptr;

    bool closing_ = false;
    bool startupWritten_ = false;
    bool shownOnce_ = false;
    bool removalPending_ = false;
};

} // namespace torvel
