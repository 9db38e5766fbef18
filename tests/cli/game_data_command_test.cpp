#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "art/terrain_row_text.h"
#include "cli_test.h"
#include "model/terrain_names.h"
#include "tool_run.h"

namespace {

std::string ShippedGameDataWithout(const std::string& key) {
    std::ifstream file(kGameData);
    std::string text;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(key + " ", 0) != 0) {
            text += line + "\n";
        }
    }
    return text;
}

using GameDataCommandTest = CliTest;

TEST_F(GameDataCommandTest, PrintsTheTerrainListOfTheFile) {
    ToolRun run = RunTarvoMap(dir, {"gamedata", kGameData});
    ASSERT_EQ(run.status, 0) << run.err;
    CTileGrid grid;
    CMapArt art(grid);
    std::string expected = std::string(kTerrainListHeader) + "\n";
    for (int type : kTerrainListTypes) {
        expected += RowText(art, type) + "\n";
    }
    EXPECT_EQ(run.out, expected);
}

TEST_F(GameDataCommandTest, PrintsTheRecordsAsJson) {
    ToolRun run = RunTarvoMap(dir, {"gamedata", kGameData, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json table = nlohmann::json::parse(run.out);
    EXPECT_EQ(table["milesPerTile"], theTerrainTable.milesPerTile);
    ASSERT_EQ(table["terrain"].size(), size_t{kStoredTerrainTypes});
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        const CTerrainType& record = theTerrainTable.Record(type);
        const nlohmann::json& json = table["terrain"][type];
        EXPECT_EQ(json["typeNumber"], type);
        EXPECT_EQ(json["rightOfWayCost"], record.rightOfWayCost);
        EXPECT_EQ(json["trackCost"], record.trackCost);
        EXPECT_EQ(json["altitudeLevel"], record.altitudeLevel);
        EXPECT_EQ(json["fourthValue"], record.fourthValue);
        EXPECT_EQ(json["exitTable"], record.exitTable);
        EXPECT_EQ(json["stampTable"], record.stampTable);
        EXPECT_EQ(json["allowSignposts"], record.allowSignposts);
        EXPECT_EQ(json["allowCities"], record.allowCities);
        EXPECT_EQ(json["subtypeCount"], record.subtypeCount);
        EXPECT_EQ(json["setCount"], record.setCount);
        EXPECT_EQ(json["resources"].get<std::vector<int>>(),
                  std::vector<int>(record.resources, record.resources + kResourceSlots));
    }
}

TEST_F(GameDataCommandTest, NamesTheFirstMissingKeyAndMakesNoMap) {
    std::string ini =
        dir.Write("broken.ini", ShippedGameDataWithout(TerrainKey(TERRAIN_TYPE_SWAMP)));
    ToolRun listed = RunTarvoMap(dir, {"gamedata", ini});
    EXPECT_EQ(listed.status, 1);
    EXPECT_TRUE(listed.out.empty());
    EXPECT_NE(listed.err.find("Unable to read game data: " + ini +
                              ": the [TerrainCosts] key TERRAIN_TYPE_SWAMP is missing"),
              std::string::npos)
        << listed.err;

    ToolRun made = RunTarvoMap(dir, {"new", "--gamedata", ini, "--width", "20", "--height", "20",
                                     "--fill", "grass", "-o", "map.gmp"});
    EXPECT_EQ(made.status, 1);
    EXPECT_NE(made.err.find("TERRAIN_TYPE_SWAMP"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("map.gmp")));

    ToolRun missing = RunTarvoMap(dir, {"gamedata", "nowhere.ini"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("nowhere.ini: No such file or directory"), std::string::npos);
}

}  // namespace
