#include "editor/overview_wnd.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "editor/dib_picture.h"
#include "editor/halftone.h"
#include "editor/map_session.h"
#include "editor/pane_style.h"

namespace {

constexpr int kMarkerWidth = 2;

}  // namespace

COverviewWnd::COverviewWnd(const CMapSession& session, QWidget* parent)
    : QFrame(parent), session(session) {
    StylePane(*this, kPaneGrey);
    connect(&session, &CMapSession::tilesChanged, this, &COverviewWnd::InvalidateTiles);
    connect(&session, &CMapSession::artChanged, this, &COverviewWnd::PictureChanged);
}

QRegion COverviewWnd::MarkerRegion(const QRect& rect) const {
    return FrameRegion(ShownPixels(rect), kMarkerWidth).translated(contentsRect().topLeft());
}

void COverviewWnd::SetViewMarker(const QRect& rect) {
    update(MarkerRegion(markerRect).united(MarkerRegion(rect)));
    markerRect = rect;
}

void COverviewWnd::InvalidateTiles(const QRect& tiles) {
    QRect pixels = ShownPixels(tiles);
    if (IsReduced()) {
        Reduce(pixels.left(), pixels.top(), pixels.right() + 1, pixels.bottom() + 1);
    }
    update(pixels.translated(contentsRect().topLeft()));
}

bool COverviewWnd::IsReduced() const {
    const CDibImage& picture = session.Overview();
    return shownSize.isValid() && shownSize != QSize(picture.GetWidth(), picture.GetHeight()) &&
           !picture.IsEmpty();
}

void COverviewWnd::SetShownSize(QSize size) {
    shownSize = size;
    PictureChanged();
}

void COverviewWnd::PictureChanged() {
    if (!IsReduced()) {
        reduced = QImage();
    } else {
        reduced = QImage(shownSize, QImage::Format_RGB32);
        Reduce(0, 0, shownSize.width(), shownSize.height());
    }
    update();
}

int COverviewWnd::FirstTileX(int i) const {
    return static_cast<int>(int64_t{i} * session.Overview().GetWidth() / shownSize.width());
}

int COverviewWnd::FirstTileY(int i) const {
    return static_cast<int>(int64_t{i} * session.Overview().GetHeight() / shownSize.height());
}

void COverviewWnd::Reduce(int left, int top, int right, int bottom) {
    const CDibImage& picture = session.Overview();
    for (int j = std::max(top, 0); j < std::min(bottom, shownSize.height()); ++j) {
        const int y0 = FirstTileY(j);
        const int y1 = std::max(y0 + 1, FirstTileY(j + 1));
        auto* line = reinterpret_cast<QRgb*>(reduced.scanLine(j));
        for (int i = std::max(left, 0); i < std::min(right, shownSize.width()); ++i) {
            const int x0 = FirstTileX(i);
            const int x1 = std::max(x0 + 1, FirstTileX(i + 1));
            int sums[3] = {};
            for (int y = y0; y < y1; ++y) {
                const uint8_t* bgr = picture.PixelPtr(x0, y);
                for (int x = x0; x < x1; ++x, bgr += 3) {
                    sums[0] += bgr[2];
                    sums[1] += bgr[1];
                    sums[2] += bgr[0];
                }
            }
            const int count = (x1 - x0) * (y1 - y0);
            line[i] = qRgb(sums[0] / count, sums[1] / count, sums[2] / count);
        }
    }
}

QRect COverviewWnd::ShownPixels(const QRect& tiles) const {
    if (!IsReduced()) {
        return tiles;
    }
    const CDibImage& picture = session.Overview();
    // The shown pixels whose tiles overlap these.
    auto first = [](int tile, int tiles, int pixels) {
        return static_cast<int>(int64_t{tile} * pixels / tiles);
    };
    auto end = [](int tile, int tiles, int pixels) {
        return static_cast<int>((int64_t{tile} * pixels + tiles - 1) / tiles);
    };
    int left = first(tiles.left(), picture.GetWidth(), shownSize.width());
    int top = first(tiles.top(), picture.GetHeight(), shownSize.height());
    int right = end(tiles.right() + 1, picture.GetWidth(), shownSize.width());
    int bottom = end(tiles.bottom() + 1, picture.GetHeight(), shownSize.height());
    return QRect(QPoint(left, top), QPoint(std::max(left, right - 1), std::max(top, bottom - 1)));
}

QPoint COverviewWnd::TileAt(QPoint shownPixel) const {
    if (!IsReduced()) {
        return shownPixel;
    }
    const CDibImage& picture = session.Overview();
    // The tile under the middle of the pixel.
    auto tile = [](int pixel, int pixels, int tiles) {
        return static_cast<int>((2 * int64_t{pixel} + 1) * tiles / (2 * int64_t{pixels}));
    };
    return QPoint(tile(shownPixel.x(), shownSize.width(), picture.GetWidth()),
                  tile(shownPixel.y(), shownSize.height(), picture.GetHeight()));
}

void COverviewWnd::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const CDibImage& picture = session.Overview();
    if (!session.IsOpen() || picture.IsEmpty()) {
        return;
    }
    QPoint origin = contentsRect().topLeft();
    QSize size = IsReduced() ? shownSize : QSize(picture.GetWidth(), picture.GetHeight());
    QRect area = event->rect().translated(-origin).intersected(QRect(QPoint(0, 0), size));
    if (area.isEmpty()) {
        return;
    }
    QImage image = IsReduced() ? reduced.copy(area) : PicturePart(picture, area);
    InvertHalftone(image, area.topLeft(), FrameRegion(ShownPixels(markerRect), kMarkerWidth));
    QPainter(this).drawImage(origin + area.topLeft(), image);
}

void COverviewWnd::CentreOn(QPoint pixel) {
    QPoint tile = TileAt(pixel - contentsRect().topLeft());
    emit scrollRequested(tile.x() - markerRect.width() / 2, tile.y() - markerRect.height() / 2);
}

void COverviewWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        tracking = true;
        CentreOn(event->position().toPoint());
    }
}

void COverviewWnd::mouseMoveEvent(QMouseEvent* event) {
    if (tracking) {
        CentreOn(event->position().toPoint());
    }
}

void COverviewWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        tracking = false;
    }
}
