#include "art/builtin_bitmaps.h"

#include <algorithm>
#include <vector>

#include "art/art_catalog.h"

// Written by the art generator at build time and embedded by the assembler.
extern "C" const uint8_t tarvo_builtin_art_pixels[];
extern "C" const uint8_t tarvo_builtin_art_pixels_end[];

namespace {

struct IndexedBitmap {
    int resourceId;
    BuiltInBitmap bitmap;
};

// The catalogue gives the order and sizes; the pixels follow one another without gaps. A blob
// of another size than the catalogue expects gives no bitmaps rather than wrong ones.
std::vector<IndexedBitmap> BuildIndex() {
    std::vector<IndexedBitmap> index;
    size_t offset = 0;
    for (const BuiltInBitmapInfo& info : BuiltInBitmapInfos()) {
        index.push_back(
            {info.resourceId, {info.width, info.height, tarvo_builtin_art_pixels + offset}});
        offset += DibBytes(info.width, info.height);
    }
    if (offset != static_cast<size_t>(tarvo_builtin_art_pixels_end - tarvo_builtin_art_pixels)) {
        index.clear();
    }
    std::sort(index.begin(), index.end(), [](const IndexedBitmap& a, const IndexedBitmap& b) {
        return a.resourceId < b.resourceId;
    });
    return index;
}

}  // namespace

const BuiltInBitmap* FindBuiltInBitmap(int resourceId) {
    static const std::vector<IndexedBitmap> index = BuildIndex();
    auto found =
        std::lower_bound(index.begin(), index.end(), resourceId,
                         [](const IndexedBitmap& entry, int id) { return entry.resourceId < id; });
    return found != index.end() && found->resourceId == resourceId ? &found->bitmap : nullptr;
}
