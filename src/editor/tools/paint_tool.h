#pragma once

#include "editor/tools/map_tool.h"

// Paint Terrain: every tile the drag enters gets the chosen cell. A cell that belongs to a
// multi-tile stamp places the whole stamp once, where the button went down. The drag is one
// step of the history.
class CPaintTool : public CMapTool {
  public:
    using CMapTool::CMapTool;

    bool Press(QPoint tile, Qt::KeyboardModifiers keys) override;
    void Move(QPoint tile) override;
    void Release(QPoint tile) override;
    void Cancel() override;
    // The whole stamp with a stamp cell chosen.
    std::vector<QPoint> OutlineAt(QPoint tile) const override;

  private:
    struct StampTile {
        int cell;
        QPoint tile;
    };
    // The cells of the chosen cell's stamp and where they go with the chosen cell on tile: the
    // stamp keeps the cells' places on the sheet.
    std::vector<StampTile> StampAt(QPoint tile) const;

    bool stamping = false;
};
