#include "ui/graph_window.h"

#include "core/change_recorder.h"
#include "core/out_of_memory.h"
#include "core/series.h"
#include "core/work_pulse.h"
#include "files/data_file.h"
#include "files/file_path.h"
#include "scale/auto_scale.h"
#include "ui/child_window.h"
#include "ui/main_window.h"
#include "ui/printing.h"
#include "ui/qt_canvas.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include <cmath>

namespace torvel {

GraphRegion RegionAt(int x, int y, const GraphGeometry& g) {
    const int l = g.PlotLeft, y0 = g.PlotBottom, w = g.PlotWidth, h = g.PlotHeight;
    if (l < x && x < l + w && y0 - h < y && y < y0) return GraphRegion::Plot;
    if (y > g.LegendTop) return GraphRegion::SeriesTitles;
    if (y > y0 + g.AxisBandHeight) return GraphRegion::XTitles;
    if (y <= y0 - h) return (2 * l <= x && x <= w) ? GraphRegion::MainTitles : GraphRegion::YTitles;
    return GraphRegion::Scale;
}

namespace {

// Maps a value onto an axis of `pixels` length; false when it cannot be mapped.
bool MapAxis(Real v, Real min, Real max, bool log, int pixels, int* out) {
    Real offset;
    if (log) {
        if (!(v > 0 && min > 0 && max > 0) || max == min) return false;
        offset = pixels * (std::log(v) - std::log(min)) / (std::log(max) - std::log(min));
    } else {
        if (max == min) return false;
        offset = pixels * (v - min) / (max - min);
    }
    if (!std::isfinite(offset) || std::fabs(offset) > 1.0e9L) return false;
    *out = static_cast<int>(offset);
    return true;
}

// The value under a pixel offset of an axis (the inverse of MapAxis).
bool UnmapAxis(int offset, int pixels, Real min, Real max, bool log, Real* out) {
    if (pixels == 0) return false;
    Real v;
    if (log) {
        if (!(min > 0 && max > 0)) return false;
        v = std::exp(std::log(min) + offset * (std::log(max) - std::log(min)) / pixels);
    } else {
        v = min + offset * (max - min) / pixels;
    }
    if (!std::isfinite(v)) return false;
    *out = v;
    return true;
}

} // namespace

int FloatTitleAt(int x, int y, const GraphSettings& s, const GraphGeometry& g) {
    const int h = g.TitleTextHeight;
    const int k = h / 2 + 1;
    for (int n = 0; n < FloatTitleCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        // An empty title is invisible; picking it would only puzzle.
        if (s.FloatTitleText[i].empty()) continue;
        int dx = 0, dy = 0;
        if (!MapAxis(s.FloatTitleX[i], s.XMin, s.XMax, s.LogX, g.PlotWidth, &dx)) continue;
        if (!MapAxis(s.FloatTitleY[i], s.YLMin, s.YLMax, s.LogY, g.PlotHeight, &dy)) continue;
        const int tx = g.PlotLeft + dx;
        const int ty = g.PlotBottom - dy;
        const int len = static_cast<int>(s.FloatTitleText[i].size());
        if (tx - 10 < x && x < tx + len * (9 * h) / 20 && ty - k < y && y < ty + k) return n;
    }
    return -1;
}

PlacedPosition FloatTitlePosition(int x, int y, const GraphSettings& s, const GraphGeometry& g) {
    PlacedPosition p;
    p.XSet = UnmapAxis(x - g.PlotLeft, g.PlotWidth, s.XMin, s.XMax, s.LogX, &p.X);
    p.YSet = UnmapAxis(g.PlotBottom - y, g.PlotHeight, s.YLMin, s.YLMax, s.LogY, &p.Y);
    return p;
}

// The image control: shows the top-left part of the graph image; the left
// button goes to the click handling, the right one opens the pop-up menu.
class GraphImage : public QWidget {
  public:
    GraphImage(TGraphF& graph, QMenu*& popup, QWidget* parent)
        : QWidget(parent), graph_(graph), popup_(popup) {
        setObjectName(QStringLiteral("Image1"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(1, 1);
        // Focus lets the Menu key and Shift+F10 open the pop-up, the only way
        // to the graph window's Fit from the keyboard.
        setFocusPolicy(Qt::StrongFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        // The image control shows the top-left part of the screen-sized image.
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.drawImage(QPoint(0, 0), graph_.GraphBitmap());
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        const QPoint at = e->position().toPoint();
        graph_.Image1MouseDown(at.x(), at.y());
    }
    void contextMenuEvent(QContextMenuEvent* e) override {
        if (!popup_) return;
        // From the keyboard the pointer may be anywhere: open it on the graph.
        popup_->popup(e->reason() == QContextMenuEvent::Keyboard ? KeyboardMenuPoint()
                                                                 : e->globalPos());
    }
    void keyPressEvent(QKeyEvent* e) override {
        // Shift+F10 opens the pop-up as the Menu key does.
        if (popup_ && e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier) {
            popup_->popup(KeyboardMenuPoint());
            return;
        }
        QWidget::keyPressEvent(e);
    }

  private:
    QPoint KeyboardMenuPoint() const { return mapToGlobal(QPoint(width() / 4, height() / 4)); }

    TGraphF& graph_;
    QMenu*& popup_;
};

TGraphF::TGraphF(TMDIMainF& main, GraphWindowState& state, QWidget* parent)
    : QWidget(parent), main_(main), state_(state) {
    setObjectName(QStringLiteral("GraphF"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    CreateMenus();
    image_ = new GraphImage(*this, popup_, this);
    LayOutChild(*this, menuBar_, image_);
    UpdateCaption();
    main_.Doc().SuppressResizeDraw = true;
}

TGraphF::~TGraphF() = default;

void TGraphF::CreateMenus() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    auto add = [this](QMenu* menu, const char* name, const QString& text, auto slot,
                      bool enabled = true) {
        QAction* a = menu->addAction(text, this, slot);
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(enabled);
        return a;
    };

    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    add(file, "NewGraphFile1", QStringLiteral("New Graph &File"), &TGraphF::NewGraphFile1Click);
    add(file, "New1", QStringLiteral("&New  Data"), [this] { main_.NewData1Click(); });
    add(file, "NewText1", QStringLiteral("New  &Text"), [this] { main_.NewText1Click(); });
    ShowMainWindowKey(*add(file, "Open1", QStringLiteral("&Open"), [this] { main_.Open1Click(); }),
                      QKeySequence(Qt::Key_F3));
    add(file, "ImportTable1", QStringLiteral("&Import Table..."),
        [this] { main_.ImportTable1Click(); });
    add(file, "SaveGraph1", QStringLiteral("&Save Graph"), &TGraphF::SaveGraph1Click);
    add(file, "SaveBitmap1", QStringLiteral("Save &Bitmap"), &TGraphF::SaveBitmap1Click);
    add(file, "Close1", QStringLiteral("&Close Graph"), &TGraphF::Close1Click);
    file->addSeparator();
    add(file, "PrintData1", QStringLiteral("Print &Data"), &TGraphF::PrintData1Click);
    add(file, "PrintGraph1", QStringLiteral("&Print Graph"), &TGraphF::PrintGraph1Click);
    add(file, "PrintSetup1", QStringLiteral("P&rint Setup..."), &TGraphF::PrintSetup1Click);
    file->addSeparator();
    add(file, "Exit1", QStringLiteral("E&xit"), [this] { main_.Exit1Click(); });

    QMenu* graph = menuBar_->addMenu(QStringLiteral("&Graph"));
    graph->setObjectName(QStringLiteral("Settings2"));
    // Undo and Redo head the Graph menu and the pop-up menu.
    auto history = [this](QMenu* menu) {
        if (!main_.UndoAction()) return;
        menu->addActions({main_.UndoAction(), main_.RedoAction()});
        menu->addSeparator();
    };
    history(graph);
    add(graph, "AutoScale2", QStringLiteral("&Auto Scale"), &TGraphF::AutoScale1Click);
    add(graph, "scale2", QStringLiteral("&Scale"), &TGraphF::Scale1Click);
    add(graph, "Grid3", QStringLiteral("&Grid"), &TGraphF::Grid1Click);
    add(graph, "Log2", QStringLiteral("&Log Scale"), &TGraphF::LogScale1Click);
    add(graph, "GraphType2", QStringLiteral("Graph &Type"), &TGraphF::GraphType1Click);
    QMenu* legend = graph->addMenu(QStringLiteral("L&egend"));
    legend->setObjectName(QStringLiteral("Legend2"));
    add(legend, "Main2", QStringLiteral("&Main"), &TGraphF::MainTitles1Click);
    add(legend, "XAxis2", QStringLiteral("&X Axis"), &TGraphF::XTitles1Click);
    add(legend, "Yasxis1", QStringLiteral("&Y Axis"), &TGraphF::YTitles1Click);
    add(legend, "Series1", QStringLiteral("&Series"), &TGraphF::SeriesTitles1Click);
    add(legend, "Floating1", QStringLiteral("&Floating"), &TGraphF::Floating1Click);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    history(popup_);
    add(popup_, "AutoScale1", QStringLiteral("&Auto Scale"), &TGraphF::AutoScale1Click);
    add(popup_, "Scale1", QStringLiteral("&Scale"), &TGraphF::Scale1Click);
    add(popup_, "Grid1", QStringLiteral("&Grid"), &TGraphF::Grid1Click);
    add(popup_, "LogScale1", QStringLiteral("&Log Scale"), &TGraphF::LogScale1Click);
    add(popup_, "GraphType1", QStringLiteral("Graph &Type"), &TGraphF::GraphType1Click);
    add(popup_, "FitPop", QStringLiteral("&Fit"), &TGraphF::FitPopClick);
    QMenu* legendPop = popup_->addMenu(QStringLiteral("&Legend"));
    legendPop->setObjectName(QStringLiteral("Legend1"));
    add(legendPop, "MainTitles1", QStringLiteral("&Main"), &TGraphF::MainTitles1Click);
    add(legendPop, "XTitles1", QStringLiteral("&X Axis"), &TGraphF::XTitles1Click);
    add(legendPop, "YTitles1", QStringLiteral("&Y Axis"), &TGraphF::YTitles1Click);
    add(legendPop, "SeriesTitles1", QStringLiteral("S&eries"), &TGraphF::SeriesTitles1Click);
    add(legendPop, "Floating2", QStringLiteral("&Floating"), &TGraphF::Floating1Click);
    add(popup_, "SaveGraph2", QStringLiteral("Sa&ve Graph"), &TGraphF::SaveGraph1Click);
    add(popup_, "SaveBitmap2", QStringLiteral("Save &Bitmap"), &TGraphF::SaveBitmap1Click);
}

void TGraphF::UpdateCaption() {
    const std::string& name = main_.Doc().GraphFileName;
    if (name == NoNameGraph)
        setWindowTitle(QStringLiteral("Graph"));
    else
        setWindowTitle(QStringLiteral("Graph   -   ") +
                       QString::fromStdString(UpperFileName(name)));
}

QSize TGraphF::OuterSize() const {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub->size();
    return size();
}

ScreenInfo TGraphF::Screen() const {
    ScreenInfo info;
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        info.Width = screen->size().width();
        info.Height = screen->size().height();
    }
    info.MenuBarHeight = main_.menuBar() ? main_.menuBar()->sizeHint().height() : 20;
    return info;
}

void TGraphF::Draw() {
    // Asked for while a draw is under way, or from the events that long work
    // lets through while its data is half made: drawn once that is over,
    // with whatever changed meanwhile.
    if (drawing_ || PulseScope::Pumping()) {
        if (!drawAgain_ && !drawing_)
            PulseScope::WhenDone([graph = QPointer<TGraphF>(this)] {
                if (graph && graph->drawAgain_) graph->Draw();
            });
        drawAgain_ = true;
        return;
    }
    drawing_ = true;
    struct Done {
        bool& drawing;
        ~Done() { drawing = false; }
    } done{drawing_};
    do {
        drawAgain_ = false;
        DrawOnce();
    } while (drawAgain_);
}

void TGraphF::DrawOnce() {
    const QSize outer = OuterSize();
    Document& doc = main_.Doc();
    // A draw writes back into the settings (rounded log limits, fewer decimals);
    // one that runs out of memory leaves them as they were. Told once: a
    // resize asks for one draw after another.
    SilentFeedback toldAlready;
    drawFailed_ =
        !GuardMemory(drawFailed_ ? static_cast<Feedback&>(toldAlready) : main_.Fb(),
                     "draw the graph", doc.Settings, [&] {
                         // As sharp as the rest of the window on a
                         // high-density screen, in the same layout.
                         // Drawn aside, on an image of the same kind (every
                         // pixel is painted): the window shows the last whole
                         // picture while long work paints it meanwhile.
                         QImage next;
                         if (!bitmap_.isNull()) {
                             next = QImage(bitmap_.size(), bitmap_.format());
                             next.setDevicePixelRatio(bitmap_.devicePixelRatio());
                         }
                         RenderGraphImage(doc, next, state_.View, outer.width(), outer.height(),
                                          Screen(), image_->devicePixelRatioF());
                         bitmap_ = std::move(next);
                     });
    image_->update();
    emit main_.GraphRedrawn();
}

void TGraphF::Announce(const char* name) {
    emit HandlerCalled(QString::fromLatin1(name));
}

void TGraphF::Image1MouseDown(int x, int y) {
    Document& doc = main_.Doc();
    GraphSettings& s = doc.Settings;
    const GraphGeometry& g = state_.View.Geometry;
    switch (RegionAt(x, y, g)) {
    case GraphRegion::Plot:
        if (state_.View.FloatTitlePicked) {
            // Title n (1..10) sits at index n - 1 of the settings' arrays.
            int n = 1;
            while (n <= FloatTitleCount &&
                   state_.View.FloatTitlePlaced[static_cast<std::size_t>(n)])
                ++n;
            if (n > FloatTitleCount) return;
            const auto i = static_cast<std::size_t>(n - 1);
            RecordedStep step(doc, "Place Floating Title");
            step.Settings();
            const PlacedPosition p = FloatTitlePosition(x, y, s, g);
            if (p.XSet)
                s.FloatTitleX[i] = p.X;
            else
                main_.Fb().Beep("The title's X position cannot be worked out on this axis.");
            if (p.YSet)
                s.FloatTitleY[i] = p.Y;
            else
                main_.Fb().Beep("The title's Y position cannot be worked out on this axis.");
            state_.View.FloatTitlePlaced[static_cast<std::size_t>(n)] = true;
            state_.View.FloatTitlePicked = false;
            Announce("PlaceFloatTitle");
            Draw();
        } else {
            const int n = FloatTitleAt(x, y, s, g);
            if (n < 0) return;
            state_.View.FloatTitlePlaced[static_cast<std::size_t>(n + 1)] = false;
            state_.View.FloatTitlePicked = true;
            Announce("PickFloatTitle");
            Draw();
        }
        return;
    case GraphRegion::MainTitles:
        MainTitles1Click();
        return;
    case GraphRegion::YTitles:
        YTitles1Click();
        return;
    case GraphRegion::Scale:
        Scale1Click();
        return;
    case GraphRegion::XTitles:
        XTitles1Click();
        return;
    case GraphRegion::SeriesTitles:
        SeriesTitles1Click();
        return;
    }
}

void TGraphF::MainTitles1Click() {
    Announce("MainTitles1Click");
    main_.MainTitlesDialog();
}
void TGraphF::XTitles1Click() {
    Announce("XTitles1Click");
    main_.XTitlesDialog();
}
void TGraphF::YTitles1Click() {
    Announce("YTitles1Click");
    main_.YTitlesDialog();
}
void TGraphF::SeriesTitles1Click() {
    Announce("SeriesTitles1Click");
    main_.SeriesTitlesDialog(nullptr);
}
// The dialog, then the graph drawn again (by the main window: the dialog may
// have made the graph window anew).
void TGraphF::Scale1Click() {
    Announce("Scale1Click");
    main_.Scale1Click();
}
void TGraphF::Grid1Click() {
    Announce("Grid1Click");
    main_.Grid1Click();
}
void TGraphF::LogScale1Click() {
    Announce("LogScale1Click");
    main_.LogScale1Click();
}
void TGraphF::GraphType1Click() {
    Announce("GraphType1Click");
    main_.GraphTypeDialog(nullptr);
}
void TGraphF::FitPopClick() {
    Announce("FitPopClick");
    main_.RunFitDialog(nullptr);
}
void TGraphF::Floating1Click() {
    Announce("Floating1Click");
    main_.FloatingTitlesDialog();
}
void TGraphF::AutoScale1Click() {
    Announce("AutoScale1Click");
    Document& doc = main_.Doc();
    RecordedStep step(doc, "Auto Scale");
    step.Settings();
    GuardMemory(main_.Fb(), "scale the graph", doc.Settings,
                [&] { AutoScaleGraph(doc, state_.ScaleBoxes, {}); });
    Draw();
}

void TGraphF::SaveGraph1Click() {
    Announce("SaveGraph1Click");
    main_.SaveGraph();
    UpdateCaption();
}

QImage TGraphF::Picture() const {
    if (bitmap_.devicePixelRatio() == 1) return VisibleGraphView(bitmap_, state_.View.Geometry);
    // A high-density screen's image has more pixels than the picture: drawn
    // again at one pixel a logical one; the window's own view state stays.
    GraphViewState view = state_.View;
    const GraphGeometry& g = state_.View.Geometry;
    return GraphWindowImage(main_.Doc(), view, g.LastGraphWidth, g.LastGraphHeight, Screen());
}

bool TGraphF::WriteBitmap(const QString& path, QString* error) const {
    // The window's outer size at the last draw, cut from the top-left corner,
    // always as a Windows bitmap whatever the name ends with.
    std::string why;
    const bool ok = SaveImageFile(Picture(), path.toStdString(), &why, "BMP");
    if (!ok && error) *error = QString::fromStdString(why);
    return ok;
}

bool TGraphF::WritePicture(const QString& path, PictureFormat format, QString* error) {
    if (format == PictureFormat::Bmp) return WriteBitmap(path, error);
    std::string why;
    bool ok;
    if (format == PictureFormat::Png) {
        ok = SaveImageFile(Picture(), path.toStdString(), &why);
    } else {
        // Drawn again for the size of the last draw; the window's own view
        // state (geometry, picked title) stays as it is.
        GraphViewState view = state_.View;
        const GraphGeometry& g = state_.View.Geometry;
        ok = SaveGraphSvg(main_.Doc(), view, g.LastGraphWidth, g.LastGraphHeight, Screen(),
                          path.toStdString(), &why);
    }
    if (!ok && error) *error = QString::fromStdString(why);
    return ok;
}

void TGraphF::SaveBitmap1Click() {
    Announce("SaveBitmap1Click");
    const QString preset = QString::fromStdString(WithoutExtension(main_.Doc().GraphFileName));
    int filter = 0;
    // Every existing file is asked for: a bitmap is never the file being saved.
    const std::optional<std::string> chosen = ChooseSavePath(
        [this, &preset, &filter] {
            return RunSaveFileDialog(
                this,
                {"SaveDialog2", QStringLiteral("Save Bitmap"),
                 QStringLiteral("Bitmap File (*.bmp);;PNG Image (*.png);;SVG Drawing (*.svg)"),
                 QStringLiteral("bmp")},
                preset, &filter);
        },
        std::string(), OverwriteQuestion, main_.Fb());
    if (!chosen) return;
    const QString path = QString::fromStdString(*chosen);
    QString error;
    bool written = true;
    if (!GuardMemory(main_.Fb(), "save the bitmap", [&] {
            written = WritePicture(path, PictureFormatFor(*chosen, filter), &error);
        }))
        return;
    if (!written)
        main_.Fb().Message(MessageKind::Error,
                           "Could not write " + path.toStdString() + ": " + error.toStdString(),
                           MessageButtons::Ok);
}

void TGraphF::PrintGraph1Click() {
    Announce("PrintGraph1Click");
    PrintGraphCommand(main_.Doc(), main_.Printing(), state_.View, this, main_.Fb());
}

void TGraphF::PrintData1Click() {
    Announce("PrintData1Click");
    PrintDataCommand(main_.Doc(), main_.Printing(), this, main_.Fb());
}

void TGraphF::PrintSetup1Click() {
    Announce("PrintSetup1Click");
    main_.Printing().PageSetup(this);
}

void TGraphF::NewGraphFile1Click() {
    Announce("NewGraphFile1Click");
    // The main window's command closes this window too; it defers the deletion.
    main_.NewGraphFile1Click();
}

void TGraphF::Close1Click() {
    Announce("Close1Click");
    CloseChild(*this);
}

void TGraphF::FormShow() {
    state_.View.FloatTitlePlaced.fill(true);
    state_.View.FloatTitlePicked = false;
}

void TGraphF::FormActivate() {
    main_.Doc().SuppressResizeDraw = false;
}

void TGraphF::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!main_.Doc().SuppressResizeDraw && !main_.Closing()) Draw();
}

void TGraphF::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

} // namespace torvel
