#include "model/tile_grid.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include "model/builtin_tables.h"
#include "model/random.h"
#include "model/terrain_table.h"
#include "support/recording_log.h"
#include "support/scripted_interaction.h"
#include "support/terrain_table_guard.h"

namespace {

constexpr int kCounted = 20;  // a type with 10 cells and two random sets
constexpr int kNoArt = 21;    // a type without art cells but with an exit table

class TileGridTest : public testing::Test {
  protected:
    void SetUp() override {
        CTerrainType& counted = theTerrainTable.Record(kCounted);
        counted.subtypeCount = 10;
        counted.setCount = 2;
        counted.exitTable = 0;
        CTerrainType& noArt = theTerrainTable.Record(kNoArt);
        noArt.subtypeCount = 0;
        noArt.exitTable = 1;
        theRandom.Seed(99);
    }

    TerrainTableGuard guard;
    CTileGrid grid;
};

TEST_F(TileGridTest, ExactRequestsPickTheirCellWithoutDrawing) {
    ASSERT_TRUE(grid.Allocate(3, 2));
    ASSERT_TRUE(grid.SetTile(7, 5, 2, 1));
    const CTile* tile = grid.GetTileAt(2, 1);
    EXPECT_EQ(tile->type, 7);
    EXPECT_EQ(tile->subtype, 4);
    EXPECT_EQ(tile->requestedSubtype, 5);

    grid.SetTile(kCounted, 81, 0, 0);
    EXPECT_EQ(grid.GetSubtypeAt(0, 0), 80);
    EXPECT_EQ(grid.GetTileAt(0, 0)->exits, (*BuiltInExitTable(0))[80]);
    grid.SetTile(kNoArt, 0, 1, 0);
    EXPECT_EQ(grid.GetSubtypeAt(1, 0), 0);
    grid.SetTile(kNoArt, 81, 1, 0);
    EXPECT_EQ(grid.GetSubtypeAt(1, 0), 80);
    EXPECT_EQ(grid.GetTileAt(1, 0)->exits, (*BuiltInExitTable(1))[80]);
    EXPECT_EQ(theRandom.draws, 0u);
}

TEST_F(TileGridTest, RandomRequestsDrawFromTheirSet) {
    ASSERT_TRUE(grid.Allocate(20, 20));
    bool seen[81] = {};
    for (int i = 0; i < 400; ++i) {
        grid.SetTile(kCounted, 0, i % 20, i / 20);
        int cell = grid.GetSubtypeAt(i % 20, i / 20);
        ASSERT_GE(cell, 0);
        ASSERT_LE(cell, 9);
        seen[cell] = true;
        grid.SetTile(kCounted, 100, i % 20, i / 20);
        cell = grid.GetSubtypeAt(i % 20, i / 20);
        ASSERT_GE(cell, 71);
        ASSERT_LE(cell, 80);
        seen[cell] = true;
        EXPECT_EQ(grid.GetTileAt(i % 20, i / 20)->exits, (*BuiltInExitTable(0))[cell]);
    }
    EXPECT_EQ(theRandom.draws, 800u);
    for (int cell : {0, 9, 71, 80}) {
        EXPECT_TRUE(seen[cell]) << cell;
    }
    // With one set, requests above 81 draw from the first set.
    theTerrainTable.Record(kCounted).setCount = 1;
    grid.SetTile(kCounted, 200, 0, 0);
    EXPECT_LE(grid.GetSubtypeAt(0, 0), 9);
}

TEST_F(TileGridTest, TypesAndCellsWithoutArtStaySafe) {
    ASSERT_TRUE(grid.Allocate(2, 2));
    // A request above 81 on a type without cells points past the sheet: no exit byte for it.
    grid.SetTile(kNoArt, 100, 0, 0);
    EXPECT_EQ(grid.GetSubtypeAt(0, 0), 99);
    EXPECT_EQ(grid.GetTileAt(0, 0)->exits, 0xFF);
    // Types without a record (damaged files carry up to 127) resolve like types without art.
    grid.SetTile(127, 0, 1, 0);
    EXPECT_EQ(grid.GetTileAt(1, 0)->type, 127);
    EXPECT_EQ(grid.GetSubtypeAt(1, 0), 0);
    EXPECT_EQ(grid.GetTileAt(1, 0)->exits, 0xFF);
    grid.SetTile(300, 7, 0, 1);  // only the low 8 bits are kept
    EXPECT_EQ(grid.GetTileAt(0, 1)->type, 44);
    EXPECT_EQ(grid.GetSubtypeAt(0, 1), 6);
    // A subtype count beyond the sheet never picks a cell outside it.
    theTerrainTable.Record(kCounted).subtypeCount = 500;
    for (int i = 0; i < 200; ++i) {
        grid.SetTile(kCounted, 100, 1, 1);
        ASSERT_LE(grid.GetSubtypeAt(1, 1), 80);
    }
    EXPECT_EQ(theRandom.draws, 200u);
}

TEST_F(TileGridTest, OutsideTheGridNothingHappens) {
    RecordingLog log;
    ASSERT_TRUE(grid.Allocate(4, 3));
    EXPECT_FALSE(grid.SetTile(4, 1, 4, 0));
    EXPECT_FALSE(grid.SetTile(4, 1, 0, -1));
    EXPECT_EQ(grid.GetTileAt(-1, 0), nullptr);
    EXPECT_TRUE(log.lines.empty());  // GetTileAt is silent
    EXPECT_EQ(grid.GetSubtypeAt(0, 3), -1);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].first, kLogError);
    EXPECT_EQ(log.lines[0].second, "CTileGrid::GetTileAtConst (0,3) out of range");

    grid.AddOverlay(4, 0, 0, 1);
    grid.SetLastOverlay(-1, 0, 0, 1);
    grid.RemoveLastOverlay(0, 3);
    RiverOverlay item;
    EXPECT_FALSE(grid.GetOverlay(0, 3, 0, item));
    EXPECT_EQ(grid.GetOverlayCount(4, 0), 0);
}

