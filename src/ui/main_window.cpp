#include "ui/main_window.h"

#include "core/out_of_memory.h"
#include "files/data_file.h"
#include "files/graph_file.h"
#include "files/messages.h"
#include "files/startup_file.h"
#include "ui/about_dialog.h"
#include "ui/child_window.h"
#include "ui/dialogs/calc_window.h"
#include "ui/dialogs/fill_cells_dialog.h"
#include "ui/dialogs/fit_dialog.h"
#include "ui/dialogs/floating_titles_dialog.h"
#include "ui/dialogs/graph_type_dialog.h"
#include "ui/dialogs/grid_dialog_widget.h"
#include "ui/dialogs/log_scale_dialog_widget.h"
#include "ui/dialogs/math_dialog.h"
#include "ui/dialogs/math_xy_dialog.h"
#include "ui/dialogs/print_color_dialog.h"
#include "ui/dialogs/scale_dialog_widget.h"
#include "ui/dialogs/series_titles_dialog.h"
#include "ui/dialogs/title_dialogs.h"
#include "ui/graph_window.h"
#include "ui/help_window.h"
#include "ui/preferences_dialog.h"
#include "ui/series_loop.h"
#include "ui/shell_icons.h"
#include "ui/spread_window.h"
#include "ui/text_window.h"
#include "ui/window_layout.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <iostream>

namespace torvel {

namespace {

const char* const CloseQuestion =
    "Save && Exit [YES] -- No Save && Exit [NO] -- Cancel Exit [CANCEL]";
const char* const CopyNeedsWindowText = "Copy needs a data or text window to copy from.";
const char* const PasteNeedsWindowText = "Paste needs a data or text window to paste into.";

QString StripAmpersands(QString text) {
    return text.remove(QLatin1Char('&'));
}

// The extension rule of Open: from the last dot of the name, at most four
// characters, upper-cased.
QString OpenExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return {};
    return name.mid(dot, 4).toUpper();
}

} // namespace

TMDIMainF::TMDIMainF(Options options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)), qtFeedback_(this),
      reasonFeedback_(options_.FeedbackOverride ? *options_.FeedbackOverride : qtFeedback_,
                      [this](const std::string& reason) { ShowReason(reason); }),
      fb_(&reasonFeedback_) {
    setObjectName(QStringLiteral("MDIMainF"));
    setWindowTitle(QStringLiteral("Torvel Graphics v2.07"));
    setWindowIcon(ProgramIcon());

    doc_.Settings.LogFormatExponential = true;
    ResetGraphSettings(doc_.Settings);
    doc_.AddObserver(this);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &TMDIMainF::SubWindowActivated);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    // A sensible first size; the start-up file replaces it.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(1100, avail.width() * 9 / 10), std::min(760, avail.height() * 9 / 10));
        move(avail.center() - rect().center());
    } else {
        resize(1000, 700);
    }
    ReadStartup();
    CreateDialogs();
}

void TMDIMainF::ShowCalculator() {
    if (calcF_) calcF_->ShowCalculator();
}

TMDIMainF::~TMDIMainF() {
    if (!startupWritten_) WriteStartup();
    closing_ = true;
    // The dialogs use the document, which goes before our child widgets do.
    delete calcF_;
    calcF_ = nullptr;
    // Windows that show a series go before the document that holds it.
    for (auto& sub : doomed_)
        delete sub.data();
    doomed_.clear();
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        delete sub;
    doc_.RemoveObserver(this);
}

// ---------------------------------------------------------------- menus

QAction* TMDIMainF::MakeAction(const char* name, const QString& text,
                               const std::function<void()>& handler) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [handler] { handler(); });
    return a;
}

void TMDIMainF::CreateActions() {
    actNewGraph_ = MakeAction("NewGraphFile1", QStringLiteral("New Graph &File"),
                              [this] { NewGraphFile1Click(); });
    actNewData_ = MakeAction("NewData1", QStringLiteral("&New  Data"), [this] { NewData1Click(); });
    actNewText_ = MakeAction("NewText1", QStringLiteral("New  &Text"), [this] { NewText1Click(); });
    actOpen_ = MakeAction("Open1", QStringLiteral("&Open"), [this] { Open1Click(); });
    actOpen_->setShortcut(QKeySequence(Qt::Key_F3));
    actExit_ = MakeAction("Exit1", QStringLiteral("E&xit"), [this] { Exit1Click(); });
    actExit_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    // Their keys work whichever child is active, whose menus then stand in the
    // bar in place of ours and only show the keys.
    addAction(actOpen_);
    addAction(actExit_);

    toolBarAction_ =
        MakeAction("ToolBar1", QStringLiteral("&Hide Tool Bar"), [this] { ToolBar1Click(); });
    prefsAction_ = MakeAction("Options1", QStringLiteral("Preferences Dialog...."),
                              [this] { Options1Click(); });

    actTileVert_ = MakeAction("WindowTileHoz1", QStringLiteral("Tile &Vert."),
                              [this] { WindowTileHoz1Click(); });
    actTileHorz_ = MakeAction("WindowTileVert1", QStringLiteral("Tile &Horz."),
                              [this] { WindowTileVert1Click(); });
    actCascade_ =
        MakeAction("WindowCasade1", QStringLiteral("&Cascade"), [this] { WindowCasade1Click(); });
    actCloseAll_ = MakeAction("WindowCloseAll1", QStringLiteral("C&lose All"),
                              [this] { WindowCloseAll1Click(); });
    actClearAll_ = MakeAction("WindowClearAll1", QStringLiteral("Clear  &All"),
                              [this] { WindowClearAll1Click(); });

    actHelp_ = MakeAction("Contents1", QStringLiteral("&Help Win32"), [this] { Contents1Click(); });
    // F1 opens the help at the active window's own section (the graph window's,
    // 550), else at the contents.
    auto* contextHelp = new QAction(this);
    contextHelp->setObjectName(QStringLiteral("ContextHelp"));
    contextHelp->setShortcut(QKeySequence(Qt::Key_F1));
    contextHelp->setShortcutContext(Qt::WindowShortcut);
    connect(contextHelp, &QAction::triggered, this,
            [this] { ShowHelp(qobject_cast<TGraphF*>(activeChild_.data()) ? 550 : 100); });
    addAction(contextHelp);
    actHelpHtm_ = MakeAction("HelpHTM1", QStringLiteral("Help HT&M"), [this] { HelpHTM1Click(); });
    actVista_ = MakeAction("VistaHelp1", QStringLiteral("Vista or Win7/8 Help"),
                           [this] { VistaHelp1Click(); });
    actAbout_ = MakeAction("About1", QStringLiteral("&About"), [this] { About1Click(); });
    actHome_ = MakeAction("TorvelGraphicsHomePage1", QStringLiteral("Torvel &Graphics Home Page"),
                          [this] { TorvelGraphicsHomePage1Click(); });
}

