#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>

#include "edit/map_change.h"

// The tiles of a QRect (inclusive edges) as the core's [left, right) x [top, bottom), and back.
inline TileRect ToTileRect(const QRect& tiles) {
    return {tiles.left(), tiles.top(), tiles.right() + 1, tiles.bottom() + 1};
}

inline QRect ToQRect(const TileRect& tiles) {
    return QRect(tiles.left, tiles.top, tiles.Width(), tiles.Height());
}

// The tiles from one corner to the other, whichever way they were dragged.
inline QRect TilesBetween(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}
