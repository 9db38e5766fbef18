#include "transitions/transition_solver.h"

#include <gtest/gtest.h>

#include "edit/map_editor.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"
#include "support/map_builder.h"
#include "support/terrain_table_guard.h"
#include "transition_test_maps.h"
#include "transitions/corner_field.h"

namespace {

const int kCoastSheets[] = {TERRAIN_TYPE_GRASS_OCEAN_A, TERRAIN_TYPE_GRASS_OCEAN_B,
                            TERRAIN_TYPE_GRASS_OCEAN_C, TERRAIN_TYPE_DESERT_OCEAN};
const int kMountainFoot[] = {TERRAIN_TYPE_MTN_TRANS};
const int kGrassDesert[] = {TERRAIN_TYPE_GRASS_DESERT};

bool IsLand(int type) {
    return type != TERRAIN_TYPE_OCEAN && type != TERRAIN_TYPE_SHALLOW;
}

class TransitionSolverTest : public testing::Test {
  protected:
    void SetUp() override {
        LoadShippedGameData();
        map.MakeNew(100, 100, TERRAIN_TYPE_OCEAN);
        editor.StartHistory(true);
    }
    int CountOf(int type) const {
        int count = 0;
        for (int i = 0; i < map.grid.GetWidth() * map.grid.GetHeight(); ++i) {
            count += map.grid.Tiles()[i].type == type;
        }
        return count;
    }

    TerrainTableGuard guard;
    CMapDocument map;
    CMapEditor editor{map.art, map.overview};
};

// Islands of plain grass in plain ocean get their coasts: every tile a cell, neighbours agreeing
// on every shared point, one undoable step; a second run finds nothing to do.
TEST_F(TransitionSolverTest, FixTransitionsGivesIslandsSeamlessCoasts) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        PaintBlobs(map.grid, TERRAIN_TYPE_OCEAN, TERRAIN_TYPE_GRASS, seed);
        const std::vector<CTile> painted(map.grid.Tiles(), map.grid.Tiles() + 100 * 100);
        ASSERT_GT(DisagreeingNeighbours(map.grid, IsLand, kCoastSheets, 4), 100);
        TransitionPlan plan = editor.FixTransitions({0, 0, 100, 100}, TransitionOptions::Default());
        std::string where;
        EXPECT_EQ(DisagreeingNeighbours(map.grid, IsLand, kCoastSheets, 4, &where), 0)
            << seed << ": " << where;
        EXPECT_TRUE(plan.unfit.empty()) << seed;
        EXPECT_LT(plan.cornersChanged, 20) << seed;
        EXPECT_EQ(CountOf(TERRAIN_TYPE_GRASS_OCEAN_C), 0);
        EXPECT_GT(CountOf(TERRAIN_TYPE_GRASS_OCEAN_A) + CountOf(TERRAIN_TYPE_GRASS_OCEAN_B), 100);
        // The coast moves by a corner at most: only land tiles with at most one land
        // neighbour may go under water.
        int drowned = 0;
        int lonely = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (painted[y * 100 + x].type != TERRAIN_TYPE_GRASS) {
                    continue;
                }
                int neighbours = 0;
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    const CTile* next = map.grid.GetTileAt(x + dx, y + dy);
                    neighbours += next != nullptr &&
                                  painted[(y + dy) * 100 + x + dx].type == TERRAIN_TYPE_GRASS;
                }
                lonely += neighbours <= 1;
                drowned += map.grid.GetTileAt(x, y)->type == TERRAIN_TYPE_OCEAN;
            }
        }
        EXPECT_LE(drowned, lonely) << seed;
        EXPECT_EQ(editor.History().NextToUndo()->Name(), "Fix Transitions");
        EXPECT_TRUE(
            editor.FixTransitions({0, 0, 100, 100}, TransitionOptions::Default()).picks.empty());
        editor.Undo();
        EXPECT_TRUE(std::equal(painted.begin(), painted.end(), map.grid.Tiles()));
    }
}

// Mountains in low ground, valleys in mountains, grass in desert: the foot sheets lack a cell
// for one corner combination, so the closed terrain gives way there, and every tile that has a
// cell agrees with its neighbours.
TEST_F(TransitionSolverTest, MountainFeetAndDesertShoresErodeWhereNoCellFits) {
    struct Case {
        int background;
        int blob;
        const int* sheets;
        bool (*isOpen)(int);
    } cases[] = {
        {TERRAIN_TYPE_GRASS, TERRAIN_TYPE_MOUNTAIN_2, kMountainFoot,
         [](int type) {
             return !(type >= TERRAIN_TYPE_MOUNTAIN_1 && type <= TERRAIN_TYPE_MOUNTAIN_3);
         }},
        {TERRAIN_TYPE_MOUNTAIN_1, TERRAIN_TYPE_WOODS, kMountainFoot,
         [](int type) {
             return !(type >= TERRAIN_TYPE_MOUNTAIN_1 && type <= TERRAIN_TYPE_MOUNTAIN_3);
         }},
        {TERRAIN_TYPE_DESERT, TERRAIN_TYPE_GRASS, kGrassDesert,
         [](int type) { return type == TERRAIN_TYPE_GRASS; }},
    };
    for (const Case& c : cases) {
        PaintBlobs(map.grid, c.background, c.blob, 7);
        TransitionPlan plan = editor.FixTransitions({0, 0, 100, 100}, TransitionOptions::Default());
        EXPECT_TRUE(plan.unfit.empty()) << c.blob;
        EXPECT_GT(plan.cornersChanged, 0) << c.blob;
        EXPECT_EQ(DisagreeingNeighbours(map.grid, c.isOpen, c.sheets, 1), 0) << c.blob;
    }
}

