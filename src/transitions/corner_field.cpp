#include "transitions/corner_field.h"

#include "model/terrain_type.h"
#include "model/tile_grid.h"

namespace {

// What one tile says of its four corners (0 top-left, clockwise): the type each shows, and
// whether that is the tile's own plain type.
struct TileVotes {
    std::array<uint8_t, 4> types{};
    bool plain = false;
    bool present = false;
};

TileVotes VotesOf(const CTile& tile) {
    TileVotes votes;
    votes.present = true;
    int openType;
    int closedType;
    votes.plain = !SidesOf(tile.type, openType, closedType);
    for (int corner = 0; corner < 4; ++corner) {
        const bool open = (tile.exits >> kCornerDirections[corner] & 1) != 0;
        votes.types[corner] = static_cast<uint8_t>(votes.plain ? tile.type
                                                   : open      ? openType
                                                               : closedType);
    }
    return votes;
}

// A corner is decided the way the families divide the land: water or land first, on land
// mountain or low ground, and then the type most tiles of that side give. Even splits go to the
// open side (land, low ground), so that a corner on a straight shore is land and shores lie in
// the water's tiles whichever way they face; within a side, to a type a plain tile gave, then to
// grass before desert.
enum Side { kWater, kMountain, kLowGround };

Side SideOf(int type) {
    return IsWaterType(type) ? kWater : IsMountainType(type) ? kMountain : kLowGround;
}

uint8_t Winner(const uint8_t* types, const bool* plain, int votes) {
    int sides[3] = {};
    for (int i = 0; i < votes; ++i) {
        ++sides[SideOf(types[i])];
    }
    const int land = sides[kMountain] + sides[kLowGround];
    const Side side = sides[kWater] > land                   ? kWater
                      : sides[kMountain] > sides[kLowGround] ? kMountain
                                                             : kLowGround;
    uint8_t best = 0;
    int bestRank = -1;
    for (int i = 0; i < votes; ++i) {
        if (SideOf(types[i]) != side) {
            continue;
        }
        int count = 0;
        bool anyPlain = false;
        for (int j = 0; j < votes; ++j) {
            if (types[j] == types[i]) {
                ++count;
                anyPlain = anyPlain || plain[j];
            }
        }
        const int rank = count * 4 + (anyPlain ? 2 : 0) + (types[i] == TERRAIN_TYPE_DESERT ? 0 : 1);
        if (rank > bestRank) {
            best = types[i];
            bestRank = rank;
        }
    }
    return best;
}

}  // namespace

CCornerField CCornerField::ReadBack(const CTileGrid& grid, const TileRect& rect) {
    CCornerField field;
    field.rect = rect;
    field.corners.resize(static_cast<size_t>(rect.Width() + 1) * (rect.Height() + 1));
    // The votes of the tiles around the corners: one more column and row on each side.
    const int columns = rect.Width() + 2;
    const int rows = rect.Height() + 2;
    std::vector<TileVotes> votes(static_cast<size_t>(columns) * rows);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const CTile* tile = grid.GetTileAt(rect.left - 1 + column, rect.top - 1 + row);
            if (tile != nullptr) {
                votes[static_cast<size_t>(row) * columns + column] = VotesOf(*tile);
            }
        }
    }
    // The tiles around a corner, and which of their corners it is.
    constexpr int kAround[4][3] = {{0, 0, 2}, {1, 0, 3}, {1, 1, 0}, {0, 1, 1}};
    for (int y = rect.top; y <= rect.bottom; ++y) {
        for (int x = rect.left; x <= rect.right; ++x) {
            uint8_t types[4];
            bool plain[4];
            int count = 0;
            for (const auto& [dx, dy, corner] : kAround) {
                const TileVotes& tile =
                    votes[static_cast<size_t>(y - rect.top + dy) * columns + (x - rect.left + dx)];
                if (tile.present) {
                    types[count] = tile.types[corner];
                    plain[count] = tile.plain;
                    ++count;
                }
            }
            const bool agree =
                count == 4 && types[0] == types[1] && types[1] == types[2] && types[2] == types[3];
            field.Set(x, y, agree ? types[0] : Winner(types, plain, count));
        }
    }
    return field;
}

CCornerField CCornerField::Filled(const TileRect& rect, uint8_t type) {
    CCornerField field;
    field.rect = rect;
    field.corners.assign(static_cast<size_t>(rect.Width() + 1) * (rect.Height() + 1), type);
    return field;
}

TileCorners CCornerField::CornersOf(int x, int y) const {
    return {At(x, y), At(x + 1, y), At(x + 1, y + 1), At(x, y + 1)};
}
