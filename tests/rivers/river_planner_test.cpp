#include "rivers/river_planner.h"

#include <gtest/gtest.h>

#include "document/map_document.h"
#include "edit/map_editor.h"
#include "model/terrain_type.h"
#include "rivers/river_pieces.h"
#include "support/map_builder.h"
#include "support/terrain_table_guard.h"

namespace {

// The exits of the piece of kind on tile (x, y), or -1 without one.
int ExitsAt(const CTileGrid& grid, int x, int y, int kind) {
    for (const RiverOverlay& piece : grid.GetOverlays(x, y)) {
        if ((piece.kind == kWideRiver) == (kind == kWideRiver)) {
            return RiverPieceInfoAt(piece.cell).exits;
        }
    }
    return -1;
}

RiverPieceShape ShapeAt(const CTileGrid& grid, int x, int y) {
    return RiverPieceInfoAt(grid.GetOverlays(x, y).back().cell).shape;
}

// Every exit of every piece of kind leads into a piece that leads back, or into open water.
std::string BrokenExits(const CTileGrid& grid, int kind) {
    std::string broken;
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            const int exits = ExitsAt(grid, x, y, kind);
            for (int d = 0; exits > 0 && d < 4; ++d) {
                if ((exits & RiverExit(d)) == 0) {
                    continue;
                }
                const int nx = x + kRiverSteps[d][0];
                const int ny = y + kRiverSteps[d][1];
                const int back = grid.Contains(nx, ny) ? ExitsAt(grid, nx, ny, kind) : -1;
                if (!(back > 0 && (back & RiverExit((d + 2) % 4)) != 0) &&
                    !IsOpenWaterTowards(grid, nx, ny, (d + 2) % 4)) {
                    broken += std::to_string(x) + "," + std::to_string(y) + " ";
                }
            }
        }
    }
    return broken;
}

TilePath Line(std::pair<int, int> from, std::pair<int, int> to) {
    TilePath path{from};
    ExtendPath(path, to);
    return path;
}

class RiverPlannerTest : public testing::Test {
  protected:
    void SetUp() override {
        LoadShippedGameData();
        map.MakeNew(30, 20, TERRAIN_TYPE_GRASS);
        map.grid.FillRect(TERRAIN_TYPE_OCEAN, 1, 0, 15, 30, 20);
        editor.StartHistory(true);
    }
    TerrainTableGuard guard;
    CMapDocument map;
    CMapEditor editor{map.art, map.overview};
};

TEST(RiverPiecesTest, EveryExitSetHasAPieceOfItsShape) {
    CRandom random(3);
    for (int exits = 0; exits < 16; ++exits) {
        uint8_t mask = 0;
        for (int d = 0; d < 4; ++d) {
            mask |= exits >> d & 1 ? RiverExit(d) : 0;
        }
        for (bool water : {false, true}) {
            const RiverPieceShape shape = ShapeForExits(mask, water, false);
            const int piece = ChooseRiverPiece(mask, shape, random);
            ASSERT_GE(piece, 0) << exits;
            EXPECT_EQ(RiverPieceInfoAt(piece).exits, mask);
            EXPECT_EQ(RiverPieceInfoAt(piece).shape, shape);
        }
    }
    EXPECT_EQ(ShapeForExits(kRiverExitTop, true, false), RiverPieceShape::kMouth);
    EXPECT_EQ(ShapeForExits(kRiverExitTop, false, false), RiverPieceShape::kSource);
    EXPECT_EQ(ShapeForExits(kRiverExitTop | kRiverExitBottom, false, true), RiverPieceShape::kLake);
}

// A diagonal move goes through a tile between; a path that comes back to itself is cut there.
TEST(RiverPathTest, PathsGoThroughEdgeNeighboursAndDoNotCrossThemselves) {
    TilePath path;
    ExtendPath(path, 0.5, 0.5, 2.6, 1.4);
    for (size_t i = 1; i < path.size(); ++i) {
        EXPECT_TRUE(AreEdgeNeighbours(path[i - 1], path[i]));
    }
    EXPECT_EQ(path.front(), std::make_pair(0, 0));
    EXPECT_EQ(path.back(), std::make_pair(2, 1));
    EXPECT_EQ(path.size(), 4u);
    ExtendPath(path, {2, 3});
    ExtendPath(path, {1, 3});
    ExtendPath(path, {1, 2});
    ExtendPath(path, {1, 1});  // back on the path: cut there
    EXPECT_EQ(path.back(), std::make_pair(1, 1));
    EXPECT_EQ(std::count(path.begin(), path.end(), std::make_pair(1, 1)), 1);
}

