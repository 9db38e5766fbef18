#include "cli_test.h"
#include "model/terrain_type.h"
#include "tool_run.h"

// A map whose custom type has no art and whose terrain table is its own: the fault is a
// warning, or with --strict an error that fails the run; the table a note.
TEST_F(CliTest, CheckReportsFaultsAsWarningsOrStrictlyAsErrors) {
    CMapDocument map;
    ASSERT_TRUE(map.MakeNew(20, 20, TERRAIN_TYPE_GRASS));
    map.grid.SetTile(TERRAIN_TYPE_CUSTOM_1, 1, 4, 2);
    theTerrainTable.Record(TERRAIN_TYPE_WOODS).trackCost += 3;
    ASSERT_EQ(map.Save(dir.File("fault.gmp")), 0);

    const ToolRun run = RunTarvoMap(dir, {"check", "fault.gmp", "--gamedata", kGameData});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("warning: tile 4,2: Custom 1 has no art\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("note: the terrain table differs from the game data: Woods: trackCost"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.err, "tarvo-map: 1 warning, 1 note\n");

    const ToolRun strict = RunTarvoMap(dir, {"check", "--strict", "fault.gmp"});
    EXPECT_EQ(strict.status, 1);
    EXPECT_NE(strict.out.find("error: tile 4,2: Custom 1 has no art\n"), std::string::npos);

    map.grid.SetTile(TERRAIN_TYPE_GRASS, 0, 4, 2);
    theTerrainTable.Record(TERRAIN_TYPE_WOODS).trackCost -= 3;
    ASSERT_EQ(map.Save(dir.File("clean.gmp")), 0);
    const ToolRun clean =
        RunTarvoMap(dir, {"check", "--strict", "clean.gmp", "--gamedata", kGameData});
    EXPECT_EQ(clean.status, 0) << clean.out;
    EXPECT_EQ(clean.out, "");

    // Types that loading hides, planted in the stored tile records: 1 loads as grass, 0 not at all.
    std::vector<uint8_t> bytes = ReadFileBytes(dir.File("clean.gmp"));
    const size_t tileRecords = bytes[18] | bytes[19] << 8 | bytes[20] << 16 | bytes[21] << 24;
    const size_t tile = tileRecords + 8 + 2 * (4 * 20 + 2);  // column by column
    for (uint8_t type : {1, 0}) {
        bytes[tile] = type;
        WriteFileBytes(dir.File("old.gmp"), bytes);
        const ToolRun old = RunTarvoMap(dir, {"check", "old.gmp"});
        EXPECT_EQ(old.status, type == 1 ? 0 : 1);
        EXPECT_NE(old.out.find("tile 4,2: type " + std::to_string(type) + " is no terrain"),
                  std::string::npos)
            << old.out << old.err;
    }
}
