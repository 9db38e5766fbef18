// tarvo_terrain_blocks: writes the map behind docs/terrain-blocks.png, the built-in art as a
// designer sees it in large fills: a 10 x 10 block of every plain type with grass around it, a
// river system with forks, crossings and tributaries, and a bay with an island whose coasts
// Fix Transitions chose.
//
//   tarvo_terrain_blocks GAMEDATA OUT.gmp

#include <cstdio>
#include <cstdlib>
#include <string>

#include "art/art_catalog.h"
#include "art/overview_picture.h"
#include "art/river_piece_table.h"
#include "edit/map_editor.h"
#include "mapfile/map_file.h"
#include "model/builtin_tables.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

constexpr int kBlock = 10;
constexpr int kPitch = kBlock + 1;  // a block and the grass row or column after it
constexpr int kBlockColumns = 5;
constexpr int kBlockRows = 3;
constexpr int kRiverPanel = -1;
constexpr int kCoastPanel = -2;

// Left to right, top to bottom; the mountains side by side at the bottom.
constexpr int kPanels[kBlockRows][kBlockColumns] = {
    {TERRAIN_TYPE_GRASS, TERRAIN_TYPE_FARM, TERRAIN_TYPE_SUBURB, TERRAIN_TYPE_WOODS,
     TERRAIN_TYPE_SWAMP},
    {TERRAIN_TYPE_DESERT, TERRAIN_TYPE_HILLS_1, TERRAIN_TYPE_HILLS_2, TERRAIN_TYPE_SHALLOW,
     TERRAIN_TYPE_OCEAN},
    {TERRAIN_TYPE_MOUNTAIN_1, TERRAIN_TYPE_MOUNTAIN_2, TERRAIN_TYPE_MOUNTAIN_3, kRiverPanel,
     kCoastPanel},
};

constexpr uint8_t kTop = kRiverExitTop;
constexpr uint8_t kRight = kRiverExitRight;
constexpr uint8_t kBottom = kRiverExitBottom;
constexpr uint8_t kLeft = kRiverExitLeft;

struct RiverTile {
    int x;
    int y;
    uint8_t kind;
    uint8_t exits;
    RiverPieceShape shape;
    int variant;
};

// A wide river rises in the north-west and winds to its mouth in the south-east. Half-way it
// forks; the branch forks again, ending in a lake and crossing the main river further down.
// Narrow streams join both, stacked on their pieces. Tiles listed twice carry two pieces.
constexpr RiverTile kRivers[] = {
    {1, 0, kWideRiver, kBottom, RiverPieceShape::kSource, 0},
    {1, 1, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 1},
    {1, 2, kWideRiver, kTop | kRight, RiverPieceShape::kRun, 2},
    {2, 2, kWideRiver, kLeft | kRight, RiverPieceShape::kRun, 0},
    {3, 2, kWideRiver, kLeft | kRight, RiverPieceShape::kRun, 4},
    {4, 2, kWideRiver, kLeft | kBottom, RiverPieceShape::kRun, 1},
    {4, 3, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 2},
    {4, 4, kWideRiver, kTop | kRight | kBottom, RiverPieceShape::kFork, 0},
    {4, 5, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 0},
    {4, 6, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 3},
    {4, 6, kNarrowRiver, kLeft | kBottom, RiverPieceShape::kRun, 2},
    {4, 7, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 4},
    {4, 8, kWideRiver, kTop | kRight, RiverPieceShape::kRun, 0},
    {5, 8, kWideRiver, kLeft | kRight, RiverPieceShape::kRun, 1},
    {6, 8, kWideRiver, kLeft | kRight, RiverPieceShape::kRun, 3},
    {6, 8, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 3},
    {7, 8, kWideRiver, kLeft | kRight, RiverPieceShape::kRun, 2},
    {8, 8, kWideRiver, kLeft | kBottom, RiverPieceShape::kRun, 3},
    {8, 9, kWideRiver, kTop, RiverPieceShape::kMouth, 0},
    {5, 4, kWideRiver, kLeft | kRight, RiverPieceShape::kRun, 1},
    {5, 4, kNarrowRiver, kTop | kLeft, RiverPieceShape::kRun, 1},
    {6, 4, kWideRiver, kLeft | kRight, RiverPieceShape::kRun, 3},
    {6, 4, kWideRiver, kLeft | kBottom, RiverPieceShape::kRun, 2},
    {7, 4, kWideRiver, kLeft | kRight, RiverPieceShape::kRun, 0},
    {8, 4, kWideRiver, kLeft, RiverPieceShape::kLake, 0},
    {6, 5, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 0},
    {6, 6, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 2},
    {6, 7, kWideRiver, kTop | kBottom, RiverPieceShape::kRun, 1},
    {6, 9, kWideRiver, kTop, RiverPieceShape::kLake, 0},
    {7, 0, kNarrowRiver, kBottom, RiverPieceShape::kSource, 2},
    {7, 1, kNarrowRiver, kTop | kBottom, RiverPieceShape::kRun, 0},
    {7, 2, kNarrowRiver, kTop | kLeft, RiverPieceShape::kRun, 1},
    {6, 2, kNarrowRiver, kLeft | kRight, RiverPieceShape::kRun, 4},
    {5, 2, kNarrowRiver, kRight | kBottom, RiverPieceShape::kRun, 2},
    {5, 3, kNarrowRiver, kTop | kBottom, RiverPieceShape::kRun, 1},
    {1, 6, kNarrowRiver, kRight, RiverPieceShape::kSource, 0},
    {2, 6, kNarrowRiver, kLeft | kRight, RiverPieceShape::kRun, 0},
    {3, 6, kNarrowRiver, kLeft | kRight, RiverPieceShape::kRun, 1},
};