void TMDIMainF::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    fileMenu_ = new QMenu(QStringLiteral("&File"), this);
    fileMenu_->setObjectName(QStringLiteral("File1"));
    fileMenu_->addAction(actNewGraph_);
    fileMenu_->addAction(actNewData_);
    fileMenu_->addAction(actNewText_);
    fileMenu_->addAction(actOpen_);
    fileMenu_->addSeparator();
    fileMenu_->addAction(actExit_);

    prefMenu_ = new QMenu(QStringLiteral("&Preferences"), this);
    prefMenu_->setObjectName(QStringLiteral("Preferences1"));
    prefMenu_->addAction(toolBarAction_);
    prefMenu_->addAction(prefsAction_);

    windowMenu_ = new QMenu(QStringLiteral("&Window"), this);
    windowMenu_->setObjectName(QStringLiteral("Window1"));
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMDIMainF::UpdateWindowMenu);
    UpdateWindowMenu();

    helpMenu_ = new QMenu(QStringLiteral("&Help"), this);
    helpMenu_->setObjectName(QStringLiteral("Help1"));
    helpMenu_->addAction(actHelp_);
    helpMenu_->addAction(actHelpHtm_);
    helpMenu_->addAction(actVista_);
    helpMenu_->addSeparator();
    helpMenu_->addAction(actAbout_);
    helpMenu_->addAction(actHome_);

    MergeMenus(nullptr);
}

void TMDIMainF::CreateToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("Tool Bar"), this);
    toolBar_->setObjectName(QStringLiteral("Panel1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, toolBar_);

    struct Button {
        const char* name;
        const char* hint;
        ToolIconKind icon;
        std::function<void()> action;
        bool enabled;
    };
    const Button buttons[] = {
        {"SpeedButton1", "New Data", ToolIconKind::NewData, [this] { NewData1Click(); }, true},
        {"SpeedButton2", "Open File", ToolIconKind::Open, [this] { Open1Click(); }, true},
        {"SpeedButton3", "Tile Windows", ToolIconKind::Tile, [this] { WindowTileHoz1Click(); },
         true},
        {"SpeedButton4", "View Graph", ToolIconKind::Graph, [this] { ViewGraph(); }, true},
        {"SpeedButton5", "Graph Scale", ToolIconKind::Scale,
         [this] { ToolDialog(&TMDIMainF::Scale1Click); }, true},
        {"SpeedButton6", "Save Graph", ToolIconKind::Save, [this] { ToolSaveGraph(); }, true},
        {"SpeedButton7", "Graph Grid", ToolIconKind::Grid,
         [this] { ToolDialog(&TMDIMainF::Grid1Click); }, true},
        {"SpeedButton8", "Cascade Windows", ToolIconKind::Cascade, [this] { WindowCasade1Click(); },
         true},
        {"SpeedButton9", "Calculator", ToolIconKind::Calculator, [this] { ShowCalculator(); },
         true},
        {"SpeedButton10", "Copy", ToolIconKind::Copy, [this] { ToolCopyPaste("Copy1"); }, true},
        {"SpeedButton11", "Paste", ToolIconKind::Paste, [this] { ToolCopyPaste("Paste1"); }, true},
    };
    int i = 0;
    for (const Button& b : buttons) {
        QAction* a = toolBar_->addAction(ToolIcon(b.icon), QString::fromLatin1(b.hint));
        a->setObjectName(QString::fromLatin1(b.name) + QStringLiteral("Action"));
        a->setToolTip(QString::fromLatin1(b.hint));
        a->setEnabled(b.enabled);
        auto handler = b.action;
        connect(a, &QAction::triggered, this, [handler] { handler(); });
        if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(a)))
            button->setObjectName(QString::fromLatin1(b.name));
        if (i == 2 || i == 3 || i == 7 || i == 8) toolBar_->addSeparator();
        ++i;
    }
}

void TMDIMainF::UpdateWindowMenu() {
    windowMenu_->clear();
    windowMenu_->addAction(actTileVert_);
    windowMenu_->addAction(actTileHorz_);
    windowMenu_->addAction(actCascade_);
    windowMenu_->addAction(actCloseAll_);
    windowMenu_->addAction(actClearAll_);
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    windowMenu_->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : windows) {
        ++n;
        const QString caption = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        QString text = n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(caption)
                              : QStringLiteral("%1 %2").arg(n).arg(caption);
        QAction* a = windowMenu_->addAction(text);
        // Only the active window is marked.
        a->setCheckable(sub == mdi_->activeSubWindow());
        a->setChecked(a->isCheckable());
        QPointer<QMdiSubWindow> target(sub);
        connect(a, &QAction::triggered, this, [this, target] {
            if (!target) return;
            if (target->isMinimized()) target->showNormal();
            mdi_->setActiveSubWindow(target);
        });
    }
}

void TMDIMainF::MergeMenus(QWidget* child) {
    // While a child with its own menus is active, its File replaces ours and its
    // other menus follow it, before Preferences, Window and Help.
    QMenuBar* bar = menuBar();
    QMenuBar* childBar = child ? child->findChild<QMenuBar*>() : nullptr;
    QAction* file = fileMenu_->menuAction();
    QList<QAction*> others;
    if (childBar) {
        childBar->setVisible(false);
        for (QAction* a : childBar->actions()) {
            if (!a->menu()) continue;
            if (StripAmpersands(a->text()) == QStringLiteral("File"))
                file = a;
            else
                others.push_back(a);
        }
    }
    QList<QAction*> wanted{file};
    wanted += others;
    wanted += {prefMenu_->menuAction(), windowMenu_->menuAction(), helpMenu_->menuAction()};
    if (bar->actions() == wanted) return;
    for (QAction* a : bar->actions())
        bar->removeAction(a);
    bar->addActions(wanted);
}

