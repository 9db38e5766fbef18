#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "art/overview_picture.h"
#include "cli_test.h"
#include "foundation/little_endian.h"
#include "mapfile/map_file.h"
#include "tool_run.h"

namespace {

using nlohmann::json;

constexpr uint32_t kCityRecordBytes = 48;
constexpr uint32_t kPathAndMasks = 128 + 81;

// The bytes of a saved map with one custom art slot, edited as another program might have
// written them: insertions and deletions move every offset that points behind them.
class CMapBytes {
  public:
    explicit CMapBytes(std::vector<uint8_t> saved) : bytes(std::move(saved)) {}

    uint32_t Get(uint32_t at) const { return GetLe32(&bytes[at]); }
    void Put(uint32_t at, uint32_t value) { PutLe32(&bytes[at], value); }
    uint32_t Slot(int slot) const { return Get(10 + 4 * slot); }
    uint32_t CityRecord(int record) const { return Slot(3) + 4 + kCityRecordBytes * record; }
    uint32_t CellRecord(int record, uint32_t slotBytes = kPathAndMasks) const {
        return Slot(4) + 16 + slotBytes + 4 + 8 * record;
    }
    void Splice(uint32_t at, size_t remove, const std::vector<uint8_t>& insert,
                uint32_t slotBytes = kPathAndMasks) {
        std::vector<uint32_t> fields = {10 + 4, 10 + 8, 10 + 12, 10 + 16, 10 + 20};
        for (int record = 0; record < static_cast<int>(Get(Slot(3))); ++record) {
            fields.push_back(CityRecord(record));
        }
        for (int record = 0; record < 324; ++record) {
            fields.push_back(CellRecord(record, slotBytes));
        }
        const int64_t shift = static_cast<int64_t>(insert.size()) - static_cast<int64_t>(remove);
        bytes.erase(bytes.begin() + at, bytes.begin() + at + remove);
        bytes.insert(bytes.begin() + at, insert.begin(), insert.end());
        for (uint32_t field : fields) {
            field = field >= at ? static_cast<uint32_t>(field + shift) : field;
            if (Get(field) >= at && Get(field) != 0xFFFFFF00) {
                Put(field, static_cast<uint32_t>(Get(field) + shift));
            }
        }
    }

    std::vector<uint8_t> bytes;
};

class BuildCommandTest : public CliTest {
  protected:
    // A 21 x 20 map (its overview rows have a padding byte) with rivers, a city picture and
    // custom art.
    std::string SaveRichMap() {
        CMapDocument map;
        map.MakeNew(21, 20, TERRAIN_TYPE_GRASS);
        map.grid.SetTile(TERRAIN_TYPE_HILLS_2, 17, 3, 4);
        map.grid.SetTile(TERRAIN_TYPE_CUSTOM_1 + 1, 5, 6, 7);
        map.grid.AddOverlay(2, 3, 0, 7);
        map.grid.AddOverlay(5, 1, 1, 80);
        EXPECT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("lake.bmp"), 30, 10)));
        EXPECT_EQ(map.art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + 1)
                      ->Import(SavePatternPicture(dir.File("art.bmp"), 900, 900)),
                  0);
        map.RebuildOverview();
        EXPECT_EQ(map.Save(dir.File("rich.gmp")), 0);
        return dir.File("rich.gmp");
    }

    // Everything the loader reads but a save never writes.
    std::vector<uint8_t> OddFile(std::vector<uint8_t> saved) {
        CMapBytes file(std::move(saved));
        file.bytes[5] = 7;
        file.Put(10, 1234);
        file.Put(10 + 24, 99);
        file.Put(10 + 28, 0xFFFFFFFF);
        const uint32_t overview = file.Slot(1);
        for (uint32_t row = 0; row < 20; ++row) {
            file.bytes[overview + 8 + 64 * row + 63] = static_cast<uint8_t>(0xA0 + row);
        }
        const uint32_t tiles = file.Slot(2) + 8;
        file.bytes[tiles + 2 * 3] = TERRAIN_TYPE_CITY;
        // The rivers in another order than a save's.
        const uint32_t rivers = tiles + 2 * 21 * 20;
        std::swap_ranges(file.bytes.begin() + rivers, file.bytes.begin() + rivers + 4,
                         file.bytes.begin() + rivers + 4);
        const char junkName[] = "lake.bmp\0junk after the end";
        std::copy(junkName, junkName + sizeof junkName, &file.bytes[file.CityRecord(0) + 8]);
        std::fill_n(&file.bytes[file.CityRecord(1) + 8], 40, 'n');
        PutLe16(&file.bytes[file.CityRecord(2) + 4], 7777);
        const uint32_t path = file.Slot(4) + 16;
        std::fill_n(&file.bytes[path + 100], 28, 'p');
        file.Put(file.CellRecord(1), 0xFFFFFF00);  // a zoom cell, which the loader never reads
        file.bytes[tiles + 2 * 5] |= 0x80;
        file.Splice(tiles + 2 * 5 + 2, 0, {42});
        file.Splice(file.Slot(3), 0, {1, 2, 3, 4, 5});
        file.bytes[9] = 60;
        file.Splice(file.Slot(4) + 16 + 128, 81, {}, kPathAndMasks);
        file.bytes.insert(file.bytes.end(), {9, 8, 7});
        return file.bytes;
    }

    json DumpComplete(const std::string& name) {
        ToolRun run = RunTarvoMap(dir, {"dump", "--complete", name});
        EXPECT_EQ(run.status, 0) << run.err;
        return run.status == 0 ? json::parse(run.out) : json();
    }

    ToolRun Build(const json& document, const std::string& output = "built.gmp") {
        dir.Write("in.json", document.dump());
        return RunTarvoMap(dir, {"build", "--gamedata", kGameData, "in.json", "-o", output});
    }
};

