// Inputs that the fuzz harnesses (fuzz/) showed to be harmful, kept in tests/data/fuzz, each
// with the clean failure it must give.
#include <gtest/gtest.h>

#include <string>

#include "document/map_document.h"
#include "mapfile/map_file.h"
#include "support/map_builder.h"
#include "support/recording_log.h"
#include "support/scripted_interaction.h"
#include "support/terrain_table_guard.h"

namespace {

std::string FuzzInput(const std::string& name) {
    return std::string(TARVO_TEST_DATA_DIR) + "/fuzz/" + name;
}

class FuzzRegressionTest : public testing::Test {
  protected:
    TerrainTableGuard guard;
    ScriptedInteraction ui;
    CMapDocument map;
};

// A 12 KB map whose city art directory names one 2760-byte picture 100 times: read record by
// record, the pictures would hold 276 KB, and a 500 KB file of the kind took 1.3 GB.
TEST_F(FuzzRegressionTest, CityArtCannotOutgrowTheFile) {
    std::string reason;
    EXPECT_EQ(LoadMap(FuzzInput("city_art_shared_blob.gmp"), map.art, map.overview, &reason),
              kMapDamaged);
    EXPECT_NE(reason.find("city picture"), std::string::npos) << reason;
    EXPECT_EQ(map.art.CityArt().GetCount(), 0);
}

// A 24 KB map whose first custom art cell declares 4000 x 4000 pixels: decoded before its size
// was checked, it took 1.5 s and 150 MB, and a whole map of 300 KB took 15 s and 1 GB. Nothing
// may be decoded for it, so the codec has nothing to warn about.
TEST_F(FuzzRegressionTest, CustomArtCellsOfAnotherSizeAreNotDecoded) {
    RecordingLog log;
    std::string reason;
    EXPECT_EQ(LoadMap(FuzzInput("custom_art_huge_cell.gmp"), map.art, map.overview, &reason),
              kMapDamaged);
    EXPECT_NE(reason.find("custom art"), std::string::npos) << reason;
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
