#include <gtest/gtest.h>

#include "art/river_piece_table.h"
#include "cli_test.h"
#include "mapfile/map_file.h"
#include "model/terrain_type.h"
#include "tool_run.h"

namespace {

class RiverCommandTest : public CliTest {};

// The tool draws the river the brush draws, erases it, and refuses a path with a gap.
TEST_F(RiverCommandTest, DrawsAndErasesAlongAPath) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    map.grid.FillRect(TERRAIN_TYPE_OCEAN, 1, 0, 10, 20, 20);
    ASSERT_EQ(map.Save(dir.File("land.gmp")), 0);

    ToolRun run = RunTarvoMap(dir, {"river", "land.gmp", "-o", "river.gmp", "--kind", "narrow",
                                    "--path", "5,5:5,6:5,7:5,8:5,9:5,10:5,11"});
    EXPECT_EQ(run.status, 0) << run.err;
    CMapDocument river;
    ASSERT_EQ(river.Load(dir.File("river.gmp")), 0);
    EXPECT_EQ(river.grid.TilesWithRivers().size(), 5u);  // none on the water
    const RiverOverlay mouth = river.grid.GetOverlays(5, 9).back();
    EXPECT_EQ(mouth.kind, kNarrowRiver);
    EXPECT_EQ(RiverPieceInfoAt(mouth.cell).shape, RiverPieceShape::kMouth);

    run = RunTarvoMap(dir, {"river", "river.gmp", "-o", "dry.gmp", "--kind", "narrow", "--path",
                            "5,5:5,6:5,7:5,8:5,9", "--erase"});
    EXPECT_EQ(run.status, 0) << run.err;
    CMapDocument dry;
    ASSERT_EQ(dry.Load(dir.File("dry.gmp")), 0);
    EXPECT_TRUE(dry.grid.TilesWithRivers().empty());

    run = RunTarvoMap(
        dir, {"river", "land.gmp", "-o", "gap.gmp", "--kind", "wide", "--path", "1,1:2,2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("tiles 1,1 and 2,2 are not edge neighbours"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("gap.gmp")));
}

}  // namespace
