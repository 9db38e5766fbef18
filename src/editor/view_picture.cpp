#include "editor/view_picture.h"

#include <QPainter>
#include <algorithm>

#include "art/tile_renderer.h"
#include "editor/image_target.h"

namespace {

constexpr int64_t kNone = INT64_MIN;

int64_t Pack(int col, int row) {
    return (static_cast<int64_t>(col) << 32) | static_cast<uint32_t>(row);
}

// n modulo count, never negative.
int Wrap(int n, int count) {
    int m = n % count;
    return m < 0 ? m + count : m;
}

// floor(n / size) for any sign.
int FloorDiv(int n, int size) {
    return n >= 0 ? n / size : -((-n + size - 1) / size);
}

}  // namespace

void CViewPicture::Resize(int newCols, int newRows) {
    cols = std::max(newCols, 1);
    rows = std::max(newRows, 1);
    picture = QImage(cols * kTileSize, rows * kTileSize, QImage::Format_RGB32);
    held.assign(static_cast<size_t>(cols) * rows, kNone);
}

int CViewPicture::SlotOf(int col, int row) const {
    return Wrap(row, rows) * cols + Wrap(col, cols);
}

void CViewPicture::Forget(const QRect& tiles) {
    for (int64_t& slot : held) {
        if (slot != kNone && tiles.contains(static_cast<int>(slot >> 32),
                                            static_cast<int>(static_cast<uint32_t>(slot)))) {
            slot = kNone;
        }
    }
}

void CViewPicture::ForgetAll() {
    std::fill(held.begin(), held.end(), kNone);
}

void CViewPicture::RenderMissing(const CMapArt& art, QPoint scroll, const QRect& area) {
    int firstCol = scroll.x() + FloorDiv(area.left(), kTileSize);
    int endCol = scroll.x() + FloorDiv(area.right(), kTileSize) + 1;
    int firstRow = scroll.y() + FloorDiv(area.top(), kTileSize);
    int endRow = scroll.y() + FloorDiv(area.bottom(), kTileSize) + 1;
    RgbTarget target{reinterpret_cast<uint32_t*>(picture.bits()), picture.width(), picture.height(),
                     static_cast<int>(picture.bytesPerLine() / 4)};
    for (int row = firstRow; row < endRow; ++row) {
        // Runs of missing tiles that do not wrap around are rendered in one go.
        int col = firstCol;
        while (col < endCol) {
            if (held[SlotOf(col, row)] == Pack(col, row)) {
                ++col;
                continue;
            }
            int runEnd = col;
            do {
                held[SlotOf(runEnd, row)] = Pack(runEnd, row);
                ++runEnd;
            } while (runEnd < endCol && Wrap(runEnd, cols) != 0 &&
                     held[SlotOf(runEnd, row)] != Pack(runEnd, row));
            RenderTiles(art, kTileSize, col, row, runEnd, row + 1, target,
                        Wrap(col, cols) * kTileSize, Wrap(row, rows) * kTileSize);
            col = runEnd;
        }
    }
}

template <typename Piece>
void CViewPicture::ForEachPiece(QPoint scroll, const QRect& area, Piece piece) const {
    // Viewport x lies at picture x = x + shift, wrapped at the picture's width.
    int shiftX = Wrap(scroll.x(), cols) * kTileSize;
    int shiftY = Wrap(scroll.y(), rows) * kTileSize;
    int width = picture.width();
    int height = picture.height();
    // The viewport positions where the picture wraps around.
    int wrapX = width - shiftX;
    int wrapY = height - shiftY;
    const int xs[] = {area.left(), std::clamp(wrapX, area.left(), area.right() + 1),
                      area.right() + 1};
    const int ys[] = {area.top(), std::clamp(wrapY, area.top(), area.bottom() + 1),
                      area.bottom() + 1};
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            QRect part(QPoint(xs[i], ys[j]), QPoint(xs[i + 1] - 1, ys[j + 1] - 1));
            if (part.isEmpty()) {
                continue;
            }
            QPoint source(Wrap(part.left() + shiftX, width), Wrap(part.top() + shiftY, height));
            piece(QRect(source, part.size()), part.topLeft());
        }
    }
}

void CViewPicture::Draw(QPainter& painter, const CMapArt& art, QPoint scroll, const QRect& area) {
    if (area.isEmpty() || held.empty()) {
        return;
    }
    RenderMissing(art, scroll, area);
    ForEachPiece(scroll, area,
                 [&](const QRect& source, QPoint at) { painter.drawImage(at, picture, source); });
}

QImage CViewPicture::Copy(QPoint scroll, const QRect& area) const {
    QImage copy(area.size(), QImage::Format_RGB32);
    if (held.empty()) {
        copy.fill(Qt::black);
        return copy;
    }
    QPainter painter(&copy);
    ForEachPiece(scroll, area, [&](const QRect& source, QPoint at) {
        painter.drawImage(at - area.topLeft(), picture, source);
    });
    return copy;
}
