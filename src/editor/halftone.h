#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

// The frame of rect, thickness pixels wide on the inside of its edges.
QRegion FrameRegion(const QRect& rect, int thickness);

// Inverts every other pixel of region (a halftone that shows on any colour) in an RGB32 image
// whose top-left pixel lies at origin in the region's coordinates. Inverting twice restores the
// pixels.
void InvertHalftone(QImage& image, QPoint origin, const QRegion& region);
