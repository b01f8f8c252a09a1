#include "ui/window_layout.h"

#include <algorithm>

namespace torvel {

QList<QRect> TileRects(const QRect& area, int count, bool sideBySide) {
    QList<QRect> tiles;
    if (count <= 0) return tiles;
    const int length = sideBySide ? area.width() : area.height();
    for (int i = 0; i < count; ++i) {
        // Edges at exact fractions, so the tiles differ by a pixel at most and
        // meet without gaps.
        const int from = static_cast<int>(static_cast<long long>(length) * i / count);
        const int to = static_cast<int>(static_cast<long long>(length) * (i + 1) / count);
        if (sideBySide)
            tiles.push_back(QRect(area.left() + from, area.top(), to - from, area.height()));
        else
            tiles.push_back(QRect(area.left(), area.top() + from, area.width(), to - from));
    }
    return tiles;
}

namespace {

int PlaceSpan(int start, int size, int areaStart, int areaSize) {
    if (size > areaSize) return areaStart;
    return std::clamp(start, areaStart, areaStart + areaSize - size);
}

} // namespace

QPoint PlaceInside(const QRect& window, const QRect& area) {
    return {PlaceSpan(window.left(), window.width(), area.left(), area.width()),
            PlaceSpan(window.top(), window.height(), area.top(), area.height())};
}

} // namespace torvel