void TMDIMainF::SubWindowActivated(QMdiSubWindow* window) {
    if (!window) {
        // Focus went to a dialog or elsewhere; keep the menus of the last child
        // unless no child is left.
        bool anyVisible = false;
        for (QMdiSubWindow* sub : mdi_->subWindowList())
            anyVisible = anyVisible || sub->isVisible();
        if (!anyVisible) {
            activeChild_ = nullptr;
            MergeMenus(nullptr);
        }
        return;
    }
    QWidget* child = window->widget();
    SetActiveChild(child);
    MergeMenus(child);
    if (auto* graph = qobject_cast<TGraphF*>(child)) graph->FormActivate();
}

void TMDIMainF::SetActiveChild(QWidget* child) {
    activeChild_ = child;
}

void TMDIMainF::ShowReason(const std::string& reason) {
    // Long enough to read after the beep, gone before it misleads.
    statusBar()->showMessage(QString::fromStdString(reason), ReasonShownMs);
}

// ---------------------------------------------------------------- dialogs

void TMDIMainF::CreateDialogs() {
    // Made once, hidden, and reused for the whole run, in this order:
    // preferences, scale, log scale, main titles, X titles, Y titles, series
    // titles, fit, fill cells, X & Y operations, operations on cells, graph
    // type, printer colour, calculator, floating titles, grid.
    const RedrawHooks redraw{[this] { RedrawGraph(); },
                             [this] {
                                 EnsureGraphWindow();
                                 RedrawGraph();
                             }};
    gridRules_ = std::make_unique<GridDialogRules>(doc_.Settings, *fb_, redraw);
    scaleF_ = new TScaleF(*this, redraw, *gridRules_, this);
    // A draw that has to repair a logarithmic range shows it in the scale dialog.
    graphState_.View.ScaleBoxes = &scaleF_->Rules().State.Boxes;
    logScaleF_ = new TLogScaleF(*this, redraw, this);
    gridF_ = new TGridF(*this, *gridRules_, this);
    scaleF_->SetGridDialog(gridF_);
    gridF_->SetScaleDialog(scaleF_);
    titleTF_ = new TTitleTF(*this);
    titleXF_ = new TTitleXF(*this);
    titleYF_ = new TTitleYF(*this);
    titleSerF_ = new TTitleSerF(*this);
    FitF();
    fillF_ = new TFillF(*this);
    mathXYF_ = new TMath_XYF(*this);
    mathF_ = new TMathF(*this, [this] { ShowCalculator(); });
    gTypeF_ = new TGTypeF(*this, [this](Series& series) { FitDialogForGraphType(series); });
    titleFlF_ = new TTitleFlF(*this, [this] { EnsureGraphWindow(); });
    printCF_ = new TPrintCF(*this, this);
    calcF_ = new TCalcF(*this, this);
    connect(calcF_, &TCalcF::Closed, mathF_, &TMathF::CalculatorClosed);
}

void TMDIMainF::Scale1Click() {
    scaleF_->Execute();
    RedrawGraph();
}

void TMDIMainF::Grid1Click() {
    gridF_->Execute();
    RedrawGraph();
}

void TMDIMainF::LogScale1Click() {
    logScaleF_->Execute();
    RedrawGraph();
}

void TMDIMainF::FitDialogForGraphType(Series& series) {
    // For the active data window, which is this series' window; the graph type
    // dialog stays open over it.
    auto* window = qobject_cast<TSpreadF*>(DataWindowOf(series));
    if (!window) return;
    FitF()->Execute(*window);
    // Its Next has no next series to go to here: the graph type dialog's own
    // Next is what steps on.
    doc_.NextSeriesRequested = false;
}

void TMDIMainF::MainTitlesDialog() {
    titleTF_->Execute();
    RedrawGraph();
}

void TMDIMainF::XTitlesDialog() {
    titleXF_->Execute();
    RedrawGraph();
}

void TMDIMainF::YTitlesDialog() {
    titleYF_->Execute();
    RedrawGraph();
}

void TMDIMainF::FloatingTitlesDialog() {
    titleFlF_->Execute();
    RedrawGraph();
}

void TMDIMainF::SeriesTitlesDialog(TSpreadF* from) {
    RunSeriesLoop(*this, from, from ? SeriesLoopEnd::RedrawGraph : SeriesLoopEnd::ActivateGraph,
                  [this](TSpreadF& window) { titleSerF_->Execute(window.GetSeries()); });
}

void TMDIMainF::GraphTypeDialog(TSpreadF* from) {
    RunSeriesLoop(*this, from, from ? SeriesLoopEnd::RedrawGraph : SeriesLoopEnd::ActivateGraph,
                  [this](TSpreadF& window) { gTypeF_->Execute(window.GetSeries()); });
}

// ---------------------------------------------------------------- children

QMdiSubWindow* TMDIMainF::AddChild(QWidget* widget, QSize size) {
    QMdiSubWindow* sub = mdi_->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (QMenuBar* bar = widget->findChild<QMenuBar*>()) bar->setVisible(false);
    sub->resize(size);
    return sub;
}

void TMDIMainF::ShowInside(QMdiSubWindow* sub) {
    // The area's own placement may leave a new window partly outside the
    // visible area, its caption cut off.
    sub->show();
    sub->move(PlaceInside(sub->geometry(), mdi_->viewport()->rect()));
}

void TMDIMainF::Discard(QMdiSubWindow* sub) {
    // Removed from the area at once (so the lists are right) but deleted after
    // the handler that asked for it has returned: it may be running in this very
    // window. Until then it stays hidden and owned by us.
    if (!sub) return;
    sub->hide();
    mdi_->removeSubWindow(sub);
    sub->setParent(this);
    sub->hide();
    doomed_.push_back(sub);
    sub->deleteLater();
}

QWidget* TMDIMainF::CreateDataChild(Series& series) {
    auto* w = new TSpreadF(*this, series);
    // The window's own close was agreed to: the series goes, and with it the
    // window, once the window's close handling has returned.
    connect(
        w, &TSpreadF::CloseAccepted, this,
        [this, target = &series] {
            for (const auto& s : doc_.DataWindows())
                if (s.get() == target) {
                    doc_.DestroySeries(*target);
                    return;
                }
        },
        Qt::QueuedConnection);
    ConnectDataWindow(*w);
    return w;
}

