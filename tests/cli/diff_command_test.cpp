#include <nlohmann/json.hpp>

#include "cli_test.h"
#include "model/terrain_type.h"
#include "tool_run.h"

// Two maps a designer's afternoon apart: diff names each change in a line, groups the tiles
// into rectangles, and says by its status whether they differ; dump --text gives git the lines.
TEST_F(CliTest, DiffSaysWhatChangedAndTextDumpsGiveALineEach) {
    CMapDocument map;
    ASSERT_TRUE(map.MakeNew(30, 20, TERRAIN_TYPE_GRASS));
    ASSERT_EQ(map.Save(dir.File("a.gmp")), 0);

    map.grid.FillRect(TERRAIN_TYPE_OCEAN, 1, 4, 2, 9, 5);  // tiles 4..8 x 2..4
    map.grid.SetTile(TERRAIN_TYPE_WOODS, 3, 20, 10);
    map.grid.AddOverlay(12, 7, 1, 5);
    theTerrainTable.Record(TERRAIN_TYPE_GRASS).trackCost += 5;
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("lake.bmp"), 30, 20)));
    ASSERT_EQ(map.Save(dir.File("b.gmp")), 0);
    const int trackCost = theTerrainTable.Record(TERRAIN_TYPE_GRASS).trackCost;

    const ToolRun run = RunTarvoMap(dir, {"diff", "a.gmp", "b.gmp"});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "Grass: trackCost " + std::to_string(trackCost - 5) + " → " +
                           std::to_string(trackCost) +
                           "\n"
                           "tiles 4..8 × 2..4: Grass → Ocean cell 0\n"
                           "tile 20,10: Grass → Woods cell 2\n"
                           "river at 12,7: narrow cell 5 added\n"
                           "city picture lake.bmp added\n");

    const ToolRun json = RunTarvoMap(dir, {"diff", "--json", "b.gmp", "a.gmp"});
    EXPECT_EQ(json.status, 1);
    const nlohmann::json parsed = nlohmann::json::parse(json.out);
    EXPECT_FALSE(parsed["same"]);
    EXPECT_EQ(parsed["tiles"][0]["x"], nlohmann::json({4, 8}));
    EXPECT_EQ(parsed["tiles"][0]["after"], "Grass");
    EXPECT_EQ(parsed["rivers"][0], "river at 12,7: narrow cell 5 removed");

    const ToolRun same = RunTarvoMap(dir, {"diff", "a.gmp", "a.gmp"});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(RunTarvoMap(dir, {"diff", "a.gmp", "missing.gmp"}).status, 2);
    EXPECT_EQ(RunTarvoMap(dir, {"diff", "a.gmp"}).status, 2);

    const ToolRun text = RunTarvoMap(dir, {"dump", "--text", "b.gmp"});
    ASSERT_EQ(text.status, 0) << text.err;
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = text.out.find('\n', at)) != std::string::npos; at = end + 1) {
        lines.push_back(text.out.substr(at, end - at));
    }
    ASSERT_EQ(lines.size(), 3u + 42u + 20u + 1u + 1u);  // header, terrain, rows, river, picture
    EXPECT_EQ(lines[0], "version 1.0.0.75");
    EXPECT_EQ(lines[45 + 10].substr(0, 8), "row 10: ");
    EXPECT_NE(lines[45 + 10].find(" 6:3 "), std::string::npos);
    EXPECT_EQ(lines[65], "river 12,7 narrow 5");
    EXPECT_EQ(lines[66].rfind("city 0 \"lake.bmp\": 30 x 20 pixels ", 0), 0u) << lines[66];
}
