#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <array>
#include <cstdint>
#include <memory>

#include "editor/edit_tool.h"

class CMapSession;
class CMapTool;
class CToolChoice;
struct RgbTarget;

// The map at 50 x 50 pixels per tile, with scroll bars; the mouse goes to the active tool in
// map tiles. Paints through the core's tile renderer, only the tiles that changed or came into
// view, and scrolls by moving the pixels already shown. The rubber band is a halftone frame
// inverted over the window's pixels, so that it moves without rendering the tiles under it.
class CMapView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    // Pixels per tile at actual size.
    static constexpr int kTileSize = 50;
    // Thickness of the rubber band's frame, and of the outline of the tiles under the pointer.
    static constexpr int kBandWidth = 5;
    static constexpr int kOutlineWidth = 2;
    // The red frame of a tile that no transition cell fits.
    static constexpr int kMarkWidth = 2;
    static constexpr uint32_t kMarkColour = 0xFFFF0000;

    CMapView(CMapSession& session, CToolChoice& choice, QWidget* parent);
    ~CMapView() override;

    // Draws the map at size pixels per tile (50, 25, 10 or 5), keeping the tile under the anchor
    // (viewport pixels) where it is, as far as the map's edges allow.
    void SetTileSize(int size, QPoint anchor);
    int TileSize() const { return tileSize; }
    // The outline of the tiles under the pointer, after the pointer or the choice changed.
    void RefreshOutline();
    // The outline shown, in viewport pixels.
    const QRegion& Outline() const { return outline; }

    // After a map was opened, made, imported or closed: the scroll limits for it, the position
    // clamped, the map drawn anew, and a drag under way broken off.
    void FitMap();
    // Shows tile (col, row) at the top left, as far as the limits allow.
    void ScrollTo(int col, int row);
    void InvalidateTile(int col, int row);
    // Tiles [left, right) x [top, bottom).
    void InvalidateTileRect(int left, int top, int right, int bottom);
    void InvalidateTiles(const QRect& tiles);
    // Every tile is drawn again from the map.
    void InvalidateMap();
    // The visible tiles: (scrollX, scrollY) and visibleCols x visibleRows.
    QRect GetViewRect() const;
    // The tile under a point of the viewport.
    QPoint PixelToTile(QPoint pixel) const;

    // The tool the mouse goes to now, and one by its kind.
    CMapTool& ActiveTool() const;
    CMapTool& Tool(EditTool kind) const { return *tools[static_cast<size_t>(kind)]; }
    // Breaks off what the active tool is doing: a drag, or a paste waiting for its click.
    void CancelTool();

    int scrollX = 0;
    int scrollY = 0;
    int maxScrollX = 0;
    int maxScrollY = 0;
    // Viewport size in tiles, a partly visible tile included.
    int visibleCols = 0;
    int visibleRows = 0;
    // A drag is under way, and the tile where the pointer was last seen in it.
    bool dragging = false;
    int hoverCol = -1;
    int hoverRow = -1;
    // The rubber band shown, in viewport pixels; empty when none.
    QRect bandRect;

  signals:
    void viewRectChanged(const QRect& rect);
    // Ctrl with the wheel: steps 1 (in) or -1 (out), keeping the tile under the pointer.
    void zoomRequested(int step, QPoint anchor);
    void tileSizeChanged(int size);
    // The pointer came over a tile of the map, or left the map.
    void pointerOverTile(QPoint tile);
    void pointerOffMap();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The pointer leaving the viewport takes the outline and the coordinates with it.
    bool viewportEvent(QEvent* event) override;

  private:
    // Draws the tiles of region straight into the image the painter paints on, when its pixels
    // take them as they are, with the band over them; false when they cannot.
    bool PaintDirect(QPainter& painter, const QRegion& region);
    // Draws the tiles of rect into the paint buffer, the band over them, and that onto the
    // painter.
    void PaintRect(QPainter& painter, const QRect& rect);
    // Draws the tiles under rect (viewport pixels) into target, whose top left is rect's.
    void RenderRect(const QRect& rect, const RgbTarget& target) const;
    // The pixels the frames invert: the band's and the outline's.
    QRegion FramesRegion() const;
    // Moves the band and the outline at once, inverting only the pixels that change.
    void SetFrames(const QRect& band, const QRegion& newOutline);
    QRegion OutlineRegion() const;
    void ForgetPainted(const QRegion& region);
    void MoveTo(int col, int row);
    // The viewport's size in tiles and the scroll limits, for the tile size and the map.
    void UpdateExtents();
    void SetBars();
    void PointerMoved(QPoint pixel);
    // One tile towards the margin the pointer is in during a drag; false when nothing scrolled.
    bool AutoScroll(QPoint pixel);
    void MoveBand(const QRect& rect);
    // The block to paste follows the pointer, drawn over the map.
    void UpdatePastePreview();
    // Draws the part of the paste preview inside rect (viewport pixels) into target.
    void RenderPastePreview(const QRect& rect, const RgbTarget& target) const;
    // The band in viewport pixels around a rectangle of map tiles.
    QRect TileBand(const QRect& tiles) const;
    // The band of the drag under way: the dragging tool's, or else the resting one.
    QRect DragBand() const;
    // The frame shown while no drag is under way: the paste frame, or the selection's.
    QRect RestingBand() const;
    // After the choice changed: a paste that starts puts its frame under the pointer, and the
    // frames show what is now chosen.
    void ChoiceChanged();

    CMapSession& session;
    CToolChoice& choice;
    std::array<std::unique_ptr<CMapTool>, kEditToolCount> tools;
    // The tool of the drag under way, which keeps it to the end whatever is chosen meanwhile.
    CMapTool* dragTool = nullptr;
    // Reused by every paint that cannot draw into the window's pixels.
    QImage paintBuffer;
    // Since the window's pixels were last painted: the viewport pixels whose tiles changed, the
    // pixels the band's moves asked to paint, and of those the ones where it is to be inverted
    // or restored.
    QRegion staleRegion;
    QRegion bandTouched;
    QRegion bandToggles;
    // Repeats the last drag move while the pointer stays in a scrolling margin.
    QTimer autoScrollTimer;
    QPoint lastPointer;
    int tileSize = kTileSize;
    QRegion outline;
    QPoint pointerPixel;
    bool pointerInside = false;
    int wheelTurn = 0;  // of the wheel, short of a whole notch
    bool pasteShown = false;
    // The tiles the block to paste is drawn over, at half opacity.
    QRect previewTiles;
    QPoint pasteTile;  // where the pointer last was over the map while pasting
};