void TMDIMainF::ConnectDataWindow(TSpreadF& w) {
    // The data window's File menu stands in for ours while it is active.
    connect(&w, &TSpreadF::NewGraphFileRequested, this, [this] { NewGraphFile1Click(); });
    connect(&w, &TSpreadF::NewDataRequested, this, [this] { NewData1Click(); });
    connect(&w, &TSpreadF::NewTextRequested, this, [this] { NewText1Click(); });
    connect(&w, &TSpreadF::OpenRequested, this, [this] { Open1Click(); });
    connect(&w, &TSpreadF::ExitRequested, this, [this] { Exit1Click(); });
    connect(&w, &TSpreadF::FitRequested, this, [this](TSpreadF* window) { RunFitDialog(window); });
    connect(&w, &TSpreadF::ViewGraphRequested, this, [this] { ViewGraph(); });
    connect(&w, &TSpreadF::AutoScaleRequested, this, [this] {
        if (TGraphF* g = EnsureGraphWindow()) g->AutoScale1Click();
    });
    connect(&w, &TSpreadF::SeriesDuplicated, this, [this](Series* created) {
        if (auto* copy = qobject_cast<TSpreadF*>(DataWindowOf(*created))) copy->RefreshGrid();
    });
    connect(&w, &TSpreadF::PrintColorRequested, this,
            [this](TSpreadF* window) { RunPrintColorDialog(window); });
    connect(&w, &TSpreadF::FillCellsRequested, this,
            [this](TSpreadF* window) { RunFillDialog(window); });
    connect(&w, &TSpreadF::OperateCellsRequested, this,
            [this](TSpreadF* window) { RunMathDialog(window); });
    connect(&w, &TSpreadF::XYOperationsRequested, this,
            [this](TSpreadF* window) { RunMathXYDialog(window); });
    connect(&w, &TSpreadF::CalculatorRequested, this, [this] { ShowCalculator(); });
    // Saving the graph needs the graph window: made and drawn first when missing.
    auto graph = [this] {
        if (!GraphF()) {
            EnsureGraphWindow();
            RedrawGraph();
        }
        return GraphF();
    };
    connect(&w, &TSpreadF::SaveGraphRequested, this, [this, graph] {
        graph();
        SaveGraph();
    });
    connect(&w, &TSpreadF::SaveBitmapRequested, this, [graph] {
        if (TGraphF* g = graph()) g->SaveBitmap1Click();
    });
    connect(&w, &TSpreadF::ScaleRequested, this, [this] { Scale1Click(); });
    connect(&w, &TSpreadF::GridRequested, this, [this] { Grid1Click(); });
    connect(&w, &TSpreadF::LogScaleRequested, this, [this] { LogScale1Click(); });
    // The appearance dialogs of its Graph and Legend menus and its pop-up menu.
    connect(&w, &TSpreadF::MainTitlesRequested, this, [this] { MainTitlesDialog(); });
    connect(&w, &TSpreadF::XTitlesRequested, this, [this] { XTitlesDialog(); });
    connect(&w, &TSpreadF::YTitlesRequested, this, [this] { YTitlesDialog(); });
    connect(&w, &TSpreadF::FloatingTitlesRequested, this, [this] { FloatingTitlesDialog(); });
    connect(&w, &TSpreadF::SeriesTitlesRequested, this,
            [this, window = &w] { SeriesTitlesDialog(window); });
    connect(&w, &TSpreadF::GraphTypeRequested, this,
            [this, window = &w] { GraphTypeDialog(window); });
    connect(&w, &TSpreadF::PrintGraphRequested, this, [graph] {
        if (TGraphF* g = graph()) g->PrintGraph1Click();
    });
}

TTextF* TMDIMainF::CreateTextChild() {
    auto* w = new TTextF(*this);
    connect(w, &TTextF::NewDataRequested, this, [this] { NewData1Click(); });
    connect(w, &TTextF::NewTextRequested, this, [this] { NewText1Click(); });
    connect(w, &TTextF::OpenRequested, this, [this] { Open1Click(); });
    connect(w, &TTextF::ExitRequested, this, [this] { Exit1Click(); });
    // Its own close was agreed to: it leaves the list and goes once its close
    // handling has returned.
    connect(
        w, &TTextF::CloseAccepted, this,
        [this](TTextF* window) {
            for (int i = 0; i < textWindows_.size(); ++i)
                if (textWindows_[i] && textWindows_[i]->widget() == window) {
                    QPointer<QMdiSubWindow> sub = textWindows_.takeAt(i);
                    Discard(sub);
                    return;
                }
        },
        Qt::QueuedConnection);
    return w;
}

void TMDIMainF::SeriesAdded(Series& series) {
    QWidget* w = CreateDataChild(series);
    QMdiSubWindow* sub = AddChild(w, TSpreadF::DefaultSize());
    // Deleted when its series is removed, never by its own close.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    dataWindows_[&series] = sub;
    ShowInside(sub);
}

void TMDIMainF::SeriesRemoving(Series& series) {
    auto it = dataWindows_.find(&series);
    if (it == dataWindows_.end()) return;
    QPointer<QMdiSubWindow> sub = it->second;
    dataWindows_.erase(it);
    Discard(sub);
    if (closing_ || removalPending_) return;
    removalPending_ = true;
    QTimer::singleShot(0, this, [this] { AfterSeriesRemoved(); });
}

void TMDIMainF::AfterSeriesRemoved() {
    removalPending_ = false;
    if (closing_) return;
    if (doc_.SeriesCount() == 0) {
        if (graphWindow_) {
            Discard(graphWindow_);
            graphWindow_ = nullptr;
        }
    } else {
        RedrawGraph();
    }
}

void TMDIMainF::RefreshDataWindows() {
    // The readers fill the series and name them after their file once the
    // windows exist.
    for (const auto& series : doc_.DataWindows())
        if (auto* w = qobject_cast<TSpreadF*>(DataWindowOf(*series))) w->RefreshGrid();
}

QWidget* TMDIMainF::DataWindowOf(const Series& series) const {
    auto it = dataWindows_.find(&series);
    if (it == dataWindows_.end() || !it->second) return nullptr;
    return it->second->widget();
}

