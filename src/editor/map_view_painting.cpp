// The map view's painting: the tiles that changed or came into view, drawn straight into the
// window's pixels where they can be, and the frames inverted over them.

#include <QBackingStore>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "art/cell_renderer.h"
#include "art/overview_picture.h"
#include "art/tile_renderer.h"
#include "editor/halftone.h"
#include "editor/image_target.h"
#include "editor/map_session.h"
#include "editor/map_view.h"
#include "editor/tool_choice.h"

void CMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    if (!PaintDirect(painter, event->region())) {
        for (const QRect& rect : event->region()) {
            PaintRect(painter, rect);
        }
    }
}

QRegion CMapView::FramesRegion() const {
    return FrameRegion(bandRect, kBandWidth).united(outline);
}

bool CMapView::PaintDirect(QPainter& painter, const QRegion& region) {
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
    // Only the window's own pixels are kept between paints; a grab paints into a fresh pixmap.
    QBackingStore* store = window()->backingStore();
    if (device == nullptr || store == nullptr || device != store->paintDevice() ||
        device->devType() != QInternal::Image) {
        return false;
    }
    auto& image = *static_cast<QImage*>(device);
    const QTransform& transform = painter.deviceTransform();
    QPoint offset(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    // The tiles' 0xFFRRGGBB pixels need no conversion, and whole pixels no scaling.
    QImage::Format format = image.format();
    bool rgb32 = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                 format == QImage::Format_ARGB32_Premultiplied;
    bool direct = rgb32 && transform.type() <= QTransform::TxTranslate &&
                  QPointF(offset) == QPointF(transform.dx(), transform.dy()) &&
                  // Writing to an image shared with a copy would detach it from the painter.
                  image.isDetached();
    if (!direct) {
        // The window's pixels are painted afresh, band and all.
        ForgetPainted(region);
        return false;
    }
    QRegion allowed = region.translated(offset).intersected(image.rect());
    if (!engine->systemClip().isEmpty()) {
        allowed = allowed.intersected(engine->systemClip());
    }
    allowed.translate(-offset);
    // Where only the band was asked to change, the window still shows the right tiles: the
    // pixels the band left or entered are inverted in place, and the rest stay. Everywhere else
    // the tiles are drawn, and the band over them where it lies.
    QRegion bandOnly = bandTouched.subtracted(staleRegion).intersected(allowed);
    QRegion drawn = allowed.subtracted(bandOnly);
    RgbTarget pixels = TargetOf(image);
    for (const QRect& rect : drawn) {
        QRect at = rect.translated(offset);
        RenderRect(rect, RgbTarget{pixels.pixels + at.top() * pixels.stride + at.left(),
                                   rect.width(), rect.height(), pixels.stride});
    }
    InvertHalftone(image, -offset,
                   bandToggles.intersected(bandOnly).united(FramesRegion().intersected(drawn)));
    ForgetPainted(allowed);
    return true;
}

void CMapView::ForgetPainted(const QRegion& region) {
    staleRegion -= region;
    bandTouched -= region;
    bandToggles -= region;
}

void CMapView::PaintRect(QPainter& painter, const QRect& rect) {
    if (paintBuffer.width() < rect.width() || paintBuffer.height() < rect.height()) {
        paintBuffer = QImage(std::max(rect.width(), paintBuffer.width()),
                             std::max(rect.height(), paintBuffer.height()), QImage::Format_RGB32);
    }
    RgbTarget target = TargetOf(paintBuffer);
    target.width = rect.width();
    target.height = rect.height();
    RenderRect(rect, target);
    InvertHalftone(paintBuffer, rect.topLeft(), FramesRegion().intersected(rect));
    painter.drawImage(rect.topLeft(), paintBuffer, QRect(QPoint(0, 0), rect.size()));
}

void CMapView::RenderRect(const QRect& rect, const RgbTarget& target) const {
    // The tiles that the rectangle touches, in view and then in map coordinates.
    int firstCol = rect.left() / tileSize;
    int firstRow = rect.top() / tileSize;
    int endCol = (rect.right() + tileSize) / tileSize;
    int endRow = (rect.bottom() + tileSize) / tileSize;
    RenderTiles(session.Art(), tileSize, scrollX + firstCol, scrollY + firstRow, scrollX + endCol,
                scrollY + endRow, target, firstCol * tileSize - rect.left(),
                firstRow * tileSize - rect.top());
    RenderPastePreview(rect, target);
    // The tiles no cell fitted, framed in red over their art.
    for (QPoint tile : session.Unfit()) {
        const QRect pixels((tile.x() - scrollX) * tileSize, (tile.y() - scrollY) * tileSize,
                           tileSize, tileSize);
        const QRect inner = pixels.adjusted(kMarkWidth, kMarkWidth, -kMarkWidth, -kMarkWidth);
        const QRect shown = pixels.intersected(rect);
        for (int y = shown.top(); y <= shown.bottom(); ++y) {
            uint32_t* row = target.pixels + (y - rect.top()) * target.stride - rect.left();
            for (int x = shown.left(); x <= shown.right(); ++x) {
                if (!inner.contains(x, y)) {
                    row[x] = kMarkColour;
                }
            }
        }
    }
}

void CMapView::RenderPastePreview(const QRect& rect, const RgbTarget& target) const {
    if (previewTiles.isEmpty() || !choice.IsPasting()) {
        return;
    }
    const CTileBlock& block = choice.Clipboard();
    std::vector<uint32_t> cell(static_cast<size_t>(tileSize) * tileSize);
    const RgbTarget scratch{cell.data(), tileSize, tileSize, tileSize};
    for (int by = 0; by < block.Height(); ++by) {
        for (int bx = 0; bx < block.Width(); ++bx) {
            const QRect pixels((previewTiles.left() + bx - scrollX) * tileSize,
                               (previewTiles.top() + by - scrollY) * tileSize, tileSize, tileSize);
            const QRect shown = pixels.intersected(rect);
            if (shown.isEmpty()) {
                continue;
            }
            const CTile& tile = block.TileAt(bx, by);
            if (!RenderCell(session.Art(), tile.type, tile.subtype, tileSize, scratch, 0, 0)) {
                FillCell(scratch, 0, 0, tileSize, kNoArtColor | 0xFF000000u);
            }
            for (const RiverOverlay& piece : block.RiversAt(bx, by)) {
                RenderRiverPiece(piece, tileSize, scratch, 0, 0);
            }
            // Half the block, half the map under it.
            for (int y = shown.top(); y <= shown.bottom(); ++y) {
                uint32_t* row = target.pixels + (y - rect.top()) * target.stride - rect.left();
                const uint32_t* from = cell.data() + (y - pixels.top()) * tileSize - pixels.left();
                for (int x = shown.left(); x <= shown.right(); ++x) {
                    row[x] =
                        0xFF000000u | (((row[x] & 0xFEFEFEu) >> 1) + ((from[x] & 0xFEFEFEu) >> 1));
                }
            }
        }
    }
}
