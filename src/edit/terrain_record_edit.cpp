#include "edit/terrain_record_edit.h"

#include "model/terrain_table.h"

CTerrainRecordEdit::CTerrainRecordEdit(int type, const CTerrainType& before,
                                       const CTerrainType& after)
    : CMapEdit("Terrain Type"), type(type), before(before), after(after) {}

void CTerrainRecordEdit::Apply(MapTarget&) {
    theTerrainTable.Record(type) = after;
}

void CTerrainRecordEdit::Revert(MapTarget&) {
    theTerrainTable.Record(type) = before;
}

MapChange CTerrainRecordEdit::Change() const {
    MapChange change;
    change.terrainTable = true;
    return change;
}