TFitF* TMDIMainF::FitF() {
    if (!fitF_) fitF_ = new TFitF(*this, this);
    return fitF_;
}

TPrintCF* TMDIMainF::PrintCF() const {
    return printCF_;
}

void TMDIMainF::RunPrintColorDialog(TSpreadF* start) {
    // A printer colour shows only on paper: the graph window is not redrawn.
    RunSeriesLoop(*this, start, SeriesLoopEnd::NoRedraw,
                  [this](TSpreadF& window) { printCF_->Execute(window); });
}

void TMDIMainF::RunFillDialog(TSpreadF* start) {
    RunSeriesLoop(*this, start, SeriesLoopEnd::RedrawGraph,
                  [this](TSpreadF& window) { fillF_->Execute(window); });
}

void TMDIMainF::RunMathDialog(TSpreadF* start) {
    // K is read from the dialog's box while it is up; an open calculator
    // would hold another.
    if (calcF_ && calcF_->isVisible()) calcF_->close();
    RunSeriesLoop(*this, start, SeriesLoopEnd::RedrawGraph,
                  [this](TSpreadF& window) { mathF_->Execute(window); });
}

void TMDIMainF::RunMathXYDialog(TSpreadF* start) {
    RunSeriesLoop(*this, start, SeriesLoopEnd::RedrawGraph,
                  [this](TSpreadF& window) { mathXYF_->Execute(window); });
}

void TMDIMainF::RunFitDialog(TSpreadF* start) {
    // From the graph window the loop starts at the lowest series and ends
    // with the graph window active again.
    RunSeriesLoop(*this, start, start ? SeriesLoopEnd::RedrawGraph : SeriesLoopEnd::ActivateGraph,
                  [this](TSpreadF& window) { FitF()->Execute(window); });
}

TGraphF* TMDIMainF::GraphF() const {
    return graphWindow_ ? qobject_cast<TGraphF*>(graphWindow_->widget()) : nullptr;
}

int TMDIMainF::TextWindowCount() const {
    return static_cast<int>(TextWindows().size());
}

QList<QWidget*> TMDIMainF::TextWindows() const {
    QList<QWidget*> list;
    for (const auto& sub : textWindows_)
        if (sub && sub->widget()) list.push_back(sub->widget());
    return list;
}

TGraphF* TMDIMainF::EnsureGraphWindow() {
    if (TGraphF* g = GraphF()) {
        if (graphWindow_->isMinimized()) graphWindow_->showNormal();
        mdi_->setActiveSubWindow(graphWindow_);
        return g;
    }
    if (doc_.SeriesCount() == 0) return nullptr;
    doc_.SuppressResizeDraw = true;
    auto* graph = new TGraphF(*this, graphState_);
    QMdiSubWindow* sub = mdi_->addSubWindow(graph);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setMinimumSize(160, 120);
    graph->MenuBar()->setVisible(false);
    sub->setGeometry(graphState_.LastGraphLeft, graphState_.LastGraphTop,
                     graphState_.View.Geometry.LastGraphWidth,
                     graphState_.View.Geometry.LastGraphHeight);
    sub->installEventFilter(this);
    graphWindow_ = sub;
    sub->show();
    mdi_->setActiveSubWindow(sub);
    return graph;
}

bool TMDIMainF::eventFilter(QObject* watched, QEvent* event) {
    // The graph window's geometry is remembered for the next graph window.
    // The event type is tested first: other events also come while the window
    // is being destroyed, when it must not be looked at.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && graphWindow_ &&
        watched == graphWindow_.data() && !graphWindow_->isMinimized() &&
        !graphWindow_->isMaximized()) {
        const QRect r = graphWindow_->geometry();
        graphState_.LastGraphLeft = r.left();
        graphState_.LastGraphTop = r.top();
        graphState_.View.Geometry.LastGraphWidth = r.width();
        graphState_.View.Geometry.LastGraphHeight = r.height();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMDIMainF::CloseAllWindows(bool withTextWindows) {
    if (graphWindow_) {
        Discard(graphWindow_);
        graphWindow_ = nullptr;
    }
    doc_.DestroyAllSeries();
    if (withTextWindows) {
        while (!textWindows_.isEmpty()) {
            QPointer<QMdiSubWindow> sub = textWindows_.takeLast();
            Discard(sub);
        }
    }
    MergeMenus(nullptr);
}

void TMDIMainF::RedrawGraph() {
    if (closing_) return;
    if (TGraphF* g = GraphF()) g->Draw();
}

// ---------------------------------------------------------------- commands

bool TMDIMainF::SeriesLimitReached() {
    if (doc_.SeriesCount() < MaxSeries) return false;
    fb_->Beep(SeriesLimitText(MaxSeries));
    fb_->Message(MessageKind::Error, SeriesLimitText(MaxSeries), MessageButtons::Ok);
    return true;
}

bool TMDIMainF::TextLimitReached() {
    if (TextWindowCount() < MaxTextWindows) return false;
    fb_->Beep(TextLimitText(MaxTextWindows));
    fb_->Message(MessageKind::Error, TextLimitText(MaxTextWindows), MessageButtons::Ok);
    return true;
}

void TMDIMainF::NewData1Click() {
    if (SeriesLimitReached()) return;
    doc_.NewSeriesRows = doc_.Prefs.MaxDataIndex;
    Series* s = nullptr;
    if (!GuardMemory(*fb_, "make a new data window", [&] { s = &doc_.CreateSeries(*fb_); })) return;
    doc_.SortDataWindows();
    auto it = dataWindows_.find(s);
    if (it != dataWindows_.end() && it->second) mdi_->setActiveSubWindow(it->second);
}

QWidget* TMDIMainF::NewTextWindow() {
    if (TextLimitReached()) return nullptr;
    return ShowTextWindow(CreateTextChild());
}

QWidget* TMDIMainF::ShowTextWindow(TTextF* w) {
    QMdiSubWindow* sub = AddChild(w, QSize(480, 350));
    // Deleted by the main window once its close is agreed to, never by the close itself.
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    textWindows_.push_back(sub);
    ShowInside(sub);
    mdi_->setActiveSubWindow(sub);
    return w;
}

void TMDIMainF::NewText1Click() {
    NewTextWindow();
}

QWidget* TMDIMainF::OpenTextFile(const QString& path) {
    if (TextLimitReached()) return nullptr;
    // A folder or a pipe is refused before it is opened (a pipe would wait forever).
    if (const std::string problem = ReadProblemText(path.toStdString()); !problem.empty()) {
        fb_->Message(MessageKind::Error, problem, MessageButtons::Ok);
        return nullptr;
    }
    TTextF* w = CreateTextChild();
    QString error;
    if (!w->OpenFile(path, &error)) {
        delete w;
        fb_->Message(MessageKind::Error,
                     "Could not open " + path.toStdString() + ": " + error.toStdString(),
                     MessageButtons::Ok);
        return nullptr;
    }
    return ShowTextWindow(w);
}

QStringList TMDIMainF::OpenFilters() {
    return {QStringLiteral("Data File (*.prn)"), QStringLiteral("Graph File (*.gra)"),
            QStringLiteral("Text File (*.txt)"), QStringLiteral("Any File as Text (*)")};
}

QString TMDIMainF::StartFolder() const {
    // Where the last file was opened, else beside the graph being edited.
    if (!openFolder_.isEmpty()) return openFolder_;
    const QFileInfo graph(QString::fromStdString(doc_.GraphFileName));
    if (graph.isAbsolute() && graph.dir().exists()) return graph.absolutePath();
    return QDir::currentPath();
}

void TMDIMainF::Open1Click() {
    const QStringList filters = OpenFilters();
    QFileDialog dialog(this, QStringLiteral("Open"));
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[1]);
    dialog.setDirectory(StartFolder());
    PrepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    openFolder_ = QFileInfo(path).absolutePath();
    const int filter =
        std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    OpenChosenFile(path, filter);
}

