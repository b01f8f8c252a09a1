// The renderer's canvas over a QPainter: the graph window's off-screen image,
// the bitmap file, torvel-cli and the printer page all draw through it.
#pragma once

#include "render/canvas.h"
#include "render/draw_graph.h"

#include <QFont>
#include <QIODevice>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPrinter;

namespace torvel {

class QtCanvas : public Canvas {
  public:
    // Draws with an active painter on a surface of the given size (device pixels).
    QtCanvas(QPainter& painter, QSize surface);

    void Clear(Rgb colour) override;
    void SetPen(Rgb colour, int width, PenStyle style) override;
    void SetBrush(Rgb colour) override;
    void SetFont(const FontSpec& font) override;
    void SetFontColour(Rgb colour) override;
    void MoveTo(Point p) override;
    void LineTo(Point p) override;
    void Line(Point a, Point b) override;
    void Lines(std::span<const Segment> segments) override;
    void Polyline(std::span<const Point> points) override;
    void SeriesLine(std::span<const Point> points) override;
    void Polygon(std::span<const Point> points) override;
    void Rectangle(Point topLeft, Point bottomRight) override;
    void Ellipse(Point topLeft, Point bottomRight) override;
    void Marker(Point p, int shape, int s, bool pentagonForCircle) override;
    void Text(Point anchor, const std::string& text, TextAlign align) override;
    int TextHeight() override;
    int TextWidth(const std::string& text) override;

    // The Qt font for a face name as the graph names it ("Times New Roman
    // Bold" is the bold weight of "Times New Roman").
    static QFont FontFor(const FontSpec& font);

  private:
    // On an image, two-pixel lines are drawn as two adjacent one-pixel lines
    // (the raster engine's fast path) and markers are stamped from images
    // drawn once; on a printer or PDF page the pen itself is used.
    bool ThickLines() const { return raster_ && penWidth_ == 2 && penStyle_ == PenStyle::Solid; }
    void UseLinePen();
    void UseShapePen();
    void DrawLineList(std::vector<QLine>& lines);

    struct Sprite {
        int Shape, Size;
        bool Pentagon;
        QRgb Pen, Brush;
        int PenWidth;
        PenStyle Style;
        QImage Image;
        // The stamp's pixels when every drawn pixel is opaque (aliased
        // drawing), so it can be written straight into an image.
        struct Pixel {
            int Dx, Dy;
            QRgb Colour;
        };
        std::vector<Pixel> Pixels;
        bool Opaque = false;
    };

    QPainter& painter_;
    QSize surface_;
    bool raster_ = false;
    QPoint at_;
    QColor fontColour_;
    QColor brushColour_;
    QColor penColour_;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    QPen shapePen_, linePen_;
    bool linePenActive_ = false;
    std::vector<QLine> scratch_;
    std::vector<Sprite> sprites_;
    std::size_t lastSprite_ = 0;
};

// Draws the graph into the graph window's off-screen image. The image is
// (re)created at the screen's graph bitmap size when it is null, was made for
// another screen class or is too small for the window; otherwise it is reused
// (never shrunk to the window).
// The image has `pixelRatio` device pixels a logical one (a high-density
// screen's); the layout and every pixel rule are in logical pixels.
GraphGeometry RenderGraphImage(Document& doc, QImage& image, GraphViewState& view, int windowWidth,
                               int windowHeight, const ScreenInfo& screen = {},
                               qreal pixelRatio = 1);
// An image's size in logical pixels.
QSize LogicalSize(const QImage& image);

// The top-left part of the image that the window shows and "Save Bitmap"
// writes: LastGraphWidth x LastGraphHeight of the last draw.
QImage VisibleGraphPart(const QImage& image, const GraphGeometry& geometry);
// The same part without copying its pixels, for writing it out at once: valid
// only while the image lives unchanged.
QImage VisibleGraphView(const QImage& image, const GraphGeometry& geometry);

// Convenience: draws a fresh graph window of the given outer size and returns
// its visible part.
QImage GraphWindowImage(Document& doc, GraphViewState& view, int windowWidth, int windowHeight,
                        const ScreenInfo& screen = {});

// A painter's job on a device that writes a file (a printer, a PDF writer, an
// SVG generator). Ending the job writes the rest of the file and may itself
// run out of memory; QPainter's own destructor would then end it again while
// std::bad_alloc passes on, which aborts the program. A job left unended ends
// in its destructor quietly: tried twice (the first failure's unwinding often
// frees enough), then the painter is let go unended.
class PaintJob {
  public:
    PaintJob();
    ~PaintJob();
    PaintJob(const PaintJob&) = delete;
    PaintJob& operator=(const PaintJob&) = delete;

    bool Begin(QPaintDevice& device);
    QPainter& Painter() { return *painter_; }
    // Ends the job; running out of memory passes on as std::bad_alloc.
    bool End();

  private:
    std::unique_ptr<QPainter> painter_;
};

// Prints the graph on one page of a printer (the document is begun and ended
// here). Returns false when the printer could not be started.
bool PrintGraph(Document& doc, QPrinter& printer, GraphViewState& view);
// The same on any paged device (a QPdfWriter for PDF files).
// A job that runs out of memory is aborted (std::bad_alloc passes on), so no
// half-drawn page reaches the paper.
bool PrintGraphOn(Document& doc, QPagedPaintDevice& device, bool colour, GraphViewState& view);
// Aborts the job begun on a device, where the device can (a printer).
void AbortPrintJob(QPagedPaintDevice& device);

// Writes an image (.bmp, .png by the name's extension; BMP otherwise) through
// the atomic file writer. Returns false with *error set on failure.
// format: "BMP" or "PNG"; by default PNG for a name ending in .png, else BMP.
// The encoded image goes straight to the file, never whole into memory.
bool SaveImageFile(const QImage& image, const std::string& path, std::string* error = nullptr,
                   const char* format = nullptr);
// Writes encoded bytes (an image, a PDF) through the atomic file writer.
bool WriteBytesFile(const QByteArray& bytes, const std::string& path, std::string* error = nullptr);

// Passes what Qt's image and PDF writers write straight on to the file being
// saved, so no encoded copy of a large image or document is held in memory.
class StreamDevice : public QIODevice {
  public:
    explicit StreamDevice(std::ostream& out) : out_(out) { open(QIODevice::WriteOnly); }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override {
        out_.write(data, static_cast<std::streamsize>(length));
        return out_ ? length : -1;
    }

  private:
    std::ostream& out_;
};

} // namespace torvel
