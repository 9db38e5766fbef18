#include "mapfile/map_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "art/overview_picture.h"
#include "document/map_document.h"
#include "document/map_snapshot.h"
#include "mapfile/map_archive.h"
#include "model/terrain_table.h"
#include "platform/work_pool.h"
#include "support/map_builder.h"
#include "support/peak_memory.h"
#include "support/recording_log.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

namespace {

uint32_t Get32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 |
           static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t Section(const std::vector<uint8_t>& bytes, int slot) {
    return Get32(bytes, 10 + 4 * slot);
}

// Inserts bytes at a position inside section 2 or later and moves the section table's later
// offsets along (for maps without art, whose later sections hold no offsets of their own).
void Insert(std::vector<uint8_t>& bytes, size_t at, std::vector<uint8_t> extra) {
    bytes.insert(bytes.begin() + static_cast<long>(at), extra.begin(), extra.end());
    for (int slot = 0; slot < 6; ++slot) {
        if (Section(bytes, slot) > at) {
            Put32(bytes, 10 + 4 * slot, Section(bytes, slot) + static_cast<uint32_t>(extra.size()));
        }
    }
}

// Everything a load may change, to check that a failed one changed nothing.
struct Snapshot {
    explicit Snapshot(const CMapDocument& map) {
        table.assign(reinterpret_cast<const uint8_t*>(theTerrainTable.records.data()),
                     reinterpret_cast<const uint8_t*>(theTerrainTable.records.data() + 44));
        miles = theTerrainTable.milesPerTile;
        const CTileGrid& grid = map.grid;
        for (int y = 0; y < grid.GetHeight(); ++y) {
            for (int x = 0; x < grid.GetWidth(); ++x) {
                const CTile* tile = grid.GetTileAt(x, y);
                tiles.insert(tiles.end(), {tile->type, tile->subtype, tile->requestedSubtype,
                                           tile->auxByte, grid.GetOverlayCount(x, y)});
            }
        }
        tiles.push_back(grid.GetWidth());
        overview.assign(map.overview.bits.get(),
                        map.overview.bits.get() + map.overview.GetBufferSize());
        for (int type = 26; type <= 41; ++type) {
            const CCustomTerrainArt& art = *map.art.CustomArtFor(type);
            custom += std::to_string(art.loaded) + art.sourcePath + "|";
            custom.append(art.exitMasks.begin(), art.exitMasks.end());
        }
        for (int i = 0; i < map.art.CityArt().GetCount(); ++i) {
            custom += *static_cast<const CTerrainArt*>(map.art.CityArt().GetAt(i))->name;
        }
    }
    bool operator==(const Snapshot&) const = default;

    std::vector<uint8_t> table;
    int miles;
    std::vector<int> tiles;
    std::vector<uint8_t> overview;
    std::string custom;
};

class MapFileTest : public testing::Test {
  protected:
    void SetUp() override { LoadShippedGameData(); }

    std::string Save(CMapDocument& map, const std::string& name, MapFileLayout* layout = nullptr) {
        std::string path = dir.File(name);
        std::string reason;
        EXPECT_EQ(SaveMap(path, map.art, map.overview, &reason, layout), 0) << reason;
        return path;
    }

    // A map with every kind of content: exact and random cells, rivers, a changed terrain
    // table, one city picture and custom art for Custom 5 with edited exits.
    void MakeRichMap(CMapDocument& map) {
        map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
        map.grid.SetTile(TERRAIN_TYPE_HILLS_2, 17, 3, 4);
        map.grid.SetTile(TERRAIN_TYPE_FARM, 100, 19, 19);
        map.grid.SetTile(TERRAIN_TYPE_CUSTOM_1 + 4, 41, 5, 5);
        map.grid.AddOverlay(2, 3, kWideRiver, 7);
        map.grid.AddOverlay(2, 3, kNarrowRiver, 80);
        map.grid.AddOverlay(19, 0, kWideRiver, 1);
        theTerrainTable.Record(TERRAIN_TYPE_SWAMP).trackCost = 4321;
        theTerrainTable.milesPerTile = 17;
        ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("lake.bmp"), 60, 40)));
        CCustomTerrainArt& custom = *map.art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + 4);
        ASSERT_EQ(custom.Import(SavePatternPicture(dir.File("custom.bmp"), 900, 900)), 0);
        custom.ToggleExit(2, 3, -1);
        RebuildOverview(map.art, map.overview);
    }

    TerrainTableGuard guard;
    ScriptedInteraction ui;  // verification messages land here
    TempDir dir;
};

TEST_F(MapFileTest, ANewMapHasTheKnownBytes) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    MapFileLayout layout;
    std::string path = Save(map, "new.gmp", &layout);
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 4603u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 10),
              (std::vector<uint8_t>{0x56, 0x45, 0x4B, 0x54, 0x03, 0x00, 0x01, 0x00, 0x00, 0x4B}));
    uint32_t expected[8] = {42, 2566, 3774, 4583, 4587, 4603, 0, 0};
    for (int slot = 0; slot < 8; ++slot) {
        EXPECT_EQ(Section(bytes, slot), expected[slot]) << slot;
        EXPECT_EQ(layout.sections[slot], expected[slot]) << slot;
    }
    EXPECT_EQ(Get32(bytes, 42), static_cast<uint32_t>(theTerrainTable.milesPerTile));
    EXPECT_EQ(Get32(bytes, 2566), 20u);              // overview width
    EXPECT_EQ(Get32(bytes, 3774 + 4), 20u);          // grid height
    EXPECT_EQ(bytes[3774 + 8], TERRAIN_TYPE_GRASS);  // tile (0, 0) type
    EXPECT_EQ(bytes[3774 + 9], 0);                   // and request
    EXPECT_EQ(bytes[4582], 0xFF);                    // end of the river list
    EXPECT_EQ(bytes[4586], 0);                       // no city art
}

