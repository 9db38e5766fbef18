#pragma once

#include <cstdint>
#include <string>

#include "document/map_document.h"
#include "model/tile_grid.h"

// Blobs of one plain type on another, as a designer paints them or a bitmap brings them: a few
// dozen discs of random size, from a fixed seed.
void PaintBlobs(CTileGrid& grid, int background, int blob, uint32_t seed);

// The 8 boundary points of a tile on the open side of a family's divide (a plain tile's all or
// none by its type, a transition tile's from its exit mask); isOpen says which plain types are
// open.
template <typename IsOpen>
uint8_t OpenPoints(const CTile& tile, IsOpen isOpen, int transitionType) {
    if (tile.type == transitionType) {
        return tile.exits;
    }
    return isOpen(tile.type) ? 0xFF : 0x00;
}

// The neighbouring tiles whose shared boundary points disagree, as "x,y>" (right) or "x,yv"
// (below), and the count of them.
template <typename IsOpen>
int DisagreeingNeighbours(const CTileGrid& grid, IsOpen isOpen, const int* transitionTypes,
                          int typeCount, std::string* where = nullptr) {
    auto points = [&](int x, int y) {
        const CTile& tile = *grid.GetTileAt(x, y);
        for (int i = 0; i < typeCount; ++i) {
            if (tile.type == transitionTypes[i]) {
                return static_cast<uint8_t>(tile.exits);
            }
        }
        return static_cast<uint8_t>(isOpen(tile.type) ? 0xFF : 0x00);
    };
    auto bit = [](uint8_t mask, int d) { return mask >> d & 1; };
    int count = 0;
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            const uint8_t here = points(x, y);
            if (x + 1 < grid.GetWidth()) {
                const uint8_t right = points(x + 1, y);
                if (bit(here, 1) != bit(right, 7) || bit(here, 2) != bit(right, 6) ||
                    bit(here, 3) != bit(right, 5)) {
                    ++count;
                    if (where != nullptr) {
                        *where += std::to_string(x) + "," + std::to_string(y) + "> ";
                    }
                }
            }
            if (y + 1 < grid.GetHeight()) {
                const uint8_t below = points(x, y + 1);
                if (bit(here, 5) != bit(below, 7) || bit(here, 4) != bit(below, 0) ||
                    bit(here, 3) != bit(below, 1)) {
                    ++count;
                    if (where != nullptr) {
                        *where += std::to_string(x) + "," + std::to_string(y) + "v ";
                    }
                }
            }
        }
    }
    return count;
}
