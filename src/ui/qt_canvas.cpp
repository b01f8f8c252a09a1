#include "ui/qt_canvas.h"

#include "files/atomic_file.h"
#include "render/markers.h"

#include <QFontMetrics>
#include <QIODevice>
#include <QLine>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPolygon>
#include <QPrinter>
#include <QtMath>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace torvel {

namespace {

QColor ToQColor(Rgb c) {
    return QColor(c.R, c.G, c.B);
}
QPoint ToQPoint(Point p) {
    return QPoint(p.X, p.Y);
}

// Closed shapes follow the corner-to-corner convention of the drawing rules:
// the outline runs inside the box, so the right and bottom coordinates are
// the first pixels outside it.
QRect BoxOf(Point a, Point b) {
    const int l = std::min(a.X, b.X), r = std::max(a.X, b.X);
    const int t = std::min(a.Y, b.Y), btm = std::max(a.Y, b.Y);
    return QRect(l, t, std::max(0, r - l - 1), std::max(0, btm - t - 1));
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter, QSize surface)
    : painter_(painter), surface_(surface), fontColour_(Qt::white), brushColour_(Qt::white) {
    raster_ = painter_.paintEngine() && painter_.paintEngine()->type() == QPaintEngine::Raster;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setBackgroundMode(Qt::TransparentMode);
}

void QtCanvas::Clear(Rgb colour) {
    painter_.fillRect(QRect(QPoint(0, 0), surface_), ToQColor(colour));
    SetBrush(colour);
}

void QtCanvas::SetPen(Rgb colour, int width, PenStyle style) {
    penColour_ = ToQColor(colour);
    penWidth_ = std::max(1, width);
    penStyle_ = style;
    QPen pen(penColour_);
    pen.setWidth(penWidth_);
    pen.setStyle(style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    // Wide pens end and join round, so a batch of segments looks the same as
    // one polyline; one-pixel lines leave out their last pixel.
    pen.setCapStyle(penWidth_ > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(penWidth_ > 1 ? Qt::RoundJoin : Qt::MiterJoin);
    shapePen_ = pen;
    linePen_ = QPen(penColour_, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    linePenActive_ = false;
    painter_.setPen(shapePen_);
}

void QtCanvas::UseLinePen() {
    if (ThickLines() && !linePenActive_) {
        painter_.setPen(linePen_);
        linePenActive_ = true;
    }
}

void QtCanvas::UseShapePen() {
    if (linePenActive_) {
        painter_.setPen(shapePen_);
        linePenActive_ = false;
    }
}

// Draws the lines; with a two-pixel pen each is doubled beside itself,
// below a flat line and to the right of a steep one.
void QtCanvas::DrawLineList(std::vector<QLine>& lines) {
    if (lines.empty()) return;
    if (ThickLines()) {
        UseLinePen();
        const std::size_t n = lines.size();
        for (std::size_t i = 0; i < n; ++i) {
            const QLine l = lines[i];
            const bool flat = std::abs(l.dx()) >= std::abs(l.dy());
            lines.push_back(flat ? l.translated(0, 1) : l.translated(1, 0));
        }
    } else {
        UseShapePen();
    }
    painter_.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void QtCanvas::SetBrush(Rgb colour) {
    brushColour_ = ToQColor(colour);
    painter_.setBrush(QBrush(brushColour_));
}

QFont QtCanvas::FontFor(const FontSpec& spec) {
    std::string face = spec.Face;
    bool bold = spec.Bold;
    const std::string boldSuffix = " Bold";
    if (face.size() > boldSuffix.size() &&
        face.compare(face.size() - boldSuffix.size(), boldSuffix.size(), boldSuffix) == 0 &&
        face.find("Extra Bold") == std::string::npos) {
        face.resize(face.size() - boldSuffix.size());
        bold = true;
    }
    QFont f(QString::fromStdString(face));
    f.setPointSize(std::max(1, spec.Size));
    f.setBold(bold);
    f.setUnderline(spec.Underline);
    f.setStyleHint(QFont::Serif);
    return f;
}

void QtCanvas::SetFont(const FontSpec& font) {
    painter_.setFont(FontFor(font));
    fontColour_ = ToQColor(font.Colour);
}

void QtCanvas::SetFontColour(Rgb colour) {
    fontColour_ = ToQColor(colour);
}

void QtCanvas::MoveTo(Point p) {
    at_ = ToQPoint(p);
}

void QtCanvas::LineTo(Point p) {
    const QPoint to = ToQPoint(p);
    Line({at_.x(), at_.y()}, p);
    at_ = to;
}

void QtCanvas::Line(Point a, Point b) {
    scratch_.clear();
    scratch_.emplace_back(ToQPoint(a), ToQPoint(b));
    DrawLineList(scratch_);
}

void QtCanvas::Lines(std::span<const Segment> segments) {
    scratch_.clear();
    scratch_.reserve(segments.size() * 2);
    for (const Segment& s : segments)
        scratch_.emplace_back(s.A.X, s.A.Y, s.B.X, s.B.Y);
    DrawLineList(scratch_);
}

void QtCanvas::Polyline(std::span<const Point> points) {
    if (points.empty()) return;
    at_ = ToQPoint(points.back());
    if (ThickLines()) {
        scratch_.clear();
        scratch_.reserve(points.size() * 2);
        for (std::size_t i = 1; i < points.size(); ++i)
            scratch_.emplace_back(ToQPoint(points[i - 1]), ToQPoint(points[i]));
        DrawLineList(scratch_);
        return;
    }
    UseShapePen();
    std::vector<QPoint> pts;
    pts.reserve(points.size());
    for (const Point& p : points)
        pts.push_back(ToQPoint(p));
    painter_.drawPolyline(pts.data(), static_cast<int>(pts.size()));
}

void QtCanvas::SeriesLine(std::span<const Point> points) {
    // Qt's stroker joins the pieces of one call; on an image each piece gets
    // its own call, so its pixels are its own whatever came before.
    if (!raster_) {
        Polyline(points);
        return;
    }
    for (std::size_t i = 1; i < points.size(); ++i)
        Line(points[i - 1], points[i]);
    if (!points.empty()) at_ = ToQPoint(points.back());
}

void QtCanvas::Polygon(std::span<const Point> points) {
    if (points.empty()) return;
    QPoint pts[16];
    std::vector<QPoint> many;
    QPoint* data = pts;
    if (points.size() > 16) {
        many.resize(points.size());
        data = many.data();
    }
    for (std::size_t i = 0; i < points.size(); ++i)
        data[i] = ToQPoint(points[i]);
    const int n = static_cast<int>(points.size());
    if (ThickLines()) {
        // Filled without the pen, then outlined like every other thick line.
        painter_.setPen(Qt::NoPen);
        linePenActive_ = false;
        painter_.drawPolygon(data, n, Qt::WindingFill);
        scratch_.clear();
        for (int i = 0; i < n; ++i)
            scratch_.emplace_back(data[i], data[(i + 1) % n]);
        DrawLineList(scratch_);
        return;
    }
    UseShapePen();
    painter_.drawPolygon(data, n, Qt::WindingFill);
}

void QtCanvas::Rectangle(Point topLeft, Point bottomRight) {
    UseShapePen();
    painter_.drawRect(BoxOf(topLeft, bottomRight));
}

void QtCanvas::Ellipse(Point topLeft, Point bottomRight) {
    UseShapePen();
    painter_.drawEllipse(BoxOf(topLeft, bottomRight));
}

void QtCanvas::Marker(Point p, int shape, int s, bool pentagonForCircle) {
    if (!raster_ || s < 0 || s > 200) {
        Canvas::Marker(p, shape, s, pentagonForCircle);
        return;
    }
    const QRgb pen = penColour_.rgb(), brush = brushColour_.rgb();
    auto matches = [&](const Sprite& sp) {
        return sp.Shape == shape && sp.Size == s && sp.Pentagon == pentagonForCircle &&
               sp.Pen == pen && sp.Brush == brush && sp.PenWidth == penWidth_ &&
               sp.Style == penStyle_;
    };
    // A series stamps the same marker row after row: try the last one first.
    const Sprite* sprite = nullptr;
    if (lastSprite_ < sprites_.size() && matches(sprites_[lastSprite_])) {
        sprite = &sprites_[lastSprite_];
    } else {
        for (std::size_t i = 0; i < sprites_.size(); ++i)
            if (matches(sprites_[i])) {
                sprite = &sprites_[i];
                lastSprite_ = i;
                break;
            }
    }
    const int c = s + penWidth_ + 2;
    QPaintDevice* device = painter_.device();
    if (!sprite) {
        // Aliased drawing is the same at every whole-pixel offset, so one
        // stamp drawn through this canvas's own rules serves every point.
        // At the target's pixel ratio, so a high-density graph's markers are as sharp.
        const qreal ratio = device ? device->devicePixelRatio() : 1;
        QImage image(qCeil((2 * c + 1) * ratio), qCeil((2 * c + 1) * ratio),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            QtCanvas stamp(painter, LogicalSize(image));
            stamp.SetPen({static_cast<std::uint8_t>(qRed(pen)),
                          static_cast<std::uint8_t>(qGreen(pen)),
                          static_cast<std::uint8_t>(qBlue(pen))},
                         penWidth_, penStyle_);
            stamp.SetBrush({static_cast<std::uint8_t>(qRed(brush)),
                            static_cast<std::uint8_t>(qGreen(brush)),
                            static_cast<std::uint8_t>(qBlue(brush))});
            DrawMarker(stamp, c, c, shape, s, pentagonForCircle);
        }
        Sprite made{shape, s, pentagonForCircle, pen, brush, penWidth_, penStyle_, image, {}, true};
        for (int y = 0; y < image.height() && made.Opaque; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int alpha = qAlpha(line[x]);
                if (alpha == 255) {
                    made.Pixels.push_back({x - c, y - c, line[x]});
                } else if (alpha != 0) {
                    made.Opaque = false;
                    break;
                }
            }
        }
        sprites_.push_back(std::move(made));
        sprite = &sprites_.back();
        lastSprite_ = sprites_.size() - 1;
    }
    // Thousands of points: write opaque stamps straight into an unshared,
    // unclipped image instead of going through the painter each time.
    if (sprite->Opaque && device && device->devType() == QInternal::Image &&
        device->devicePixelRatio() == 1 && !painter_.hasClipping() &&
        painter_.transform().isIdentity()) {
        auto* target = static_cast<QImage*>(device);
        const auto format = target->format();
        if (target->isDetached() &&
            (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
             format == QImage::Format_ARGB32_Premultiplied)) {
            uchar* bits = target->bits();
            const qsizetype stride = target->bytesPerLine();
            const unsigned w = static_cast<unsigned>(target->width());
            const unsigned h = static_cast<unsigned>(target->height());
            for (const auto& px : sprite->Pixels) {
                const unsigned x = static_cast<unsigned>(p.X + px.Dx);
                const unsigned y = static_cast<unsigned>(p.Y + px.Dy);
                if (x < w && y < h) reinterpret_cast<QRgb*>(bits + y * stride)[x] = px.Colour;
            }
            return;
        }
    }
    painter_.drawImage(p.X - c, p.Y - c, sprite->Image);
}

void QtCanvas::Text(Point anchor, const std::string& text, TextAlign align) {
    // Even one-pixel characters this many cover the surface from the anchor.
    const std::size_t shown = 4096 + 8 * static_cast<std::size_t>(std::max(0, surface_.width()));
    const std::string_view part = VisibleTextPart(text, align, shown);
    const QString s = QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
    const QFontMetrics fm = painter_.fontMetrics();
    const int width = fm.horizontalAdvance(s);
    const int height = fm.height();
    int left = anchor.X;
    if (align == TextAlign::Centre) left -= width / 2;
    if (align == TextAlign::Right) left -= width;
    const int top = anchor.Y - height / 2;
    painter_.fillRect(QRect(left, top, width, height), brushColour_);
    const QPen pen = painter_.pen();
    painter_.setPen(fontColour_);
    painter_.drawText(QPoint(left, top + fm.ascent()), s);
    painter_.setPen(pen);
}

int QtCanvas::TextHeight() {
    return painter_.fontMetrics().height();
}

int QtCanvas::TextWidth(const std::string& text) {
    return painter_.fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

GraphGeometry RenderGraphImage(Document& doc, QImage& image, GraphViewState& view, int windowWidth,
                               int windowHeight, const ScreenInfo& screen, qreal pixelRatio) {
    const int screenClass = ScreenClassOf(screen.Width);
    // Everything drawn lies within the window's width and its height less two
    // menu bars; a screen that grew within its class must not cut the graph off.
    const int needWidth = std::max(windowWidth, 160);
    const int needHeight = std::max(windowHeight, 120) - 2 * screen.MenuBarHeight;
    const QSize logical = LogicalSize(image);
    if (image.isNull() || view.BitmapScreenClass != screenClass ||
        image.devicePixelRatio() != pixelRatio || logical.width() < needWidth ||
        logical.height() < needHeight) {
        const BitmapSize size = GraphBitmapSize(screen);
        const QSize want(std::max(size.Width, needWidth), std::max(size.Height, needHeight));
        // Device pixels at the screen's ratio, the layout in the same logical pixels.
        QImage larger(qCeil(want.width() * pixelRatio), qCeil(want.height() * pixelRatio),
                      QImage::Format_RGB32);
        // Qt gives a null image when its pixels cannot be had; the old one stays.
        if (larger.isNull()) throw std::bad_alloc();
        larger.setDevicePixelRatio(pixelRatio);
        image = std::move(larger);
        view.BitmapScreenClass = screenClass;
    }
    QPainter painter(&image);
    QtCanvas canvas(painter, LogicalSize(image));
    return DrawGraph(doc, canvas, view, windowWidth, windowHeight, screen);
}

QSize LogicalSize(const QImage& image) {
    return image.deviceIndependentSize().toSize();
}

QImage VisibleGraphPart(const QImage& image, const GraphGeometry& geometry) {
    const qreal ratio = image.devicePixelRatio();
    return image.copy(0, 0, qCeil(geometry.LastGraphWidth * ratio),
                      qCeil(geometry.LastGraphHeight * ratio));
}

QImage VisibleGraphView(const QImage& image, const GraphGeometry& geometry) {
    if (image.devicePixelRatio() != 1) return VisibleGraphPart(image, geometry);
    const int w = std::clamp(geometry.LastGraphWidth, 0, image.width());
    const int h = std::clamp(geometry.LastGraphHeight, 0, image.height());
    if (image.isNull() || w == 0 || h == 0) return {};
    // The rows of the top-left part, read in place (a large graph is not held twice).
    return QImage(image.constBits(), w, h, image.bytesPerLine(), image.format());
}

QImage GraphWindowImage(Document& doc, GraphViewState& view, int windowWidth, int windowHeight,
                        const ScreenInfo& screen) {
    QImage image;
    const GraphGeometry g = RenderGraphImage(doc, image, view, windowWidth, windowHeight, screen);
    return VisibleGraphPart(image, g);
}

PaintJob::PaintJob() : painter_(std::make_unique<QPainter>()) {}

PaintJob::~PaintJob() {
    for (int attempt = 0; attempt < 2 && painter_->isActive(); ++attempt) {
        try {
            painter_->end();
        } catch (const std::bad_alloc&) {
        }
    }
    // Its destructor would end it once more and throw.
    if (painter_->isActive()) (void)painter_.release();
}

bool PaintJob::Begin(QPaintDevice& device) {
    return painter_->begin(&device);
}

bool PaintJob::End() {
    return painter_->end();
}

bool PrintGraphOn(Document& doc, QPagedPaintDevice& device, bool colour, GraphViewState& view) {
    PaintJob job;
    if (!job.Begin(device)) return false;
    PrinterPage page;
    page.Width = device.width();
    page.Height = device.height();
    page.Portrait = device.pageLayout().orientation() == QPageLayout::Portrait;
    page.Colour = colour;
    QtCanvas canvas(job.Painter(), QSize(page.Width, page.Height));
    try {
        DrawGraphToPrinter(doc, canvas, view, page);
    } catch (const std::bad_alloc&) {
        AbortPrintJob(device);
        throw;
    }
    return job.End();
}

void AbortPrintJob(QPagedPaintDevice& device) {
    // A printer is told to drop the pages; a PDF writer has no such thing and
    // its file is removed by whoever named it.
    if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->abort();
}

bool PrintGraph(Document& doc, QPrinter& printer, GraphViewState& view) {
    return PrintGraphOn(doc, printer, printer.colorMode() == QPrinter::Color, view);
}

bool SaveImageFile(const QImage& image, const std::string& path, std::string* error,
                   const char* format) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (!format) format = lower.ends_with(".png") ? "PNG" : "BMP";
    const bool png = std::strcmp(format, "PNG") == 0;
    bool encoderFailed = false;
    const bool written = WriteFileAtomically(
        path,
        [&](std::ostream& out) {
            StreamDevice device(out);
            // A graph is mostly flat colour: fast compression loses almost nothing in size.
            const bool encoded = image.save(&device, format, png ? 80 : -1);
            // A failed write (a full disk) keeps the writer's reason.
            encoderFailed = !encoded && static_cast<bool>(out);
            return encoded && static_cast<bool>(out);
        },
        error);
    if (encoderFailed && error) *error = "The image could not be encoded.";
    return written;
}

bool WriteBytesFile(const QByteArray& bytes, const std::string& path, std::string* error) {
    return WriteFileAtomically(
        path,
        [&](std::ostream& out) {
            out.write(bytes.constData(), bytes.size());
            return static_cast<bool>(out);
        },
        error);
}

} // namespace torvel
