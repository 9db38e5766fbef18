#include "editor/tools/rect_tool.h"

#include "editor/map_session.h"
#include "editor/tool_choice.h"

bool CRectTool::Press(QPoint tile, Qt::KeyboardModifiers keys) {
    return CRectDragTool::Press(tile, keys) && choice.HasArtIn(session.Art());
}

void CRectTool::Release(QPoint tile) {
    session.Editor().FillRect(choice.Type(), choice.RequestedSubtype(), ToTileRect(BandAt(tile)));
}
