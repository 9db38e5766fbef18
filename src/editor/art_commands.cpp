// The Edit commands of the main frame that change the map's terrain table and art.

#include "editor/dialogs/city_art_dialog.h"
#include "editor/dialogs/terrain_info_dialog.h"
#include "editor/main_frame.h"
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
