#include "editor/map_view.h"

#include <QApplication>
#include <QBackingStore>
#include <QCursor>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <vector>

#include "art/tile_renderer.h"
#include "editor/command_ids.h"
#include "editor/editor_wnd.h"
#include "editor/halftone.h"
#include "editor/image_target.h"
#include "editor/main_frame.h"
#include "editor/map_scroll_bar.h"
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
    setHorizontalScrollBar(new CMapScrollBar(Qt::Horizontal, this));
    setVerticalScrollBar(new CMapScrollBar(Qt::Vertical, this));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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
    maxScrollX = std::max(0, width - viewport()->width() / tileSize);
    maxScrollY = std::max(0, height - viewport()->height() / tileSize);
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
    int dx = (scrollX - col) * tileSize;
    int dy = (scrollY - row) * tileSize;
    // The frames do not move with the map: they go, and come back at their tiles afterwards
    // (the band with the next drag move). They go at once, with whatever else waits to be
    // painted, so that only finished pixels move.
    SetFrames(QRect(), QRegion());
    QRegion pending = bandTouched.united(staleRegion);
    if (!pending.isEmpty()) {
        viewport()->repaint(pending);
    }
    scrollX = col;
    scrollY = row;
    viewport()->scroll(dx, dy);
    SetBars();
    // Between drags the selection or the paste frame stays on its tiles.
    SetFrames(dragging ? QRect() : RestingBand(), OutlineRegion());
    emit viewRectChanged(GetViewRect());
}

QRect CMapView::GetViewRect() const {
    return QRect(scrollX, scrollY, visibleCols, visibleRows);
}

QPoint CMapView::PixelToTile(QPoint pixel) const {
    // Truncating division: up to 49 pixels left of or above the viewport still give the first
    // visible column or row.
    return QPoint(scrollX + pixel.x() / tileSize, scrollY + pixel.y() / tileSize);
}

void CMapView::InvalidateTile(int col, int row) {
    InvalidateTileRect(col, row, col + 1, row + 1);
}

void CMapView::InvalidateTileRect(int left, int top, int right, int bottom) {
    if (left >= right || top >= bottom) {
        return;
    }
    QRect pixels((left - scrollX) * tileSize, (top - scrollY) * tileSize, (right - left) * tileSize,
                 (bottom - top) * tileSize);
    pixels = pixels.intersected(viewport()->rect());
    staleRegion += pixels;
    viewport()->update(pixels);
}

void CMapView::InvalidateMap() {
    staleRegion = viewport()->rect();
    viewport()->update();
}

void CMapView::resizeEvent(QResizeEvent*) {
    visibleCols = (viewport()->width() + tileSize - 1) / tileSize;
    visibleRows = (viewport()->height() + tileSize - 1) / tileSize;
    SetScrollRanges(frame.grid.GetWidth(), frame.grid.GetHeight());
}

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
    RenderTiles(frame.art, tileSize, scrollX + firstCol, scrollY + firstRow, scrollX + endCol,
                scrollY + endRow, target, firstCol * tileSize - rect.left(),
                firstRow * tileSize - rect.top());
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
    if (pasting) {
        PlacePaste(tile);
        return;
    }
    dragging = true;
    if (editor.riverMode) {
        RiverEdit(tile.x(), tile.y(), event->modifiers());
    } else if (editor.tool != kToolSelectRect && !editor.ChoiceHasArt()) {
        dragging = false;
    } else if (editor.tool == kToolPaintTerrain) {
        // The drag is one step of the history, stamps and all.
        frame.mapEditor.BeginStroke("Paint Terrain");
        if (StampGroup() != 0) {
            Stamp(tile.x(), tile.y());
        } else {
            PaintTile(tile.x(), tile.y());
        }
    } else {
        MoveBand(BandRect());
    }
    RefreshOutline();
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
    RefreshOutline();
    if (editor.riverMode) {
        return;
    }
    if (editor.tool == kToolPaintTerrain) {
        frame.mapEditor.EndStroke();
        return;
    }
    QRect dragged(QPoint(std::min(anchorCol, releaseCol), std::min(anchorRow, releaseRow)),
                  QPoint(std::max(anchorCol, releaseCol), std::max(anchorRow, releaseRow)));
    if (editor.tool == kToolRectOfTerrain) {
        MoveBand(RestingBand());
        FillTileRect(dragged.left(), dragged.top(), dragged.right() + 1, dragged.bottom() + 1);
        return;
    }
    selection = dragged.intersected(QRect(0, 0, frame.grid.GetWidth(), frame.grid.GetHeight()));
    MoveBand(RestingBand());
    frame.UpdateFrameState();
}

