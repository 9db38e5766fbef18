#include "art/builtin_art.h"

#include <cstring>

#include "art/builtin_bitmaps.h"
#include "image/dib_conversion.h"

CBuiltInArt theBuiltInArt;

namespace {

constexpr int kSheetResourceBase = 20000;
constexpr int kPieceResourceBase = 12000;
constexpr int kPiecesPerKind = 81;
constexpr uint32_t kKeyRgb32 = 0xFFFF00FFu;  // magenta

void CopyBitmap(const BuiltInBitmap& bitmap, CDibImage& picture) {
    picture.Create(bitmap.width, bitmap.height, 3);
    if (!picture.IsEmpty()) {
        std::memcpy(picture.bits.get(), bitmap.pixels, picture.GetBufferSize());
    }
}

// Magenta becomes fully transparent, so drawing needs no colour compare.
void ClearKeyPixels(RgbPicture& picture) {
    for (uint32_t& pixel : picture.pixels) {
        if (pixel == kKeyRgb32) {
            pixel = 0;
        }
    }
}

}  // namespace

CBuiltInArt::Entry* CBuiltInArt::Load(Entry& entry, int resourceId, bool keyed) {
    std::call_once(entry.loaded, [&] {
        if (const BuiltInBitmap* bitmap = FindBuiltInBitmap(resourceId)) {
            CopyBitmap(*bitmap, entry.picture);
            entry.pixels.width = entry.picture.GetWidth();
            entry.pixels.height = entry.picture.GetHeight();
            entry.pixels.pixels = ToRgb32(entry.picture);
            if (keyed) {
                ClearKeyPixels(entry.pixels);
            }
            entry.smallPixels = ShrinkByDropping(entry.pixels, kTileSize / kSmallTileSize);
            const int tiny = kTileSize / kTinyTileSize;
            entry.tinyPixels = keyed ? ShrinkKeepingWater(entry.pixels, tiny)
                                     : ShrinkByDropping(entry.pixels, tiny);
            const int smallest = kTileSize / kSmallestTileSize;
            entry.smallestPixels = keyed ? ShrinkKeepingWater(entry.pixels, smallest)
                                         : ShrinkByDropping(entry.pixels, smallest);
        }
    });
    return entry.picture.IsEmpty() ? nullptr : &entry;
}

CBuiltInArt::Entry* CBuiltInArt::SheetEntry(int type) {
    if (type < 0 || type >= static_cast<int>(sheets.size())) {
        return nullptr;
    }
    return Load(sheets[type], kSheetResourceBase + type, false);
}

CBuiltInArt::Entry* CBuiltInArt::PieceEntry(const RiverOverlay& item) {
    if (item.cell >= kPiecesPerKind) {
        return nullptr;
    }
    int slot = (item.kind == kWideRiver ? 0 : kPiecesPerKind) + item.cell;
    return Load(pieces[slot], kPieceResourceBase + slot, true);
}

const CDibImage* CBuiltInArt::Sheet(int type) {
    Entry* entry = SheetEntry(type);
    return entry != nullptr ? &entry->picture : nullptr;
}

const RgbPicture* CBuiltInArt::SheetPixels(int type, int cellSize) {
    Entry* entry = SheetEntry(type);
    if (entry == nullptr) {
        return nullptr;
    }
    return &entry->AtSize(cellSize);
}

const CDibImage* CBuiltInArt::Piece(const RiverOverlay& item) {
    Entry* entry = PieceEntry(item);
    return entry != nullptr ? &entry->picture : nullptr;
}

const RgbPicture* CBuiltInArt::PiecePixels(const RiverOverlay& item, int cellSize) {
    Entry* entry = PieceEntry(item);
    if (entry == nullptr) {
        return nullptr;
    }
    return &entry->AtSize(cellSize);
}

const RgbPicture& CBuiltInArt::Entry::AtSize(int cellSize) const {
    switch (cellSize) {
        case kSmallTileSize:
            return smallPixels;
        case kTinyTileSize:
            return tinyPixels;
        case kSmallestTileSize:
            return smallestPixels;
        default:
            return pixels;
    }
}
