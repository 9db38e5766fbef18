#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "art/terrain_art.h"
#include "cli_test.h"
#include "interchange/bitmap_interchange.h"
#include "mapfile/map_file.h"
#include "support/peak_memory.h"
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
        CMapDocument map;
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

        CMapDocument loaded;
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
    CMapDocument map;
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

    // Another program's file lists its rivers in its own order, which the dump keeps.
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    uint32_t tiles = bytes[18] | bytes[19] << 8 | bytes[20] << 16;  // section 2
    const uint8_t reordered[] = {3, 1, kWideRiver, 5, 1, 4, kNarrowRiver, 9, 3, 1, kNarrowRiver, 7};
    std::copy(std::begin(reordered), std::end(reordered), bytes.begin() + tiles + 8 + 2 * 22 * 20);
    WriteFileBytes(path, bytes);
    EXPECT_EQ(Dump(path)["overlays"],
              json({{3, 1, kWideRiver, 5}, {1, 4, kNarrowRiver, 9}, {3, 1, kNarrowRiver, 7}}));
}

// The dump is written as it goes: it must read exactly as the JSON document of the map that
// the tool used to build would print, and take little memory for the largest maps.
TEST_F(MapCommandsTest, DumpStreamsWhatTheDocumentHeld) {
    CMapDocument map;
    map.MakeNew(30, 20, TERRAIN_TYPE_GRASS);
    map.grid.SetTile(TERRAIN_TYPE_CUSTOM_1 + 2, 5, 7, 8);
    map.grid.AddOverlay(9, 3, kNarrowRiver, 40);
    map.grid.AddOverlay(2, 17, kWideRiver, 80);
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("caf\xE9.bmp"), 30, 10)));
    ASSERT_EQ(map.art.CustomArtFor(28)->Import(
                  SavePatternPicture(dir.File("sheet.bmp"), kCustomArtSide, kCustomArtSide)),
              0);
    ASSERT_EQ(SaveMap(dir.File("rich.gmp"), map.art, map.overview), 0);
    ToolRun run = RunTarvoMap(dir, {"dump", "rich.gmp"});
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::ordered_json document = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(
        document.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n",
        run.out);
    std::vector<std::string> keys;
    for (const auto& [key, value] : document.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{"version", "milesPerTile", "terrain", "width", "height",
                                        "tiles", "overlays", "customArt", "cityArt"}));
    ASSERT_EQ(document["tiles"].size(), 600u);
    const CTile& tile = *map.grid.GetTileAt(7, 8);
    EXPECT_EQ(document["tiles"][8 * 30 + 7],
              json({tile.type, tile.requestedSubtype, tile.subtype, tile.auxByte}));
    EXPECT_EQ(document["overlays"], json({{2, 17, kWideRiver, 80}, {9, 3, kNarrowRiver, 40}}));
    EXPECT_EQ(document["cityArt"][0]["name"], "caf\uFFFD.bmp");
    EXPECT_EQ(document["customArt"][0]["type"], 28);
    EXPECT_EQ(document["terrain"].size(), 42u);

    if (MeasuresMemory()) {
        CMapDocument big;
        big.MakeNew(1000, 1000, TERRAIN_TYPE_DESERT);
        ASSERT_EQ(SaveMap(dir.File("big.gmp"), big.art, big.overview), 0);
        ToolRun dumped = RunTarvoMap(dir, {"dump", "big.gmp"});
        ASSERT_EQ(dumped.status, 0);
        EXPECT_GT(dumped.out.size(), 10u << 20);  // a million tiles
        EXPECT_LT(dumped.peakKilobytes, 64 * 1024);
    }
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

    // The editor's name rule fails the work, not the command line.
    ToolRun unnamed = RunTarvoMap(dir, {"export", path, "north2.BMP"});
    EXPECT_EQ(unnamed.status, 1);
    EXPECT_EQ(unnamed.err.rfind("tarvo-map: Unable to export map: north2.BMP: ", 0), 0u)
        << unnamed.err;

    // A read-only subtype file: neither file of the pair is touched.
    std::filesystem::permissions(dir.File("pair_s.bmp"), std::filesystem::perms::owner_read);
    std::vector<uint8_t> before = ReadFileBytes(dir.File("pair.bmp"));
    SaveExactMap("other.gmp", 30, 20);
    ToolRun locked = RunTarvoMap(dir, {"export", dir.File("other.gmp"), "pair.bmp"});
    EXPECT_EQ(locked.status, 1);
    EXPECT_NE(locked.err.find("pair_s.bmp: the file is read-only"), std::string::npos)
        << locked.err;
    EXPECT_EQ(ReadFileBytes(dir.File("pair.bmp")), before);
    EXPECT_EQ(FolderContents(dir.Path()),
              std::vector<std::string>({"exact.gmp", "other.gmp", "pair.bmp", "pair_s.bmp"}));
}

