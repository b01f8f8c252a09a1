// The graph window: click regions and their handlers, floating titles picked
// up and placed, the bitmap file, New Graph File from its menu.
#include "ui_test_support.h"

#include "ui/qt_canvas.h"

using namespace torvel;
using namespace torvel::test;

namespace {

GraphGeometry Sample() {
    GraphGeometry g;
    g.PlotLeft = 60;
    g.PlotBottom = 400;
    g.PlotWidth = 500;
    g.PlotHeight = 300;
    g.LegendTop = 470;
    g.AxisBandHeight = 20;
    g.TitleTextHeight = 16;
    return g;
}

// A main window with one series and its graph window, drawn.
struct DrawnGraph : test::GraphShell {
    DrawnGraph() {
        sub = qobject_cast<QMdiSubWindow*>(graph->parentWidget());
        sub->resize(600, 450);
        graph->Draw();
        Settle();
    }
    // The handlers a click runs; a dialog it opens is cancelled at once.
    QStringList Clicks(int x, int y) {
        QStringList names;
        auto c =
            QObject::connect(graph, &TGraphF::HandlerCalled, [&](const QString& n) { names << n; });
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
        });
        closer.start();
        graph->Image1MouseDown(x, y);
        QObject::disconnect(c);
        return names;
    }
    const GraphGeometry& G() { return main->GraphState().View.Geometry; }
    QMdiSubWindow* sub = nullptr;
};

} // namespace

TEST(GraphWindow, RegionsOfTheImage) {
    const struct {
        const char* name;
        int x, y;
        GraphRegion region;
    } cases[] = {
        {"inside the plot", 300, 250, GraphRegion::Plot},
        {"plot's left edge is outside", 60, 250, GraphRegion::Scale},
        {"title band right of 2L", 150, 50, GraphRegion::MainTitles},
        {"title band left of 2L", 100, 50, GraphRegion::YTitles},
        {"plot top line", 300, 100, GraphRegion::MainTitles},
        {"bottom of the axis band", 300, 420, GraphRegion::Scale},
        {"below the axis band", 300, 430, GraphRegion::XTitles},
        {"legend top row", 300, 470, GraphRegion::XTitles},
        {"legend", 300, 480, GraphRegion::SeriesTitles},
    };
    const GraphGeometry g = Sample();
    for (const auto& c : cases)
        EXPECT_EQ(RegionAt(c.x, c.y, g), c.region) << c.name;
}

