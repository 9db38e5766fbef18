#pragma once

#include <QDialog>

#include "image/dib_image.h"

class CCustomTerrainArt;
class CExitTablePicture;
class CTileGrid;

// "Edit Exit Table": the half-size art sheet of a custom type with every cell's eight exits
// marked green (open to track) or red, toggled by clicking. Each click changes the art's exit
// masks at once and marks the map modified; there is nothing to cancel.
class CExitTableDialog : public QDialog {
    Q_OBJECT

  public:
    CExitTableDialog(CCustomTerrainArt& art, CTileGrid& grid, QWidget* parent);

    // A click at a position of the picture: toggles the exit of the zone it falls in, or all
    // eight in a cell's centre. Positions outside the nine by nine cells are ignored.
    void ClickAt(QPoint position);

    const CDibImage& WorkingPicture() const { return workingPicture; }
    CExitTablePicture* Picture() const { return picture; }

  private:
    // The marks of one direction, or of all eight for -1, of cell (row, column).
    void DrawMarks(int row, int column, int direction);
    void DrawSheet();

    // A copy of the art's half picture that the marks and grid lines are drawn into.
    CDibImage workingPicture;
    CCustomTerrainArt& art;
    CTileGrid& grid;
    CExitTablePicture* picture;
};
