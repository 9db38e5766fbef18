#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_test.h"
#include "interchange/bitmap_interchange.h"
#include "mapfile/map_file.h"
#include "tool_run.h"

namespace {

using nlohmann::json;

class MapCommandsTest : public CliTest {
  protected:
    json Dump(const std::string& map) {
        ToolRun run = RunTarvoMap(dir, {"dump", map});
        EXPECT_EQ(run.status, 0) << run.err;
        return run.status == 0 ? json::parse(run.out) : json();
    }

    // A map whose every tile asks for an exact cell, so that loading it draws nothing.
    std::string SaveExactMap(const std::string& name, int width, int height) {
        TestMap map;
        map.MakeNew(width, height, TERRAIN_TYPE_GRASS);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                map.grid.SetTile(2 + (x + y) % 16, 1 + (3 * x + y) % 10, x, y);
            }
        }
        std::string path = dir.File(name);
        EXPECT_EQ(SaveMap(path, map.art, map.overview), 0);
        return path;
    }

    std::string NewMap(const std::string& name, const std::string& fill) {
        ToolRun run = RunTarvoMap(dir, {"new", "--gamedata", kGameData, "--width", "25", "--height",
                                        "21", "--fill", fill, "-o", name});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        return dir.File(name);
    }
};

TEST_F(MapCommandsTest, NewMapsRoundTripThroughInfoAndDump) {
    json gameData = json::parse(RunTarvoMap(dir, {"gamedata", kGameData, "--json"}).out);
    const std::pair<std::string, int> fills[] = {{"grass", TERRAIN_TYPE_GRASS},
                                                 {"desert", TERRAIN_TYPE_DESERT},
                                                 {"ocean", TERRAIN_TYPE_OCEAN}};
    for (const auto& [fill, type] : fills) {
        std::string path = NewMap(fill + ".gmp", fill);
        json map = Dump(path);
        EXPECT_EQ(map["milesPerTile"], gameData["milesPerTile"]);
        EXPECT_EQ(map["terrain"], gameData["terrain"]);
        EXPECT_EQ(map["width"], 25);
        EXPECT_EQ(map["height"], 21);
        ASSERT_EQ(map["tiles"].size(), 25u * 21u);
        int cells = theTerrainTable.Record(type).subtypeCount;
        for (const json& tile : map["tiles"]) {
            EXPECT_EQ(tile[0], type) << fill;
            EXPECT_EQ(tile[1], kRandomFirstSet);
            EXPECT_LT(tile[2].get<int>(), cells);
            EXPECT_EQ(tile[3], kNoAuxByte);
        }
        EXPECT_EQ(map["overlays"], json::array());
        EXPECT_EQ(map["customArt"], json::array());
        EXPECT_EQ(map["cityArt"], json::array());

        TestMap loaded;
        MapFileLayout layout;
        ASSERT_EQ(LoadMap(path, loaded.art, loaded.overview, nullptr, &layout), 0);
        std::string sections;
        for (uint32_t offset : layout.sections) {
            sections += (sections.empty() ? "" : " ") + std::to_string(offset);
        }
        ToolRun info = RunTarvoMap(dir, {"info", path});
        EXPECT_EQ(info.status, 0);
        EXPECT_NE(info.out.find(map["version"].get<std::string>()), std::string::npos);
        EXPECT_NE(info.out.find("25 x 21 tiles"), std::string::npos) << info.out;
        EXPECT_NE(info.out.find(sections), std::string::npos) << info.out;
        EXPECT_NE(info.out.find("passed"), std::string::npos);
    }
}

TEST_F(MapCommandsTest, DumpListsTilesRowByRowAndRiversInFileOrder) {
    TestMap map;
    map.MakeNew(22, 20, TERRAIN_TYPE_GRASS);
    map.grid.SetTile(TERRAIN_TYPE_FARM, 8, 2, 0);
    map.grid.SetTile(TERRAIN_TYPE_WOODS, 3, 0, 1);
    map.grid.AddOverlay(3, 1, kWideRiver, 5);
    map.grid.AddOverlay(3, 1, kNarrowRiver, 7);
    map.grid.AddOverlay(1, 4, kNarrowRiver, 9);
    std::string path = dir.File("rivers.gmp");
    ASSERT_EQ(SaveMap(path, map.art, map.overview), 0);

    json dumped = Dump(path);
    EXPECT_EQ(dumped["tiles"][2], json({TERRAIN_TYPE_FARM, 8, 7, kNoAuxByte}));
    EXPECT_EQ(dumped["tiles"][22], json({TERRAIN_TYPE_WOODS, 3, 2, kNoAuxByte}));
    EXPECT_EQ(dumped["overlays"],
              json({{1, 4, kNarrowRiver, 9}, {3, 1, kWideRiver, 5}, {3, 1, kNarrowRiver, 7}}));
}