TEST_F(TileGridTest, FillAndReplace) {
    EXPECT_FALSE(grid.IsTypeUsed(0));  // an empty grid uses nothing
    ASSERT_TRUE(grid.Allocate(5, 4));
    grid.FillAll(kCounted);
    EXPECT_EQ(theRandom.draws, 20u);
    EXPECT_TRUE(grid.IsTypeUsed(kCounted));
    EXPECT_FALSE(grid.IsTypeUsed(4));

    grid.SetTile(4, 3, 2, 2);
    grid.ReplaceType(kCounted, kCounted);  // redraws the random cells of those tiles
    EXPECT_EQ(theRandom.draws, 39u);
    grid.ReplaceType(kCounted, 4);
    EXPECT_FALSE(grid.IsTypeUsed(kCounted));
    EXPECT_EQ(grid.GetTileAt(0, 0)->requestedSubtype, 0);

    grid.Clear();
    EXPECT_EQ(grid.GetWidth(), 0);
    EXPECT_EQ(grid.GetHeight(), 0);
    EXPECT_FALSE(grid.Allocate(0, 5));
    EXPECT_FALSE(grid.Allocate(5, -1));
    EXPECT_EQ(grid.GetWidth(), 0);
}

TEST_F(TileGridTest, RiverStacks) {
    ASSERT_TRUE(grid.Allocate(3, 3));
    RiverOverlay item;
    grid.RemoveLastOverlay(1, 1);              // nothing to remove
    grid.SetLastOverlay(1, 1, kWideRiver, 5);  // adds to an empty tile
    grid.AddOverlay(1, 1, kNarrowRiver, 6);
    grid.AddOverlay(1, 1, kWideRiver, 7);
    grid.SetLastOverlay(1, 1, kNarrowRiver, 80);
    ASSERT_EQ(grid.GetOverlayCount(1, 1), 3);
    ASSERT_TRUE(grid.GetOverlay(1, 1, 0, item));
    EXPECT_EQ(item.kind, kWideRiver);
    EXPECT_EQ(item.cell, 5);
    ASSERT_TRUE(grid.GetOverlay(1, 1, 2, item));
    EXPECT_EQ(item.kind, kNarrowRiver);
    EXPECT_EQ(item.cell, 80);
    EXPECT_FALSE(grid.GetOverlay(1, 1, 3, item));
    EXPECT_FALSE(grid.GetOverlay(1, 1, -1, item));
    grid.RemoveLastOverlay(1, 1);
    ASSERT_TRUE(grid.GetOverlay(1, 1, 1, item));
    EXPECT_EQ(item.cell, 6);
    EXPECT_EQ(grid.GetOverlayCount(0, 1), 0);

    grid.Clear();
    ASSERT_TRUE(grid.Allocate(3, 3));
    EXPECT_EQ(grid.GetOverlayCount(1, 1), 0);
}