void Require(bool ok, const std::string& what) {
    if (!ok) {
        std::fprintf(stderr, "tarvo_terrain_blocks: %s failed\n", what.c_str());
        std::exit(1);
    }
}

int PieceNumber(const RiverTile& tile) {
    for (int n = 0; n < kRiverPieceCount; ++n) {
        const RiverPieceInfo& info = RiverPieceInfoAt(n);
        if (info.exits == tile.exits && info.shape == tile.shape && info.variant == tile.variant) {
            return n;
        }
    }
    Require(false, "finding a river piece");
    return 0;
}

void PaintRivers(CTileGrid& grid, int left, int top) {
    for (const RiverTile& tile : kRivers) {
        grid.AddOverlay(left + tile.x, top + tile.y, tile.kind, PieceNumber(tile));
    }
}

// A bay of plain ocean with shallows along its shore and an island in it, open to the block's
// bottom edge, and then the coasts that Fix Transitions gives it.
void PaintCoast(CMapArt& art, CDibImage& overview, int left, int top) {
    CTileGrid& grid = art.Grid();
    for (int y = 0; y < kBlock + 1; ++y) {
        for (int x = 0; x < kBlock; ++x) {
            const int dx = 2 * x - (kBlock - 1);
            const int dy = 2 * y - 2 * kBlock;
            const bool sea = dx * dx + dy * dy < 4 * 60;
            const bool island = (x - 5) * (x - 5) + (y - 7) * (y - 7) <= 2;
            grid.SetTile(sea && !island ? TERRAIN_TYPE_OCEAN : TERRAIN_TYPE_GRASS, 1, left + x,
                         top + y);
        }
    }
    RebuildOverview(art, overview);
    CMapEditor(art, overview)
        .FixTransitions({left - 1, top - 1, left + kBlock + 1, top + kBlock + 1},
                        TransitionOptions::Default());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvo_terrain_blocks GAMEDATA OUT.gmp\n");
        return 2;
    }
    Require(theTerrainTable.LoadGameData(argv[1]) == 0, std::string("reading ") + argv[1]);
    // The random cells of the blocks come out the same on every run.
    theRandom.Seed(16);
    CTileGrid grid;
    CMapArt art{grid};
    Require(grid.Allocate(kBlockColumns * kPitch + 1, kBlockRows * kPitch + 1), "allocating");
    grid.FillAll(TERRAIN_TYPE_GRASS);
    CDibImage overview;
    for (int row = 0; row < kBlockRows; ++row) {
        for (int column = 0; column < kBlockColumns; ++column) {
            int left = 1 + column * kPitch;
            int top = 1 + row * kPitch;
            int panel = kPanels[row][column];
            if (panel == kRiverPanel) {
                PaintRivers(grid, left, top);
            } else if (panel == kCoastPanel) {
                PaintCoast(art, overview, left, top);
            } else {
                grid.FillRect(panel, kRandomFirstSet, left, top, left + kBlock, top + kBlock);
            }
        }
    }
    RebuildOverview(art, overview);
    Require(SaveMap(argv[2], art, overview) == 0, std::string("saving ") + argv[2]);
    return 0;
}
