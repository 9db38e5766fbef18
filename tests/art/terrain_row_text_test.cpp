#include "art/terrain_row_text.h"

#include <gtest/gtest.h>

#include "document/map_document.h"
#include "model/terrain_table.h"
#include "support/map_builder.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

namespace {

TEST(TerrainRowTextTest, RowsShowMinusOneForStoredCostsAndTheCustomArt) {
    TerrainTableGuard guard;
    TempDir dir;
    CMapDocument map;
    CTerrainType& grass = theTerrainTable.Record(TERRAIN_TYPE_GRASS);
    grass = CTerrainType();
    grass.rightOfWayCost = 100;
    grass.trackCost = 9999999;
    grass.allowCities = 1;
    grass.allowSignposts = 1;
    grass.resources[RESOURCE_CATTLE] = RESOURCE_ALLOWED;
    EXPECT_EQ(RowText(map.art, TERRAIN_TYPE_GRASS), "Grass\t0\t1\t1\t100\t-1\tc");

    theTerrainTable.Record(TERRAIN_WIDE_RIVERS).altitudeLevel = 2;
    EXPECT_EQ(RowText(map.art, TERRAIN_WIDE_RIVERS), "Wide Rivers\t2\t0\t0\t0\t0\tx");

    EXPECT_EQ(RowText(map.art, 28), "Custom 3\t0\t0\t0\t0\t0\tx\tUnused");
    std::string art = SavePatternPicture(dir.File("c3.bmp"), 900, 900);
    ASSERT_EQ(map.art.CustomArtFor(28)->Import(art), 0);
    EXPECT_EQ(RowText(map.art, 28), "Custom 3\t0\t0\t0\t0\t0\tx\t" + art);

    EXPECT_EQ(StoredCost(-1), 9999999);
    EXPECT_EQ(StoredCost(5), 5);
    EXPECT_EQ(DisplayedCost(9999999), -1);
}

}  // namespace
