// Drawing the whole graph: on the graph window's off-screen image (DrawGraph)
// and on one printer page (DrawGraphToPrinter). Both run the same steps with
// the same rules; only the page quantities, fonts and pens differ.
#pragma once

#include "core/document.h"
#include "render/canvas.h"
#include "scale/ranges.h"

#include <array>

namespace torvel {

// The two system metrics the graph window depends on.
struct ScreenInfo {
    int Width = 1920;
    int Height = 1080;
    int MenuBarHeight = 20;
};

// 640, 800, 1024, 1152, 1280 or 1600 from the screen width.
int ScreenClassOf(int screenWidth);

// The size of the off-screen image: the screen width by the screen height
// less two menu bars (never below 1 x 1).
struct BitmapSize {
    int Width = 0;
    int Height = 0;
};
BitmapSize GraphBitmapSize(const ScreenInfo& screen);

// The plot geometry of the last screen draw; the graph window's mouse
// handling hit-tests against it.
struct GraphGeometry {
    int PlotLeft = 0;
    int PlotBottom = 0;
    int PlotWidth = 0;
    int PlotHeight = 0;
    int LegendTop = 0;
    int AxisBandHeight = 0;
    int TitleTextHeight = 0;
    // The window's outer size at the last draw (after the 160 x 120 minimum).
    int LastGraphWidth = 350;
    int LastGraphHeight = 300;
    int ScreenClass = 0;
};

// What the graph window keeps between draws.
struct GraphViewState {
    GraphGeometry Geometry;
    // Screen class the current off-screen image was made for; 0 before the
    // first draw. The window compares it with ScreenClassOf to decide when to
    // recreate its image.
    int BitmapScreenClass = 0;
    bool CondensedFontAvailable = false;
    // Entry n (1..10): floating title n is placed (yellow) or picked up (red).
    std::array<bool, FloatTitleCount + 1> FloatTitlePlaced = MakeAllPlaced();
    bool FloatTitlePicked = false;
    // The scale dialog's boxes, refreshed when a draw has to measure an
    // unusable logarithmic range; null: measured without showing.
    RangeTexts* ScaleBoxes = nullptr;
    // Every mark of every row drawn as it comes, for comparing pictures:
    // without it what cannot change a pixel is left out.
    bool DrawEveryMark = false;

    static std::array<bool, FloatTitleCount + 1> MakeAllPlaced() {
        std::array<bool, FloatTitleCount + 1> a{};
        a.fill(true);
        return a;
    }
};

// Draws the graph for a graph window of outer size windowWidth x windowHeight
// on the given screen: clears the canvas to black and paints everything.
// Rewrites what a draw rewrites in doc.Settings (normalised logarithmic
// limits, multi-scale flags, decimals, XTicks, minor grid counts), re-measures
// every series, stores and returns the plot geometry.
GraphGeometry DrawGraph(Document& doc, Canvas& canvas, GraphViewState& view, int windowWidth,
                        int windowHeight, const ScreenInfo& screen = {});

// The printer's page as the printed graph needs it.
struct PrinterPage {
    int Width = 0;  // printable width, device pixels
    int Height = 0; // printable height, device pixels
    bool Portrait = true;
    bool Colour = true; // the device reports more than two colours
};

// Prints the graph on one page (the caller begins and ends the document).
// Leaves the screen geometry in `view` untouched; the floating titles print
// black whatever their placed state.
void DrawGraphToPrinter(Document& doc, Canvas& canvas, GraphViewState& view,
                        const PrinterPage& page);

// exp(exponent * ln(base)), and ln(x) / ln(10).
Real Power(Real exponent, Real base);
Real Log10(Real x);

} // namespace torvel
