// The shell's wiring: the main window's construction, its children (data, text
// and graph windows) and how they follow the document. The commands live in
// the main_window_*.cpp files named after their role.
#include "ui/main_window.h"

#include "core/change_recorder.h"
#include "ui/dialogs/calc_window.h"
#include "ui/graph_window.h"
#include "ui/shell_icons.h"
#include "ui/spread_window.h"
#include "ui/text_window.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace torvel {

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
    CreateHistoryActions();
    CreateMenus();
    CreateToolBar();
    CreateChildKeys();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    setAcceptDrops(true);

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

QMdiSubWindow* TMDIMainF::AddChild(QWidget* widget, QSize size) {
    QMdiSubWindow* sub = mdi_->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (QMenuBar* bar = widget->findChild<QMenuBar*>()) bar->setVisible(false);
    sub->resize(size);
    return sub;
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
                    RecordedStep step(doc_, "Close Data"); // Undo brings it back
                    doc_.DestroySeries(*target);
                    return;
                }
        },
        Qt::QueuedConnection);
    ConnectDataWindow(*w);
    w->SetHistoryActions(actUndo_, actRedo_);
    return w;
}

void TMDIMainF::ConnectDataWindow(TSpreadF& w) {
    // The data window's File menu stands in for ours while it is active.
    connect(&w, &TSpreadF::NewGraphFileRequested, this, [this] { NewGraphFile1Click(); });
    connect(&w, &TSpreadF::NewDataRequested, this, [this] { NewData1Click(); });
    connect(&w, &TSpreadF::NewTextRequested, this, [this] { NewText1Click(); });
    connect(&w, &TSpreadF::OpenRequested, this, [this] { Open1Click(); });
    connect(&w, &TSpreadF::ImportTableRequested, this, [this] { ImportTable1Click(); });
    connect(&w, &TSpreadF::ExitRequested, this, [this] { Exit1Click(); });
    connect(&w, &TSpreadF::FitRequested, this, [this](TSpreadF* window) { RunFitDialog(window); });
    connect(&w, &TSpreadF::FitStatisticsRequested, this,
            [this](TSpreadF* window) { RunFitStatistics(window); });
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

void TMDIMainF::RedrawGraph() {
    if (closing_) return;
    if (TGraphF* g = GraphF()) g->Draw();
}

void TMDIMainF::ViewGraph() {
    if (doc_.SeriesCount() == 0) return;
    EnsureGraphWindow();
    RedrawGraph();
}

} // namespace torvel