void TMDIMainF::OpenChosenFile(const QString& path, int filterIndex) {
    if (filterIndex >= 2) {
        OpenTextFile(path);
        return;
    }
    const QString ext = OpenExtension(path);
    if (ext == QStringLiteral(".PRN")) {
        OpenDataFile(path);
    } else if (ext == QStringLiteral(".GRA")) {
        if (doc_.SeriesCount() > 0 && !AskDataLoss(*fb_)) return;
        OpenGraphFile(path);
    } else {
        fb_->Message(MessageKind::Error, UnknownFileTypeText(path.toStdString()),
                     MessageButtons::Ok);
    }
}

bool TMDIMainF::OpenDataFile(const QString& path) {
    const int before = doc_.SeriesCount();
    const bool ok = ReadDataFileWithProgress(path);
    RefreshDataWindows();
    if (doc_.SeriesCount() > before) {
        // New series are worth seeing: show them on the graph.
        EnsureGraphWindow();
        RedrawGraph();
    }
    return ok;
}

bool TMDIMainF::OpenGraphFile(const QString& path) {
    // The reader replaces the series itself, and leaves them alone when the
    // file cannot be opened at all.
    const bool ok = ReadGraphFileWithProgress(path);
    if (!ok) {
        doc_.GraphLoadFailed = false;
        return false;
    }
    doc_.SuppressResizeDraw = true;
    if (doc_.SeriesCount() > 0) {
        EnsureGraphWindow();
        WindowTileHoz1Click();
    }
    RedrawGraph();
    doc_.SuppressResizeDraw = false;
    if (TGraphF* g = GraphF()) g->UpdateCaption();
    return true;
}

bool TMDIMainF::AskSaveFirst(bool* proceed) {
    // Yes saves first; cancelling that save keeps everything as it was, so
    // "save first" can never end in the data being thrown away unsaved.
    const Answer a =
        fb_->Message(MessageKind::Warning, SaveGraphFirstQuestion, MessageButtons::YesNoCancel);
    if (a == Answer::Cancel) {
        *proceed = false;
        return false;
    }
    if (a == Answer::Yes && doc_.SeriesCount() > 0) {
        EnsureGraphWindow();
        RedrawGraph();
        if (!SaveGraph()) {
            *proceed = false;
            return false;
        }
    }
    *proceed = true;
    return true;
}

void TMDIMainF::NewGraphFile1Click() {
    bool proceed = false;
    AskSaveFirst(&proceed);
    if (!proceed) return;
    CloseAllWindows(true);
    ResetGraphSettings(doc_.Settings);
    doc_.GraphFileName = NoNameGraph;
    ReloadPrefs();
}

void TMDIMainF::WindowCloseAll1Click() {
    if (doc_.SeriesCount() == 0 && TextWindowCount() == 0) return;
    if (!AskDataLoss(*fb_)) return;
    CloseAllWindows(true);
}

void TMDIMainF::WindowClearAll1Click() {
    if (doc_.SeriesCount() > 0 || TextWindowCount() > 0) {
        if (!AskDataLoss(*fb_)) return;
        CloseAllWindows(true);
    }
    ResetGraphSettings(doc_.Settings);
    doc_.GraphFileName = NoNameGraph;
    ReloadPrefs();
}

void TMDIMainF::Exit1Click() {
    close();
}

void TMDIMainF::ViewGraph() {
    if (doc_.SeriesCount() == 0) return;
    EnsureGraphWindow();
    RedrawGraph();
}

void TMDIMainF::ToolDialog(void (TMDIMainF::*command)()) {
    if (doc_.SeriesCount() == 0) return;
    EnsureGraphWindow();
    RedrawGraph();
    (this->*command)();
}

void TMDIMainF::ToolSaveGraph() {
    if (doc_.SeriesCount() == 0) return;
    EnsureGraphWindow();
    RedrawGraph();
    SaveGraph();
}

void TMDIMainF::ToolCopyPaste(const char* actionName) {
    QWidget* child = activeChild_;
    QAction* a = child ? child->findChild<QAction*>(QString::fromLatin1(actionName)) : nullptr;
    // Data and text windows have their own Copy and Paste; others beep.
    if (a && a->isEnabled()) {
        a->trigger();
        return;
    }
    fb_->Beep(std::string(actionName) == "Copy1" ? CopyNeedsWindowText : PasteNeedsWindowText);
}

void TMDIMainF::Options1Click() {
    TPreferF dialog(*this, PreferencesFile().toStdString(), this);
    dialog.Execute();
    RedrawGraph();
}

void TMDIMainF::ToolBar1Click() {
    const bool show = !toolBar_->isVisible();
    toolBar_->setVisible(show);
    toolBarAction_->setText(show ? QStringLiteral("&Hide Tool Bar")
                                 : QStringLiteral("&Show Tool Bar"));
}

