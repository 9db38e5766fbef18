// Writes the seed corpora of the harnesses with the program's own writers: maps with and
// without rivers and art, BMP files of every depth, the shipped game data and an export pair.
// Usage: tarvo_fuzz_seeds GAMEDATA OUTPUT_FOLDER
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "art/overview_picture.h"
#include "interchange/bitmap_interchange.h"
#include "mapfile/map_file.h"
#include "model/terrain_table.h"

namespace fs = std::filesystem;

namespace {

void Require(bool ok, const std::string& what) {
    if (!ok) {
        std::fprintf(stderr, "tarvo_fuzz_seeds: %s failed\n", what.c_str());
        std::exit(1);
    }
}

std::vector<char> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(file), {});
}

// A picture whose colour changes slowly, so that it also survives JPEG as art should.
std::string SavePicture(const fs::path& path, int width, int height, int bytesPerPixel) {
    CDibImage picture;
    picture.Create(width, height, bytesPerPixel);
    for (int i = 0; bytesPerPixel == 1 && i < CDibImage::kPaletteSize; ++i) {
        uint8_t level = static_cast<uint8_t>(i);
        picture.palette[i] = {level, static_cast<uint8_t>(255 - level), level, 0};
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.PixelPtr(x, y);
            for (int c = 0; c < bytesPerPixel; ++c) {
                pixel[c] = static_cast<uint8_t>(x * 64 / width + y * 128 / height + 60 * c);
            }
        }
    }
    Require(picture.SaveBmp(path.string()) == 0, "saving " + path.string());
    return path.string();
}

// A map in memory as the editor holds it.
struct SeedMap {
    SeedMap(int width, int height, int type) {
        Require(grid.Allocate(width, height), "allocating a grid");
        grid.FillAll(type);
    }
    void Save(const fs::path& path) {
        RebuildOverview(art, overview);
        Require(SaveMap(path.string(), art, overview) == 0, "saving " + path.string());
    }

    CTileGrid grid;
    CMapArt art{grid};
    CDibImage overview;
};

// Bands of the common types, some exact cells and some second-set requests, and two rivers.
void PaintLandscape(CTileGrid& grid) {
    const int types[] = {TERRAIN_TYPE_OCEAN,   TERRAIN_TYPE_SHALLOW,      TERRAIN_TYPE_DESERT,
                         TERRAIN_TYPE_GRASS,   TERRAIN_TYPE_FARM,         TERRAIN_TYPE_WOODS,
                         TERRAIN_TYPE_HILLS_1, TERRAIN_TYPE_MOUNTAIN_2,   TERRAIN_TYPE_SWAMP,
                         TERRAIN_TYPE_SUBURB,  TERRAIN_TYPE_GRASS_DESERT, TERRAIN_TYPE_MTN_TRANS};
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            int type = types[(x + y / 2) % std::size(types)];
            int request = (x * 7 + y) % 5 == 0 ? 1 + (x * y) % kLastExactRequest : 0;
            grid.SetTile(type, y % 6 == 5 ? kRandomSecondSet : request, x, y);
        }
    }
    for (int i = 0; i < grid.GetWidth(); ++i) {
        grid.AddOverlay(i, 4 + i / 3, kWideRiver, i % 81);
        grid.AddOverlay(i / 2, 15, kNarrowRiver, 80 - i % 81);
    }
}

void MakeMapSeeds(const fs::path& folder) {
    SeedMap(20, 20, TERRAIN_TYPE_GRASS).Save(folder / "new.gmp");

    SeedMap rivers(23, 21, TERRAIN_TYPE_GRASS);
    PaintLandscape(rivers.grid);
    rivers.Save(folder / "rivers.gmp");

    SeedMap cities(20, 20, TERRAIN_TYPE_DESERT);
    for (int bytesPerPixel : {1, 3, 4}) {
        fs::path picture = folder / ("city" + std::to_string(bytesPerPixel) + ".bmp");
        Require(cities.art.AddCityArt(SavePicture(picture, 23, 11, bytesPerPixel)),
                "adding city art");
        fs::remove(picture);
    }
    cities.Save(folder / "city_art.gmp");

    // One slot of custom art is a file of several hundred cells; one such seed is enough.
    SeedMap custom(20, 20, TERRAIN_TYPE_CUSTOM_1 + 2);
    fs::path sheet = folder / "sheet.bmp";
    CCustomTerrainArt& art = *custom.art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + 2);
    Require(art.Import(SavePicture(sheet, kCustomArtSide, kCustomArtSide, 3)) == 0,
            "importing custom art");
    art.ToggleExit(4, 4, -1);
    fs::remove(sheet);
    custom.Save(folder / "custom_art.gmp");
}

void MakeBmpSeeds(const fs::path& folder) {
    for (int bytesPerPixel : {1, 3, 4}) {
        // An odd width, so that rows carry padding.
        SavePicture(folder / ("depth" + std::to_string(8 * bytesPerPixel) + ".bmp"), 13, 7,
                    bytesPerPixel);
    }
}

// The harness's input: the colour bitmap's length in two bytes, the colour bitmap, the subtype
// bitmap (absent when withSubtypes is false).
void WriteImportSeed(const fs::path& exported, bool withSubtypes, const fs::path& seed) {
    std::vector<char> colors = ReadBytes(exported);
    std::vector<char> subtypes = ReadBytes(SubtypeFileName(exported.string()));
    Require(colors.size() <= 0xFFFF, "fitting the colour bitmap's length into two bytes");
    std::ofstream out(seed, std::ios::binary);
    out.put(static_cast<char>(colors.size() & 0xFF)).put(static_cast<char>(colors.size() >> 8));
    out.write(colors.data(), static_cast<std::streamsize>(colors.size()));
    if (withSubtypes) {
        out.write(subtypes.data(), static_cast<std::streamsize>(subtypes.size()));
    }
    Require(out.good(), "writing " + seed.string());
}

void MakeImportSeeds(const fs::path& folder) {
    SeedMap map(21, 20, TERRAIN_TYPE_GRASS);
    PaintLandscape(map.grid);
    fs::path exported = folder / "export.bmp";
    Require(ExportBitmap(map.grid, exported.string()) == 0, "exporting a map");
    WriteImportSeed(exported, true, folder / "pair.bin");
    WriteImportSeed(exported, false, folder / "colors_only.bin");
    fs::remove(exported);
    fs::remove(SubtypeFileName(exported.string()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvo_fuzz_seeds GAMEDATA OUTPUT_FOLDER\n");
        return 2;
    }
    const fs::path gameData = argv[1];
    const fs::path out = argv[2];
    Require(theTerrainTable.LoadGameData(gameData.string()) == 0, "reading " + gameData.string());
    fs::remove_all(out);
    for (const char* harness : {"map_file", "dib_image", "terrain_table", "bitmap_interchange"}) {
        fs::create_directories(out / harness);
    }
    MakeMapSeeds(out / "map_file");
    MakeBmpSeeds(out / "dib_image");
    fs::copy_file(gameData, out / "terrain_table" / "tarvo.ini");
    MakeImportSeeds(out / "bitmap_interchange");
    return 0;
}
