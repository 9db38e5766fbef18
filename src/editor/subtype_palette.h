#pragma once

#include <QFrame>

class CMapArt;
class CToolChoice;

// The subtype palette, 225 x 225 below the type palette: the 81 cells of the selected type's art
// sheet or of the selected river kind, with lines that outline the multi-tile stamps, the chosen
// cell framed. A click chooses a cell.
class CSubtypePalette : public QFrame {
  public:
    CSubtypePalette(CToolChoice& choice, const CMapArt& art, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    CToolChoice& choice;
    const CMapArt& art;
};
