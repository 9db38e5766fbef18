#pragma once

#include "editor/tools/map_tool.h"

// Bucket Fill: the connected tiles of the terrain under the click take the chosen terrain; a
// terrain of the brush's families fills through its corners, the rim getting its transitions.
class CBucketFillTool : public CMapTool {
  public:
    using CMapTool::CMapTool;

    bool Press(QPoint tile, Qt::KeyboardModifiers keys) override;
};