QList<QMdiSubWindow*> TMDIMainF::ArrangedChildren() const {
    // The graph first, then the data windows in series order, then the rest;
    // minimised windows stay where they are.
    QList<QMdiSubWindow*> windows;
    auto take = [&windows](QMdiSubWindow* sub) {
        if (sub && sub->isVisible() && !sub->isMinimized() && !windows.contains(sub))
            windows.push_back(sub);
    };
    take(graphWindow_);
    for (const auto& series : doc_.DataWindows()) {
        auto it = dataWindows_.find(series.get());
        if (it != dataWindows_.end()) take(it->second);
    }
    for (QMdiSubWindow* sub : mdi_->subWindowList(QMdiArea::CreationOrder))
        take(sub);
    return windows;
}

void TMDIMainF::TileChildren(bool sideBySide) {
    const QList<QMdiSubWindow*> windows = ArrangedChildren();
    const QList<QRect> tiles =
        TileRects(mdi_->viewport()->rect(), static_cast<int>(windows.size()), sideBySide);
    for (qsizetype i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized()) windows[i]->showNormal();
        windows[i]->setGeometry(tiles[i]);
    }
    AfterArrange();
}

void TMDIMainF::WindowTileHoz1Click() {
    TileChildren(true);
}

void TMDIMainF::WindowTileVert1Click() {
    TileChildren(false);
}

void TMDIMainF::WindowCasade1Click() {
    // Each window one title bar lower and to the right of the one before, all of
    // one size, the active window last and so on top.
    QList<QMdiSubWindow*> windows = ArrangedChildren();
    if (windows.isEmpty()) return;
    QMdiSubWindow* active = mdi_->activeSubWindow();
    if (windows.removeOne(active)) windows.push_back(active);
    const QRect area = mdi_->viewport()->rect();
    const int step = std::max(16, windows.front()->widget()->geometry().top());
    const int n = static_cast<int>(windows.size());
    const int w = std::max(area.width() - (n - 1) * step, area.width() * 2 / 3);
    const int h = std::max(area.height() - (n - 1) * step, area.height() * 2 / 3);
    // Start again at the top left when the next window would leave the area.
    const int perRun = std::max(1, (area.height() - h) / step + 1);
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = windows[i];
        if (sub->isMaximized()) sub->showNormal();
        const int k = i % perRun;
        const int run = i / perRun;
        sub->setGeometry(k * step + run * step / 2, k * step, std::max(w, sub->minimumWidth()),
                         std::max(h, sub->minimumHeight()));
        sub->raise();
    }
    mdi_->setActiveSubWindow(windows.back());
    AfterArrange();
}

void TMDIMainF::AfterArrange() {
    RedrawGraph();
}

// ---------------------------------------------------------------- help

QUrl TMDIMainF::HelpUrl(int context) const {
    return THelpF::SectionUrl(options_.HelpFile, context);
}

void TMDIMainF::OpenUrl(const QUrl& url) {
    if (options_.UrlOpener) {
        options_.UrlOpener(url);
        return;
    }
    if (!QDesktopServices::openUrl(url))
        fb_->Message(MessageKind::Error,
                     "Could not open " + url.toDisplayString().toStdString() +
                         " with the system's default program.",
                     MessageButtons::Ok);
}

THelpF* TMDIMainF::ShowHelpWindow() {
    // The program's own window: help needs no web browser.
    if (options_.HelpFile.isEmpty() || !QFileInfo::exists(options_.HelpFile)) {
        fb_->Message(MessageKind::Error, "The help file could not be found.", MessageButtons::Ok);
        return nullptr;
    }
    if (!help_)
        help_ = new THelpF(
            options_.HelpFile, [this](const QUrl& url) { OpenUrl(url); }, this);
    return help_;
}

void TMDIMainF::ShowHelp(int context) {
    if (THelpF* help = ShowHelpWindow()) help->ShowSection(context);
}

void TMDIMainF::Contents1Click() {
    ShowHelp(100);
}

void TMDIMainF::HelpHTM1Click() {
    ShowHelp(0);
}

void TMDIMainF::VistaHelp1Click() {
    fb_->Message(MessageKind::Information,
                 "For Vista or Windows 7/8 operating systems\n"
                 "you may need to use the Torvel Graphics\n"
                 "[HTML] help file [Help HTM] instead of\n"
                 "the internal context sensitive help [Hlp] file\n"
                 "[Tor32.Hlp]. Microsoft does provide a file on\n"
                 "line named WinHlp32.exe for Win 7 or 8 \n"
                 "it enables reading any of the older [.hlp] files.",
                 MessageButtons::Ok);
}

void TMDIMainF::About1Click() {
    TAboutF about(this);
    about.exec();
    RedrawGraph();
}

void TMDIMainF::TorvelGraphicsHomePage1Click() {
    // This build has no web site of its own: its home is the help's front page.
    THelpF* help = ShowHelpWindow();
    if (!help) return;
    QUrl url = HelpUrl(0);
    url.setFragment(QStringLiteral("home"));
    help->ShowPage(url);
}

// ---------------------------------------------------------------- start-up and exit

QString TMDIMainF::PreferencesFile() const {
    if (options_.StartupFile.isEmpty()) return {};
    QFileInfo info(options_.StartupFile);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".cfg");
}

void TMDIMainF::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // After the window is on screen, so a long load shows its progress over it.
    QTimer::singleShot(0, this, [this] { LoadStartupGraph(); });
}

void TMDIMainF::LoadStartupGraph() {
    if (!startupError_.isEmpty()) {
        fb_->Message(MessageKind::Error, startupError_.toStdString(), MessageButtons::Ok);
        startupError_.clear();
    }
    const QString arg = options_.CommandLineFile;
    const std::string problem = arg.isEmpty() ? std::string() : ReadProblemText(arg.toStdString());
    if (!problem.empty()) {
        // A named file that cannot be read says why; the last graph opens as without one.
        fb_->Message(MessageKind::Error, problem, MessageButtons::Ok);
    } else if (!arg.isEmpty()) {
        // A data file given on the command line (as a file manager does) opens as data.
        if (OpenExtension(arg) == QStringLiteral(".PRN")) {
            // The graph shown is not the remembered graph file.
            doc_.GraphFileName = NoNameGraph;
            OpenDataFile(arg);
            return;
        }
        doc_.GraphFileName = arg.toStdString();
    }
    const QString name = QString::fromStdString(doc_.GraphFileName);
    if (doc_.GraphFileName == NoNameGraph) return;
    if (!QFileInfo(name).isFile()) {
        // The last graph has gone: start empty, without a word.
        doc_.GraphFileName = NoNameGraph;
        return;
    }
    OpenGraphFile(name);
}

