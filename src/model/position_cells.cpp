#include "model/position_cells.h"

#include <array>

namespace {

// A 64-bit finaliser that spreads every input bit over the whole value.
uint64_t Mix(uint64_t value) {
    value ^= value >> 33;
    value *= 0xff51afd7ed558ccdull;
    value ^= value >> 33;
    value *= 0xc4ceb9fe1a85ec53ull;
    value ^= value >> 33;
    return value;
}

// One draw, the way CTile::Set asks for it.
struct PositionDraw {
    uint64_t value;
    uint32_t Below(uint32_t count) const {
        return static_cast<uint32_t>(((value >> 32) * count) >> 32);
    }
};

}  // namespace

void DrawRandomCellsByPosition(CTileGrid& grid) {
    const int width = grid.GetWidth();
    const int height = grid.GetHeight();
    CTile* tiles = grid.Tiles();
    const size_t count = static_cast<size_t>(width) * height;
    // Four lanes of FNV-1a over the types and requests, so that the multiplications overlap.
    constexpr uint64_t kPrime = 1099511628211ull;
    auto value = [tiles](size_t i) {
        return static_cast<uint64_t>(tiles[i].type) << 8 | tiles[i].requestedSubtype;
    };
    uint64_t a = 14695981039346656037ull;
    uint64_t b = 1;
    uint64_t c = 2;
    uint64_t d = 3;
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        a = (a ^ value(i)) * kPrime;
        b = (b ^ value(i + 1)) * kPrime;
        c = (c ^ value(i + 2)) * kPrime;
        d = (d ^ value(i + 3)) * kPrime;
    }
    for (; i < count; ++i) {
        a = (a ^ value(i)) * kPrime;
    }
    const uint64_t content =
        Mix(Mix(a ^ Mix(b ^ Mix(c ^ Mix(d)))) ^
            (static_cast<uint64_t>(width) << 32 | static_cast<uint32_t>(height)));
    std::array<TileTypeFacts, 256> facts;
    for (size_t type = 0; type < facts.size(); ++type) {
        facts[type] = TileTypeFacts::Of(static_cast<int>(type));
    }
    for (int y = 0; y < height; ++y) {
        const uint64_t row = content ^ Mix(static_cast<uint64_t>(y));
        uint64_t column = 0;
        CTile* tile = tiles + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x, ++tile) {
            column += 0x9e3779b97f4a7c15ull;
            const int request = tile->requestedSubtype;
            if (request == kRandomFirstSet || request > kLastExactRequest) {
                // One xor-shift-multiply round of the row's and the column's values.
                uint64_t value = row ^ column;
                value ^= value >> 31;
                value *= 0xbf58476d1ce4e5b9ull;
                value ^= value >> 29;
                PositionDraw draw{value};
                tile->Set(tile->type, request, facts[tile->type], draw);
            }
        }
    }
}
