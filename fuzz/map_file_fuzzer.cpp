// Loads the input as a map file into a map of its own, as Open Map does. A map that loads must
// also save, and the saved file must load again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "mapfile/map_file.h"
#include "model/random.h"
#include "scratch_files.h"

namespace {

void RequireSuccess(int result, const char* step, const std::string& reason) {
    if (result != 0) {
        std::fprintf(stderr, "%s of a loaded map failed with %d: %s\n", step, result,
                     reason.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CScratchFiles files;
    theRandom.Seed(1);  // random cells drawn while loading repeat from run to run
    CTileGrid grid;
    CMapArt art(grid);
    CDibImage overview;
    if (LoadMap(files.Write("input.gmp", data, size), art, overview) != 0) {
        return 0;
    }
    std::string copy = files.PathOf("copy.gmp");
    std::string reason;
    RequireSuccess(SaveMap(copy, art, overview, &reason), "Saving", reason);
    CTileGrid reloadedGrid;
    CMapArt reloaded(reloadedGrid);
    RequireSuccess(LoadMap(copy, reloaded, overview, &reason), "Reloading", reason);
    return 0;
}