// Inputs are only read from regular files (a FIFO would block for good); outputs follow links,
// are written into FIFOs and devices, and never replace a folder or a read-only file.
TEST_F(MapCommandsTest, FilesThatAreNotPlainFiles) {
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("folder"));
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"info", "pipe"}, "Unable to load map: pipe: not a regular file"},
        {{"import", "pipe", "--gamedata", kGameData, "-o", "x.gmp"},
         "Failed to open file: pipe: not a regular file"},
        {{"gamedata", "folder"}, "Unable to read game data: folder: not a regular file"},
        {{"new", "--gamedata", kGameData, "--width", "20", "--height", "20", "--fill", "grass",
          "-o", "folder"},
         "Unable to save map: folder: it is a folder"},
    };
    for (const auto& [arguments, message] : refused) {
        ToolRun run = RunTarvoMap(dir, arguments);
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }

    std::string map = NewMap("real.gmp", "grass");
    std::filesystem::create_symlink("real.gmp", dir.File("link.gmp"));
    ToolRun linked = RunTarvoMap(dir, {"new", "--gamedata", kGameData, "--width", "30", "--height",
                                       "20", "--fill", "desert", "-o", "link.gmp"});
    ASSERT_EQ(linked.status, 0) << linked.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.gmp")));
    EXPECT_EQ(Dump(map)["width"], 30);
    ToolRun discarded = RunTarvoMap(dir, {"render", map, "/dev/null", "--tile", "25"});
    EXPECT_EQ(discarded.status, 0) << discarded.err;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

    std::string locked = dir.Write("locked.png", "keep");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    ToolRun render = RunTarvoMap(dir, {"render", map, "locked.png"});
    EXPECT_EQ(render.status, 1);
    EXPECT_NE(render.err.find("locked.png: the file is read-only"), std::string::npos)
        << render.err;

    // Under a file size limit the write fails, and nothing is left behind.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 32 * 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    ToolRun limited = RunTarvoMap(dir, {"new", "--gamedata", kGameData, "--width", "192",
                                        "--height", "112", "--fill", "grass", "-o", "big.gmp"});
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.err.find("File too large"), std::string::npos) << limited.err;
    EXPECT_EQ(FolderContents(dir.Path()),
              std::vector<std::string>({"folder", "link.gmp", "locked.png", "pipe", "real.gmp"}));
}

TEST_F(MapCommandsTest, InfoWarnsAboutTilesOfCustomTypesWithoutArt) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    for (int i = 0; i < 120; ++i) {
        map.grid.SetTile(TERRAIN_TYPE_CUSTOM_1, 1, i % 20, i / 20);
    }
    map.grid.SetTile(TERRAIN_TYPE_CUSTOM_16, 1, 19, 19);
    ASSERT_EQ(SaveMap(dir.File("bare.gmp"), map.art, map.overview), 0);
    ToolRun run = RunTarvoMap(dir, {"info", "bare.gmp"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "tarvo-map: warning: 120 tiles of Custom 1, which has no art\n"
              "tarvo-map: warning: 1 tile of Custom 16, which has no art\n");
}

// A name from the file cannot start a line of its own nor reach the terminal as an escape: what
// info and check print, and their errors, show control characters escaped.
TEST_F(MapCommandsTest, NamesFromTheFileArePrintedEscaped) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("station.bmp"), 40, 30)));
    std::unique_ptr<CTerrainArt> city = map.art.TakeCityArt(0);
    city->name = "a\nVerification:   passed\x1b[2J\xC2\x9B";
    map.art.InsertCityArt(0, std::move(city));
    ASSERT_EQ(SaveMap(dir.File("crafted.gmp"), map.art, map.overview), 0);
    // With its first picture placed past the end, the file names the picture in its error.
    std::vector<uint8_t> bytes = ReadFileBytes(dir.File("crafted.gmp"));
    const std::string stored = "a\nVerification";
    auto name = std::search(bytes.begin(), bytes.end(), stored.begin(), stored.end());
    ASSERT_NE(name, bytes.end());
    std::fill(name - 8, name - 4, 0x7F);
    WriteFileBytes(dir.File("damaged.gmp"), bytes);

    const std::string shown = "a\\nVerification:   passed\\x1b[2J\\u009b";
    ToolRun info = RunTarvoMap(dir, {"info", "crafted.gmp"});
    EXPECT_NE(info.out.find("\nCity art:       " + shown + "\nVerification:   passed\n"),
              std::string::npos)
        << info.out;
    const ToolRun runs[] = {info, RunTarvoMap(dir, {"info", "damaged.gmp"}),
                            RunTarvoMap(dir, {"check", "damaged.gmp"})};
    for (const ToolRun& run : runs) {
        const std::string text = run.out + run.err;
        EXPECT_EQ(std::count_if(text.begin(), text.end(),
                                [](unsigned char c) { return c < 0x20 && c != '\n'; }),
                  0)
            << text;
    }
    for (const ToolRun* damaged : {&runs[1], &runs[2]}) {
        EXPECT_NE(damaged->err.find("the city picture " + shown + " is damaged"), std::string::npos)
            << damaged->err;
    }
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
    EXPECT_NE(
        RunTarvoMap(dir, {"info", path}).out.find("30 Custom 5: " + dir.File("caf\uFFFD.bmp")),
        std::string::npos);

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
