#pragma once

#include <array>
#include <memory>
#include <mutex>

#include "art/rgb_picture.h"
#include "image/dib_image.h"
#include "model/river_overlay.h"

inline constexpr int kTileSize = 50;         // pixels of a tile in the map view
inline constexpr int kSmallTileSize = 25;    // pixels of a palette cell
inline constexpr int kTinyTileSize = 10;     // pixels of a tile in the map view zoomed out
inline constexpr int kSmallestTileSize = 5;  // pixels of a tile in the map view zoomed out fully
// The map view's zoom levels, smallest first.
inline constexpr int kZoomLevels[] = {kSmallestTileSize, kTinyTileSize, kSmallTileSize, kTileSize};

// The built-in terrain sheets (resources 20000 + type) and river pieces (12000 + cell for wide,
// 12081 + cell for narrow rivers), each loaded on first use and kept, as the 24-bit picture and
// as the drawing copies at 50, 25, 10 and 5 pixels per cell. Safe to use from several threads:
// renderers draw bands side by side.
class CBuiltInArt {
  public:
    // Null for types without a sheet (0, 1, 18 to 21, custom types, other numbers).
    const CDibImage* Sheet(int type);
    const RgbPicture* SheetPixels(int type, int cellSize);

    // Null for cells outside 0 to 80.
    const CDibImage* Piece(const RiverOverlay& item);
    const RgbPicture* PiecePixels(const RiverOverlay& item, int cellSize);

  private:
    struct Entry {
        std::once_flag loaded;
        CDibImage picture;
        RgbPicture pixels;
        RgbPicture smallPixels;
        RgbPicture tinyPixels;
        RgbPicture smallestPixels;
        const RgbPicture& AtSize(int cellSize) const;
    };

    static Entry* Load(Entry& entry, int resourceId, bool keyed);
    Entry* SheetEntry(int type);
    Entry* PieceEntry(const RiverOverlay& item);

    std::array<Entry, 42> sheets;
    std::array<Entry, 162> pieces;
};

// Shared by every map: the pictures never change.
extern CBuiltInArt theBuiltInArt;