TEST_F(MapFileTest, EverythingComesBack) {
    CMapDocument map;
    MakeRichMap(map);
    MapFileLayout layout;
    std::string path = Save(map, "rich.gmp", &layout);
    Snapshot saved(map);
    CTerrainTable savedTable = theTerrainTable;

    theTerrainTable = CTerrainTable();
    CMapDocument loaded;
    std::string reason;
    ASSERT_EQ(LoadMap(path, loaded.art, loaded.overview, &reason), 0) << reason;
    EXPECT_EQ(theTerrainTable.milesPerTile, 17);
    EXPECT_EQ(theTerrainTable.Record(TERRAIN_TYPE_SWAMP).trackCost, 4321);
    EXPECT_EQ(std::memcmp(theTerrainTable.records.data(), savedTable.records.data(),
                          42 * sizeof(CTerrainType)),
              0);

    ASSERT_EQ(loaded.grid.GetWidth(), 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const CTile* a = map.grid.GetTileAt(x, y);
            const CTile* b = loaded.grid.GetTileAt(x, y);
            ASSERT_EQ(a->type, b->type);
            ASSERT_EQ(a->requestedSubtype, b->requestedSubtype);
            ASSERT_EQ(b->auxByte, 0xFF);
        }
    }
    EXPECT_EQ(loaded.grid.GetSubtypeAt(3, 4), 16);
    EXPECT_GE(loaded.grid.GetSubtypeAt(19, 19), 0);
    RiverOverlay item;
    ASSERT_TRUE(loaded.grid.GetOverlay(2, 3, 1, item));
    EXPECT_EQ(item.kind, kNarrowRiver);
    EXPECT_EQ(item.cell, 80);
    EXPECT_EQ(loaded.grid.GetOverlayCount(19, 0), 1);
    EXPECT_EQ(std::memcmp(loaded.overview.bits.get(), map.overview.bits.get(),
                          map.overview.GetBufferSize()),
              0);

    // City art: the raw pictures as they were.
    ASSERT_EQ(loaded.art.CityArt().GetCount(), 1);
    const auto& city = *static_cast<const CTerrainArt*>(loaded.art.CityArt().GetAt(0));
    const auto& original = *static_cast<const CTerrainArt*>(map.art.CityArt().GetAt(0));
    EXPECT_EQ(city.name, "lake.bmp");
    EXPECT_EQ(
        std::memcmp(city.full.bits.get(), original.full.bits.get(), original.full.GetBufferSize()),
        0);
    EXPECT_EQ(city.tenth.GetWidth(), 6);

    // Custom art: reassembled from its cells, close to the original, zooms rebuilt.
    const CCustomTerrainArt& custom = *loaded.art.CustomArtFor(30);
    const CCustomTerrainArt& source = *map.art.CustomArtFor(30);
    EXPECT_TRUE(custom.loaded);
    EXPECT_EQ(custom.sourcePath, dir.File("custom.bmp"));
    EXPECT_EQ(custom.exitMasks, source.exitMasks);
    EXPECT_EQ(custom.exitMasks[21], 0x00);
    EXPECT_EQ(custom.half.GetWidth(), 450);
    EXPECT_EQ(custom.quarter.GetWidth(), 225);
    EXPECT_EQ(custom.tenth.GetWidth(), 90);
    int worst = 0;
    for (int y = 0; y < 900; y += 7) {
        for (int x = 0; x < 900; x += 7) {
            for (int c = 0; c < 3; ++c) {
                worst = std::max(
                    worst, std::abs(custom.full.PixelPtr(x, y)[c] - source.full.PixelPtr(x, y)[c]));
            }
        }
    }
    EXPECT_LE(worst, 8);
    EXPECT_EQ(Snapshot(loaded).custom, saved.custom);
}

TEST_F(MapFileTest, ArtSectionsAsStored) {
    CMapDocument map;
    MakeRichMap(map);
    std::string longPath = dir.File(std::string(150, 'p') + ".bmp");
    SavePatternPicture(longPath, 900, 900);
    ASSERT_EQ(map.art.CustomArtFor(41)->Import(longPath), 0);
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "art.gmp"));

    size_t city = Section(bytes, 3);
    ASSERT_EQ(Get32(bytes, city), 4u);
    const char* names[] = {"lake.bmp", "lake_z2.bmp", "lake_z4.bmp", "lake_z10.bmp"};
    for (int i = 0; i < 4; ++i) {
        size_t record = city + 4 + 48 * i;
        EXPECT_STREQ(reinterpret_cast<const char*>(&bytes[record + 8]), names[i]);
        EXPECT_EQ(bytes[Get32(bytes, record)], 0);  // raw blob
    }
    EXPECT_EQ(bytes[city + 4 + 4], 60);  // full width

    size_t custom = Section(bytes, 4);
    EXPECT_EQ(bytes[custom + 4], 1);   // Custom 5
    EXPECT_EQ(bytes[custom + 15], 1);  // Custom 16
    size_t paths = custom + 16;
    std::string stored(reinterpret_cast<const char*>(&bytes[paths + 209]));
    EXPECT_EQ(stored, longPath.substr(0, 127));  // cut to fit its field with the terminator
    size_t count = paths + 2 * (128 + 81);
    ASSERT_EQ(Get32(bytes, count), 648u);
    for (size_t i = 0; i < 648; ++i) {
        ASSERT_EQ(bytes[Get32(bytes, count + 4 + 8 * i)], 1) << i;  // JPEG blob
    }
    EXPECT_EQ(bytes[count + 4 + 8 + 4], 50);  // the second record of a cell is its half
}

