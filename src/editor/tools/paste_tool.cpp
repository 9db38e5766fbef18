#include "editor/tools/paste_tool.h"

#include "editor/map_session.h"
#include "editor/tool_choice.h"

bool CPasteTool::Press(QPoint tile, Qt::KeyboardModifiers) {
    const CTileBlock& block = choice.Clipboard();
    session.Editor().Paste(block, tile.x(), tile.y());
    session.SetSelection(QRect(tile, QSize(block.Width(), block.Height())));
    choice.EndPaste();
    return false;
}

void CPasteTool::Cancel() {
    choice.EndPaste();
}