void TMDIMainF::closeEvent(QCloseEvent* event) {
    if (!closing_ && (doc_.SeriesCount() > 0 || TextWindowCount() > 0)) {
        const Answer a =
            fb_->Message(MessageKind::Confirmation, CloseQuestion, MessageButtons::YesNoCancel);
        if (a == Answer::Cancel) {
            event->ignore();
            return;
        }
        if (a == Answer::Yes && doc_.SeriesCount() > 0) {
            EnsureGraphWindow();
            RedrawGraph();
            // A save that did not happen must not end in the data being lost.
            if (!SaveGraph()) {
                event->ignore();
                return;
            }
        }
    }
    closing_ = true;
    CloseAllWindows(true);
    WriteStartup();
    event->accept();
}

// ---------------------------------------------------------------- files

std::function<void(double)> TMDIMainF::ProgressFor(const QString& title, const QString& path) {
    // Shown only when the work takes a while; it keeps the windows painted.
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    return [this, clock, title, path](double fraction) {
        if (!progress_) {
            if (clock->elapsed() < 300 || fraction >= 0.9) {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                return;
            }
            progress_ = std::make_unique<QProgressDialog>(this);
            progress_->setObjectName(QStringLiteral("ProgressDialog"));
            progress_->setWindowTitle(title);
            progress_->setLabelText(title + QStringLiteral(" ") + QFileInfo(path).fileName() +
                                    QStringLiteral("..."));
            progress_->setCancelButton(nullptr);
            progress_->setRange(0, 1000);
            progress_->setMinimumDuration(0);
            progress_->setWindowModality(Qt::WindowModal);
            progress_->setAutoClose(false);
            progress_->setAutoReset(false);
            progress_->show();
        }
        progress_->setValue(static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 1000));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

void TMDIMainF::EndProgress() {
    progress_.reset();
}

bool TMDIMainF::ReadDataFileWithProgress(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<Series*> created =
        ReadDataFile(doc_, path.toStdString(), *fb_, ProgressFor(QStringLiteral("Reading"), path));
    EndProgress();
    QApplication::restoreOverrideCursor();
    return !created.empty();
}

bool TMDIMainF::ReadGraphFileWithProgress(const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReadGraphFile(doc_, path.toStdString(), *fb_, ProgressFor(QStringLiteral("Reading"), path));
    EndProgress();
    QApplication::restoreOverrideCursor();
    RefreshDataWindows();
    return !doc_.GraphLoadFailed;
}

std::optional<std::string> TMDIMainF::ChooseGraphFile(const SaveDialogRequest& request) {
    const QString ext = QString::fromStdString(request.DefaultExtension);
    QString preset = QString::fromStdString(request.FileName);
    // "NoName.gra" starts where the last file was opened.
    if (!QFileInfo(preset).isAbsolute()) preset = QDir(StartFolder()).filePath(preset);
    return RunSaveFileDialog(this,
                             {"SaveDialog1", QStringLiteral("Save Graph"),
                              QString::fromStdString(request.Filter) + QStringLiteral(" (*.") +
                                  ext + QStringLiteral(")"),
                              ext},
                             preset);
}

bool TMDIMainF::SaveGraph() {
    const SaveDialogFn dialog =
        saveDialogOverride_
            ? saveDialogOverride_
            : SaveDialogFn([this](const SaveDialogRequest& r) { return ChooseGraphFile(r); });
    bool written = false;
    GuardMemory(*fb_, "save the graph", [&] { written = SaveGraphAs(doc_, *fb_, dialog); });
    if (TGraphF* g = GraphF()) g->UpdateCaption();
    if (written) RedrawGraph();
    return written;
}

void TMDIMainF::ReadStartup() {
    if (options_.StartupFile.isEmpty()) return;
    const torvel::StartupFile sf = ReadStartupFile(options_.StartupFile.toStdString());
    if (!sf.Error.empty()) {
        startupError_ = QString::fromStdString(sf.Error);
        return;
    }
    if (sf.Geometry) {
        // Kept on a screen that exists now, and never smaller than usable.
        QRect r(sf.Geometry->Left, sf.Geometry->Top, std::max(sf.Geometry->Width, 320),
                std::max(sf.Geometry->Height, 240));
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect avail = screen->availableGeometry();
            r.setWidth(std::min(r.width(), avail.width()));
            r.setHeight(std::min(r.height(), avail.height()));
            if (!avail.intersects(r.adjusted(0, 0, -r.width() / 2, -r.height() / 2)))
                r.moveCenter(avail.center());
        }
        resize(r.size());
        move(r.topLeft());
    }
    if (sf.GraphFileName) doc_.GraphFileName = *sf.GraphFileName;
}

void TMDIMainF::WriteStartup() {
    if (startupWritten_ || options_.StartupFile.isEmpty()) return;
    startupWritten_ = true;
    const QRect r = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    const QPoint at = isMaximized() || isMinimized() ? r.topLeft() : pos();
    WindowGeometry g;
    g.Width = r.width();
    g.Height = r.height();
    g.Top = at.y();
    g.Left = at.x();
    std::string error;
    if (!WriteStartupFile(options_.StartupFile.toStdString(), doc_.Prefs, g, doc_.GraphFileName,
                          &error)) {
        // Told once; leaving the program goes on regardless.
        const std::string text = "The settings could not be saved to " +
                                 options_.StartupFile.toStdString() + ": " + error;
        if (isVisible())
            fb_->Message(MessageKind::Error, text, MessageButtons::Ok);
        else
            std::cerr << text << '\n';
    }
}

void TMDIMainF::ReloadPrefs() {
    if (options_.StartupFile.isEmpty()) return;
    ReloadPreferences(doc_.Prefs, options_.StartupFile.toStdString(), *fb_);
}

} // namespace torvel
