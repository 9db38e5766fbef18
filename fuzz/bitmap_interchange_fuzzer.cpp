// Imports a colour bitmap and its subtype bitmap into a map of its own. The input holds both:
// a 16-bit little-endian length, that many bytes of colour bitmap, and the subtype bitmap.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "interchange/bitmap_interchange.h"
#include "model/random.h"
#include "model/terrain_table.h"
#include "scratch_files.h"

// Second-set random cells only come with the shipped table.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CScratchFiles files;
    if (size < 2) {
        return 0;
    }
    size_t colorSize = std::min<size_t>(data[0] | data[1] << 8, size - 2);
    const uint8_t* color = data + 2;
    std::string path = files.Write("map.bmp", color, colorSize);
    files.Write(SubtypeFileName("map.bmp"), color + colorSize, size - 2 - colorSize);
    theRandom.Seed(1);
    CTileGrid grid;
    CMapArt art(grid);
    ImportBitmap(art, path);
    return 0;
}
