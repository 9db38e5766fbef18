#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "image/dib_image.h"

class CCustomTerrainArt;
class CExitTablePicture;

// "Edit Exit Table": the half-size art sheet of a custom type with every cell's eight exits
// marked green (open to track) or red, toggled by clicking. The clicks toggle a copy of the
// art's exit masks, which the caller stores when the dialog closes, as one step of the edit
// history; there is nothing to cancel.
class CExitTableDialog : public QDialog {
    Q_OBJECT

  public:
    CExitTableDialog(const CCustomTerrainArt& art, QWidget* parent);

    // The masks as the clicks left them, and whether there was a click at all.
    const std::array<uint8_t, 81>& Masks() const { return masks; }
    bool Clicked() const { return clicked; }

    // A click at a position of the picture: toggles the exit of the zone it falls in, or all
    // eight in a cell's centre. Positions outside the nine by nine cells are ignored.
    void ClickAt(QPoint position);

    const CDibImage& WorkingPicture() const { return workingPicture; }
    CExitTablePicture* Picture() const { return picture; }

  private:
    // The marks of one direction, or of all eight for -1, of cell (row, column).
    void DrawMarks(int row, int column, int direction);
    void DrawSheet();

    bool IsOpen(int row, int column, int direction) const;

    // A copy of the art's half picture that the marks and grid lines are drawn into.
    CDibImage workingPicture;
    const CCustomTerrainArt& art;
    std::array<uint8_t, 81> masks;
    bool clicked = false;
    CExitTablePicture* picture;
};