void CMapView::PointerMoved(QPoint pixel) {
    QPoint tile = PixelToTile(pixel);
    pointerPixel = pixel;
    pointerInside = viewport()->rect().contains(pixel);
    if (!dragging) {
        RefreshOutline();
    }
    // Beyond the map's last column or row a move means nothing, but that no tile is pointed at.
    if (tile.x() >= frame.grid.GetWidth() || tile.y() >= frame.grid.GetHeight()) {
        frame.ClearCoordinatePanes();
        return;
    }
    if (frame.mapOpen && frame.grid.Contains(tile.x(), tile.y())) {
        frame.SetCoordinatePane(kPaneX, tile.x());
        frame.SetCoordinatePane(kPaneY, tile.y());
        if (pasting && tile != pasteTile) {
            pasteTile = tile;
            MoveBand(RestingBand());
        }
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
    return TileBand(QRect(QPoint(std::min(anchorCol, hoverCol), std::min(anchorRow, hoverRow)),
                          QPoint(std::max(anchorCol, hoverCol), std::max(anchorRow, hoverRow))));
}

QRect CMapView::TileBand(const QRect& tiles) const {
    int left = (tiles.left() - scrollX) * tileSize;
    int top = (tiles.top() - scrollY) * tileSize;
    int right = (tiles.right() - scrollX) * tileSize + tileSize - 1;
    int bottom = (tiles.bottom() - scrollY) * tileSize + tileSize - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect CMapView::RestingBand() const {
    if (pasting) {
        return TileBand(QRect(pasteTile, pasteSize));
    }
    return selection.isEmpty() ? QRect() : TileBand(selection);
}

void CMapView::ClearSelection() {
    selection = QRect();
    pasting = false;
    if (!dragging) {
        MoveBand(RestingBand());
    }
}

void CMapView::StartPaste(QSize blockSize) {
    pasting = true;
    pasteSize = blockSize;
    // Until the pointer comes over the map, the frame waits at the view's top left.
    QPoint pointer = viewport()->mapFromGlobal(QCursor::pos());
    QPoint tile = PixelToTile(pointer);
    pasteTile = viewport()->rect().contains(pointer) && frame.grid.Contains(tile.x(), tile.y())
                    ? tile
                    : QPoint(scrollX, scrollY);
    if (!dragging) {
        MoveBand(RestingBand());
    }
}

void CMapView::CancelPaste() {
    pasting = false;
    if (!dragging) {
        MoveBand(RestingBand());
    }
}

void CMapView::PlacePaste(QPoint tile) {
    pasting = false;
    const CTileBlock& block = editor.clipboard;
    frame.mapEditor.Paste(block, tile.x(), tile.y());
    selection = QRect(tile, QSize(block.Width(), block.Height()))
                    .intersected(QRect(0, 0, frame.grid.GetWidth(), frame.grid.GetHeight()));
    MoveBand(RestingBand());
    frame.UpdateFrameState();
}

void CMapView::MoveBand(const QRect& rect) {
    SetFrames(rect, OutlineRegion());
}

void CMapView::SetFrames(const QRect& band, const QRegion& newOutline) {
    QRegion before = FramesRegion();
    bandRect = band;
    outline = newOutline;
    QRegion changed = before.xored(FramesRegion());
    if (changed.isEmpty()) {
        return;
    }
    bandToggles = bandToggles.xored(changed);
    bandTouched += changed;
    viewport()->update(changed);
}

void CMapView::RefreshOutline() {
    SetFrames(bandRect, OutlineRegion());
}

QRegion CMapView::OutlineRegion() const {
    if (!frame.mapOpen || !pointerInside || dragging || pasting) {
        return QRegion();
    }
    QPoint tile = PixelToTile(pointerPixel);
    if (!frame.grid.Contains(tile.x(), tile.y())) {
        return QRegion();
    }
    // The tiles a click would set: the whole stamp with a stamp cell chosen.
    std::vector<QPoint> tiles;
    int group = editor.riverMode || editor.tool != kToolPaintTerrain ? 0 : StampGroup();
    if (group == 0) {
        tiles.push_back(tile);
    } else {
        const StampGroupRow& table = *StampTable();
        int selected = editor.currentSubtype;
        for (int cell = 0; cell < kSheetCells; ++cell) {
            if (table[cell] == group) {
                tiles.emplace_back(tile.x() + cell % 9 - selected % 9,
                                   tile.y() + cell / 9 - selected / 9);
            }
        }
    }
    QRegion area;
    for (QPoint at : tiles) {
        if (frame.grid.Contains(at.x(), at.y())) {
            area += QRect((at.x() - scrollX) * tileSize, (at.y() - scrollY) * tileSize, tileSize,
                          tileSize);
        }
    }
    // The area's edge: what is left when the area shrinks by the outline's width.
    QRegion inner = area;
    for (QPoint step : {QPoint(kOutlineWidth, 0), QPoint(-kOutlineWidth, 0),
                        QPoint(0, kOutlineWidth), QPoint(0, -kOutlineWidth)}) {
        inner &= area.translated(step);
    }
    return area.subtracted(inner);
}

void CMapView::SetTileSize(int size, QPoint anchor) {
    if (size == tileSize) {
        return;
    }
    // The tile under the anchor stays under it, as far as the map's edges allow.
    QPoint tile = PixelToTile(anchor);
    tileSize = size;
    visibleCols = (viewport()->width() + tileSize - 1) / tileSize;
    visibleRows = (viewport()->height() + tileSize - 1) / tileSize;
    scrollX = tile.x() - anchor.x() / tileSize;
    scrollY = tile.y() - anchor.y() / tileSize;
    maxScrollX = std::max(0, frame.grid.GetWidth() - viewport()->width() / tileSize);
    maxScrollY = std::max(0, frame.grid.GetHeight() - viewport()->height() / tileSize);
    scrollX = std::clamp(scrollX, 0, maxScrollX);
    scrollY = std::clamp(scrollY, 0, maxScrollY);
    SetBars();
    // Everything is drawn anew, the frames at their new places with it.
    bandToggles = QRegion();
    bandTouched = QRegion();
    bandRect = dragging ? BandRect() : RestingBand();
    outline = OutlineRegion();
    InvalidateMap();
    emit viewRectChanged(GetViewRect());
}

void CMapView::wheelEvent(QWheelEvent* event) {
    QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        if (delta.y() != 0) {
            emit zoomRequested(delta.y() > 0 ? 1 : -1, event->position().toPoint());
        }
        event->accept();
        return;
    }
    // Shift turns the wheel sideways, as does a wheel that turns sideways itself.
    bool sideways = (event->modifiers() & Qt::ShiftModifier) || delta.y() == 0;
    int turn = sideways ? (delta.x() != 0 ? delta.x() : delta.y()) : delta.y();
    wheelTurn += turn;
    int notches = wheelTurn / QWheelEvent::DefaultDeltasPerStep;
    wheelTurn -= notches * QWheelEvent::DefaultDeltasPerStep;
    int tiles = -notches * QApplication::wheelScrollLines();
    if (sideways) {
        MoveTo(scrollX + tiles, scrollY);
    } else {
        MoveTo(scrollX, scrollY + tiles);
    }
    event->accept();
}

bool CMapView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        pointerInside = false;
        frame.ClearCoordinatePanes();
        RefreshOutline();
    }
    return QAbstractScrollArea::viewportEvent(event);
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
