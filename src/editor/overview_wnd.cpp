#include "editor/overview_wnd.h"

#include <QMouseEvent>
#include <QPainter>

#include "editor/halftone.h"
#include "editor/main_frame.h"
#include "editor/pane_style.h"

namespace {

constexpr int kMarkerWidth = 2;

// The part of a 24-bit picture inside area, as Qt's 0xFFRRGGBB pixels.
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

}  // namespace

COverviewWnd::COverviewWnd(CMainFrame& frame, QWidget* parent) : QFrame(parent), frame(frame) {
    StylePane(*this, kPaneGrey);
}

QRegion COverviewWnd::MarkerRegion(const QRect& rect) const {
    return FrameRegion(rect, kMarkerWidth).translated(contentsRect().topLeft());
}

void COverviewWnd::SetViewMarker(const QRect& rect) {
    update(MarkerRegion(markerRect).united(MarkerRegion(rect)));
    markerRect = rect;
}

void COverviewWnd::InvalidateTiles(const QRect& tiles) {
    update(tiles.translated(contentsRect().topLeft()));
}

void COverviewWnd::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const CDibImage& picture = frame.overviewPicture;
    if (!frame.mapOpen || picture.IsEmpty()) {
        return;
    }
    QPoint origin = contentsRect().topLeft();
    QRect area = event->rect().translated(-origin).intersected(
        QRect(0, 0, picture.GetWidth(), picture.GetHeight()));
    if (area.isEmpty()) {
        return;
    }
    QImage image = PicturePart(picture, area);
    InvertHalftone(image, area.topLeft(), FrameRegion(markerRect, kMarkerWidth));
    QPainter(this).drawImage(origin + area.topLeft(), image);
}

void COverviewWnd::CentreOn(QPoint pixel) {
    QPoint tile = pixel - contentsRect().topLeft();
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
