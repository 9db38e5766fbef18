// Loads the input as a map file, as Open Map does, into a map that already holds art, rivers and
// edited exits. A load that fails must leave that map exactly as it was. A map that loads is
// drawn in part, and must save, and the saved file must load again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "art/overview_picture.h"
#include "art/tile_renderer.h"
#include "mapfile/map_file.h"
#include "model/random.h"
#include "model/terrain_table.h"
#include "scratch_files.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

void RequireSuccess(int result, const char* step, const std::string& reason) {
    if (result != 0) {
        Fail(std::string(step) + " of a loaded map failed with " + std::to_string(result) + ": " +
             reason);
    }
}

void Append(std::string& text, const void* bytes, size_t count) {
    text.append(static_cast<const char*>(bytes), count);
}

// The map in memory before a load.
struct CurrentMap {
    CTileGrid grid;
    CMapArt art{grid};
    CDibImage overview;

    // A small map with every kind of content a load replaces.
    void Make() {
        grid.Clear();
        art.Reset();
        if (!grid.Allocate(12, 9)) {
            Fail("no memory for the current map");
        }
        grid.FillAll(TERRAIN_TYPE_GRASS);
        grid.SetTile(TERRAIN_TYPE_CUSTOM_1 + 4, 7, 3, 3);
        grid.AddOverlay(2, 2, kWideRiver, 9);
        CCustomTerrainArt& custom = *art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + 4);
        custom.full.Create(kCustomArtSide, kCustomArtSide, 3);
        custom.full.FillRect(0, 0, kCustomArtSide, kCustomArtSide, 0x406080);
        custom.BuildZooms();
        custom.sourcePath = "current.bmp";
        custom.loaded = 1;
        custom.ToggleExit(1, 2, -1);
        auto* city = new CTerrainArt();
        city->full.Create(9, 5, 3);
        city->BuildZooms();
        city->name = "town.bmp";
        art.AppendCityArt(city);
        theTerrainTable.milesPerTile = 37;
        RebuildOverview(art, overview);
    }

    // Everything a load may change. Pictures count by their buffers: a failed load must not
    // have swapped any in.
    std::string Fingerprint() const {
        std::string print;
        Append(print, theTerrainTable.records.data(),
               sizeof(CTerrainType) * theTerrainTable.records.size());
        Append(print, &theTerrainTable.milesPerTile, sizeof theTerrainTable.milesPerTile);
        Append(print, grid.Tiles(), sizeof(CTile) * grid.GetWidth() * grid.GetHeight());
        for (auto [x, y] : grid.TilesWithRivers()) {
            RiverOverlay item;
            for (int k = 0; grid.GetOverlay(x, y, k, item); ++k) {
                print += {static_cast<char>(x), static_cast<char>(y), static_cast<char>(item.kind),
                          static_cast<char>(item.cell)};
            }
        }
        Append(print, overview.bits.get(), overview.GetBufferSize());
        auto picture = [&](const CDibImage& image) {
            const void* bits = image.bits.get();
            Append(print, &bits, sizeof bits);
            Append(print, &image.infoHeader, sizeof image.infoHeader);
        };
        for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
            const CCustomTerrainArt& custom = *art.CustomArtFor(type);
            print += std::to_string(custom.loaded) + custom.sourcePath + "|";
            Append(print, custom.exitMasks.data(), custom.exitMasks.size());
            picture(custom.full);
            picture(custom.half);
        }
        for (int i = 0; i < art.CityArt().GetCount(); ++i) {
            const auto* city = static_cast<const CTerrainArt*>(art.CityArt().GetAt(i));
            print += city->name.value_or("") + "|";
            picture(city->full);
        }
        return print;
    }
};

// Draws the top-left corner of the map as the view and the render command do.
void RenderCorner(const CMapArt& art) {
    constexpr int kTiles = 3;
    constexpr int kTileSize = 25;
    std::vector<uint32_t> pixels(kTiles * kTileSize * kTiles * kTileSize);
    RgbTarget target{pixels.data(), kTiles * kTileSize, kTiles * kTileSize, kTiles * kTileSize};
    const CTileGrid& grid = art.Grid();
    RenderTiles(art, kTileSize, 0, 0, std::min(kTiles, grid.GetWidth()),
                std::min(kTiles, grid.GetHeight()), target, 0, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CScratchFiles files;
    static CurrentMap current;
    static std::string before;
    if (before.empty()) {
        current.Make();
        before = current.Fingerprint();
    }
    theRandom.Seed(1);  // random cells drawn while loading repeat from run to run
    std::string reason;
    if (LoadMap(files.Write("input.gmp", data, size), current.art, current.overview, &reason) !=
        0) {
        if (current.Fingerprint() != before) {
            Fail("a failed load (" + reason + ") changed the map in memory");
        }
        return 0;
    }
    RenderCorner(current.art);
    std::string copy = files.PathOf("copy.gmp");
    RequireSuccess(SaveMap(copy, current.art, current.overview, &reason), "Saving", reason);
    CTileGrid reloadedGrid;
    CMapArt reloaded(reloadedGrid);
    CDibImage reloadedOverview;
    RequireSuccess(LoadMap(copy, reloaded, reloadedOverview, &reason), "Reloading", reason);
    current.Make();
    before = current.Fingerprint();
    return 0;
}
