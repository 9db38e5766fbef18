#include "edit/terrain_table_edit.h"

#include <gtest/gtest.h>

#include "edit/exit_mask_edit.h"
#include "edit_test_map.h"

namespace {

// A record, the miles per tile and a custom type's exits: each edit writes its target, not
// the process-wide table, and switches between the values before and after.
TEST(TerrainTableEditTest, TablesAndExitsSwitchBetweenBeforeAndAfter) {
    EditTestMap test;
    CTerrainTable table = theTerrainTable;
    MapTarget target{test.map.art, test.map.overview, table};
    CTerrainTable after = table;
    after.Record(TERRAIN_TYPE_DESERT).trackCost = 777;
    after.milesPerTile = 55;
    CTerrainTableEdit edit("Terrain Type", table, after);
    edit.Apply(target);
    EXPECT_EQ(table.Record(TERRAIN_TYPE_DESERT).trackCost, 777);
    EXPECT_EQ(table.milesPerTile, 55);
    EXPECT_NE(theTerrainTable.milesPerTile, 55);
    edit.Revert(target);
    EXPECT_EQ(table.Record(TERRAIN_TYPE_DESERT).trackCost,
              theTerrainTable.Record(TERRAIN_TYPE_DESERT).trackCost);
    EXPECT_EQ(table.milesPerTile, theTerrainTable.milesPerTile);
    EXPECT_TRUE(edit.Change().terrainTable);
    EXPECT_LE(edit.MemoryBytes(), 3 * sizeof(CTerrainTable));

    const int type = TERRAIN_TYPE_CUSTOM_1;
    CExitMaskEdit::Masks before = test.map.art.CustomArtFor(type)->exitMasks;
    CExitMaskEdit::Masks toggled = before;
    toggled[40] ^= 0x0F;
    CExitMaskEdit exits(type, before, toggled);
    exits.Apply(target);
    EXPECT_EQ(test.map.art.CustomArtFor(type)->exitMasks, toggled);
    exits.Revert(target);
    EXPECT_EQ(test.map.art.CustomArtFor(type)->exitMasks, before);
    EXPECT_LE(exits.MemoryBytes(), 256u);
}

}  // namespace
