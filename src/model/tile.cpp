#include "model/tile.h"

#include <algorithm>

#include "model/builtin_tables.h"
#include "model/random.h"
#include "model/terrain_table.h"

void CTile::Set(int newType, int newRequestedSubtype) {
    requestedSubtype = static_cast<uint8_t>(newRequestedSubtype);
    type = static_cast<uint8_t>(newType);
    ResolveSubtype();
    DeriveExits();
}

void CTile::ResolveSubtype() {
    // Types without a record (above 43, possible in damaged map files) count as having no art.
    const CTerrainType* record = theTerrainTable.FindRecord(type);
    // A random pick never leaves the 81 cells of a sheet, whatever a game data file says.
    int count = record != nullptr ? std::min<int>(record->subtypeCount, kSheetCells) : 0;
    int request = requestedSubtype;
    if (count > 0 && (request == kRandomFirstSet || request > kLastExactRequest)) {
        int k = theRandom.Range(0, count - 1);
        bool secondSet = record->setCount > 1 && request > kLastExactRequest;
        subtype = static_cast<uint8_t>(secondSet ? kLastArtCell - k : k);
    } else {
        subtype = static_cast<uint8_t>(request == 0 ? 0 : request - 1);
    }
}

void CTile::DeriveExits() {
    exits = kAllExitsOpen;
    const CTerrainType* record = theTerrainTable.FindRecord(type);
    const ExitMaskRow* table = record != nullptr ? BuiltInExitTable(record->exitTable) : nullptr;
    if (table != nullptr && subtype <= kLastArtCell) {
        exits = (*table)[subtype];
    }
}
