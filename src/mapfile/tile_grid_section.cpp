#include <vector>

#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"

namespace {

constexpr uint8_t kEndOfRivers = 0xFF;
constexpr uint8_t kThreeByteRecord = 0x80;

void WriteRivers(CMapArchive& archive, const CTileGrid& grid) {
    for (auto [x, y] : grid.TilesWithRivers()) {
        RiverOverlay item;
        for (int k = 0; grid.GetOverlay(x, y, k, item); ++k) {
            uint8_t entry[4] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y), item.kind,
                                item.cell};
            archive.Write(entry, sizeof entry);
        }
    }
    archive.WriteUInt8(kEndOfRivers);
}

// One tile record: type and request, and a third byte when the type byte's top bit is set.
int ReadTile(CMapArchive& archive, CTile& tile) {
    uint8_t type;
    uint8_t request;
    uint8_t aux = kNoAuxByte;
    if (!archive.ReadByte(type) || !archive.ReadByte(request)) {
        return kMapTileRecordShort;
    }
    if ((type & kThreeByteRecord) != 0 && !archive.ReadByte(aux)) {
        return kMapTileRecordShort;
    }
    tile.Set(type & ~kThreeByteRecord, request);
    tile.auxByte = aux;
    return 0;
}

// River entries up to the 0xFF that ends the list; entries for tiles outside the grid are
// skipped.
int ReadRivers(CMapArchive& archive, CTileGrid& grid, std::string& reason) {
    for (;;) {
        uint8_t entry[4];
        if (!archive.ReadByte(entry[0]) ||
            (entry[0] != kEndOfRivers && archive.Read(entry + 1, 3) != 3)) {
            reason = "the river list has no end";
            return kMapDamaged;
        }
        if (entry[0] == kEndOfRivers) {
            return 0;
        }
        grid.AddOverlay(entry[0], entry[1], entry[2], entry[3]);
    }
}

}  // namespace

int WriteTileGrid(CMapArchive& archive, const CTileGrid& grid) {
    grid.Verify();
    int width = grid.GetWidth();
    int height = grid.GetHeight();
    archive.WriteInt32(width);
    archive.WriteInt32(height);
    std::vector<uint8_t> column(2 * static_cast<size_t>(height));
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const CTile* tile = grid.GetTileAtConst(x, y);
            if (tile == nullptr) {
                return kMapTileMissing;
            }
            column[2 * y] = static_cast<uint8_t>(tile->type);
            column[2 * y + 1] = tile->requestedSubtype;
        }
        archive.Write(column.data(), column.size());
    }
    WriteRivers(archive, grid);
    return 0;
}

int ReadTileGrid(CMapArchive& archive, CTileGrid& grid, std::string& reason) {
    int32_t width = archive.ReadInt32();
    int32_t height = archive.ReadInt32();
    if (width < 1 || height < 1 || width > kMaxMapSide || height > kMaxMapSide) {
        reason = "the map is " + std::to_string(width) + " x " + std::to_string(height) + " tiles";
        return kMapBadGridSize;
    }
    // Every tile takes at least two bytes: a file too short for them allocates nothing.
    if (2 * static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > archive.BytesLeft()) {
        reason = "the tiles end early";
        return kMapTileRecordShort;
    }
    grid.Clear();
    if (!grid.Allocate(width, height)) {
        reason = "no memory for the tiles";
        return kMapTileMissing;
    }
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            int result = ReadTile(archive, *grid.GetTileAt(x, y));
            if (result != 0) {
                reason = "the tiles end early";
                return result;
            }
        }
    }
    // Old-style city tiles become grass with a random cell.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            CTile& tile = *grid.GetTileAt(x, y);
            if (tile.type == TERRAIN_TYPE_CITY) {
                tile.Set(TERRAIN_TYPE_GRASS, kRandomFirstSet);
            }
        }
    }
    return ReadRivers(archive, grid, reason);
}
