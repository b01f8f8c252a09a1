// Where the main window puts its children: the tiles of Tile Vert. and Tile
// Horz., and a new window kept inside the visible work area.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace torvel {

// The tiles for count windows over area, in the order the windows are placed:
// side by side in columns (Tile Vert.) or one above the other in rows (Tile
// Horz.), each the full height (or width); together they cover the area.
QList<QRect> TileRects(const QRect& area, int count, bool sideBySide);

// Where a window goes so it lies fully inside area: moved in as little as it
// must. A window larger than the area keeps its top-left corner (and so its
// caption) in the area.
QPoint PlaceInside(const QRect& window, const QRect& area);

} // namespace torvel
