#include <gtest/gtest.h>

#include "cli_test.h"
#include "mapfile/map_file.h"
#include "model/terrain_type.h"
#include "tool_run.h"

namespace {

class TransitionsCommandTest : public CliTest {};

// A round island of plain grass gets its coast; the area and the sheets are kept to; bad
// arguments are refused with the usage status, writing nothing.
TEST_F(TransitionsCommandTest, AnIslandGetsItsCoast) {
    CMapDocument map;
    map.MakeNew(30, 30, TERRAIN_TYPE_OCEAN);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            if ((x - 15) * (x - 15) + (y - 15) * (y - 15) < 50) {
                map.grid.SetTile(TERRAIN_TYPE_GRASS, 0, x, y);
            }
        }
    }
    const std::string island = dir.File("island.gmp");
    ASSERT_EQ(map.Save(island), 0);

    ToolRun run = RunTarvoMap(dir, {"transitions", island, "--coast", "C,A", "-o", "coast.gmp"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.starts_with("tarvo-map: ")) << run.err;
    EXPECT_NE(run.err.find(" tiles changed; 0 without a fitting cell\n"), std::string::npos)
        << run.err;
    CMapDocument coast;
    ASSERT_EQ(coast.Load(dir.File("coast.gmp")), 0);
    int coastTiles = 0;
    for (int i = 0; i < 30 * 30; ++i) {
        const int type = coast.grid.Tiles()[i].type;
        EXPECT_NE(type, TERRAIN_TYPE_GRASS_OCEAN_B);
        coastTiles += type == TERRAIN_TYPE_GRASS_OCEAN_A || type == TERRAIN_TYPE_GRASS_OCEAN_C;
    }
    EXPECT_GT(coastTiles, 20);

    run = RunTarvoMap(dir, {"transitions", island, "--area", "0,0,5,5", "-o", "corner.gmp"});
    EXPECT_EQ(run.err, "tarvo-map: 0 tiles changed; 0 without a fitting cell\n");

    for (const char* bad : {"--area=1,2,3", "--area=1,2,0,4", "--coast=D", "--coast="}) {
        run = RunTarvoMap(dir, {"transitions", island, bad, "-o", "bad.gmp"});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_FALSE(FileExists(dir.File("bad.gmp"))) << bad;
    }
}

}  // namespace
