#include "transitions/transition_index.h"

#include <bit>

#include "model/builtin_tables.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

constexpr int kSheetTypes[] = {TERRAIN_TYPE_GRASS_DESERT,  TERRAIN_TYPE_GRASS_OCEAN_A,
                               TERRAIN_TYPE_DESERT_OCEAN,  TERRAIN_TYPE_GRASS_OCEAN_B,
                               TERRAIN_TYPE_GRASS_OCEAN_C, TERRAIN_TYPE_MTN_TRANS};

const std::vector<TransitionCell> kNone;
const std::vector<int> kNoCells;

}  // namespace

CTransitionIndex::CTransitionIndex() {
    for (int type : kSheetTypes) {
        const CTerrainType& record = theTerrainTable.Record(type);
        const ExitMaskRow* masks = BuiltInExitTable(record.exitTable);
        if (masks == nullptr) {
            continue;
        }
        const StampGroupRow* stamps = StampGroupTable(record.stampTable);
        Sheet sheet;
        sheet.type = type;
        sheet.masks = *masks;
        if (stamps != nullptr) {
            sheet.stamps = *stamps;
        }
        for (int cell = 0; cell < kSheetCells; ++cell) {
            if (sheet.stamps[cell] != 0) {
                sheet.stampCells[sheet.stamps[cell]].push_back(cell);
            }
        }
        for (bool single : {true, false}) {
            for (int cell = 0; cell < kSheetCells; ++cell) {
                const uint8_t mask = sheet.masks[cell];
                if (mask == 0 || mask == kAllOpen || (sheet.stamps[cell] == 0) != single) {
                    continue;
                }
                sheet.byPattern[mask].push_back({type, cell, sheet.stamps[cell]});
            }
        }
        sheets.push_back(std::move(sheet));
    }
}

const CTransitionIndex::Sheet* CTransitionIndex::SheetOf(int type) const {
    for (const Sheet& sheet : sheets) {
        if (sheet.type == type) {
            return &sheet;
        }
    }
    return nullptr;
}

const std::vector<TransitionCell>& CTransitionIndex::CellsOf(int type, PointPattern pattern) const {
    const Sheet* sheet = SheetOf(type);
    return sheet != nullptr ? sheet->byPattern[pattern] : kNone;
}

PointPattern CTransitionIndex::PatternOf(int type, int cell) const {
    const Sheet* sheet = SheetOf(type);
    return sheet != nullptr && cell >= 0 && cell < kSheetCells ? sheet->masks[cell] : 0;
}

const std::vector<int>& CTransitionIndex::StampCells(int type, int stampGroup) const {
    const Sheet* sheet = SheetOf(type);
    return sheet != nullptr && stampGroup > 0 && stampGroup < 256 ? sheet->stampCells[stampGroup]
                                                                  : kNoCells;
}

TransitionCell CTransitionIndex::Nearest(int type, PointPattern pattern) const {
    TransitionCell nearest{type, 0, 0};
    int fewest = 9;
    const Sheet* sheet = SheetOf(type);
    for (int cell = 0; sheet != nullptr && cell < kSheetCells; ++cell) {
        if (sheet->masks[cell] == 0 || sheet->masks[cell] == kAllOpen) {
            continue;
        }
        const int differ = std::popcount(static_cast<unsigned>(sheet->masks[cell] ^ pattern));
        if (differ < fewest) {
            fewest = differ;
            nearest = {type, cell, sheet->stamps[cell]};
        }
    }
    return nearest;
}

bool CTransitionIndex::Fits(const std::vector<int>& types, PointPattern pattern) const {
    for (int type : types) {
        if (!CellsOf(type, pattern).empty()) {
            return true;
        }
    }
    return false;
}
