#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

class CMapArt;
class QPainter;

// The map view's pixels, kept between paints: every visible tile is rendered once and then
// drawn again for exposes, the rubber band and scrolling. A tile lives in the slot given by its
// column and row modulo the slot counts, so scrolling by whole tiles moves no pixels here and
// renders only the tiles that come into view.
class CViewPicture {
  public:
    static constexpr int kTileSize = 50;

    // Slots for a viewport of cols x rows tiles, partly visible ones included; all empty.
    void Resize(int cols, int rows);
    // The map tiles in tiles must be rendered again before they are next drawn, also those held
    // but out of view, which may come back into view without being rendered.
    void Forget(const QRect& tiles);
    // Every tile must be rendered again.
    void ForgetAll();

    // Draws the viewport pixels of area, for a view whose top-left tile is scroll; tiles not held
    // yet are rendered from the map first.
    void Draw(QPainter& painter, const CMapArt& art, QPoint scroll, const QRect& area);
    // The viewport pixels of area as they are drawn, for drawing over them.
    QImage Copy(QPoint scroll, const QRect& area) const;

  private:
    int SlotOf(int col, int row) const;
    // Renders the tiles of area that their slots do not hold.
    void RenderMissing(const CMapArt& art, QPoint scroll, const QRect& area);
    // Calls piece(picturePart, viewportPoint) for the parts of area that lie in the picture
    // without wrapping around.
    template <typename Piece>
    void ForEachPiece(QPoint scroll, const QRect& area, Piece piece) const;

    QImage picture;
    int cols = 0;
    int rows = 0;
    // The map tile each slot holds, column and row packed; kNone when it holds nothing valid.
    std::vector<int64_t> held;
};
