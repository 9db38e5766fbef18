#pragma once

#include <QFrame>

class CEditorWnd;
class CMainFrame;

// How many cells of the subtype palette can be chosen for the editor's selection: the cells
// with art in a built-in sheet, all 81 for custom types and rivers.
int SubtypeCellCount(const CEditorWnd& editor);

// The subtype palette, 225 x 225 below the type palette: the 81 cells of the selected type's art
// sheet or of the selected river kind, with lines that outline the multi-tile stamps. A click
// selects a cell.
class CSubtypePalette : public QFrame {
  public:
    CSubtypePalette(CMainFrame& frame, CEditorWnd* editor);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    CMainFrame& frame;
    CEditorWnd* editor;
};
