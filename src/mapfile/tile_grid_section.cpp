#include <algorithm>
#include <array>
#include <vector>

#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"
#include "model/position_cells.h"
#include "model/terrain_type.h"

namespace {

constexpr uint8_t kEndOfRivers = 0xFF;
constexpr uint8_t kThreeByteRecord = 0x80;
// Columns gathered at once, so that the row-major tiles are read along their rows.
constexpr int kColumnsPerBlock = 16;

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

// The facts of every type a tile record can name (its type byte without the top bit).
using TypeFactsTable = std::array<TileTypeFacts, 128>;

TypeFactsTable TypeFactsOfAllTypes() {
    TypeFactsTable table;
    for (size_t type = 0; type < table.size(); ++type) {
        table[type] = TileTypeFacts::Of(static_cast<int>(type));
    }
    return table;
}

// One tile record byte by byte, for a record that may straddle the end of the archive's
// buffer: type and request, and a third byte when the type byte's top bit is set.
bool ReadRecord(CMapArchive& archive, uint8_t& type, uint8_t& request, uint8_t& aux) {
    aux = kNoAuxByte;
    if (!archive.ReadByte(type) || !archive.ReadByte(request)) {
        return false;
    }
    if ((type & kThreeByteRecord) != 0 && !archive.ReadByte(aux)) {
        return false;
    }
    type &= ~kThreeByteRecord;
    return true;
}

// The records column by column into the row-major tiles. Records are taken straight from the
// archive's buffer into a block of a few columns, which is then copied row by row into the
// grid. Random cells are drawn afterwards, from the whole map. Sets anyCityFound when a tile is
// of the old city type.
int ReadTiles(CMapArchive& archive, CTileGrid& grid, bool& anyCityFound) {
    const TypeFactsTable facts = TypeFactsOfAllTypes();
    const int width = grid.GetWidth();
    const size_t height = static_cast<size_t>(grid.GetHeight());
    std::vector<CTile> block(kColumnsPerBlock * height);
    NoDraw random;
    bool anyCity = false;  // local: the tiles' byte stores might alias the caller's flag
    int result = 0;
    for (int x = 0; x < width && result == 0; x += kColumnsPerBlock) {
        const int columns = std::min(kColumnsPerBlock, width - x);
        const size_t count = columns * height;
        size_t done = 0;
        while (done < count) {
            const uint8_t* bytes = nullptr;
            const size_t available = archive.Peek(bytes);
            // Records that lie whole in the buffer whatever their form.
            const size_t whole = std::min(count - done, available / 3);
            size_t used = 0;
            for (const size_t end = done + whole; done < end; ++done) {
                uint8_t type = bytes[used];
                uint8_t aux = kNoAuxByte;
                const uint8_t request = bytes[used + 1];
                if ((type & kThreeByteRecord) != 0) {
                    type &= ~kThreeByteRecord;
                    aux = bytes[used + 2];
                    used += 3;
                } else {
                    used += 2;
                }
                anyCity |= type == TERRAIN_TYPE_CITY;
                block[done].Set(type, request, facts[type], random);
                block[done].auxByte = aux;
            }
            archive.Skip(used);
            if (whole == 0) {
                uint8_t type;
                uint8_t request;
                uint8_t aux;
                if (!ReadRecord(archive, type, request, aux)) {
                    result = kMapTileRecordShort;
                    break;
                }
                anyCity |= type == TERRAIN_TYPE_CITY;
                block[done].Set(type, request, facts[type], random);
                block[done].auxByte = aux;
                ++done;
            }
        }
        CTile* row = grid.Tiles() + x;
        for (size_t y = 0; y < height && result == 0; ++y, row += width) {
            for (int column = 0; column < columns; ++column) {
                row[column] = block[column * height + y];
            }
        }
    }
    anyCityFound = anyCity;
    return result;
}

// River entries up to the 0xFF that ends the list; entries for tiles outside the grid are
// skipped. Those put on the map go to order too, when it is given.
int ReadRivers(CMapArchive& archive, CTileGrid& grid, std::string& reason,
               std::vector<RiverEntry>* order) {
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
        if (order != nullptr && grid.Contains(entry[0], entry[1])) {
            order->push_back({entry[0], entry[1], {entry[2], entry[3]}});
        }
    }
}

}  // namespace

int WriteTileGrid(CMapArchive& archive, const CTileGrid& grid) {
    grid.Verify();
    int width = grid.GetWidth();
    int height = grid.GetHeight();
    archive.WriteInt32(width);
    archive.WriteInt32(height);
    const CTile* tiles = grid.Tiles();
    const size_t columnBytes = 2 * static_cast<size_t>(height);
    for (int x = 0; x < width; x += kColumnsPerBlock) {
        const int columns = std::min(kColumnsPerBlock, width - x);
        uint8_t* block = archive.Claim(columnBytes * columns);
        for (int y = 0; y < height; ++y) {
            const CTile* tile = tiles + x + static_cast<size_t>(y) * width;
            uint8_t* out = block + 2 * y;
            for (int column = 0; column < columns; ++column, out += columnBytes) {
                out[0] = static_cast<uint8_t>(tile[column].type);
                out[1] = tile[column].requestedSubtype;
            }
        }
    }
    WriteRivers(archive, grid);
    return 0;
}

int ReadTileGrid(CMapArchive& archive, CTileGrid& grid, std::string& reason,
                 std::vector<RiverEntry>* riverOrder) {
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
    bool anyCity = false;
    if (ReadTiles(archive, grid, anyCity) != 0) {
        reason = "the tiles end early";
        return kMapTileRecordShort;
    }
    // Old-style city tiles become grass with a random cell.
    if (anyCity) {
        const TileTypeFacts grass = TileTypeFacts::Of(TERRAIN_TYPE_GRASS);
        CTile* tile = grid.Tiles();
        NoDraw none;
        for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i, ++tile) {
            if (tile->type == TERRAIN_TYPE_CITY) {
                tile->Set(TERRAIN_TYPE_GRASS, kRandomFirstSet, grass, none);
            }
        }
    }
    DrawRandomCellsByPosition(grid);
    return ReadRivers(archive, grid, reason, riverOrder);
}
