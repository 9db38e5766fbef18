#include "editor/tools/unfit_notice.h"

#include "editor/map_session.h"

void ShowUnfit(CMapSession& session, const std::vector<std::pair<int, int>>& tiles,
               const char* what) {
    session.MarkUnfit(tiles);
    if (!tiles.empty()) {
        session.Notify(QString("%1 left %2 tiles without a fitting cell (marked red)")
                           .arg(what)
                           .arg(tiles.size()));
    }
}
