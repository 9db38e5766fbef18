#include "editor/tools/select_tool.h"

#include "editor/map_session.h"

void CSelectTool::Release(QPoint tile) {
    session.SetSelection(BandAt(tile));
}