// Names too long for their fields are cut between two UTF-8 characters, never inside one.
TEST_F(MapFileTest, NamesAreCutBetweenCharacters) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    const std::string accent = "\xC3\xA9";  // two bytes
    std::string city = dir.File(std::string(39, 'c') + accent + ".bmp");
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(city, 8, 8)));
    std::string art = dir.Path() + "/" + std::string(125 - dir.Path().size(), 'a') + accent;
    ASSERT_EQ(map.art.CustomArtFor(26)->Import(SavePatternPicture(art, 900, 900)), 0);
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "names.gmp"));
    for (int record = 0; record < 4; ++record) {
        const size_t name = Section(bytes, 3) + 4 + 48 * record + 8;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[name]), 40),
                  std::string(39, 'c') + '\0')
            << record;
    }
    const size_t path = Section(bytes, 4) + 16;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[path])), art.substr(0, 126));
}

// The zoom copies of the cells are stored from the sheet's own zooms; they must be exactly the
// copies of each cell alone, key pixels on and across the cells' edges included.
TEST_F(MapFileTest, StoredCellsAreThoseOfTheCellAlone) {
    CMapDocument map;
    MakeRichMap(map);
    CCustomTerrainArt& custom = *map.art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + 4);
    for (int i = 0; i < 900; ++i) {
        custom.full.SetPixel(i, 99, 0xFF00FF);
        custom.full.SetPixel(100, i, 0xFF00FF);
        custom.full.SetPixel(i, i * 7 % 900, 0xFF00FF);
    }
    custom.BuildZooms();
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "cells.gmp"));
    size_t records = Section(bytes, 4) + 16 + 128 + 81 + 4;
    for (int cell : {0, 1, 10, 80}) {
        CTerrainArt alone;
        alone.full.Create(100, 100, 3);
        alone.full.CopyRect(0, 0, 100, 100, cell % 9 * 100, cell / 9 * 100, custom.full);
        alone.BuildZooms();
        const CDibImage* images[] = {&alone.full, &alone.half, &alone.quarter, &alone.tenth};
        for (int image = 0; image < 4; ++image) {
            CFile file;
            ASSERT_TRUE(file.Open(dir.File("cell.jpg"), CFile::OpenMode::CreateWrite));
            ASSERT_TRUE(images[image]->WriteJpeg(file));
            file.Close();
            std::vector<uint8_t> expected = ReadFileBytes(dir.File("cell.jpg"));
            size_t at = Get32(bytes, records + 8 * (4 * cell + image)) + 1;
            ASSERT_LE(at + expected.size(), bytes.size());
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin() + at))
                << "cell " << cell << ", image " << image;
        }
    }
}

TEST_F(MapFileTest, VersionsAndTileRecords) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "v.gmp"));
    size_t tiles = Section(bytes, 2) + 8;
    bytes[tiles] = TERRAIN_TYPE_CITY;              // tile (0, 0): old-style city
    bytes[tiles + 3] = 9;                          // tile (0, 1): request 9
    Insert(bytes, tiles + 4, {0x84, 0x02, 0x07});  // tile (0, 2) in the three-byte form
    bytes.erase(bytes.begin() + static_cast<long>(tiles + 7),
                bytes.begin() + static_cast<long>(tiles + 9));
    for (int slot = 3; slot < 6; ++slot) {
        Put32(bytes, 10 + 4 * slot, Section(bytes, slot) - 2);
    }
    bytes[5] = 0x99;  // the byte after the format byte is not checked

    struct Version {
        uint8_t major, minor, release, build;
        int result;
    } versions[] = {{1, 0, 0, 54, kMapNotAMap},
                    {1, 0, 0, 55, 0},
                    {1, 0, 0, 75, 0},
                    {2, 0, 0, 0, 0},
                    {0, 255, 255, 255, kMapNotAMap}};
    for (const Version& v : versions) {
        bytes[6] = v.major;
        bytes[7] = v.minor;
        bytes[8] = v.release;
        bytes[9] = v.build;
        WriteFileBytes(dir.File("patched.gmp"), bytes);
        CMapDocument loaded;
        EXPECT_EQ(LoadMap(dir.File("patched.gmp"), loaded.art, loaded.overview), v.result)
            << int(v.major) << "." << int(v.build);
        if (v.result == 0) {
            const CTile* city = loaded.grid.GetTileAt(0, 0);
            EXPECT_EQ(city->type, TERRAIN_TYPE_GRASS);
            EXPECT_EQ(city->requestedSubtype, 0);
            EXPECT_EQ(loaded.grid.GetTileAt(0, 1)->subtype, 8);
            const CTile* three = loaded.grid.GetTileAt(0, 2);
            EXPECT_EQ(three->type, 4);
            EXPECT_EQ(three->requestedSubtype, 2);
            EXPECT_EQ(three->auxByte, 7);
            EXPECT_EQ(loaded.grid.GetTileAt(0, 3)->auxByte, 0xFF);
            EXPECT_EQ(loaded.grid.GetTileAt(0, 3)->type, 4);
        }
    }
}

