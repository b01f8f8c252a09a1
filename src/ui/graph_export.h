// The graph as a vector drawing: SVG through the same renderer and canvas as
// the window, so the file looks like the window.
#pragma once

#include "core/document.h"
#include "render/draw_graph.h"

#include <QByteArray>

#include <string>

namespace torvel {

// Draws the graph for a window of outer size windowWidth x windowHeight (at
// least 160 x 120, as on screen) into an SVG document of that size.
QByteArray GraphSvg(Document& doc, GraphViewState& view, int windowWidth, int windowHeight,
                    const ScreenInfo& screen = {});

// Writes GraphSvg through the atomic file writer; false with *error on failure.
bool SaveGraphSvg(Document& doc, GraphViewState& view, int windowWidth, int windowHeight,
                  const ScreenInfo& screen, const std::string& path, std::string* error = nullptr);

// The picture formats of Save Bitmap, in the order of its filters.
enum class PictureFormat { Bmp, Png, Svg };
// A name ending in .png or .svg is written in that format; any other name in
// the format of the chosen filter (BMP by default, whatever the name ends with).
PictureFormat PictureFormatFor(const std::string& path, int filterIndex);

} // namespace torvel
