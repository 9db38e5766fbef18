#include "editor/map_view.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <utility>
#include <vector>

#include "editor/halftone.h"
#include "editor/map_scroll_bar.h"
#include "editor/map_session.h"
#include "editor/pane_style.h"
#include "editor/tile_rects.h"
#include "editor/tool_choice.h"
#include "editor/tools/bucket_fill_tool.h"
#include "editor/tools/paint_tool.h"
#include "editor/tools/paste_tool.h"
#include "editor/tools/rect_tool.h"
#include "editor/tools/river_brush_tool.h"
#include "editor/tools/river_tool.h"
#include "editor/tools/select_tool.h"
#include "editor/tools/terrain_brush_tool.h"
#include "platform/user_interaction.h"

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

CMapView::CMapView(CMapSession& session, CToolChoice& choice, QWidget* parent)
    : QAbstractScrollArea(parent), session(session), choice(choice) {
    // By EditTool.
    tools = {std::make_unique<CPaintTool>(session, choice),
             std::make_unique<CRectTool>(session, choice),
             std::make_unique<CSelectTool>(session, choice),
             std::make_unique<CTerrainBrushTool>(session, choice),
             std::make_unique<CBucketFillTool>(session, choice),
             std::make_unique<CRiverBrushTool>(session, choice),
             std::make_unique<CRiverTool>(session, choice),
             std::make_unique<CPasteTool>(session, choice)};
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
    connect(&session, &CMapSession::tilesChanged, this, &CMapView::InvalidateTiles);
    connect(&session, &CMapSession::selectionChanged, this, [this] {
        if (!dragging) {
            MoveBand(RestingBand());
        }
    });
    connect(&choice, &CToolChoice::changed, this, &CMapView::ChoiceChanged);
    connect(&session, &CMapSession::unfitChanged, this, [this](const std::vector<QPoint>& before) {
        for (const std::vector<QPoint>* tiles : {&before, &this->session.Unfit()}) {
            for (QPoint tile : *tiles) {
                InvalidateTile(tile.x(), tile.y());
            }
        }
    });
}

CMapView::~CMapView() = default;

CMapTool& CMapView::ActiveTool() const {
    return Tool(choice.ActiveTool());
}

void CMapView::UpdateExtents() {
    visibleCols = (viewport()->width() + tileSize - 1) / tileSize;
    visibleRows = (viewport()->height() + tileSize - 1) / tileSize;
    // Whole tiles that fit the viewport: at the largest position the map's last column and row
    // are then entirely in view.
    maxScrollX = std::max(0, session.Grid().GetWidth() - viewport()->width() / tileSize);
    maxScrollY = std::max(0, session.Grid().GetHeight() - viewport()->height() / tileSize);
    scrollX = std::clamp(scrollX, 0, maxScrollX);
    scrollY = std::clamp(scrollY, 0, maxScrollY);
    SetBars();
}

void CMapView::FitMap() {
    CancelTool();
    UpdateExtents();
    SetFrames(RestingBand(), OutlineRegion());
    InvalidateMap();
    emit viewRectChanged(GetViewRect());
}

void CMapView::CancelTool() {
    if (dragging) {
        dragging = false;
        autoScrollTimer.stop();
        std::exchange(dragTool, nullptr)->Cancel();
    }
    ActiveTool().Cancel();
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
    // What comes into view is drawn from the map: the pixels there are what the window showed
    // before, which the frames must not be inverted over.
    const QRect all = viewport()->rect();
    staleRegion += QRegion(all).subtracted(all.translated(dx, dy));
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

void CMapView::InvalidateTiles(const QRect& tiles) {
    TileRect rect = ToTileRect(tiles);
    InvalidateTileRect(rect.left, rect.top, rect.right, rect.bottom);
}

void CMapView::InvalidateMap() {
    staleRegion = viewport()->rect();
    viewport()->update();
}

void CMapView::resizeEvent(QResizeEvent*) {
    UpdateExtents();
    InvalidateMap();
    emit viewRectChanged(GetViewRect());
}

void CMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && dragging) {
        CancelTool();  // breaks off the drag under way
        RefreshOutline();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (!session.IsOpen()) {
        ShowUserMessage("You need to load a map before you can edit", MessageButtons::Ok,
                        MessageIcon::Warning);
        return;
    }
    // Qt keeps sending the pointer's moves to the view until the button is released.
    QPoint tile = PixelToTile(event->position().toPoint());
    hoverCol = tile.x();
    hoverRow = tile.y();
    CMapTool& tool = ActiveTool();
    dragging = tool.Press(tile, event->modifiers());
    if (dragging) {
        dragTool = &tool;
        MoveBand(DragBand());
    }
    RefreshOutline();
}