TEST_F(BuildCommandTest, CompleteDumpsBuildTheSameFileByteForByte) {
    const std::vector<uint8_t> saved = ReadFileBytes(SaveRichMap());
    WriteFileBytes(dir.File("odd.gmp"), OddFile(saved));
    CMapDocument loaded;
    ASSERT_EQ(loaded.Load(dir.File("odd.gmp")), 0);
    for (const std::string name : {"rich.gmp", "odd.gmp"}) {
        const json document = DumpComplete(name);
        const ToolRun run = Build(document);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadFileBytes(dir.File("built.gmp")), ReadFileBytes(dir.File(name))) << name;
    }
    // What the loader changes is dumped as stored.
    const json odd = DumpComplete("odd.gmp");
    EXPECT_EQ(odd["header"]["version"], "1.0.0.60");
    EXPECT_EQ(odd["tiles"][3][0], "1:0");
    EXPECT_EQ(odd["tiles"][5][0], "4:0:42");
    EXPECT_EQ(odd["overlays"][0], json({5, 1, 1, 80}));
    EXPECT_FALSE(odd["customArt"]["slots"][0].contains("exitMasks"));
    EXPECT_EQ(odd["uncovered"].size(), 2u);

    // An edited complete document builds the edited map.
    json edited = DumpComplete("rich.gmp");
    edited["tiles"][2][1] = "14:3";
    ASSERT_EQ(Build(edited).status, 0);
    ASSERT_EQ(loaded.Load(dir.File("built.gmp")), 0);
    EXPECT_EQ(loaded.grid.GetTileAt(1, 2)->type, TERRAIN_TYPE_OCEAN);
    EXPECT_EQ(loaded.grid.GetTileAt(1, 2)->requestedSubtype, 3);
}

TEST_F(BuildCommandTest, HandWrittenDocumentsFillInWhatANewMapHas) {
    SavePatternPicture(dir.File("art.bmp"), 900, 900);
    SavePatternPicture(dir.File("town.bmp"), 30, 10);
    const json document = {
        {"tiles", {{"4:0", "14:3", "26:81"}, {"2:1", "1:9", "3"}}},
        {"overlays", {{1, 0, 0, 5}}},
        {"customArt", {{{"type", 26}, {"art", "art.bmp"}}}},
        {"cityArt", {"town.bmp"}},
    };
    const ToolRun run = Build(document);
    ASSERT_EQ(run.status, 0) << run.err;
    CMapDocument map;
    ASSERT_EQ(map.Load(dir.File("built.gmp")), 0);
    EXPECT_EQ(map.VersionText(), "1.0.0.75");
    ASSERT_EQ(map.grid.GetWidth(), 3);
    ASSERT_EQ(map.grid.GetHeight(), 2);
    const int expected[6][2] = {{4, 0}, {14, 3}, {26, 81}, {2, 1}, {4, 0}, {3, 0}};
    for (int i = 0; i < 6; ++i) {
        const CTile& tile = *map.grid.GetTileAt(i % 3, i / 3);
        EXPECT_EQ(tile.type, expected[i][0]) << i;
        EXPECT_EQ(tile.requestedSubtype, expected[i][1]) << i;
    }
    EXPECT_EQ(map.grid.GetOverlayCount(1, 0), 1);
    EXPECT_TRUE(map.art.CustomArtFor(26)->loaded);
    EXPECT_EQ(map.art.CustomArtFor(26)->sourcePath, "art.bmp");
    ASSERT_EQ(map.art.CityArt().GetCount(), 1);
    EXPECT_EQ(static_cast<const CTerrainArt*>(map.art.CityArt().GetAt(0))->name, "town.bmp");
    const json gameData = json::parse(RunTarvoMap(dir, {"gamedata", kGameData, "--json"}).out);
    EXPECT_EQ(json::parse(RunTarvoMap(dir, {"dump", "built.gmp"}).out)["terrain"],
              gameData["terrain"]);
    // The overview is made from the tiles: those with exact cells look the same after a load.
    CDibImage overview;
    RebuildOverview(map.art, overview);
    for (int x : {1, 2}) {
        EXPECT_TRUE(std::equal(overview.PixelPtr(x, 0), overview.PixelPtr(x, 0) + 3,
                               map.overview.PixelPtr(x, 0)))
            << x;
    }

    ASSERT_EQ(Build(json::object()).status, 0);
    ASSERT_EQ(map.Load(dir.File("built.gmp")), 0);
    EXPECT_EQ(map.grid.GetWidth(), 192);
    EXPECT_EQ(map.grid.GetHeight(), 112);
    EXPECT_EQ(map.grid.GetTileAt(191, 111)->type, TERRAIN_TYPE_GRASS);
    EXPECT_EQ(map.grid.GetTileAt(191, 111)->requestedSubtype, kRandomFirstSet);
}