// Every record in the three-byte form, over several of the read buffer's blocks: records
// straddle the ends of blocks.
TEST_F(MapFileTest, ThreeByteRecordsThroughout) {
    constexpr int kWidth = 260;
    constexpr int kHeight = 260;
    CMapDocument map;
    map.MakeNew(kWidth, kHeight, TERRAIN_TYPE_GRASS);
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "three.gmp"));
    size_t tiles = Section(bytes, 2) + 8;
    std::vector<uint8_t> records;
    for (uint32_t i = 0; i < kWidth * kHeight; ++i) {
        records.insert(records.end(),
                       {TERRAIN_TYPE_HILLS_1 | 0x80, static_cast<uint8_t>(1 + i % 81),
                        static_cast<uint8_t>(i % 251)});
    }
    Insert(bytes, tiles, records);
    size_t twoByteForm = tiles + records.size();
    bytes.erase(bytes.begin() + static_cast<long>(twoByteForm),
                bytes.begin() + static_cast<long>(twoByteForm + 2 * kWidth * kHeight));
    for (int slot = 3; slot < 6; ++slot) {
        Put32(bytes, 10 + 4 * slot, Section(bytes, slot) - 2 * kWidth * kHeight);
    }
    WriteFileBytes(dir.File("three.gmp"), bytes);

    CMapDocument loaded;
    std::string reason;
    ASSERT_EQ(LoadMap(dir.File("three.gmp"), loaded.art, loaded.overview, &reason), 0) << reason;
    for (int x = 0; x < kWidth; ++x) {
        for (int y = 0; y < kHeight; ++y) {
            const CTile* tile = loaded.grid.GetTileAt(x, y);
            uint32_t i = x * kHeight + y;  // records run column by column
            ASSERT_EQ(tile->type, TERRAIN_TYPE_HILLS_1) << x << "," << y;
            ASSERT_EQ(tile->subtype, i % 81) << x << "," << y;
            ASSERT_EQ(tile->auxByte, i % 251) << x << "," << y;
        }
    }
}

TEST_F(MapFileTest, OldFilesCarryNoExitMasks) {
    CMapDocument map;
    MakeRichMap(map);
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "old.gmp"));
    size_t masks = Section(bytes, 4) + 16 + 128;
    bytes.erase(bytes.begin() + static_cast<long>(masks),
                bytes.begin() + static_cast<long>(masks + 81));
    for (size_t i = 0; i < 324; ++i) {
        size_t record = masks + 4 + 8 * i;
        Put32(bytes, record, Get32(bytes, record) - 81);
    }
    Put32(bytes, 10 + 20, Section(bytes, 5) - 81);
    bytes[9] = 60;  // version 1.0.0.60
    WriteFileBytes(dir.File("old60.gmp"), bytes);

    CMapDocument loaded;
    loaded.art.CustomArtFor(30)->ToggleExit(0, 0, 1);  // the masks held before the load stay
    std::string reason;
    ASSERT_EQ(LoadMap(dir.File("old60.gmp"), loaded.art, loaded.overview, &reason), 0) << reason;
    const CCustomTerrainArt& custom = *loaded.art.CustomArtFor(30);
    EXPECT_TRUE(custom.loaded);
    EXPECT_EQ(custom.exitMasks[0], 0xFD);
    EXPECT_EQ(custom.exitMasks[21], 0xFF);
}

TEST_F(MapFileTest, GridSizeLimits) {
    CMapDocument map;
    map.MakeNew(1000, 1000, TERRAIN_TYPE_DESERT);
    std::string path = Save(map, "big.gmp");
    CMapDocument loaded;
    ASSERT_EQ(LoadMap(path, loaded.art, loaded.overview), 0);
    EXPECT_EQ(loaded.grid.GetWidth(), 1000);
    EXPECT_EQ(loaded.overview.GetHeight(), 1000);
}

TEST_F(MapFileTest, RiversThatTheFormatCannotHoldAreRefused) {
    CMapDocument map;
    map.MakeNew(300, 20, TERRAIN_TYPE_GRASS);
    map.grid.AddOverlay(254, 19, kWideRiver, 1);  // still storable
    std::string path = Save(map, "wide.gmp");
    map.grid.AddOverlay(255, 3, kWideRiver, 1);
    std::string reason;
    EXPECT_EQ(SaveMap(dir.File("wider.gmp"), map.art, map.overview, &reason), kMapRiverNotStorable);
    EXPECT_NE(reason.find("X: 255, Y: 3"), std::string::npos) << reason;
    EXPECT_FALSE(std::filesystem::exists(dir.File("wider.gmp")));
    int x = 0;
    int y = 0;
    EXPECT_TRUE(FindUnstorableRiver(map.grid, x, y));
    EXPECT_EQ(x, 255);
    EXPECT_EQ(y, 3);
}

TEST_F(MapFileTest, RiverEntriesOutsideTheGridAreSkipped) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    map.grid.AddOverlay(1, 1, kWideRiver, 4);
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "r.gmp"));
    size_t rivers = Section(bytes, 2) + 8 + 800;
    Insert(bytes, rivers, {30, 2, 0, 5, 3, 40, 1, 6});
    WriteFileBytes(dir.File("r2.gmp"), bytes);
    CMapDocument loaded;
    ASSERT_EQ(LoadMap(dir.File("r2.gmp"), loaded.art, loaded.overview), 0);
    EXPECT_EQ(loaded.grid.GetOverlayCount(1, 1), 1);
}

