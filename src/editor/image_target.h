#pragma once

#include <QImage>

#include "art/cell_renderer.h"

// The pixels of an RGB32 image as the core's renderers draw into them.
inline RgbTarget TargetOf(QImage& image) {
    return {reinterpret_cast<uint32_t*>(image.bits()), image.width(), image.height(),
            static_cast<int>(image.bytesPerLine() / 4)};
}
