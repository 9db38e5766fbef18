#pragma once

#include <QFrame>
#include <QImage>
#include <QRect>

class CMapSession;

// The session's overview picture at one pixel per tile, with a marker around the tiles the map
// view shows. A click or drag in it moves the view there. A picture larger than the space it has is
// shown reduced, each pixel the mean of the tiles it stands for; the reduction is made when the
// picture changes, and kept up tile by tile as tiles change.
class COverviewWnd : public QFrame {
    Q_OBJECT

  public:
    COverviewWnd(const CMapSession& session, QWidget* parent);

    // Moves the marker to rect, in map tiles.
    void SetViewMarker(const QRect& rect);
    // The overview picture's pixels of these tiles changed.
    void InvalidateTiles(const QRect& tiles);
    // The size the picture is shown at: its own, or a smaller one that keeps its proportions.
    void SetShownSize(QSize size);
    // The whole overview picture was made anew or recoloured.
    void PictureChanged();
    // The pixels of the shown picture that stand for these tiles, and the tile a pixel of it
    // stands for.
    QRect ShownPixels(const QRect& tiles) const;
    QPoint TileAt(QPoint shownPixel) const;

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
    bool IsReduced() const;
    // The first tile column (row) that pixel column (row) i of the reduced picture stands for.
    int FirstTileX(int i) const;
    int FirstTileY(int i) const;
    // Recomputes the reduced picture's pixels [left, right) x [top, bottom).
    void Reduce(int left, int top, int right, int bottom);

    const CMapSession& session;
    QSize shownSize;
    QImage reduced;  // while the picture is shown reduced
};