TEST(GraphWindow, EachRegionCallsItsHandler) {
    DrawnGraph s;
    const GraphGeometry g = s.G();
    ASSERT_GT(g.PlotWidth, 0);
    const int midX = g.PlotLeft + g.PlotWidth / 2;
    struct Case {
        int x, y;
        const char* handler;
    };
    const Case cases[] = {
        {midX, g.PlotBottom - g.PlotHeight - 2, "MainTitles1Click"},
        {g.PlotLeft, g.PlotBottom - g.PlotHeight - 2, "YTitles1Click"},
        {g.PlotLeft / 2, g.PlotBottom - g.PlotHeight / 2, "Scale1Click"},
        {midX, g.PlotBottom + g.AxisBandHeight / 2, "Scale1Click"},
        {midX, g.PlotBottom + g.AxisBandHeight + 1, "XTitles1Click"},
        {midX, g.LegendTop + 1, "SeriesTitles1Click"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.Clicks(c.x, c.y), QStringList{QString::fromLatin1(c.handler)})
            << c.handler << " at " << c.x << "," << c.y;
    // An empty spot of the plot does nothing.
    EXPECT_TRUE(s.Clicks(midX, g.PlotBottom - g.PlotHeight / 2).isEmpty());
}

TEST(GraphWindow, FloatingTitleIsPickedUpAndPlaced) {
    DrawnGraph s;
    GraphSettings& st = s.main->Doc().Settings;
    st.XMin = 0;
    st.XMax = 10;
    st.YLMin = 0;
    st.YLMax = 100;
    st.FloatTitleText[2] = "Peak";
    st.FloatTitleX[2] = 5;
    st.FloatTitleY[2] = 50;
    const GraphGeometry g = s.G();
    auto& view = s.main->GraphState().View;
    EXPECT_EQ(s.Clicks(g.PlotLeft + g.PlotWidth / 2 + 3, g.PlotBottom - g.PlotHeight / 2),
              QStringList{"PickFloatTitle"});
    EXPECT_TRUE(view.FloatTitlePicked);
    // Clicking outside the plot opens a dialog and leaves the title picked.
    EXPECT_EQ(s.Clicks(g.PlotLeft, g.LegendTop + 5), QStringList{"SeriesTitles1Click"});
    EXPECT_TRUE(view.FloatTitlePicked);
    EXPECT_EQ(s.Clicks(g.PlotLeft + g.PlotWidth / 4, g.PlotBottom - g.PlotHeight / 4),
              QStringList{"PlaceFloatTitle"});
    EXPECT_TRUE(view.FloatTitlePlaced[3]);
    EXPECT_FALSE(view.FloatTitlePicked);
    EXPECT_NEAR(static_cast<double>(st.FloatTitleX[2]), 2.5, 10.0 / g.PlotWidth);
    EXPECT_NEAR(static_cast<double>(st.FloatTitleY[2]), 25.0, 100.0 / g.PlotHeight);
}

TEST(GraphWindow, FloatingTitleHitTestAndPlacing) {
    GraphSettings st;
    ResetGraphSettings(st);
    st.XMin = 0;
    st.XMax = 500;
    st.YLMin = 0;
    st.YLMax = 300;
    st.FloatTitleText[0] = "ABCDEFGHIJ"; // 10 characters: 10 * (9 * 16) / 20 = 72 pixels
    st.FloatTitleX[0] = 100;
    st.FloatTitleY[0] = 100;
    GraphGeometry g = Sample(); // title at x 160, y 300; k = 9
    const int hits[][3] = {{151, 300, 0},  {150, 300, -1}, {231, 300, 0}, {232, 300, -1},
                           {160, 291, -1}, {160, 292, 0},  {160, 308, 0}, {160, 309, -1}};
    for (const auto& [x, y, title] : hits)
        EXPECT_EQ(FloatTitleAt(x, y, st, g), title) << x << "," << y;
    // Unmappable positions are skipped: log axis with a title at 0, or no range.
    st.LogX = true;
    st.XMin = 1;
    st.FloatTitleX[0] = 0;
    EXPECT_EQ(FloatTitleAt(160, 300, st, g), -1);
    // Placed half way along three decades: 10 to the power 1.5.
    st.XMax = 1000;
    const PlacedPosition p = FloatTitlePosition(g.PlotLeft + g.PlotWidth / 2, 250, st, g);
    ASSERT_TRUE(p.XSet && p.YSet);
    EXPECT_NEAR(static_cast<double>(p.X), 31.6227766, 1e-6);
    EXPECT_NEAR(static_cast<double>(p.Y), 150.0, 1e-9); // 150 of 300 pixels up
    st.LogX = false;
    st.XMin = st.XMax;
    EXPECT_EQ(FloatTitleAt(160, 300, st, g), -1);
    g.PlotWidth = 0;
    EXPECT_FALSE(FloatTitlePosition(100, 250, st, g).XSet);
}

TEST(GraphWindow, BitmapHasTheWindowsOuterSizeAndIsAWindowsBitmap) {
    DrawnGraph s;
    s.sub->resize(420, 330);
    s.graph->Draw();
    const QString path = s.Path(QStringLiteral("graph.bmp"));
    QString error;
    ASSERT_TRUE(s.graph->WriteBitmap(path, &error)) << error.toStdString();
    // 24 bits a pixel, rows padded to 4 bytes, written straight to the file.
    EXPECT_EQ(QFileInfo(path).size(), 54 + 330 * ((420 * 3 + 3) / 4 * 4));
    const QImage written(path, "BMP");
    EXPECT_EQ(
        written.convertToFormat(QImage::Format_RGB32),
        VisibleGraphPart(s.graph->GraphBitmap(), s.G()).convertToFormat(QImage::Format_RGB32));
}

// On a high-density screen the graph is drawn at the screen's pixel ratio in
// the layout of one pixel a logical pixel; Save Bitmap keeps the window's size.
// The window part counts under QT_SCALE_FACTOR=2 (ctest GraphWindow.HighDensity).
TEST(GraphWindow, DrawsAtTheScreensPixelRatio) {
    DrawnGraph s;
    QImage plain, dense;
    GraphViewState v1, v2;
    const GraphGeometry g1 = RenderGraphImage(s.main->Doc(), plain, v1, 420, 330, {}, 1);
    const GraphGeometry g2 = RenderGraphImage(s.main->Doc(), dense, v2, 420, 330, {}, 2);
    EXPECT_EQ(dense.size(), plain.size() * 2);
    EXPECT_EQ((std::array{g1.PlotLeft, g1.PlotBottom, g1.PlotWidth, g1.LegendTop}),
              (std::array{g2.PlotLeft, g2.PlotBottom, g2.PlotWidth, g2.LegendTop}));
    s.sub->resize(420, 330);
    s.graph->Draw();
    EXPECT_EQ(s.graph->GraphBitmap().devicePixelRatio(),
              s.graph->findChild<QWidget*>(QStringLiteral("Image1"))->devicePixelRatioF());
    EXPECT_EQ(s.graph->Picture().size(), QSize(420, 330));
}

// A draw that runs out of memory says so once (a resize asks for one draw
// after another), leaves the settings as they were, and the program goes on.
TEST(GraphWindow, ADrawThatRunsOutOfMemoryIsToldOnceAndChangesNothing) {
    DrawnGraph s;
    GraphSettings& settings = s.main->Doc().Settings;
    settings.LogX = true; // a draw rounds the limits to powers of ten
    settings.MultiScaleX = false;
    settings.XMax = 50;
    settings.XMin = 2;
    const GraphSettings before = settings;
    const Texts told{"Not enough memory to draw the graph."};
    for (int i = 0; i < 2; ++i) {
        FailAllocationAt(1);
        s.graph->Draw();
        EXPECT_EQ(Told(s.feedback), told);
        EXPECT_EQ(settings, before);
    }
    s.graph->Draw();
    EXPECT_EQ(Told(s.feedback), told);
    EXPECT_NEAR(static_cast<double>(settings.XMax), 100, 1e-9); // drawn at last
    FailAllocationAt(1);
    s.graph->Draw();
    EXPECT_EQ(Told(s.feedback), Texts(2, told[0]));
    FailAllocationAt(0);
}

TEST(GraphWindow, NewGraphFileFromItsOwnMenuClosesItSafely) {
    DrawnGraph s;
    QAction* item = s.graph->findChild<QAction*>(QStringLiteral("NewGraphFile1"));
    ASSERT_NE(item, nullptr);
    s.feedback.Script = {Answer::No};
    item->trigger(); // the window is closed from inside its own handler
    EXPECT_EQ(s.main->GraphF(), nullptr);
    Settle();
    EXPECT_EQ(s.main->Doc().SeriesCount(), 0);
    EXPECT_EQ(s.main->MdiArea()->subWindowList().size(), 0);
}
