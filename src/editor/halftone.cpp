#include "editor/halftone.h"

QRegion FrameRegion(const QRect& rect, int thickness) {
    QRect inside = rect.adjusted(thickness, thickness, -thickness, -thickness);
    return QRegion(rect).subtracted(inside.isValid() ? QRegion(inside) : QRegion());
}

void InvertHalftone(QImage& image, QPoint origin, const QRegion& region) {
    QRect bounds(origin, image.size());
    for (const QRect& rect : region.intersected(bounds)) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y - origin.y()));
            // The checkerboard is anchored to the region's coordinates, so that neighbouring
            // pieces of one frame line up.
            for (int x = rect.left() + ((rect.left() + y) & 1); x <= rect.right(); x += 2) {
                line[x - origin.x()] ^= 0x00FFFFFF;
            }
        }
    }
}