TEST_F(TileGridTest, VerifyReportsBadTilesInColumnOrder) {
    ScriptedInteraction ui;
    RecordingLog log;
    ASSERT_TRUE(grid.Allocate(1, 1));
    grid.SetTile(4, 1, 0, 0);
    EXPECT_EQ(grid.Verify(), 0);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].second, "Verifying Map Grid size 1 x 1");

    grid.Clear();
    ASSERT_TRUE(grid.Allocate(8, 8));  // every tile type 0
    EXPECT_EQ(grid.Verify(), 31);
    ASSERT_EQ(ui.messages.size(), 11u);
    EXPECT_EQ(ui.messages[0].text, "Empty terrain at (0,0)");
    EXPECT_EQ(ui.messages[1].text, "Empty terrain at (0,1)");
    EXPECT_EQ(ui.messages[8].text, "Empty terrain at (1,0)");
    EXPECT_EQ(ui.messages[10].text, " ... and even more errors, but we'll stop here.");
    EXPECT_EQ(log.lines.back().second, "Empty terrain at (3,6)");  // the 31st tile, then stop
}

TEST_F(TileGridTest, VerifyNamesEachKindOfBadTile) {
    ScriptedInteraction ui;
    RecordingLog log;
    ASSERT_TRUE(grid.Allocate(2, 2));
    grid.FillAll(4);
    grid.SetTile(1, 0, 1, 0);
    grid.SetTile(42, 0, 0, 1);
    grid.SetTile(127, 0, 1, 1);
    EXPECT_EQ(grid.Verify(), 3);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Illegal terrain type 42 at (0,1)",
                                                           "Old-style city terrain at (1,0)",
                                                           "Illegal terrain type 127 at (1,1)"}));

    grid.Clear();
    log.lines.clear();
    EXPECT_EQ(grid.Verify(), 2);  // an empty grid has neither dimension
    ASSERT_EQ(log.lines.size(), 3u);
    EXPECT_EQ(log.lines[1].second, "Error: x dimension less than 1");
    EXPECT_EQ(log.lines[2].second, "Error: y dimension less than 1");
    EXPECT_EQ(ui.messages.size(), 3u);  // logged only, never shown
}

TEST(TileGridSizeTest, AMillionTilesFitIn32Megabytes) {
    EXPECT_LE(sizeof(CTile), 16u);
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "heap figures are not meaningful under AddressSanitizer";
#else
    // Large blocks come from mmap and count in hblkhd, small ones in uordblks.
    auto heapInUse = [] {
        struct mallinfo2 info = mallinfo2();
        return info.uordblks + info.hblkhd;
    };
    size_t before = heapInUse();
    CTileGrid grid;
    ASSERT_TRUE(grid.Allocate(1000, 1000));
    size_t used = heapInUse() - before;
    EXPECT_LE(used, 32u * 1000 * 1000) << used;
    RecordProperty("GridBytes", std::to_string(used));
#endif
}

}  // namespace
