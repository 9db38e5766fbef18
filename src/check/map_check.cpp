#include "check/map_check.h"

#include <algorithm>
#include <array>

#include "art/art_catalog.h"
#include "art/river_piece_table.h"
#include "check/terrain_table_differences.h"
#include "mapfile/map_file.h"
#include "model/builtin_tables.h"
#include "model/terrain_type.h"
#include "rivers/river_planner.h"
#include "transitions/terrain_families.h"

namespace {

constexpr const char* kDirectionNames[4] = {"the top", "the right", "the bottom", "the left"};

bool IsUnusedType(int type) {
    return type == TERRAIN_TYPE_NONE || type == TERRAIN_TYPE_CITY ||
           (type >= TERRAIN_TYPE_RIVER_ON_DESERT_WIDE &&
            type <= TERRAIN_TYPE_RIVER_ON_GRASS_NARRROW);
}

// What the checks need of a tile type, looked up once for the whole map.
struct TypeFacts {
    bool unused = false;
    bool missingCustomArt = false;
    int cellsWithArt = 0;
    const StampGroupRow* stamps = nullptr;
    TransitionFamily family = TransitionFamily::None;
};

class CMapChecker {
  public:
    CMapChecker(const CMapDocument& map, const CTerrainTable& table)
        : grid(map.grid), table(table) {
        for (int type = 0; type < 256; ++type) {
            TypeFacts& f = facts[type];
            f.unused = IsUnusedType(type) || type > TERRAIN_TYPE_CUSTOM_16;
            f.missingCustomArt = IsCustomType(type) && !map.art.CustomArtFor(type)->loaded;
            f.cellsWithArt = IsCustomType(type) ? 0 : CellsWithArt(type);
            if (const CTerrainType* record = table.FindRecord(type)) {
                f.stamps = StampGroupTable(record->stampTable);
            }
            f.family = FamilyOfSheet(type);
        }
    }

    std::vector<MapFinding> Run(const CTerrainTable* gameData) {
        const int width = grid.GetWidth();
        const int height = grid.GetHeight();
        for (int y = 0; y < height; ++y) {
            const CTile* row = &Tile(0, y);
            for (int x = 0; x < width; ++x) {
                CheckTile(x, y);
                // Only where a transition tile is part of the meeting is there anything to agree.
                const TransitionFamily family = facts[row[x].type].family;
                if (x + 1 < width && (family != TransitionFamily::None ||
                                      facts[row[x + 1].type].family != TransitionFamily::None)) {
                    CheckMeeting(x, y, x + 1, y, 1);
                }
                if (y + 1 < height &&
                    (family != TransitionFamily::None ||
                     facts[row[x + width].type].family != TransitionFamily::None)) {
                    CheckMeeting(x, y, x, y + 1, 2);
                }
            }
        }
        for (auto [x, y] : grid.TilesWithRivers()) {
            CheckRivers(x, y);
        }
        // Rivers come column by column; every tile's findings go in row order.
        std::stable_sort(findings.begin(), findings.end(),
                         [](const MapFinding& a, const MapFinding& b) {
                             return a.y != b.y ? a.y < b.y : a.x < b.x;
                         });
        CheckRandomCounts();
        if (aloneTransitionStamps > 0) {
            findings.push_back({-1, -1,
                                std::to_string(aloneTransitionStamps) +
                                    " stamp cells of transition sheets stand without their "
                                    "partners, as the terrain brush places them",
                                true});
        }
        if (gameData != nullptr) {
            for (const std::string& line : TerrainTableDifferences(*gameData, table)) {
                findings.push_back(
                    {-1, -1, "the terrain table differs from the game data: " + line, true});
            }
        }
        return std::move(findings);
    }

  private:
    using Partners = std::array<std::vector<uint8_t>, kSheetCells>;

    // For each cell of a stamp table, the other cells of its stamp; made once for each table.
    const Partners& PartnersOf(const StampGroupRow& groups) {
        for (const auto& [table, partners] : stampPartners) {
            if (table == &groups) {
                return partners;
            }
        }
        Partners& partners = stampPartners.emplace_back(&groups, Partners()).second;
        for (int cell = 0; cell < kSheetCells; ++cell) {
            for (int other = 0; other < kSheetCells; ++other) {
                if (other != cell && groups[cell] != 0 && groups[other] == groups[cell]) {
                    partners[cell].push_back(static_cast<uint8_t>(other));
                }
            }
        }
        return partners;
    }

    // A tile inside the grid.
    const CTile& Tile(int x, int y) const {
        return grid.Tiles()[static_cast<size_t>(y) * grid.GetWidth() + x];
    }

    void Add(int x, int y, const std::string& text) { findings.push_back({x, y, text, false}); }

    void CheckTile(int x, int y) {
        const CTile& tile = Tile(x, y);
        const int type = tile.type;
        const TypeFacts& f = facts[type];
        if (f.unused) {
            Add(x, y, TypeName(type) + " is no terrain the game draws");
            return;
        }
        if (f.missingCustomArt) {
            Add(x, y, TypeName(type) + " has no art");
        } else if (f.cellsWithArt > 0 && tile.subtype >= f.cellsWithArt) {
            Add(x, y,
                TypeName(type) + " cell " + std::to_string(tile.subtype) +
                    " has no art (cells 0 to " + std::to_string(f.cellsWithArt - 1) + " have)");
        }
        if (tile.requestedSubtype == 0 || tile.requestedSubtype > 81) {
            randomTypesUsed[type] = true;
        }
        if (f.stamps != nullptr) {
            CheckStamp(x, y, tile);
        }
    }

