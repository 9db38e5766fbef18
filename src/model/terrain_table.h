#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/terrain_type.h"

// LoadGameData's answer for a missing or malformed terrain line.
inline constexpr int kGameDataBadLine = 149;

// The one terrain table of the process: the game properties of every type and the map scale.
// Filled from the game data file, replaced by the copy in an opened map, edited by the dialogs.
class CTerrainTable {
  public:
    CTerrainTable();
    virtual ~CTerrainTable() = default;

    // Reads "MILES_PER_MAP_SQUARE" of [Units] (kept when absent) and the 42 [TerrainCosts] lines.
    // Returns 0, or 149 at the first missing or malformed line: the records before it hold the
    // new values, that one and the later ones keep theirs. badType, when given, receives the
    // number of that type (or -1); problem, when given, what went wrong: why the file could not
    // be read, or which key is missing or malformed.
    int LoadGameData(const std::string& path, int* badType = nullptr,
                     std::string* problem = nullptr);

    // Resource flags as letters: lower case for Allowed, upper case for Preferred, "x" when none.
    std::string ResourceLetters(int type) const;

    // Types 0 to 43.
    CTerrainType& Record(int type) { return records.at(type); }
    const CTerrainType& Record(int type) const { return records.at(type); }
    // Null for numbers without a record.
    const CTerrainType* FindRecord(int type) const {
        return type >= 0 && type < kTerrainTypes ? &records[type] : nullptr;
    }

    std::array<CTerrainType, kTerrainTypes> records;
    int32_t milesPerTile = 0;
};

extern CTerrainTable theTerrainTable;

// Parses one [TerrainCosts] value: ten integers then a resource token, as "%d ... %d %s" reads
// it (text after the token is ignored; the token is cut to 51 characters). False when a field
// is missing.
bool ParseTerrainLine(const std::string& value, CTerrainType& record);
