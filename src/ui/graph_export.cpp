#include "ui/graph_export.h"

#include "ui/qt_canvas.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace torvel {

QByteArray GraphSvg(Document& doc, GraphViewState& view, int windowWidth, int windowHeight,
                    const ScreenInfo& screen) {
    const int w = std::max(windowWidth, 160), h = std::max(windowHeight, 120);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(w, h));
    svg.setViewBox(QRect(0, 0, w, h));
    svg.setResolution(96);
    svg.setTitle(QString::fromStdString(UpperFileName(doc.GraphFileName)));
    svg.setDescription(QStringLiteral("Torvel Graphics v2.07"));
    PaintJob job;
    if (!job.Begin(svg)) return {};
    QtCanvas canvas(job.Painter(), QSize(w, h));
    DrawGraph(doc, canvas, view, w, h, screen);
    job.End();
    return bytes;
}

bool SaveGraphSvg(Document& doc, GraphViewState& view, int windowWidth, int windowHeight,
                  const ScreenInfo& screen, const std::string& path, std::string* error) {
    const QByteArray bytes = GraphSvg(doc, view, windowWidth, windowHeight, screen);
    if (bytes.isEmpty()) {
        if (error) *error = "The drawing could not be started.";
        return false;
    }
    return WriteBytesFile(bytes, path, error);
}

PictureFormat PictureFormatFor(const std::string& path, int filterIndex) {
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.ends_with(".png")) return PictureFormat::Png;
    if (lower.ends_with(".svg")) return PictureFormat::Svg;
    if (filterIndex == 1) return PictureFormat::Png;
    if (filterIndex == 2) return PictureFormat::Svg;
    return PictureFormat::Bmp;
}

} // namespace torvel
