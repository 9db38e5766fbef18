#include "check/map_check.h"

#include <gtest/gtest.h>

#include "art/art_catalog.h"
#include "art/river_piece_table.h"
#include "model/builtin_tables.h"
#include "model/terrain_type.h"
#include "support/map_builder.h"
#include "support/terrain_table_guard.h"

namespace {

std::vector<std::string> Lines(const std::vector<MapFinding>& findings) {
    std::vector<std::string> lines;
    for (const MapFinding& finding : findings) {
        lines.push_back((finding.informational ? "note: " : "") + finding.Line());
    }
    return lines;
}

// A cell of a sheet that is no stamp and has water on some of its points.
int CoastCellWithWater() {
    const ExitMaskRow& masks =
        *BuiltInExitTable(theTerrainTable.Record(TERRAIN_TYPE_GRASS_OCEAN_A).exitTable);
    const StampGroupRow* stamps =
        StampGroupTable(theTerrainTable.Record(TERRAIN_TYPE_GRASS_OCEAN_A).stampTable);
    for (int cell = 0; cell < kSheetCells; ++cell) {
        if (masks[cell] != 0 && masks[cell] != 0xFF &&
            (stamps == nullptr || (*stamps)[cell] == 0)) {
            return cell;
        }
    }
    return -1;
}

int RiverPiece(uint8_t exits) {
    for (int cell = 0; cell < kRiverPieceCount; ++cell) {
        if (RiverPieceInfoAt(cell).exits == exits) {
            return cell;
        }
    }
    return -1;
}

}  // namespace

// Every kind of fault planted once in an otherwise plain map, and nothing else reported.
TEST(MapCheckTest, ReportsEachPlantedFaultAtItsTile) {
    TerrainTableGuard guard;
    LoadShippedGameData();
    const CTerrainTable gameData = theTerrainTable;
    theTerrainTable.Record(TERRAIN_TYPE_HILLS_1).stampTable = 0;  // hills drawn as stamps
    theTerrainTable.Record(TERRAIN_TYPE_GRASS).trackCost += 5;

    CMapDocument map;
    ASSERT_TRUE(map.MakeNew(30, 20, TERRAIN_TYPE_GRASS));
    CTileGrid& grid = map.grid;
    grid.SetTile(TERRAIN_TYPE_CUSTOM_1 + 2, 1, 1, 1);
    grid.SetTile(TERRAIN_TYPE_HILLS_1, 7, 5, 1);  // cell 6, whose partner 15 belongs below
    grid.SetTile(TERRAIN_TYPE_HILLS_1, 7, 8, 1);  // a whole stamp
    grid.SetTile(TERRAIN_TYPE_HILLS_1, 16, 8, 2);
    const int coast = CoastCellWithWater();
    ASSERT_GE(coast, 0);
    grid.SetTile(TERRAIN_TYPE_GRASS_OCEAN_A, coast + 1, 10, 5);  // water points against grass
    // A run from the left into the sea on the right: only its left end is loose.
    const int run = RiverPiece(kRiverExitLeft | kRiverExitRight);
    ASSERT_GE(run, 0);
    grid.AddOverlay(15, 10, 0, run);
    grid.FillRect(TERRAIN_TYPE_OCEAN, 1, 16, 8, 19, 13);
    grid.SetTile(TERRAIN_TYPE_RIVER_ON_GRASS_WIDE, 1, 25, 15);

    const std::vector<std::string> lines = Lines(CheckMap(map, theTerrainTable, &gameData));
    auto has = [&lines](const std::string& start) {
        for (const std::string& line : lines) {
            if (line.rfind(start, 0) == 0) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(has("tile 1,1: Custom 3 has no art"));
    EXPECT_TRUE(has("tile 5,1: Low Hills cell 6 is part of a stamp"));
    EXPECT_FALSE(has("tile 8,1:"));
    EXPECT_TRUE(has("tile 10,5: Grass-Ocean A does not meet Grass") ||
                has("tile 9,5: Grass does not meet Grass-Ocean A") ||
                has("tile 10,4: Grass does not meet Grass-Ocean A"));
    EXPECT_TRUE(has("tile 15,10: the river runs out at the left into a tile without a river"));
    EXPECT_FALSE(has("tile 15,10: the river runs out at the right"));
    EXPECT_TRUE(has("tile 25,15: type 20 is no terrain the game draws"));
    EXPECT_TRUE(has("note: the terrain table differs from the game data: Grass: trackCost"));
    // Nothing but these, the coast tile's sides, and the stamp count.
    EXPECT_LE(lines.size(), 13u) << ::testing::PrintToString(lines);

    // Rivers beyond column 254 cannot be kept in a map file.
    CMapDocument wide;
    ASSERT_TRUE(wide.MakeNew(260, 20, TERRAIN_TYPE_OCEAN));
    wide.grid.AddOverlay(256, 5, 0, run);
    EXPECT_EQ(Lines(CheckMap(wide, theTerrainTable, nullptr)),
              std::vector<std::string>{"tile 256,5: the map file cannot keep this river: map files "
                                       "hold rivers only on tiles whose X and Y are below 255"});
}
