// The Edit commands of the main frame that change the terrain table and art, or the map at large.

#include "editor/dialogs/city_art_dialog.h"
#include "editor/dialogs/terrain_info_dialog.h"
#include "editor/main_frame.h"
#include "editor/tile_rects.h"
#include "model/terrain_table.h"

void CMainFrame::OnEditTerrainInfo() {
    CTerrainInfoDialog dialog(session.Art(), session.Editor(), theTerrainTable.milesPerTile, this);
    // Esc keeps the old scale. A new one travels in the map file, so it is an edit like any
    // other.
    if (dialog.exec() == QDialog::Accepted) {
        session.Editor().SetMilesPerTile(dialog.milesPerTile);
    }
}

void CMainFrame::OnImportCityArt() {
    CCityArtDialog(session.Art(), session.Editor(), this).exec();
}

void CMainFrame::OnFixTransitions() {
    const QRect& selection = session.Selection();
    const TileRect area =
        selection.isEmpty() ? TileRect{0, 0, session.Grid().GetWidth(), session.Grid().GetHeight()}
                            : ToTileRect(selection);
    TransitionPlan plan = session.Editor().FixTransitions(area, choice.Transitions());
    session.MarkUnfit(plan.unfit);
    ShowStatusMessage(QString("Fix Transitions: %1 tiles changed; %2 without a fitting cell")
                          .arg(plan.picks.size())
                          .arg(plan.unfit.size()));
}
