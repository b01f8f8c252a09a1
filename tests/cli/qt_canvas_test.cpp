// The Qt canvas as a reader sees its output: window images as pixels, printed
// pages read back through pdftoppm, SVG read as XML, and print jobs that run
// out of memory while the file is written.
#include "render/render_test_util.h"
#include "ui/graph_export.h"
#include "ui/printing.h"
#include "ui/qt_canvas.h"

#include <QColor>
#include <QIODevice>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>

namespace torvel {
namespace {

QColor Pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

TEST(QtCanvas, WindowImageHasBlackBackgroundWhiteFrameAndSeriesColours) {
    Document doc;
    test::FixedAxes(doc);
    // Series 1 (a cross) and series 2 (a circle) with bars of their colour.
    test::AddSeries(doc, {{5, 5}}, true, GraphNone, true);
    test::AddSeries(doc, {{2, 8}}, true, GraphBar, false);
    GraphViewState view;
    const QImage image = GraphWindowImage(doc, view, 800, 600);
    ASSERT_EQ(image.size(), QSize(800, 600));
    const GraphGeometry& g = view.Geometry;
    EXPECT_EQ(Pixel(image, 799, 599), QColor(Qt::black));
    // The frame's bottom side, away from ticks.
    EXPECT_EQ(Pixel(image, g.PlotLeft + g.PlotWidth / 3 + 7, g.PlotBottom), QColor(Qt::white));
    // The centre of series 1's cross.
    const int x = g.PlotLeft + g.PlotWidth / 2, y = g.PlotBottom - g.PlotHeight / 2;
    const Rgb c1 = SeriesColorOf(1);
    EXPECT_EQ(Pixel(image, x, y), QColor(c1.R, c1.G, c1.B));
    // Inside series 2's bar.
    const Rgb c2 = SeriesColorOf(2);
    EXPECT_EQ(Pixel(image, g.PlotLeft + g.PlotWidth / 5, g.PlotBottom - 10),
              QColor(c2.R, c2.G, c2.B));
}

TEST(QtCanvas, ImageIsKeptUntilTheScreenClassChanges) {
    Document doc;
    GraphViewState view;
    QImage image;
    RenderGraphImage(doc, image, view, 400, 300, {1920, 1080, 20});
    EXPECT_EQ(image.size(), QSize(1920, 1040));
    const uchar* bits = image.constBits();
    RenderGraphImage(doc, image, view, 500, 300, {1920, 1080, 20});
    EXPECT_EQ(image.constBits(), bits); // reused, not reallocated
    RenderGraphImage(doc, image, view, 500, 300, {1024, 768, 20});
    EXPECT_EQ(image.size(), QSize(1024, 728));
    EXPECT_EQ(VisibleGraphPart(image, view.Geometry).size(), QSize(500, 300));
    // A window larger than the image (the screen grew within its class) gets a
    // larger image rather than a cut graph.
    RenderGraphImage(doc, image, view, 1100, 800, {1024, 768, 20});
    EXPECT_EQ(image.size(), QSize(1100, 760));
}

// Text is opaque, its box ending at a right anchor; a dotted pen leaves gaps
// along its line, a solid one none (the pens the printer options choose:
// tests/render).
TEST(QtCanvas, TextIsOpaqueAndAnchoredAndPensDotted) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, image.size());
        canvas.SetBrush({0, 0, 255});
        canvas.SetFont({"Times New Roman Bold", 12, false, false, {255, 255, 255}});
        canvas.Text({100, 50}, "MMMM", TextAlign::Right);
        canvas.SetPen({255, 255, 255}, 1, PenStyle::Dotted);
        canvas.Line({0, 80}, {199, 80});
        canvas.SetPen({255, 255, 255}, 1, PenStyle::Solid);
        canvas.Line({0, 90}, {199, 90});
    }
    // The box ends at the anchor and is filled with the brush.
    EXPECT_EQ(image.pixelColor(99, 50 - 6).blue(), 255);
    EXPECT_EQ(image.pixelColor(101, 50), QColor(Qt::red));
    int dotted = 0, solid = 0;
    for (int x = 10; x < 90; ++x) {
        dotted += image.pixelColor(x, 80) == QColor(Qt::white);
        solid += image.pixelColor(x, 90) == QColor(Qt::white);
    }
    EXPECT_EQ(solid, 80);
    EXPECT_LT(dotted, 60);
    EXPECT_GT(dotted, 10);
}

// Titles are SVG text, escaped where XML needs it.
TEST(QtCanvasSvg, IsWellFormedAndHoldsTheTitles) {
    Document doc;
    test::FixedAxes(doc);
    doc.Settings.MainTitles = {"Main & <title>", "", ""};
    test::AddSeries(doc, {{1, 2}, {5, 6}}).SeriesTitle = "Legend text";
    GraphViewState view;
    QXmlStreamReader xml(GraphSvg(doc, view, 640, 480));
    QString texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::Characters) texts += xml.text();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_TRUE(texts.contains("Main & <title>") && texts.contains("Legend text"))
        << texts.toStdString();
}

// A device whose writes run out of memory, as the growing buffer of a PDF
// file may: after the writes that begin a document, the next `failures`
// writes throw std::bad_alloc.
class OutOfMemoryDevice : public QIODevice {
  public:
    OutOfMemoryDevice(qint64 beginWrites, int failures)
        : beginWrites_(beginWrites), failures_(failures) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    qint64 Writes = 0;

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override {
        if (++Writes > beginWrites_ && failures_ > 0) {
            --failures_;
            throw std::bad_alloc();
        }
        return length;
    }

  private:
    qint64 beginWrites_;
    int failures_;
};

// Running out of memory while a page is written, and again while the job
// ends (which writes the rest of the file), ends the print with
// std::bad_alloc for the command to report; the program is not aborted.
TEST(QtCanvasPrinted, APrintThatRunsOutOfMemoryWhileWritingEndsWithBadAlloc) {
    Document doc;
    test::FixedAxes(doc);
    std::vector<std::pair<Real, Real>> rows;
    for (int i = 1; i <= 120; ++i) // two pages
        rows.emplace_back(i, i);
    test::AddSeries(doc, rows);
    qint64 beginWrites = 0;
    {
        OutOfMemoryDevice probe(0, 0);
        QPdfWriter pdf(&probe);
        QPainter painter(&pdf);
        beginWrites = probe.Writes;
    }
    const std::pair<const char*, std::function<bool(QPdfWriter&)>> jobs[] = {
        {"data", [&](QPdfWriter& pdf) { return PrintDataOn(doc, pdf); }},
        {"graph",
         [&](QPdfWriter& pdf) {
             GraphViewState view;
             return PrintGraphOn(doc, pdf, true, view);
         }},
    };
    for (const auto& [name, job] : jobs)
        for (const int failures : {1, 2}) {
            OutOfMemoryDevice device(beginWrites, failures);
            QPdfWriter pdf(&device);
            EXPECT_THROW(job(pdf), std::bad_alloc) << name << " " << failures;
        }
}

} // namespace
} // namespace torvel
