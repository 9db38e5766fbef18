#include "model/tile.h"

#include <algorithm>

#include "model/builtin_tables.h"
#include "model/terrain_table.h"

TileTypeFacts TileTypeFacts::Of(int type) {
    TileTypeFacts facts;
    if (const CTerrainType* record = theTerrainTable.FindRecord(type)) {
        // A random pick never leaves the 81 cells of a sheet, whatever a game data file says.
        facts.cellCount = std::min<int>(record->subtypeCount, kSheetCells);
        facts.secondSet = record->setCount > 1;
        facts.exits = BuiltInExitTable(record->exitTable);
    }
    return facts;
}

int RandomExactRequest(int type, CRandom& random) {
    const int count = TileTypeFacts::Of(type).cellCount;
    return (count > 0 ? random.Below(static_cast<uint32_t>(count)) : 0) + 1;
}

void CTile::Set(int newType, int newRequestedSubtype) {
    Set(newType, newRequestedSubtype, TileTypeFacts::Of(static_cast<uint8_t>(newType)), theRandom);
}
