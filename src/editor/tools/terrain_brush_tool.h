#pragma once

#include <utility>
#include <vector>

#include "editor/tools/map_tool.h"

// The terrain brush: every tile the drag enters paints a square of the brush's size with the
// chosen terrain through its corners, so that coasts, desert shores and mountain feet follow
// by themselves. The drag is one step of the history; the tiles that no cell fits are marked
// when it ends and the status bar counts them.
class CTerrainBrushTool : public CMapTool {
  public:
    using CMapTool::CMapTool;

    bool Press(QPoint tile, Qt::KeyboardModifiers keys) override;
    void Move(QPoint tile) override;
    void Release(QPoint tile) override;
    void Cancel() override;
    // The square the brush paints.
    std::vector<QPoint> OutlineAt(QPoint tile) const override;

  private:
    // The brush's square with tile in the middle (or, for an even size, top left of it).
    QRect SquareAt(QPoint tile) const;
    void Dab(QPoint tile);
    void Finish();

    std::vector<std::pair<int, int>> unfit;
};
