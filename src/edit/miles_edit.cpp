#include "edit/miles_edit.h"

#include "model/terrain_table.h"

CMilesEdit::CMilesEdit(int before, int after)
    : CMapEdit("Miles Per Tile"), before(before), after(after) {}

void CMilesEdit::Apply(MapTarget&) {
    theTerrainTable.milesPerTile = after;
}

void CMilesEdit::Revert(MapTarget&) {
    theTerrainTable.milesPerTile = before;
}

MapChange CMilesEdit::Change() const {
    MapChange change;
    change.terrainTable = true;
    return change;
}
