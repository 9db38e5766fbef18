#include "editor/map_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "art/tile_renderer.h"
#include "editor/command_ids.h"
#include "editor/editor_wnd.h"
#include "editor/halftone.h"
#include "editor/main_frame.h"
#include "editor/pane_style.h"

namespace {

// Pixels at the view's edges where a drag scrolls the map.
constexpr int kScrollMargin = 20;
constexpr int kAutoScrollMs = 100;

// -1, 0 or +1: the step towards the margin that the position lies in, if the axis can move.
int MarginStep(int position, int extent, int value, int maximum) {
    if (position > extent - kScrollMargin && value < maximum) {
        return 1;
    }
    if (position < kScrollMargin && value > 0) {
        return -1;
    }
    return 0;
}

void SetBar(QScrollBar& bar, int maximum, int page, int value) {
    // The view moves its own pixels; the bar only shows where it stands.
    QSignalBlocker blocker(bar);
    bar.setRange(0, maximum);
    bar.setPageStep(std::max(page, 1));
    bar.setValue(value);
    bar.setEnabled(maximum > 0);
}

}  // namespace

CMapView::CMapView(CMainFrame& frame, CEditorWnd& editor, QWidget* parent)
    : QAbstractScrollArea(parent), frame(frame), editor(editor) {
    StylePane(*this, kPaneGrey);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The thumb scrolls when it is let go, not while it is dragged.
    horizontalScrollBar()->setTracking(false);
    verticalScrollBar()->setTracking(false);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    SetBars();
    autoScrollTimer.setSingleShot(true);
    autoScrollTimer.setInterval(kAutoScrollMs);
    connect(&autoScrollTimer, &QTimer::timeout, this, [this] { PointerMoved(lastPointer); });
}

void CMapView::SetScrollRanges(int width, int height) {
    // Whole tiles that fit the viewport: at the largest position the map's last column and row
    // are then entirely in view.
    maxScrollX = std::max(0, width - viewport()->width() / kTileSize);
    maxScrollY = std::max(0, height - viewport()->height() / kTileSize);
    scrollX = std::min(scrollX, maxScrollX);
    scrollY = std::min(scrollY, maxScrollY);
    SetBars();
    InvalidateMap();
    emit viewRectChanged(GetViewRect());
}

void CMapView::SetBars() {
    SetBar(*horizontalScrollBar(), maxScrollX, visibleCols, scrollX);
    SetBar(*verticalScrollBar(), maxScrollY, visibleRows, scrollY);
}

void CMapView::ScrollTo(int col, int row) {
    MoveTo(col, row);
}

void CMapView::scrollContentsBy(int, int) {
    // A bar was used: line, page, thumb released, wheel or keyboard.
    MoveTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CMapView::MoveTo(int col, int row) {
    col = std::clamp(col, 0, maxScrollX);
    row = std::clamp(row, 0, maxScrollY);
    if (col == scrollX && row == scrollY) {
        return;
    }
    int dx = (scrollX - col) * kTileSize;
    int dy = (scrollY - row) * kTileSize;
    // The band does not move with the map: it goes, and the next drag move draws it anew.
    QRegion band = FrameRegion(bandRect, kBandWidth);
    bandRect = QRect();
    scrollX = col;
    scrollY = row;
    viewport()->scroll(dx, dy);
    if (!band.isEmpty()) {
        viewport()->update(band.united(band.translated(dx, dy)));
    }
    SetBars();
    emit viewRectChanged(GetViewRect());
}

QRect CMapView::GetViewRect() const {
    return QRect(scrollX, scrollY, visibleCols, visibleRows);
}

QPoint CMapView::PixelToTile(QPoint pixel) const {
    // Truncating division: up to 49 pixels left of or above the viewport still give the first
    // visible column or row.
    return QPoint(scrollX + pixel.x() / kTileSize, scrollY + pixel.y() / kTileSize);
}

void CMapView::InvalidateTile(int col, int row) {
    InvalidateTileRect(col, row, col + 1, row + 1);
}

void CMapView::InvalidateTileRect(int left, int top, int right, int bottom) {
    if (left >= right || top >= bottom) {
        return;
    }
    picture.Forget(QRect(left, top, right - left, bottom - top));
    viewport()->update((left - scrollX) * kTileSize, (top - scrollY) * kTileSize,
                       (right - left) * kTileSize, (bottom - top) * kTileSize);
}

void CMapView::InvalidateMap() {
    picture.ForgetAll();
    viewport()->update();
}

void CMapView::resizeEvent(QResizeEvent*) {
    visibleCols = (viewport()->width() + kTileSize - 1) / kTileSize;
    visibleRows = (viewport()->height() + kTileSize - 1) / kTileSize;
    picture.Resize(visibleCols, visibleRows);
    SetScrollRanges(frame.grid.GetWidth(), frame.grid.GetHeight());
}

void CMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    QPoint scroll(scrollX, scrollY);
    for (const QRect& rect : event->region()) {
        picture.Draw(painter, frame.art, scroll, rect);
    }
    // The band over the tiles, inverted from the kept pixels so that moving it needs no
    // rendering.
    QRegion band = FrameRegion(bandRect, kBandWidth)
                       .intersected(event->region())
                       .intersected(viewport()->rect());
    for (const QRect& rect : band) {
        QImage pixels = picture.Copy(scroll, rect);
        InvertHalftone(pixels, rect.topLeft(), QRegion(rect));
        painter.drawImage(rect.topLeft(), pixels);
    }
}

void CMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (!frame.mapOpen) {
        ShowUserMessage("You need to load a map before you can edit", MessageButtons::Ok,
                        MessageIcon::Warning);
        return;
    }
    // Qt keeps sending the pointer's moves to the view until the button is released.
    QPoint tile = PixelToTile(event->position().toPoint());
    anchorCol = hoverCol = releaseCol = tile.x();
    anchorRow = hoverRow = releaseRow = tile.y();
    dragging = true;
    if (editor.riverMode) {
        RiverEdit(tile.x(), tile.y(), event->modifiers());
    } else if (editor.tool == kToolPaintTerrain) {
        if (StampGroup() != 0) {
            Stamp(tile.x(), tile.y());
        } else {
            PaintTile(tile.x(), tile.y());
        }
    } else {
        MoveBand(BandRect());
    }
}

void CMapView::mouseMoveEvent(QMouseEvent* event) {
    PointerMoved(event->position().toPoint());
}

void CMapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !frame.mapOpen || !dragging) {
        return;
    }
    dragging = false;
    autoScrollTimer.stop();
    QPoint tile = PixelToTile(event->position().toPoint());
    releaseCol = tile.x();
    releaseRow = tile.y();
    if (editor.riverMode || editor.tool == kToolPaintTerrain) {
        return;
    }
    MoveBand(QRect());
    if (editor.tool == kToolRectOfTerrain) {
        FillTileRect(std::min(anchorCol, releaseCol), std::min(anchorRow, releaseRow),
                     std::max(anchorCol, releaseCol) + 1, std::max(anchorRow, releaseRow) + 1);
    }
}

void CMapView::PointerMoved(QPoint pixel) {
    QPoint tile = PixelToTile(pixel);
    // Beyond the map's last column or row a move means nothing.
    if (tile.x() >= frame.grid.GetWidth() || tile.y() >= frame.grid.GetHeight()) {
        return;
    }
    if (frame.mapOpen && frame.grid.Contains(tile.x(), tile.y())) {
        frame.SetCoordinatePane(kPaneX, tile.x());
        frame.SetCoordinatePane(kPaneY, tile.y());
    }
    if (!dragging) {
        return;
    }
    if (AutoScroll(pixel)) {
        lastPointer = pixel;
        if (!autoScrollTimer.isActive()) {
            autoScrollTimer.start();
        }
    } else {
        autoScrollTimer.stop();
    }
    QPoint previous(hoverCol, hoverRow);
    hoverCol = tile.x();
    hoverRow = tile.y();
    DragTo(previous);
}

void CMapView::DragTo(QPoint previous) {
    if (editor.riverMode) {
        return;
    }
    if (editor.tool == kToolPaintTerrain) {
        // Stamps go down only where the button was pressed.
        if (previous != QPoint(hoverCol, hoverRow) && StampGroup() == 0) {
            PaintTile(hoverCol, hoverRow);
        }
        return;
    }
    MoveBand(BandRect());
}

QRect CMapView::BandRect() const {
    int left = (std::min(anchorCol, hoverCol) - scrollX) * kTileSize;
    int top = (std::min(anchorRow, hoverRow) - scrollY) * kTileSize;
    int right = (std::max(anchorCol, hoverCol) - scrollX) * kTileSize + kTileSize - 1;
    int bottom = (std::max(anchorRow, hoverRow) - scrollY) * kTileSize + kTileSize - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void CMapView::MoveBand(const QRect& rect) {
    QRegion changed = FrameRegion(bandRect, kBandWidth).xored(FrameRegion(rect, kBandWidth));
    bandRect = rect;
    viewport()->update(changed);
}

bool CMapView::AutoScroll(QPoint pixel) {
    int stepX = MarginStep(pixel.x(), viewport()->width(), scrollX, maxScrollX);
    int stepY = MarginStep(pixel.y(), viewport()->height(), scrollY, maxScrollY);
    if (stepX == 0 && stepY == 0) {
        return false;
    }
    MoveTo(scrollX + stepX, scrollY + stepY);
    return true;
}
