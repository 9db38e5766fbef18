#pragma once

#include <QFrame>
#include <QRect>

class CMainFrame;

// The overview picture at one pixel per tile, with a marker around the tiles the map view shows.
// A click or drag in it moves the view there.
class COverviewWnd : public QFrame {
    Q_OBJECT

  public:
    COverviewWnd(CMainFrame& frame, QWidget* parent);

    // Moves the marker to rect, in overview pixels (= map tiles).
    void SetViewMarker(const QRect& rect);
    // The overview picture's pixels of these tiles changed.
    void InvalidateTiles(const QRect& tiles);

    QRect markerRect;
    // The left button is held in the overview.
    bool tracking = false;

  signals:
    // Asks the map view to show (col, row) at its top left.
    void scrollRequested(int col, int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The marker's pixels in widget coordinates.
    QRegion MarkerRegion(const QRect& rect) const;
    void CentreOn(QPoint pixel);

    CMainFrame& frame;
};
