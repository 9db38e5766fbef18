#include "edit/terrain_table_edit.h"

CTerrainTableEdit::CTerrainTableEdit(std::string name, const CTerrainTable& before,
                                     const CTerrainTable& after)
    : CMapEdit(std::move(name)), before(before), after(after) {}

void CTerrainTableEdit::Apply(MapTarget& target) {
    target.table = after;
}

void CTerrainTableEdit::Revert(MapTarget& target) {
    target.table = before;
}

MapChange CTerrainTableEdit::Change() const {
    MapChange change;
    change.terrainTable = true;
    return change;
}