TEST_F(BuildCommandTest, BadDocumentsAreNamedByTheirPathAndWriteNothing) {
    SavePatternPicture(dir.File("small.bmp"), 90, 90);
    const json complete = DumpComplete(SaveRichMap());
    auto with = [&](const char* pointer, const json& value) {
        json document = complete;
        document[json::json_pointer(pointer)] = value;
        return document;
    };
    const std::pair<json, std::string> cases[] = {
        {json::parse(R"({"tiles": [["4:0", "4:0"], ["4:0", "99:1"]]})"),
         "tiles[1][1]: type 99 is not a terrain type"},
        {json::parse(R"({"tiles": [["4:0", "4:0"], ["4:0"]]})"),
         "tiles[1]: must have 2 elements, not 1"},
        {json::parse(R"({"width": 1001})"), "width: must be a whole number from 1 to 1000"},
        {json::parse(R"({"tiles": [["4:x"]]})"), "tiles[0][0]: \"4:x\" is not \"type:request\""},
        {json::parse(R"({"customArt": [{"type": 27, "art": "small.bmp"}]})"),
         "customArt[0].art: small.bmp: custom terrain art must be 900 x 900 pixels"},
        {json::parse(R"({"overlays": [[200, 0, 0, 1]]})"),
         "overlays[0][0]: must be a whole number from 0 to 191"},
        {json::parse(R"({"tile": []})"), "tile: is not a field of a map document"},
        {with("/overview/pixels", "AB!="), "overview.pixels: is not base64"},
        {with("/overview/pixels", "AAAA"), "overview.pixels: holds 3 bytes"},
        {with("/tiles/0/0", "0:0"), "tiles[0][0]: type 0 is not a terrain type"},
        {with("/cityArt/1/blob", "AAAA"), "cityArt[1].blob: is not a raw picture"},
        {with("/customArt/cells/5/offset", 4000000000u),
         "customArt.cells[5].offset: 4000000000 lies"},
        {with("/customArt/slots/0/exitMasks", json::array()),
         "customArt.slots[0].exitMasks: must have 81 elements"},
        {with("/header/version", "1.0.0.54"), "header.version: \"1.0.0.54\" is not a readable"},
    };
    for (const auto& [document, message] : cases) {
        const ToolRun run = Build(document);
        EXPECT_EQ(run.status, 1) << message;
        EXPECT_NE(run.err.find("Unable to build map: in.json: " + message), std::string::npos)
            << run.err;
        EXPECT_FALSE(FileExists(dir.File("built.gmp"))) << message;
    }
    // Nesting a parser that recursed would not survive.
    dir.Write("deep.json", std::string(1000000, '[') + std::string(1000000, ']'));
    const ToolRun deep = RunTarvoMap(dir, {"build", "deep.json", "-o", "built.gmp"});
    EXPECT_EQ(deep.status, 1);
    EXPECT_NE(deep.err.find("the document: must be an object"), std::string::npos) << deep.err;
    dir.Write("cut.json", "{\"tiles\": [[\"4:0\"");
    EXPECT_EQ(RunTarvoMap(dir, {"build", "cut.json", "-o", "built.gmp"}).status, 1);
    EXPECT_FALSE(FileExists(dir.File("built.gmp")));
}

}  // namespace
