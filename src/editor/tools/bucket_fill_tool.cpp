#include "editor/tools/bucket_fill_tool.h"

#include "editor/map_session.h"
#include "editor/tool_choice.h"
#include "editor/tools/unfit_notice.h"

bool CBucketFillTool::Press(QPoint tile, Qt::KeyboardModifiers) {
    if (choice.HasArtIn(session.Art())) {
        TransitionPlan plan = session.Editor().BucketFill(
            tile.x(), tile.y(), choice.Type(), choice.RequestedSubtype(), choice.Transitions());
        ShowUnfit(session, plan.unfit, "The fill");
    }
    return false;
}
