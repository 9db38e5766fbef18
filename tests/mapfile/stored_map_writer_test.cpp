#include "mapfile/stored_map_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "document/map_document.h"
#include "mapfile/map_file.h"
#include "mapfile/stored_map_reader.h"
#include "support/map_builder.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

namespace {

// Records whose offsets are not given are laid out as a save lays them out: the records of a
// saved map, stripped of their offsets and section table, make the same file again; and a
// saved map leaves no byte uncovered.
TEST(StoredMapWriterTest, RecordsWithoutOffsetsAreLaidOutAsASaveLaysThemOut) {
    TerrainTableGuard guard;
    LoadShippedGameData();
    TempDir dir;
    CMapDocument map;
    ASSERT_TRUE(map.MakeNew(30, 20, TERRAIN_TYPE_GRASS));
    map.grid.AddOverlay(4, 5, 0, 9);
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("town.bmp"), 33, 7)));
    ASSERT_EQ(map.art.CustomArtFor(TERRAIN_TYPE_CUSTOM_16)
                  ->Import(SavePatternPicture(dir.File("art.bmp"), 900, 900)),
              0);
    ASSERT_EQ(map.Save(dir.File("saved.gmp")), 0);

    StoredMap stored;
    std::string reason;
    ASSERT_EQ(ReadStoredMap(dir.File("saved.gmp"), stored, reason), 0) << reason;
    EXPECT_TRUE(stored.uncovered.empty());
    stored.sections.reset();
    for (StoredImage& image : stored.cells) {
        image.offset.reset();
    }
    for (StoredImage& image : stored.cityImages) {
        image.offset.reset();
    }
    ASSERT_EQ(WriteStoredMap(stored, dir.File("laid-out.gmp"), reason), 0) << reason;
    EXPECT_EQ(ReadFileBytes(dir.File("laid-out.gmp")), ReadFileBytes(dir.File("saved.gmp")));

    // An offset past everything the records fill would leave a hole: nothing is written.
    stored.cells.back().offset = 1 << 30;
    EXPECT_EQ(WriteStoredMap(stored, dir.File("holes.gmp"), reason), kMapDamaged);
    EXPECT_FALSE(std::filesystem::exists(dir.File("holes.gmp")));
}

}  // namespace
