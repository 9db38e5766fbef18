#pragma once

#include <QFrame>
#include <QString>

class CMapArt;
class CToolChoice;

// The terrain type palette, 225 x 125 at the top right of the editing surface: the terrain types
// and the two river kinds in cells of 25 pixels, nine a row, the chosen one framed. A click
// chooses one.
class CTypePalette : public QFrame {
  public:
    CTypePalette(CToolChoice& choice, const CMapArt& art, QWidget* parent);

    // What the cell under pos (widget coordinates) offers: a terrain type, 42 or 43 for the wide
    // or narrow rivers, -1 for the empty cells and the border.
    int EntryAt(const QPoint& pos) const;
    // The hover text there: the entry's display name, empty where there is no entry.
    QString ToolTipAt(const QPoint& pos) const;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // The cell index under pos, or -1 outside the cells.
    int CellAt(const QPoint& pos) const;

    CToolChoice& choice;
    const CMapArt& art;
};