// A map that fails to load leaves the current one exactly as it was, whatever the damage.
TEST_F(MapFileTest, DamagedFilesFailAndChangeNothing) {
    CMapDocument map;
    MakeRichMap(map);
    std::vector<uint8_t> good = ReadFileBytes(Save(map, "good.gmp"));
    const size_t s1 = Section(good, 1), s2 = Section(good, 2), s3 = Section(good, 3),
                 s4 = Section(good, 4), end = good.size();
    const size_t cityDirectory = s3 + 4;
    const size_t customCount = s4 + 16 + 128 + 81;
    const size_t firstCell = Get32(good, customCount + 4);
    const size_t firstCityBlob = Get32(good, cityDirectory);
    const size_t lastCell = Get32(good, customCount + 4 + 8 * 320);

    using Damage = std::function<void(std::vector<uint8_t>&)>;
    auto cut = [](size_t length) {
        return [length](std::vector<uint8_t>& b) { b.resize(length); };
    };
    auto put = [](size_t at, uint32_t value) {
        return [=](std::vector<uint8_t>& b) { Put32(b, at, value); };
    };
    auto byte = [](size_t at, uint8_t value) {
        return [=](std::vector<uint8_t>& b) { b.at(at) = value; };
    };
    struct Case {
        const char* what;
        Damage damage;
        int result;
    } cases[] = {
        {"empty file", cut(0), kMapHeaderShort},
        {"cut in the header", cut(5), kMapHeaderShort},
        {"header alone", cut(10), kMapHeaderShort},
        {"cut in the table", cut(30), kMapHeaderShort},
        {"bad magic", byte(0, 'X'), kMapNotAMap},
        {"format byte 2", byte(4, 2), kMapNotAMap},
        {"version 1.0.0.54", byte(9, 54), kMapNotAMap},
        {"cut after the table", cut(42), kMapDamaged},
        {"cut in the game data", cut(142), kMapDamaged},
        {"cut before the overview", cut(s1), kMapBadOverview},
        {"cut in the overview size", cut(s1 + 6), kMapBadOverview},
        {"overview of width 0", put(s1, 0), kMapBadOverview},
        {"overview of negative height", put(s1 + 4, 0xFFFFFFFF), kMapBadOverview},
        {"overview of 100000 pixels", put(s1, 100000), kMapBadOverview},
        {"overview larger than the file",
         [=](auto& b) {
             Put32(b, s1, 1000);
             Put32(b, s1 + 4, 1000);
         },
         kMapDamaged},
        {"cut in the overview pixels", cut(s1 + 500), kMapDamaged},
        {"cut before the grid", cut(s2), kMapDamaged},
        {"grid 1001 x 10",
         [=](auto& b) {
             Put32(b, s2, 1001);
             Put32(b, s2 + 4, 10);
         },
         kMapBadGridSize},
        {"grid 0 x 5",
         [=](auto& b) {
             Put32(b, s2, 0);
             Put32(b, s2 + 4, 5);
         },
         kMapBadGridSize},
        {"grid -20 wide", put(s2, static_cast<uint32_t>(-20)), kMapBadGridSize},
        {"cut in the tiles", cut(s2 + 8 + 301), kMapTileRecordShort},
        {"tile records without rivers", cut(s2 + 8 + 800), kMapDamaged},
        {"river list without its end", cut(s2 + 8 + 800 + 12), kMapDamaged},
        {"empty terrain", byte(s2 + 8, 0), kMapVerifyFailed},
        {"illegal terrain", byte(s2 + 10, 42), kMapVerifyFailed},
        {"section 3 past the end", put(22, static_cast<uint32_t>(end + 10)), kMapDamaged},
        {"section 4 past the end", put(26, 0xFFFFFFF0), kMapDamaged},
        {"negative city count", put(s3, 0xFFFFFFFC), kMapDamaged},
        {"city count not a multiple of 4", put(s3, 5), kMapDamaged},
        {"huge city count", put(s3, 0x10000000), kMapDamaged},
        {"city blob past the end", put(cityDirectory, static_cast<uint32_t>(end)), kMapDamaged},
        {"city picture of 16 bits", put(firstCityBlob + 13, 16), kMapDamaged},
        {"city picture larger than its data", put(firstCityBlob + 1, 5000), kMapDamaged},
        {"city picture with a huge data size", put(firstCityBlob + 9, 0x7FFFFFFF), kMapDamaged},
        {"cut in the custom flags", cut(s4 + 8), kMapDamaged},
        {"cut in a custom path", cut(s4 + 16 + 60), kMapDamaged},
        {"too few custom records", put(customCount, 323), kMapDamaged},
        {"huge custom count", put(customCount, 0x7FFFFFFF), kMapDamaged},
        {"custom cell past the end", put(customCount + 4 + 8 * 40, static_cast<uint32_t>(end + 1)),
         kMapDamaged},
        {"broken JPEG cell",
         [=](auto& b) { std::fill(b.begin() + firstCell + 1, b.begin() + firstCell + 400, 0x5A); },
         kMapDamaged},
        {"JPEG cell that is not JPEG at all", byte(firstCell + 1, 0x00), kMapDamaged},
        {"cut after the last cell's format byte", cut(lastCell + 1), kMapDamaged},
    };

    // The map in memory before every attempt: a different one, loaded from its own file.
    CMapDocument current;
    current.MakeNew(25, 21, TERRAIN_TYPE_DESERT);
    current.grid.AddOverlay(3, 3, kNarrowRiver, 2);
    current.art.CustomArtFor(27)->ToggleExit(1, 1, 5);
    theTerrainTable.milesPerTile = 55;
    Snapshot before(current);
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        c.damage(bytes);
        WriteFileBytes(dir.File("bad.gmp"), bytes);
        std::string reason;
        EXPECT_EQ(LoadMap(dir.File("bad.gmp"), current.art, current.overview, &reason), c.result)
            << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
        EXPECT_TRUE(Snapshot(current) == before) << c.what;
    }
    EXPECT_EQ(LoadMap(dir.File("absent.gmp"), current.art, current.overview), kMapCannotOpen);
    EXPECT_TRUE(Snapshot(current) == before);
}

