#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

class CMainFrame;
struct RgbTarget;

// The map at 50 x 50 pixels per tile, with scroll bars. Paints through the core's tile renderer,
// only the exposed tiles, and scrolls by moving the pixels already shown.
class CMapView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    static constexpr int kTileSize = 50;

    CMapView(CMainFrame& frame, QWidget* parent);

    // Scroll limits for a map of width x height tiles; clamps the position and repaints.
    void SetScrollRanges(int width, int height);
    // Shows tile (col, row) at the top left, as far as the limits allow.
    void ScrollTo(int col, int row);
    void InvalidateTile(int col, int row);
    // Tiles [left, right) x [top, bottom).
    void InvalidateTileRect(int left, int top, int right, int bottom);
    // The visible tiles: (scrollX, scrollY) and visibleCols x visibleRows.
    QRect GetViewRect() const;
    // The tile under a point of the viewport.
    QPoint PixelToTile(QPoint pixel) const;

    int scrollX = 0;
    int scrollY = 0;
    int maxScrollX = 0;
    int maxScrollY = 0;
    // Viewport size in tiles, a partly visible tile included.
    int visibleCols = 0;
    int visibleRows = 0;
    // The tile under the pointer as last recorded by the drag logic.
    int hoverCol = -1;
    int hoverRow = -1;
    bool dragging = false;

  signals:
    void viewRectChanged(const QRect& rect);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Draws the tiles straight into the image the painter paints on, when its pixels take them
    // as they are; false when they cannot.
    bool PaintDirect(QPainter& painter, const QRegion& region) const;
    // Draws the tiles into the paint buffer and that onto the painter.
    void PaintRect(QPainter& painter, const QRect& rect);
    // Draws the tiles under rect (viewport pixels) into target, whose top left is rect's.
    void RenderRect(const QRect& rect, const RgbTarget& target) const;
    void MoveTo(int col, int row);
    void SetBars();
    void PointerMoved(QPoint pixel);
    // One tile towards the margin the pointer is in during a drag; false when nothing scrolled.
    bool AutoScroll(QPoint pixel);

    CMainFrame& frame;
    // Reused by every paint, so that painting allocates nothing.
    QImage paintBuffer;
    // Repeats the last drag move while the pointer stays in a scrolling margin.
    QTimer autoScrollTimer;
    QPoint lastPointer;
};
