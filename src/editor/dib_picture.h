#pragma once

#include <QImage>
#include <QRect>

#include "image/dib_image.h"

// The part of a 24-bit picture inside area, as Qt's 0xFFRRGGBB pixels.
QImage PicturePart(const CDibImage& picture, const QRect& area);