    void CheckStamp(int x, int y, const CTile& tile) {
        const StampGroupRow* groups = facts[tile.type].stamps;
        // Random picks are no stamps placed by hand.
        const bool exact = tile.requestedSubtype >= 1 && tile.requestedSubtype <= kSheetCells;
        if (!exact || groups == nullptr || tile.subtype >= kSheetCells ||
            (*groups)[tile.subtype] == 0) {
            return;
        }
        const int cell = tile.subtype;
        for (uint8_t partner : PartnersOf(*groups)[cell]) {
            const CTile* there = grid.GetTileAt(x + partner % kSheetColumns - cell % kSheetColumns,
                                                y + partner / kSheetColumns - cell / kSheetColumns);
            if (there == nullptr || there->type != tile.type || there->subtype != partner) {
                if (facts[tile.type].family != TransitionFamily::None) {
                    ++aloneTransitionStamps;
                } else {
                    Add(x, y,
                        TypeName(tile.type) + " cell " + std::to_string(cell) +
                            " is part of a stamp whose other cells are missing around it");
                }
                return;
            }
        }
    }

    // A tile's 8 boundary points on the open side of family's divide; false for a tile whose
    // points say nothing of this divide: a transition tile of another family, or (between grass
    // and desert) land that is neither, such as woods on a shore.
    bool OpenPoints(const CTile& tile, TransitionFamily family, uint8_t& points) const {
        const TransitionFamily own = facts[tile.type].family;
        if (own != TransitionFamily::None) {
            points = tile.exits;
            return own == family;
        }
        if (family == TransitionFamily::GrassDesert && tile.type != TERRAIN_TYPE_GRASS &&
            tile.type != TERRAIN_TYPE_DESERT) {
            return false;
        }
        points = IsOpenSide(family, tile.type) ? 0xFF : 0x00;
        return true;
    }

    // Tile (x, y) and its neighbour to the right (direction 1) or below (2).
    void CheckMeeting(int x, int y, int nx, int ny, int direction) {
        const CTile& here = Tile(x, y);
        const CTile& there = Tile(nx, ny);
        TransitionFamily family = facts[here.type].family;
        if (family == TransitionFamily::None) {
            family = facts[there.type].family;
            if (family == TransitionFamily::None) {
                return;  // two tiles without transitions: nothing to agree on
            }
        }
        uint8_t a = 0;
        uint8_t b = 0;
        if (family == TransitionFamily::None || !OpenPoints(here, family, a) ||
            !OpenPoints(there, family, b)) {
            return;
        }
        auto bit = [](uint8_t mask, int point) { return mask >> point & 1; };
        // The points of the shared edge, seen from each side.
        const bool agree =
            direction == 1
                ? bit(a, 1) == bit(b, 7) && bit(a, 2) == bit(b, 6) && bit(a, 3) == bit(b, 5)
                : bit(a, 5) == bit(b, 7) && bit(a, 4) == bit(b, 0) && bit(a, 3) == bit(b, 1);
        if (!agree) {
            Add(x, y,
                TypeName(here.type) + " does not meet " + TypeName(there.type) + " at " +
                    kDirectionNames[direction] + " (tile " + std::to_string(nx) + "," +
                    std::to_string(ny) + "): their boundary points disagree");
        }
    }

    void CheckRivers(int x, int y) {
        const int count = grid.GetOverlayCount(x, y);
        if (!IsRiverStorable(x, y)) {
            Add(x, y,
                "the map file cannot keep this river: map files hold rivers only on tiles "
                "whose X and Y are below 255");
        }
        uint8_t exits = 0;
        for (int k = 0; k < count; ++k) {
            RiverOverlay piece;
            if (grid.GetOverlay(x, y, k, piece) && piece.cell < kRiverPieceCount) {
                exits |= RiverPieceInfoAt(piece.cell).exits;
            }
        }
        for (int direction = 0; direction < 4; ++direction) {
            if ((exits >> kRiverExitDirections[direction] & 1) == 0) {
                continue;
            }
            const int nx = x + (direction == 1) - (direction == 3);
            const int ny = y + (direction == 2) - (direction == 0);
            if (!grid.Contains(nx, ny) || grid.GetOverlayCount(nx, ny) > 0 ||
                IsOpenWaterTowards(grid, nx, ny, (direction + 2) % 4)) {
                continue;
            }
            Add(x, y,
                std::string("the river runs out at ") + kDirectionNames[direction] +
                    " into a tile without a river");
        }
    }

    // Random requests of a type whose random count reaches beyond its art draw cells without
    // art now and then.
    void CheckRandomCounts() {
        for (int type = 0; type < kStoredTerrainTypes; ++type) {
            const int count = table.Record(type).subtypeCount;
            if (randomTypesUsed[type] && CellsWithArt(type) > 0 && count > CellsWithArt(type)) {
                Add(-1, -1,
                    TypeName(type) + ": random picks choose from " + std::to_string(count) +
                        " cells, but only " + std::to_string(CellsWithArt(type)) + " have art");
            }
        }
    }

    const CTileGrid& grid;
    const CTerrainTable& table;
    TypeFacts facts[256];
    // Of the (at most two) stamp tables the types use.
    std::vector<std::pair<const StampGroupRow*, Partners>> stampPartners;
    std::vector<MapFinding> findings;
    bool randomTypesUsed[256] = {};
    int aloneTransitionStamps = 0;
};

}  // namespace

std::string MapFinding::Line() const {
    return x < 0 ? text : "tile " + std::to_string(x) + "," + std::to_string(y) + ": " + text;
}

std::vector<MapFinding> CheckMap(const CMapDocument& map, const CTerrainTable& table,
                                 const CTerrainTable* gameData) {
    return CMapChecker(map, table).Run(gameData);
}
