// The graph window: shows the off-screen graph image, redraws on resize and on
// request, maps mouse clicks to the dialog of the region clicked, picks up and
// places floating titles, and saves the graph as a graph file or a bitmap.
#pragma once

#include "core/data_model.h"
#include "render/draw_graph.h"
#include "ui/graph_export.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <string>

class QMenu;
class QMenuBar;
class QAction;

namespace torvel {

class TMDIMainF;

// Program-wide state of the graph window that outlives any one window: the
// renderer's view state (plot geometry of the last draw, the window's outer
// size, the floating-title mouse state) and where the next window goes.
struct GraphWindowState {
    GraphViewState View;
    // The scale dialog's limit boxes, which auto-scaling fills in.
    RangeTexts ScaleBoxes;
    int LastGraphLeft = 100;
    int LastGraphTop = 100;
};

// Where a left click on the graph lands.
enum class GraphRegion { Plot, MainTitles, YTitles, Scale, XTitles, SeriesTitles };
GraphRegion RegionAt(int x, int y, const GraphGeometry& g);

// The floating title under a point, 0..9, or -1. Positions are mapped with the
// current axis limits; a title whose position cannot be mapped is skipped.
int FloatTitleAt(int x, int y, const GraphSettings& s, const GraphGeometry& g);

// Where a click at (x, y) inside the plot puts a floating title; a coordinate
// that cannot be computed (zero plot size) is left as it was and reported.
struct PlacedPosition {
    Real X = 0, Y = 0;
    bool XSet = false, YSet = false;
};
PlacedPosition FloatTitlePosition(int x, int y, const GraphSettings& s, const GraphGeometry& g);

class GraphImage;

class TGraphF : public QWidget {
    Q_OBJECT

  public:
    TGraphF(TMDIMainF& main, GraphWindowState& state, QWidget* parent = nullptr);
    ~TGraphF() override;

    // Draws the whole graph into the off-screen image and shows it.
    void Draw();
    const QImage& GraphBitmap() const { return bitmap_; }
    // Sets the caption from GraphFileName.
    void UpdateCaption();
    // The window's outer size (frame included), what the graph is drawn for.
    QSize OuterSize() const;

    // Left-button press at an image point (what the image's mouse handler calls).
    void Image1MouseDown(int x, int y);

    // Handlers of the menus and the click regions: each opens its dialog (the
    // main window's) and redraws.
    void MainTitles1Click();
    void XTitles1Click();
    void YTitles1Click();
    void SeriesTitles1Click();
    void Scale1Click();
    void Grid1Click();
    void LogScale1Click();
    void GraphType1Click();
    void FitPopClick();
    void Floating1Click();
    void AutoScale1Click();
    void SaveGraph1Click();
    void SaveBitmap1Click();
    void PrintGraph1Click();
    void PrintData1Click();
    void PrintSetup1Click();
    void NewGraphFile1Click();
    void Close1Click();

    // Writes the bitmap (the window's outer size at the last draw) to a path.
    bool WriteBitmap(const QString& path, QString* error = nullptr) const;
    // What Save Bitmap writes: the graph at the window's outer size, one pixel
    // a logical pixel whatever the screen's density.
    QImage Picture() const;
    // Writes the graph as a PNG picture or an SVG drawing of the same size.
    bool WritePicture(const QString& path, PictureFormat format, QString* error = nullptr);

    QMenuBar* MenuBar() const { return menuBar_; }

    void FormShow();
    void FormActivate();

  signals:
    // Every handler above announces itself, so tests can see which one ran.
    void HandlerCalled(const QString& name);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void DrawOnce();
    void CreateMenus();
    void Announce(const char* name);
    ScreenInfo Screen() const;

    TMDIMainF& main_;
    GraphWindowState& state_;
    QImage bitmap_;
    GraphImage* image_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QMenu* popup_ = nullptr;
    bool drawFailed_ = false; // the last draw ran out of memory (and said so)
    bool drawing_ = false;
    bool drawAgain_ = false; // asked for again meanwhile
};

} // namespace torvel