// Custom art for Custom 3 alone; the stream of a cell's full picture in the saved file.
class DamagedArtTest : public MapFileTest {
  protected:
    void SetUp() override {
        MapFileTest::SetUp();
        map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
        std::string art = SavePatternPicture(dir.File("art.bmp"), 900, 900);
        ASSERT_EQ(map.art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + 2)->Import(art), 0);
        good = ReadFileBytes(Save(map, "good.gmp"));
        directory = Section(good, 4) + 16 + 128 + 81 + 4;
    }
    // The blob of record i runs up to the next record's blob.
    size_t Blob(const std::vector<uint8_t>& bytes, int record) const {
        return Get32(bytes, directory + 8 * record);
    }
    // Replaces count bytes at `at` with `with`, moving the blobs and the file end behind them.
    void Splice(std::vector<uint8_t>& bytes, size_t at, size_t count,
                const std::vector<uint8_t>& with) const {
        bytes.erase(bytes.begin() + static_cast<long>(at),
                    bytes.begin() + static_cast<long>(at + count));
        bytes.insert(bytes.begin() + static_cast<long>(at), with.begin(), with.end());
        const int64_t moved = static_cast<int64_t>(with.size()) - static_cast<int64_t>(count);
        for (int record = 0; record < 324; ++record) {
            if (Blob(bytes, record) > at) {
                Put32(bytes, directory + 8 * record,
                      static_cast<uint32_t>(Blob(bytes, record) + moved));
            }
        }
        Put32(bytes, 10 + 20, static_cast<uint32_t>(bytes.size()));
    }

    CMapDocument map;
    std::vector<uint8_t> good;
    size_t directory = 0;
};

// A cell whose pixels the codec would have to make up fails the load, naming type and cell;
// extraneous bytes that lose nothing only leave a log line.
TEST_F(DamagedArtTest, DamagedCellsFailTheLoad) {
    const size_t start = Blob(good, 4 * 40) + 1;  // cell 40's full picture, after its format byte
    const size_t end = Blob(good, 4 * 40 + 1);
    const size_t middle = (start + end) / 2;
    using Damage = std::function<void(std::vector<uint8_t>&)>;
    const std::pair<const char*, Damage> damages[] = {
        {"cut short", [&](auto& b) { Splice(b, middle, end - middle, {}); }},
        {"stray end of image", [&](auto& b) { b[middle] = 0xFF, b[middle + 1] = 0xD9; }},
        {"run of 0xFF", [&](auto& b) { std::fill_n(b.begin() + middle, 64, 0xFF); }},
    };
    for (const auto& [what, damage] : damages) {
        std::vector<uint8_t> bytes = good;
        damage(bytes);
        WriteFileBytes(dir.File("bad.gmp"), bytes);
        CMapDocument loaded;
        std::string reason;
        EXPECT_EQ(LoadMap(dir.File("bad.gmp"), loaded.art, loaded.overview, &reason), kMapDamaged)
            << what;
        EXPECT_EQ(reason, "custom art of Custom 3, cell 40: damaged JPEG data") << what;
    }

    std::vector<uint8_t> padded = good;
    Splice(padded, end - 2, 0, std::vector<uint8_t>(100, 0));  // before the end-of-image marker
    WriteFileBytes(dir.File("padded.gmp"), padded);
    RecordingLog log;
    CMapDocument loaded;
    std::string reason;
    EXPECT_EQ(LoadMap(dir.File("padded.gmp"), loaded.art, loaded.overview, &reason), 0) << reason;
    EXPECT_EQ(log.CountHolding("extraneous bytes"), 1);
}

// The cells are coded on several threads and written in the file's order: the bytes do not
// depend on the threads, and of several damaged cells the first in the file is reported.
TEST_F(MapFileTest, ArtIsCodedOnSeveralThreadsAsOnOne) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    for (int type : {27, 30, 41}) {
        std::string art = SavePatternPicture(dir.File(std::to_string(type) + ".bmp"), 900, 900);
        ASSERT_EQ(map.art.CustomArtFor(type)->Import(art), 0);
    }
    map.art.CustomArtFor(30)->half.Release();  // a slot whose cells' zooms are made one by one
    std::vector<uint8_t> files[2];
    for (int threads : {1, 2}) {
        CWorkPool::SetDefaultThreads(threads);
        files[threads - 1] = ReadFileBytes(Save(map, "threads.gmp"));
    }
    CWorkPool::SetDefaultThreads(0);
    EXPECT_TRUE(files[0] == files[1]);

    std::vector<uint8_t> bytes = files[0];
    const size_t directory = Section(bytes, 4) + 16 + 3 * (128 + 81) + 4;
    for (int record : {4 * (81 + 50), 4 * (162 + 10)}) {  // Custom 5's cell 50, Custom 16's 10
        size_t middle =
            (Get32(bytes, directory + 8 * record) + Get32(bytes, directory + 8 * (record + 1))) /
            2;  // of its entropy data
        std::fill_n(bytes.begin() + static_cast<long>(middle), 64, 0xFF);
    }
    WriteFileBytes(dir.File("two.gmp"), bytes);
    CWorkPool::SetDefaultThreads(2);
    for (int attempt = 0; attempt < 3; ++attempt) {
        CMapDocument loaded;
        std::string reason;
        EXPECT_EQ(LoadMap(dir.File("two.gmp"), loaded.art, loaded.overview, &reason), kMapDamaged);
        EXPECT_EQ(reason, "custom art of Custom 5, cell 50: damaged JPEG data");
    }
    CWorkPool::SetDefaultThreads(0);
}

