#include "model/terrain_table.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "model/builtin_tables.h"
#include "model/terrain_names.h"
#include "platform/profile_reader.h"
#include "support/peak_memory.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

namespace {

// A game data file with every TerrainCosts line valid, "x" resources, and line `type` replaced.
std::string GameData(int type = -1, const std::string& line = "", const char* units = "12") {
    std::string text = "[TerrainCosts]\n";
    for (int t = 0; t < kStoredTerrainTypes; ++t) {
        std::string value = t == type ? line : std::to_string(t) + " 2 3 4 5 6 7 8 9 10 x";
        text += std::string(TerrainKey(t)) + " = " + value + "\n";
    }
    if (units != nullptr) {
        text += std::string("[Units]\nMILES_PER_MAP_SQUARE=") + units + "\n";
    }
    return text;
}

class TerrainTableTest : public testing::Test {
  protected:
    TerrainTableGuard guard;
    TempDir dir;
    CTerrainTable table;
};

TEST_F(TerrainTableTest, StartsEmptyWithoutStamps) {
    for (int type = 0; type < kTerrainTypes; ++type) {
        const CTerrainType& record = table.Record(type);
        EXPECT_EQ(record.stampTable, type < kStoredTerrainTypes ? -1 : 0) << type;
        EXPECT_EQ(record.subtypeCount, 0);
        EXPECT_EQ(record.exitTable, 0);
    }
    EXPECT_EQ(table.milesPerTile, 0);
    EXPECT_EQ(table.FindRecord(44), nullptr);
    EXPECT_EQ(table.FindRecord(-1), nullptr);
}

TEST_F(TerrainTableTest, ReadsTheTenNumbersAndTheResourceToken) {
    std::string path =
        dir.Write("a.ini", GameData(TERRAIN_TYPE_GRASS, "100 200 3 0 1 1 10 1 -1 -1 x"));
    ASSERT_EQ(table.LoadGameData(path), 0);
    const CTerrainType& grass = table.Record(TERRAIN_TYPE_GRASS);
    EXPECT_EQ(grass.typeNumber, 4);
    EXPECT_EQ(grass.rightOfWayCost, 100);
    EXPECT_EQ(grass.trackCost, 200);
    EXPECT_EQ(grass.altitudeLevel, 3);
    EXPECT_EQ(grass.fourthValue, 0);
    EXPECT_EQ(grass.allowSignposts, 1);
    EXPECT_EQ(grass.allowCities, 1);
    EXPECT_EQ(grass.subtypeCount, 10);
    EXPECT_EQ(grass.setCount, 1);
    EXPECT_EQ(grass.exitTable, -1);
    EXPECT_EQ(grass.stampTable, -1);
    EXPECT_EQ(table.ResourceLetters(TERRAIN_TYPE_GRASS), "x");
    EXPECT_EQ(table.milesPerTile, 12);

    // The other lines: the numbers in field order.
    const CTerrainType& woods = table.Record(TERRAIN_TYPE_WOODS);
    EXPECT_EQ(woods.rightOfWayCost, 6);
    EXPECT_EQ(woods.altitudeLevel, 3);
    EXPECT_EQ(woods.fourthValue, 4);
    EXPECT_EQ(woods.allowSignposts, 5);
    EXPECT_EQ(woods.allowCities, 6);
    EXPECT_EQ(woods.subtypeCount, 7);
    EXPECT_EQ(woods.setCount, 8);
    EXPECT_EQ(woods.exitTable, 9);
    EXPECT_EQ(woods.stampTable, 10);
    // The river kinds have no key and are never touched.
    EXPECT_EQ(table.Record(TERRAIN_WIDE_RIVERS).typeNumber, 0);
    EXPECT_EQ(table.Record(TERRAIN_NARROW_RIVERS).stampTable, 0);
}

TEST_F(TerrainTableTest, ABadLineKeepsWhatWasReadBeforeIt) {
    table.milesPerTile = 3;
    table.Record(TERRAIN_TYPE_CITY).rightOfWayCost = 555;
    table.Record(TERRAIN_TYPE_GRASS).rightOfWayCost = 777;
    int badType = 0;
    std::string path = dir.Write("b.ini", GameData(TERRAIN_TYPE_CITY, "1 2 3 4 5 6 7 8 9 x"));
    EXPECT_EQ(table.LoadGameData(path, &badType), 149);
    EXPECT_EQ(badType, TERRAIN_TYPE_CITY);
    EXPECT_EQ(table.milesPerTile, 12);
    EXPECT_EQ(table.Record(TERRAIN_TYPE_NONE).rightOfWayCost, 0);  // line 0 was read
    EXPECT_EQ(table.Record(TERRAIN_TYPE_NONE).stampTable, 10);
    EXPECT_EQ(table.Record(TERRAIN_TYPE_CITY).rightOfWayCost, 555);
    EXPECT_EQ(table.Record(TERRAIN_TYPE_GRASS).rightOfWayCost, 777);
}

TEST_F(TerrainTableTest, MalformedLinesAnswer149) {
    const char* bad[] = {"", "1 2 3 4 5 6 7 8 9 10", "1 2 3 4 5 6 7 8 9 ten x",
                         "1 2 3 4 5 6 7 8 9 - x", "a 2 3 4 5 6 7 8 9 10 x"};
    for (const char* line : bad) {
        std::string path = dir.Write("bad.ini", GameData(TERRAIN_TYPE_SWAMP, line));
        int badType = -1;
        EXPECT_EQ(table.LoadGameData(path, &badType), 149) << line;
        EXPECT_EQ(badType, TERRAIN_TYPE_SWAMP) << line;
    }
    // A missing key is a bad line too, and an absent file fails at the first type.
    std::string text = GameData();
    text.erase(text.find("TERRAIN_TYPE_CUSTOM_16"));
    int badType = -1;
    EXPECT_EQ(table.LoadGameData(dir.Write("short.ini", text), &badType), 149);
    EXPECT_EQ(badType, TERRAIN_TYPE_CUSTOM_16);
    table.milesPerTile = 9;
    EXPECT_EQ(table.LoadGameData(dir.File("absent.ini"), &badType), 149);
    EXPECT_EQ(badType, TERRAIN_TYPE_NONE);
    EXPECT_EQ(table.milesPerTile, 9);
}

TEST_F(TerrainTableTest, NumbersAreReadLikeScanf) {
    // Blanks between fields may be any whitespace, signs are allowed, a field may run into the
    // next sign, and text after the token is ignored.
    std::string path =
        dir.Write("c.ini", GameData(TERRAIN_TYPE_DESERT, "+5\t-6 7-8 1 0 10 1 2-1 cg and more"));
    ASSERT_EQ(table.LoadGameData(path), 0);
    const CTerrainType& desert = table.Record(TERRAIN_TYPE_DESERT);
    EXPECT_EQ(desert.rightOfWayCost, 5);
    EXPECT_EQ(desert.trackCost, -6);
    EXPECT_EQ(desert.altitudeLevel, 7);
    EXPECT_EQ(desert.fourthValue, -8);
    EXPECT_EQ(desert.exitTable, 2);
    EXPECT_EQ(desert.stampTable, -1);
    EXPECT_EQ(table.ResourceLetters(TERRAIN_TYPE_DESERT), "cg");
}

TEST_F(TerrainTableTest, AbsentMilesKeepTheCurrentValue) {
    table.milesPerTile = 33;
    ASSERT_EQ(table.LoadGameData(dir.Write("d.ini", GameData(-1, "", nullptr))), 0);
    EXPECT_EQ(table.milesPerTile, 33);
}

TEST_F(TerrainTableTest, ResourceTokens) {
    struct Case {
        const char* token;
        const char* letters;
    } cases[] = {
        {"cCx", "xC"},
        {"GxT", "xGT"},
        {"cP", "cP"},
        {"pC", "Cp"},
        {"x", "x"},
        {"X", "x"},
        {"Pp", "p"},
        {"cgtomfp", "cgtomfp"},
        {"CGTOMFP", "CGTOMFP"},
        {"c-g", "xcg"},
    };
    for (const Case& c : cases) {
        std::string line = std::string("1 1 1 1 1 1 1 1 1 1 ") + c.token;
        ASSERT_EQ(table.LoadGameData(dir.Write("e.ini", GameData(TERRAIN_TYPE_FARM, line))), 0);
        EXPECT_EQ(table.ResourceLetters(TERRAIN_TYPE_FARM), c.letters) << c.token;
    }
    // Stored flags: cattle Allowed, port Preferred.
    table.Record(TERRAIN_TYPE_OCEAN) = CTerrainType();
    table.Record(TERRAIN_TYPE_OCEAN).resources[RESOURCE_CATTLE] = RESOURCE_ALLOWED;
    table.Record(TERRAIN_TYPE_OCEAN).resources[RESOURCE_PORT] = RESOURCE_PREFERRED;
    EXPECT_EQ(table.ResourceLetters(TERRAIN_TYPE_OCEAN), "cP");
}

TEST_F(TerrainTableTest, LongTokensAreCutAt51Characters) {
    // 51 cattle letters then a port letter: the letter lies beyond what the token keeps.
    std::string line = "1 1 1 1 1 1 1 1 1 1 " + std::string(51, 'c') + "P";
    ASSERT_EQ(table.LoadGameData(dir.Write("f.ini", GameData(TERRAIN_TYPE_FARM, line))), 0);
    EXPECT_EQ(table.ResourceLetters(TERRAIN_TYPE_FARM), "c");
    // Values are read up to 1023 characters: a token that starts beyond them is missing.
    std::string padded = "1 1 1 1 1 1 1 1 1 1" + std::string(1010, ' ') + "g";
    EXPECT_EQ(table.LoadGameData(dir.Write("g.ini", GameData(TERRAIN_TYPE_FARM, padded))), 149);
}

TEST_F(TerrainTableTest, TheShippedGameDataLoads) {
    int badType = 0;
    ASSERT_EQ(table.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini", &badType), 0) << badType;
    EXPECT_GE(table.milesPerTile, 5);
    EXPECT_LE(table.milesPerTile, 200);
    // Art cells per built-in sheet; 81 for custom types; none for types without art.
    auto cells = [](int type) {
        switch (type) {
            case 2:
            case 3:
            case 4:
            case 6:
            case 13:
            case 14:
                return 10;
            case 5:
                return 33;
            case 0:
            case 1:
            case 18:
            case 19:
            case 20:
            case 21:
                return 0;
            default:
                return 81;
        }
    };
    bool preferred = false;
    bool allowed = false;
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        const CTerrainType& record = table.Record(type);
        EXPECT_EQ(record.subtypeCount, cells(type)) << TerrainKey(type);
        EXPECT_GE(record.altitudeLevel, 0);
        EXPECT_LE(record.altitudeLevel, 6);
        for (uint8_t flag : record.resources) {
            preferred |= flag == RESOURCE_PREFERRED;
            allowed |= flag == RESOURCE_ALLOWED;
        }
    }
    EXPECT_TRUE(preferred && allowed);
    for (int type : {TERRAIN_TYPE_SHALLOW, TERRAIN_TYPE_OCEAN, TERRAIN_TYPE_MOUNTAIN_1,
                     TERRAIN_TYPE_MOUNTAIN_2, TERRAIN_TYPE_MOUNTAIN_3}) {
        EXPECT_EQ(table.Record(type).allowCities, 0) << TerrainKey(type);
    }
    EXPECT_LT(table.Record(TERRAIN_TYPE_GRASS).trackCost,
              table.Record(TERRAIN_TYPE_HILLS_1).trackCost);
    EXPECT_LT(table.Record(TERRAIN_TYPE_HILLS_2).trackCost,
              table.Record(TERRAIN_TYPE_MOUNTAIN_1).trackCost);
    EXPECT_LT(table.Record(TERRAIN_TYPE_MOUNTAIN_2).trackCost,
              table.Record(TERRAIN_TYPE_MOUNTAIN_3).trackCost);
    // Every exit table and both stamp tables are in use on the 81-cell transition types.
    bool exitTables[4] = {};
    for (int type : {15, 16, 17, 23, 24, 25}) {
        const CTerrainType& record = table.Record(type);
        ASSERT_NE(BuiltInExitTable(record.exitTable), nullptr) << type;
        exitTables[record.exitTable] = true;
        EXPECT_NE(StampGroupTable(record.stampTable), nullptr) << type;
    }
    EXPECT_TRUE(exitTables[0] && exitTables[1] && exitTables[2] && exitTables[3]);
}

// A game data file of 72 MB whose TerrainCosts lines follow millions of other keys: read as the
// file goes, without holding it, and only from a regular file.
TEST_F(TerrainTableTest, HugeGameDataTakesLittleMemoryAndFifosAreRefusedAtOnce) {
    const std::string text = GameData(-1, "", nullptr);
    const std::string header = "[Units]\nMILES_PER_MAP_SQUARE = 33\n[TerrainCosts]\n";
    std::string filler;
    for (int i = 0; filler.size() < (1 << 20); ++i) {
        filler += "FILLER_" + std::to_string(i) + " = 1 2 3 4 5 6 7 8 9 10 x\n";
    }
    std::string path = dir.File("huge.ini");
    {
        std::ofstream file(path, std::ios::binary);
        file << header;
        for (int megabyte = 0; megabyte < 72; ++megabyte) {
            file << filler;
        }
        file << text.substr(text.find('\n') + 1);  // the lines, without their section header
    }
    if (MeasuresMemory()) {
        int64_t growth = PeakMemoryGrowth([&] { table.LoadGameData(path); });
        EXPECT_GE(growth, 0);
        EXPECT_LE(growth, 64 << 20);
    }
    ASSERT_EQ(table.LoadGameData(path), 0);
    EXPECT_EQ(table.milesPerTile, 33);
    EXPECT_EQ(table.Record(41).rightOfWayCost, 41);

    std::string fifo = dir.File("pipe.ini");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(CProfileReader(fifo).Problem(), "not a regular file");
    EXPECT_EQ(CProfileReader(dir.Path()).Problem(), "not a regular file");
    EXPECT_EQ(table.LoadGameData(fifo), kGameDataBadLine);
}

TEST(TerrainNamesTest, KeysAndDisplayNames) {
    EXPECT_STREQ(TerrainKey(21), "TERRAIN_TYPE_RIVER_ON_GRASS_NARRROW");
    EXPECT_STREQ(TerrainKey(41), "TERRAIN_TYPE_CUSTOM_16");
    EXPECT_EQ(TerrainKey(42), nullptr);
    EXPECT_STREQ(TerrainDisplayName(10), "Med Mountain");
    EXPECT_STREQ(TerrainDisplayName(28), "Custom 3");
    EXPECT_STREQ(TerrainDisplayName(43), "Narrow Rivers");
    EXPECT_STREQ(TerrainDisplayName(19), "");
    EXPECT_STREQ(TerrainDisplayName(44), "");
}

TEST(BuiltInTablesTest, ExitAndStampTables) {
    EXPECT_EQ((*BuiltInExitTable(0))[0], 0xF7);
    EXPECT_EQ((*BuiltInExitTable(2))[1], 0xFF);
    EXPECT_EQ((*BuiltInExitTable(3))[80], 0x00);
    EXPECT_EQ((*BuiltInExitTable(1))[9 * 7 + 1], 0xFD);
    EXPECT_EQ(BuiltInExitTable(4), nullptr);
    EXPECT_EQ(BuiltInExitTable(-1), nullptr);
    EXPECT_EQ(StampGroupTable(-1), nullptr);
    EXPECT_EQ((*StampGroupTable(0))[9 * 8 + 3], 24);
    EXPECT_EQ((*StampGroupTable(7))[9 * 8 + 7], 18);  // any other value: table B
}

}  // namespace