void CMapView::mouseMoveEvent(QMouseEvent* event) {
    PointerMoved(event->position().toPoint());
}

void CMapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !session.IsOpen() || !dragging) {
        return;
    }
    dragging = false;
    autoScrollTimer.stop();
    std::exchange(dragTool, nullptr)->Release(PixelToTile(event->position().toPoint()));
    MoveBand(RestingBand());
    RefreshOutline();
}

void CMapView::PointerMoved(QPoint pixel) {
    QPoint tile = PixelToTile(pixel);
    pointerPixel = pixel;
    pointerInside = viewport()->rect().contains(pixel);
    if (!dragging) {
        RefreshOutline();
    }
    // Beyond the map's last column or row a move means nothing, but that no tile is pointed at.
    const CTileGrid& grid = session.Grid();
    if (tile.x() >= grid.GetWidth() || tile.y() >= grid.GetHeight()) {
        emit pointerOffMap();
        return;
    }
    if (session.IsOpen() && grid.Contains(tile.x(), tile.y())) {
        emit pointerOverTile(tile);
        if (choice.IsPasting() && tile != pasteTile) {
            pasteTile = tile;
            UpdatePastePreview();
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
    dragTool->Trace(QPointF(scrollX + pixel.x() / static_cast<double>(tileSize),
                            scrollY + pixel.y() / static_cast<double>(tileSize)));
    if (tile != QPoint(hoverCol, hoverRow)) {
        hoverCol = tile.x();
        hoverRow = tile.y();
        dragTool->Move(tile);
    }
    MoveBand(DragBand());
}

QRect CMapView::DragBand() const {
    QRect tiles = dragTool->BandAt(QPoint(hoverCol, hoverRow));
    return tiles.isEmpty() ? RestingBand() : TileBand(tiles);
}

QRect CMapView::TileBand(const QRect& tiles) const {
    int left = (tiles.left() - scrollX) * tileSize;
    int top = (tiles.top() - scrollY) * tileSize;
    int right = (tiles.right() - scrollX) * tileSize + tileSize - 1;
    int bottom = (tiles.bottom() - scrollY) * tileSize + tileSize - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect CMapView::RestingBand() const {
    if (choice.IsPasting()) {
        const CTileBlock& block = choice.Clipboard();
        return TileBand(QRect(pasteTile, QSize(block.Width(), block.Height())));
    }
    const QRect& selection = session.Selection();
    return selection.isEmpty() ? QRect() : TileBand(selection);
}

void CMapView::ChoiceChanged() {
    if (choice.IsPasting() && !pasteShown) {
        // Until the pointer comes over the map, the frame waits at the view's top left.
        QPoint pointer = viewport()->mapFromGlobal(QCursor::pos());
        QPoint tile = PixelToTile(pointer);
        pasteTile =
            viewport()->rect().contains(pointer) && session.Grid().Contains(tile.x(), tile.y())
                ? tile
                : QPoint(scrollX, scrollY);
    }
    pasteShown = choice.IsPasting();
    UpdatePastePreview();
    SetFrames(dragging ? bandRect : RestingBand(), OutlineRegion());
}

void CMapView::UpdatePastePreview() {
    QRect tiles;
    if (choice.IsPasting()) {
        const CTileBlock& block = choice.Clipboard();
        tiles = QRect(pasteTile, QSize(block.Width(), block.Height()));
    }
    if (tiles != previewTiles) {
        InvalidateTiles(previewTiles);
        previewTiles = tiles;
        InvalidateTiles(previewTiles);
    }
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
    const CTileGrid& grid = session.Grid();
    if (!session.IsOpen() || !pointerInside || dragging) {
        return QRegion();
    }
    QPoint tile = PixelToTile(pointerPixel);
    if (!grid.Contains(tile.x(), tile.y())) {
        return QRegion();
    }
    QRegion area;
    for (QPoint at : ActiveTool().OutlineAt(tile)) {
        if (grid.Contains(at.x(), at.y())) {
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
    scrollX = tile.x() - anchor.x() / tileSize;
    scrollY = tile.y() - anchor.y() / tileSize;
    UpdateExtents();
    // Everything is drawn anew, the frames at their new places with it.
    bandToggles = QRegion();
    bandTouched = QRegion();
    bandRect = dragging ? DragBand() : RestingBand();
    outline = OutlineRegion();
    InvalidateMap();
    emit viewRectChanged(GetViewRect());
    emit tileSizeChanged(tileSize);
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
        emit pointerOffMap();
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
    // Each step scrolls as many pixels as one tile has at full size: more tiles when zoomed out.
    const int tiles = std::max(1, kTileSize / tileSize);
    MoveTo(scrollX + stepX * tiles, scrollY + stepY * tiles);
    return true;
}