// Zoom copies of no pixels, as the map format's writer stores them for a picture under 8 pixels
// in one side and for 32-bit pictures, load and are written back byte for byte.
TEST_F(MapFileTest, CityPicturesWithEmptyZoomCopiesComeBackAsTheyWere) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("strip.bmp"), 64, 5)));
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("deep.bmp"), 40, 30, 4)));
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "first.gmp"));
    const size_t city = Section(bytes, 3);
    ASSERT_EQ(Get32(bytes, city), 8u);
    const uint32_t sizes[8][3] = {{64, 5, 24},  {32, 3, 24}, {16, 2, 24}, {6, 0, 24},
                                  {40, 30, 32}, {0, 0, 0},   {0, 0, 0},   {0, 0, 0}};
    for (int record = 0; record < 8; ++record) {
        const size_t at = city + 4 + 48 * record;
        const size_t blob = Get32(bytes, at);
        EXPECT_EQ(bytes[at + 4] | bytes[at + 5] << 8, sizes[record][0]) << record;
        EXPECT_EQ(bytes[at + 6] | bytes[at + 7] << 8, sizes[record][1]) << record;
        EXPECT_EQ(bytes[blob], 0) << record;
        EXPECT_EQ(Get32(bytes, blob + 1), sizes[record][0]) << record;
        EXPECT_EQ(Get32(bytes, blob + 5), sizes[record][1]) << record;
        EXPECT_EQ(Get32(bytes, blob + 13), sizes[record][2]) << record;
        if (sizes[record][0] * sizes[record][1] == 0) {
            EXPECT_EQ(Get32(bytes, blob + 9), 0u) << record;  // no pixel data
        }
    }

    CMapDocument loaded;
    std::string reason;
    ASSERT_EQ(LoadMap(dir.File("first.gmp"), loaded.art, loaded.overview, &reason), 0) << reason;
    EXPECT_EQ(ReadFileBytes(Save(loaded, "second.gmp")), bytes);
}

// A map whose many city art records all name one tiny 8-bit picture: every copy would get a
// colour table of its own, 25 times the file's size in all.
TEST_F(MapFileTest, LoadingTakesMemoryBoundedByTheFile) {
    if (!MeasuresMemory()) {
        GTEST_SKIP() << "memory figures mean nothing under AddressSanitizer";
    }
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_GRASS);
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("dot.bmp"), 1, 1, 1)));
    std::vector<uint8_t> bytes = ReadFileBytes(Save(map, "dot.gmp"));
    const size_t city = Section(bytes, 3);
    const std::vector<uint8_t> records(bytes.begin() + city + 4, bytes.begin() + city + 4 + 192);
    constexpr uint32_t kEntries = 120000;
    bytes.resize(Section(bytes, 4));  // the one picture's blobs stay where they are
    const size_t moved = bytes.size();
    bytes.resize(city);
    bytes.insert(bytes.end(), {0, 0, 0, 0});
    Put32(bytes, city, 4 * kEntries);
    std::vector<uint8_t> blobs = ReadFileBytes(dir.File("dot.gmp"));
    blobs.assign(blobs.begin() + city + 4 + 192, blobs.begin() + moved);
    const uint32_t shift = static_cast<uint32_t>(192 * (kEntries - 1));
    for (uint32_t i = 0; i < kEntries; ++i) {
        for (int image = 0; image < 4; ++image) {
            std::vector<uint8_t> record(records.begin() + 48 * image,
                                        records.begin() + 48 * image + 48);
            Put32(record, 0, Get32(record, 0) + shift);
            bytes.insert(bytes.end(), record.begin(), record.end());
        }
    }
    bytes.insert(bytes.end(), blobs.begin(), blobs.end());
    Put32(bytes, 10 + 16, static_cast<uint32_t>(bytes.size()));
    bytes.insert(bytes.end(), 16, 0);  // no custom art
    Put32(bytes, 10 + 20, static_cast<uint32_t>(bytes.size()));
    WriteFileBytes(dir.File("many.gmp"), bytes);

    int64_t growth = PeakMemoryGrowth([&] {
        CMapDocument loaded;
        LoadMap(dir.File("many.gmp"), loaded.art, loaded.overview);
    });
    ASSERT_GE(growth, 0);
    EXPECT_LE(growth, 4 * static_cast<int64_t>(bytes.size()) + (64 << 20))
        << "file of " << bytes.size() << " bytes";
}

// Writes through the real file but fails the n-th write.
class FailingFile : public CFile {
  public:
    explicit FailingFile(int failAt) : failAt(failAt) {}
    void Write(const void* buffer, size_t count) override {
        if (writes++ == failAt) {
            throw CFileException("injected write failure", EIO);
        }
        CFile::Write(buffer, count);
    }
    int writes = 0;

  private:
    int failAt;
};

// Fails every write of a save in turn and checks that the target file stays as it was;
// returns how many writes the save makes.
int FailEveryWriteInTurn(CMapDocument& map, const std::string& path) {
    std::vector<uint8_t> original = ReadFileBytes(path);
    map.grid.SetTile(TERRAIN_TYPE_WOODS, 3, 0, 0);  // an edit not yet saved
    auto folder = std::filesystem::path(path).parent_path();
    size_t files = std::distance(std::filesystem::directory_iterator(folder), {});
    for (int failAt = 0;; ++failAt) {
        FailingFile file(failAt);
        int result = SaveMapThrough(file, path, map.art, map.overview);
        if (result == 0) {
            EXPECT_NE(ReadFileBytes(path), original);
            return file.writes;
        }
        EXPECT_EQ(result, kMapWriteFailed) << failAt;
        EXPECT_EQ(ReadFileBytes(path), original) << failAt;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), files) << failAt;
    }
}

