#include "edit/tile_edit.h"

#include <gtest/gtest.h>

#include <functional>

#include "edit_test_map.h"

namespace {

constexpr size_t kBytesPerTile = 16;

// A stroke over a tile twice, a rectangle changed with its rivers, and a type replaced: each
// reverts to the map as it was, applies again to the map it made, keeps the overview in step
// and holds 16 bytes a changed tile.
TEST(TileEditTest, EveryKindOfChangeRevertsAndAppliesAgain) {
    EditTestMap test;
    CTileGrid& grid = test.map.grid;
    grid.FillRect(TERRAIN_TYPE_SWAMP, 1, 10, 10, 13, 12);
    test.map.RebuildOverview();
    struct Change {
        const char* what;
        size_t changedTiles;
        std::function<void(CTileEdit&)> make;
    };
    const Change changes[] = {
        {"stroke", 2,
         [&](CTileEdit& edit) {
             EXPECT_TRUE(edit.PaintTile(test.target, TERRAIN_TYPE_WOODS, 3, 1, 1));
             edit.PaintTile(test.target, TERRAIN_TYPE_HILLS_1, 5, 2, 1);
             edit.PaintTile(test.target, TERRAIN_TYPE_FARM, 2, 1, 1);
             EXPECT_FALSE(edit.PaintTile(test.target, TERRAIN_TYPE_FARM, 2, 30, 1));
         }},
        {"rect with rivers", 16,
         [&](CTileEdit& edit) {
             edit.ChangeRect(test.target, {2, 2, 6, 6}, true, [](CTileGrid& g, const TileRect& r) {
                 g.FillRect(TERRAIN_TYPE_DESERT, 2, r.left, r.top, r.right, r.bottom);
                 g.SetOverlays(3, 3, {});
                 g.AddOverlay(5, 5, kNarrowRiver, 7);
             });
         }},
        {"type replaced", 6,
         [&](CTileEdit& edit) {
             edit.ReplaceType(test.target, TERRAIN_TYPE_SWAMP, TERRAIN_TYPE_GRASS);
         }},
    };
    for (const Change& change : changes) {
        EditTestMap::State before = test.Now();
        CTileEdit edit(change.what);
        change.make(edit);
        edit.Finish(grid);
        EditTestMap::State after = test.Now();
        EXPECT_NE(after, before) << change.what;
        EXPECT_TRUE(after.overviewInStep) << change.what;
        EXPECT_LE(edit.MemoryBytes(), sizeof(CTileEdit) + change.changedTiles * kBytesPerTile +
                                          4 * sizeof(RiverOverlay) + 256)
            << change.what;
        edit.Revert(test.target);
        EXPECT_TRUE(test.Now() == before) << change.what;
        edit.Apply(test.target);
        EXPECT_TRUE(test.Now() == after) << change.what;
    }
}

// A stroke tells its tiles one by one; a rectangle, or very many tiles, as one rectangle.
TEST(TileEditTest, ChangesNameTheTilesToRepaint) {
    EditTestMap test;
    CTileEdit stroke("Paint Terrain");
    stroke.PaintTile(test.target, TERRAIN_TYPE_WOODS, 1, 4, 5);
    stroke.PaintTile(test.target, TERRAIN_TYPE_WOODS, 1, 7, 2);
    stroke.Finish(test.map.grid);
    EXPECT_EQ(stroke.Change().tiles, (std::vector<TileRect>{{4, 5, 5, 6}, {7, 2, 8, 3}}));

    CTileEdit rect("Rect of Terrain");
    rect.ChangeRect(test.target, {1, 1, 3, 4}, false, [](CTileGrid&, const TileRect&) {});
    rect.Finish(test.map.grid);
    EXPECT_TRUE(rect.ChangedNothing());
    EXPECT_EQ(rect.Change().tiles, (std::vector<TileRect>{{1, 1, 3, 4}}));

    test.map.MakeNew(100, 100, TERRAIN_TYPE_SWAMP);
    CTileEdit replaced("Unload Art");
    replaced.ReplaceType(test.target, TERRAIN_TYPE_SWAMP, TERRAIN_TYPE_GRASS);
    replaced.Finish(test.map.grid);
    EXPECT_EQ(replaced.Change().tiles, (std::vector<TileRect>{{0, 0, 100, 100}}));
}

}  // namespace
