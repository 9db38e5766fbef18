#include "editor/dib_picture.h"

QImage PicturePart(const CDibImage& picture, const QRect& area) {
    QImage image(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < area.width(); ++x) {
            const uint8_t* bgr = picture.PixelPtr(area.left() + x, area.top() + y);
            line[x] = qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
    return image;
}