TEST_F(MapCommandsTest, ImportWarnsAboutUnknownColoursAndStillMakesTheMap) {
    CDibImage colors;
    colors.Create(20, 20, 3);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            colors.SetPixel(x, y, TerrainColor(TERRAIN_TYPE_DESERT));
        }
    }
    colors.SetPixel(5, 6, 0x123456);
    ASSERT_EQ(colors.SaveBmp(dir.File("north.bmp")), 0);

    ToolRun run = RunTarvoMap(dir, {"import", "north.bmp", "--gamedata", kGameData, "-o", "n.gmp"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "tarvo-map: warning: " + ImportMessage(kImportUnknownColor) + "\n");
    json map = Dump(dir.File("n.gmp"));
    for (int i = 0; i < 400; ++i) {
        EXPECT_EQ(map["tiles"][i][0], i == 5 + 6 * 20 ? TERRAIN_TYPE_GRASS : TERRAIN_TYPE_DESERT);
    }

    SavePatternPicture(dir.File("narrow.bmp"), 19, 20);
    ToolRun refused =
        RunTarvoMap(dir, {"import", "narrow.bmp", "--gamedata", kGameData, "-o", "x.gmp"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("at most 192 x 112 pixels, one pixel per tile: narrow.bmp"),
              std::string::npos)
        << refused.err;
    EXPECT_FALSE(FileExists(dir.File("x.gmp")));
}

TEST_F(MapCommandsTest, ExportWritesTheBitmapPairOrNothing) {
    std::string path = SaveExactMap("exact.gmp", 24, 20);
    ToolRun run = RunTarvoMap(dir, {"export", path, "pair.bmp"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(FolderContents(dir.Path()),
              std::vector<std::string>({"exact.gmp", "pair.bmp", "pair_s.bmp"}));

    CDibImage colors;
    CDibImage subtypes;
    ASSERT_EQ(colors.LoadBmp(dir.File("pair.bmp")), 0);
    ASSERT_EQ(subtypes.LoadBmp(dir.File("pair_s.bmp")), 0);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 24; ++x) {
            const uint8_t* color = colors.PixelPtr(x, y);
            COLORREF expected = TerrainColor(2 + (x + y) % 16);
            EXPECT_EQ(color[2] | color[1] << 8 | color[0] << 16, expected) << x << "," << y;
            EXPECT_EQ(*subtypes.PixelPtr(x, y), 1 + (3 * x + y) % 10);
        }
    }

    ToolRun failed = RunTarvoMap(dir, {"export", path, "missing/out.bmp"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err,
              "tarvo-map: Unable to export map: missing/out.bmp: No such file or directory\n");
}

TEST_F(MapCommandsTest, ImportArtGivesACustomTypeItsArt) {
    std::string path = NewMap("map.gmp", "grass");
    // A name in a Windows code page, as maps made there carry them: not UTF-8.
    std::string art = SavePatternPicture(dir.File("caf\xE9.bmp"), kCustomArtSide, kCustomArtSide);
    ToolRun run = RunTarvoMap(dir, {"import-art", path, "--type", "30", art, "-o", path});
    ASSERT_EQ(run.status, 0) << run.err;
    json slots = Dump(path)["customArt"];
    ASSERT_EQ(slots.size(), 1u);
    EXPECT_EQ(slots[0]["type"], 30);
    EXPECT_EQ(slots[0]["sourcePath"], dir.File("caf\uFFFD.bmp"));
    EXPECT_EQ(slots[0]["exitMasks"], json(std::vector<int>(81, kAllExitsOpen)));
    EXPECT_NE(RunTarvoMap(dir, {"info", path}).out.find("30 Custom 5: " + art), std::string::npos);

    std::string wrong = SavePatternPicture(dir.File("wrong.bmp"), 899, 900);
    ToolRun refused = RunTarvoMap(dir, {"import-art", path, "--type", "31", wrong, "-o", "b.gmp"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Unable to import art: " + wrong +
                               ": custom terrain art must be 900 x 900 pixels, this picture is "
                               "899 x 900"),
              std::string::npos)
        << refused.err;
    EXPECT_FALSE(FileExists(dir.File("b.gmp")));
}

TEST_F(MapCommandsTest, AddCityArtAppendsThePicturesOrLeavesEverythingAsItWas) {
    std::string path = NewMap("map.gmp", "desert");
    SavePatternPicture(dir.File("station.bmp"), 40, 30);
    SavePatternPicture(dir.File("harbour.bmp"), 30, 20, 4);
    ToolRun run =
        RunTarvoMap(dir, {"add-city-art", "map.gmp", "station.bmp", "harbour.bmp", "-o", "c.gmp"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Dump(dir.File("c.gmp"))["cityArt"],
              json({{{"name", "station.bmp"}, {"width", 40}, {"height", 30}, {"bitCount", 24}},
                    {{"name", "harbour.bmp"}, {"width", 30}, {"height", 20}, {"bitCount", 32}}}));
    EXPECT_NE(RunTarvoMap(dir, {"info", "c.gmp"}).out.find("station.bmp, harbour.bmp"),
              std::string::npos);

    std::vector<uint8_t> before = ReadFileBytes(path);
    ToolRun failed =
        RunTarvoMap(dir, {"add-city-art", "map.gmp", "station.bmp", "gone.bmp", "-o", "map.gmp"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err,
              "tarvo-map: Unable to add city art: gone.bmp: No such file or directory\n");
    EXPECT_EQ(ReadFileBytes(path), before);
}

}  // namespace