// A river from a spring to the sea: a source at the start, runs and a bend, a mouth by the
// water, nothing on the water; every exit meets its neighbour; one step that undoes.
TEST_F(RiverPlannerTest, ARiverRunsFromItsSourceToItsMouth) {
    TilePath path = Line({3, 5}, {10, 5});
    ExtendPath(path, {10, 18});
    RiverPlan plan = editor.DrawRiver(kNarrowRiver, path, false);
    EXPECT_FALSE(plan.unstorable);
    EXPECT_EQ(plan.changes.size(), 8u + 9u);
    EXPECT_EQ(ShapeAt(map.grid, 3, 5), RiverPieceShape::kSource);
    EXPECT_EQ(ShapeAt(map.grid, 10, 14), RiverPieceShape::kMouth);
    EXPECT_EQ(ExitsAt(map.grid, 10, 5, kNarrowRiver), kRiverExitLeft | kRiverExitBottom);
    EXPECT_EQ(map.grid.GetOverlayCount(10, 15), 0);
    EXPECT_EQ(BrokenExits(map.grid, kNarrowRiver), "");
    EXPECT_EQ(editor.History().NextToUndo()->Name(), "River Brush");
    editor.Undo();
    EXPECT_TRUE(map.grid.TilesWithRivers().empty());
}

// A river that ends on another forks it; one that crosses it makes a junction; a river of
// the other kind goes on top, leaving the first as it was.
TEST_F(RiverPlannerTest, RiversThatMeetJoin) {
    editor.DrawRiver(kWideRiver, Line({2, 8}, {20, 8}), false);
    editor.DrawRiver(kWideRiver, Line({6, 2}, {6, 8}), false);
    EXPECT_EQ(ShapeAt(map.grid, 6, 8), RiverPieceShape::kFork);
    editor.DrawRiver(kWideRiver, Line({12, 3}, {12, 12}), false);
    EXPECT_EQ(ShapeAt(map.grid, 12, 8), RiverPieceShape::kJunction);
    EXPECT_EQ(BrokenExits(map.grid, kWideRiver), "");
    editor.DrawRiver(kNarrowRiver, Line({15, 3}, {15, 12}), false);
    EXPECT_EQ(map.grid.GetOverlayCount(15, 8), 2);
    EXPECT_EQ(ExitsAt(map.grid, 15, 8, kWideRiver), kRiverExitLeft | kRiverExitRight);
    EXPECT_EQ(BrokenExits(map.grid, kNarrowRiver), "");
}

// Erasing a stretch in the middle leaves two rivers with proper ends, and only the erased
// tiles and the ones beside them change.
TEST_F(RiverPlannerTest, ErasingMendsTheEnds) {
    editor.DrawRiver(kWideRiver, Line({2, 8}, {20, 8}), false);
    editor.DrawRiver(kWideRiver, Line({9, 2}, {9, 8}), false);
    RiverPlan plan = editor.DrawRiver(kWideRiver, Line({8, 8}, {10, 8}), true);
    EXPECT_EQ(plan.changes.size(), 3u + 3u);
    for (int x : {8, 9, 10}) {
        EXPECT_EQ(map.grid.GetOverlayCount(x, 8), 0);
    }
    EXPECT_EQ(ShapeAt(map.grid, 7, 8), RiverPieceShape::kSource);
    EXPECT_EQ(ShapeAt(map.grid, 11, 8), RiverPieceShape::kSource);
    EXPECT_EQ(ShapeAt(map.grid, 9, 7), RiverPieceShape::kSource);
    EXPECT_EQ(BrokenExits(map.grid, kWideRiver), "");
    editor.Undo();
    EXPECT_EQ(ShapeAt(map.grid, 9, 8), RiverPieceShape::kFork);
}

}  // namespace