TEST_F(MapFileTest, AFailedSaveLeavesTheOldFile) {
    CMapDocument map;
    map.MakeNew(40, 30, TERRAIN_TYPE_GRASS);
    map.grid.AddOverlay(3, 3, kWideRiver, 1);
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("lake.bmp"), 300, 200)));
    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("hill.bmp"), 20, 20, 1)));
    // Every single write: buffers of sections, a city picture too large for the buffer, the
    // directory filled in late and the section table.
    EXPECT_GT(FailEveryWriteInTurn(map, Save(map, "plain.gmp")), 3);

    // With custom art too, every write; with many workers, several are still coding when a
    // write fails, and none of them may write after it.
    CMapDocument rich;
    MakeRichMap(rich);
    CWorkPool::SetDefaultThreads(8);
    EXPECT_GT(FailEveryWriteInTurn(rich, Save(rich, "rich.gmp")), 3);
    CWorkPool::SetDefaultThreads(0);
}

TEST_F(MapFileTest, SavingWhereNoFileCanBeWritten) {
    CMapDocument map;
    map.MakeNew(20, 20, TERRAIN_TYPE_OCEAN);
    EXPECT_EQ(SaveMap(dir.File("no/such/folder/x.gmp"), map.art, map.overview), kMapCannotOpen);
    std::string path = Save(map, "locked.gmp");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    std::string reason;
    EXPECT_EQ(SaveMap(path, map.art, map.overview, &reason), kMapCannotOpen);  // also for root
    EXPECT_EQ(reason, "the file is read-only");
    EXPECT_EQ(SaveMap(dir.Path(), map.art, map.overview, &reason), kMapCannotOpen);
    EXPECT_EQ(reason, "it is a folder");
}

}  // namespace

// A snapshot writes the map as it was when taken, whatever the map and the terrain table do
// afterwards; a snapshot of unchanged art takes the art over from the one before.
TEST_F(MapFileTest, SnapshotsWriteTheMapAsItWasWhenTaken) {
    CMapDocument map;
    MakeRichMap(map);
    auto written = [this](CMapSnapshot& snapshot, const std::string& name) {
        std::string reason;
        EXPECT_EQ(snapshot.Save(dir.File(name), &reason), 0) << reason;
        return ReadFileBytes(dir.File(name));
    };
    auto saved = [this, &map](const std::string& name) { return ReadFileBytes(Save(map, name)); };

    CMapSnapshot first(map, theTerrainTable, 1, nullptr);
    const std::vector<uint8_t> before = saved("before.gmp");
    map.grid.SetTile(TERRAIN_TYPE_OCEAN, 1, 0, 0);
    map.grid.AddOverlay(5, 5, kWideRiver, 3);
    theTerrainTable.Record(TERRAIN_TYPE_GRASS).trackCost = 77;
    EXPECT_EQ(written(first, "first.gmp"), before);

    CMapSnapshot second(map, theTerrainTable, 1, &first);
    EXPECT_EQ(written(second, "second.gmp"), saved("painted.gmp"));
    EXPECT_NE(first.Save(dir.File("given.gmp"), nullptr), 0);  // its art went to the second

    ASSERT_TRUE(map.art.AddCityArt(SavePatternPicture(dir.File("hill.bmp"), 30, 20)));
    map.art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + 4)->ToggleExit(0, 0, 2);
    CMapSnapshot third(map, theTerrainTable, 2, &second);
    const std::vector<uint8_t> withArt = saved("art.gmp");
    map.art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + 4)->Unload();
    map.art.RemoveCityArt(0);
    EXPECT_EQ(written(third, "third.gmp"), withArt);
}

// Random requests draw their cells from the position and the map's own tiles: the same file
// always shows the same cells, whatever the generator says, and another map draws differently.
TEST_F(MapFileTest, RandomCellsAreTheSameAtEveryLoadAndDifferBetweenMaps) {
    CMapDocument map;
    ASSERT_TRUE(map.MakeNew(60, 40, TERRAIN_TYPE_GRASS));
    const std::string first = Save(map, "first.gmp");
    map.grid.SetTile(TERRAIN_TYPE_WOODS, 1, 59, 39);
    const std::string second = Save(map, "second.gmp");

    auto cells = [](const std::string& path) {
        CMapDocument loaded;
        EXPECT_EQ(loaded.Load(path), 0);
        std::vector<int> subtypes;
        for (int i = 0; i < 60 * 39; ++i) {  // the rows the two maps share unchanged
            subtypes.push_back(loaded.grid.Tiles()[i].subtype);
        }
        return subtypes;
    };
    theRandom.Seed(1);
    const std::vector<int> once = cells(first);
    EXPECT_EQ(theRandom.draws, 0u);  // loading draws nothing from the generator
    theRandom.Seed(99);
    EXPECT_EQ(cells(first), once);
    const std::vector<int> other = cells(second);
    int differ = 0;
    for (size_t i = 0; i < once.size(); ++i) {
        differ += once[i] != other[i];
    }
    EXPECT_GT(differ, static_cast<int>(once.size()) / 2);
    // The cells spread over the whole random set.
    EXPECT_EQ(*std::max_element(once.begin(), once.end()),
              theTerrainTable.Record(TERRAIN_TYPE_GRASS).subtypeCount - 1);
}