// Where more than two families meet (shallows by the ocean, desert beside grass, mountains by
// the sea), every tile still gets a cell, and a second run finds next to nothing to change.
TEST_F(TransitionSolverTest, MixedTerrainsLeaveNoTileWithoutACell) {
    PaintBlobs(map.grid, TERRAIN_TYPE_OCEAN, TERRAIN_TYPE_GRASS, 11);
    const int kinds[] = {TERRAIN_TYPE_SHALLOW, TERRAIN_TYPE_DESERT, TERRAIN_TYPE_MOUNTAIN_1,
                         TERRAIN_TYPE_MOUNTAIN_3};
    for (int i = 0; i < 80; ++i) {
        const int x = (i * 37) % 100;
        const int y = (i * 53) % 100;
        map.grid.FillRect(kinds[i % 4], 1, x, y, x + 2 + i % 3, y + 2 + i % 2);
    }
    EXPECT_TRUE(
        editor.FixTransitions({0, 0, 100, 100}, TransitionOptions::Default()).unfit.empty());
    TransitionPlan again = editor.FixTransitions({0, 0, 100, 100}, TransitionOptions::Default());
    EXPECT_TRUE(again.unfit.empty());
    EXPECT_LT(again.picks.size(), 100u);
}

// Two brush dabs that meet at a corner leave a tile with two land corners set diagonally: a
// corner gives way and the coast closes; the stroke undoes at once. A diagonal on the rim of
// the area, whose corners cannot move, is reported with the nearest cell.
TEST_F(TransitionSolverTest, DiagonalsGiveWayOrAreReported) {
    editor.BeginStroke("Terrain Brush");
    std::vector<std::pair<int, int>> unfit;
    for (int at : {4, 6}) {
        TransitionPlan plan = editor.BrushTerrain(TERRAIN_TYPE_GRASS, 0, {at, at, at + 1, at + 1},
                                                  TransitionOptions::Default());
        unfit.insert(unfit.end(), plan.unfit.begin(), plan.unfit.end());
    }
    editor.EndStroke();
    EXPECT_TRUE(unfit.empty());
    EXPECT_EQ(map.grid.GetTileAt(4, 4)->type, TERRAIN_TYPE_GRASS);
    EXPECT_NE(map.grid.GetTileAt(5, 5)->type, TERRAIN_TYPE_OCEAN);
    EXPECT_EQ(DisagreeingNeighbours(map.grid, IsLand, kCoastSheets, 4), 0);
    EXPECT_EQ(editor.History().NextToUndo()->Name(), "Terrain Brush");
    editor.Undo();
    EXPECT_EQ(CountOf(TERRAIN_TYPE_OCEAN), 100 * 100);

    // Grass down a diagonal: the middle tile's corners read back land, water, land, water.
    for (int at : {9, 10, 11}) {
        map.grid.SetTile(TERRAIN_TYPE_GRASS, 1, at, at);
    }
    TransitionPlan alone = editor.FixTransitions({10, 10, 11, 11}, TransitionOptions::Default());
    EXPECT_EQ(alone.unfit, (std::vector<std::pair<int, int>>{{10, 10}}));
    EXPECT_EQ(alone.cornersChanged, 0);
    EXPECT_TRUE(
        editor.FixTransitions({0, 0, 100, 100}, TransitionOptions::Default()).unfit.empty());
}

// Corners read back from the tiles around them: plain tiles give their type, transition tiles
// their mask's side; the majority of sides wins, an even split going to land, and within a
// side a type a plain tile gave.
TEST_F(TransitionSolverTest, CornersReadBackFromTheTilesAroundThem) {
    map.grid.SetTile(TERRAIN_TYPE_SHALLOW, 1, 1, 0);
    map.grid.SetTile(TERRAIN_TYPE_GRASS, 1, 0, 1);
    // Grass-Ocean A cell 76: land along the bottom edge only.
    map.grid.SetTile(TERRAIN_TYPE_GRASS_OCEAN_A, 77, 1, 1);
    ASSERT_EQ(map.grid.GetTileAt(1, 1)->exits, 0x38);
    CCornerField field = CCornerField::ReadBack(map.grid, {0, 0, 3, 3});
    // (1, 1): ocean, shallows, the transition's water, grass: ocean has two votes.
    EXPECT_EQ(field.At(1, 1), TERRAIN_TYPE_OCEAN);
    // (1, 2): grass, the transition's land, ocean, ocean: a tie that land takes.
    EXPECT_EQ(field.At(1, 2), TERRAIN_TYPE_GRASS);
    // (2, 2): the transition's land against three ocean tiles: the majority.
    EXPECT_EQ(field.At(2, 2), TERRAIN_TYPE_OCEAN);
    // (2, 0), on the map's edge: ocean and shallows, one vote each, both plain.
    EXPECT_TRUE(field.At(2, 0) == TERRAIN_TYPE_OCEAN || field.At(2, 0) == TERRAIN_TYPE_SHALLOW);
    EXPECT_EQ(field.CornersOf(1, 1), (TileCorners{TERRAIN_TYPE_OCEAN, TERRAIN_TYPE_OCEAN,
                                                  TERRAIN_TYPE_OCEAN, TERRAIN_TYPE_GRASS}));
}

}  // namespace
