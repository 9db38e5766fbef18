#include "edit/custom_art_edit.h"

#include <gtest/gtest.h>

#include "edit_test_map.h"
#include "support/temp_dir.h"

namespace {

// Imported art goes into the slot and comes out again; unloaded art takes the type's tiles to
// grass with it and brings both back. The edit counts the pictures it holds in turn.
TEST(CustomArtEditTest, ImportAndUnloadExchangeTheArtBothWays) {
    EditTestMap test;
    TempDir dir;
    const int type = TERRAIN_TYPE_CUSTOM_1 + 4;
    const CCustomTerrainArt& slot = *test.map.art.CustomArtFor(type);
    CCustomTerrainArt imported;
    ASSERT_EQ(imported.Import(SavePatternPicture(dir.File("art.bmp"), 900, 900)), 0);
    const size_t pictureBytes = imported.full.GetBufferSize();

    CCustomArtEdit import("Import Art", type, std::move(imported));
    EXPECT_FALSE(slot.loaded);
    import.Apply(test.target);
    EXPECT_TRUE(slot.loaded);
    EXPECT_EQ(slot.sourcePath, dir.File("art.bmp"));
    import.Revert(test.target);
    EXPECT_FALSE(slot.loaded);
    import.Apply(test.target);
    EXPECT_TRUE(slot.loaded);
    EXPECT_GE(import.MemoryBytes(), pictureBytes);
    EXPECT_TRUE(import.Change().customArt);

    test.map.grid.FillRect(type, 3, 0, 0, 4, 4);
    test.map.RebuildOverview();
    EditTestMap::State withArt = test.Now();
    auto tiles = std::make_unique<CTileEdit>("Unload Art");
    tiles->ReplaceType(test.target, type, TERRAIN_TYPE_GRASS);
    tiles->Finish(test.map.grid);
    CCustomArtEdit unload("Unload Art", type, CCustomTerrainArt(), std::move(tiles));
    unload.Apply(test.target);
    EditTestMap::State unloaded = test.Now();
    EXPECT_FALSE(slot.loaded);
    EXPECT_FALSE(test.map.grid.IsTypeUsed(type));
    EXPECT_TRUE(unloaded.overviewInStep);
    unload.Revert(test.target);
    EXPECT_TRUE(slot.loaded);
    EXPECT_TRUE(test.Now() == withArt);
    unload.Apply(test.target);
    EXPECT_TRUE(test.Now() == unloaded);
    EXPECT_GE(unload.MemoryBytes(), pictureBytes + 16 * 16);
}

}  // namespace
