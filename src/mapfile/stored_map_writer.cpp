#include "mapfile/stored_map_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <new>

#include "foundation/little_endian.h"
#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"
#include "platform/file.h"
#include "platform/output_file.h"

namespace {

constexpr uint64_t kTableOffset = kStoredHeaderBytes;
constexpr uint64_t kGameDataOffset = kTableOffset + 32;
constexpr uint8_t kEndOfRivers = 0xFF;
constexpr uint8_t kThreeByteRecord = 0x80;
constexpr size_t kCityRecordBytes = 48;
constexpr size_t kCellRecordBytes = 8;

// Where every piece of the file goes. Pieces without an offset follow the one placed before;
// the bytes the layout makes itself (counts, directories) live as long as it does.
class CFileLayout {
  public:
    uint64_t Place(std::optional<uint64_t> offset, const uint8_t* bytes, size_t size) {
        const uint64_t at = offset.value_or(cursor);
        if (size > 0) {
            pieces.push_back({at, bytes, size});
            cursor = at + size;
            end = std::max(end, cursor);
        }
        return at;
    }
    uint64_t Place(std::optional<uint64_t> offset, const std::vector<uint8_t>& bytes) {
        return Place(offset, bytes.data(), bytes.size());
    }
    // Room for size bytes that the caller fills before Assemble.
    uint8_t* Make(size_t size) { return made.emplace_back(size).data(); }
    uint64_t End() const { return end; }
    std::vector<uint8_t> Assemble() const {
        std::vector<uint8_t> file(end);
        for (const Piece& piece : pieces) {
            std::memcpy(file.data() + piece.offset, piece.bytes, piece.size);
        }
        return file;
    }

  private:
    struct Piece {
        uint64_t offset;
        const uint8_t* bytes;
        size_t size;
    };
    std::vector<Piece> pieces;
    std::deque<std::vector<uint8_t>> made;
    uint64_t cursor = 0;
    uint64_t end = 0;
};

std::optional<uint64_t> Slot(const StoredMap& map, int slot) {
    if (!map.sections) {
        return std::nullopt;
    }
    return (*map.sections)[slot];
}

void PlaceGameData(CFileLayout& layout, const StoredMap& map) {
    uint8_t* bytes = layout.Make(kStoredGameDataBytes);
    PutLe32(bytes, static_cast<uint32_t>(map.milesPerTile));
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        PutTerrainRecord(map.terrain[type], bytes + 4 + type * kTerrainRecordBytes);
    }
    layout.Place(kGameDataOffset, bytes, kStoredGameDataBytes);
}

uint64_t PlaceSizes(CFileLayout& layout, std::optional<uint64_t> offset, int32_t width,
                    int32_t height) {
    uint8_t* sizes = layout.Make(8);
    PutLe32(sizes, static_cast<uint32_t>(width));
    PutLe32(sizes + 4, static_cast<uint32_t>(height));
    return layout.Place(offset, sizes, 8);
}

uint64_t PlaceTiles(CFileLayout& layout, const StoredMap& map) {
    const uint64_t start = PlaceSizes(layout, std::nullopt, map.width, map.height);
    size_t size = 2 * map.tiles.size();
    for (const StoredTile& tile : map.tiles) {
        size += tile.aux ? 1 : 0;
    }
    uint8_t* out = layout.Make(size);
    for (const StoredTile& tile : map.tiles) {
        *out++ = tile.aux ? tile.type | kThreeByteRecord : tile.type;
        *out++ = tile.request;
        if (tile.aux) {
            *out++ = *tile.aux;
        }
    }
    layout.Place(std::nullopt, out - size, size);
    uint8_t* rivers = layout.Make(4 * map.rivers.size() + 1);
    for (size_t i = 0; i < map.rivers.size(); ++i) {
        std::memcpy(rivers + 4 * i, map.rivers[i].data(), 4);
    }
    rivers[4 * map.rivers.size()] = kEndOfRivers;
    layout.Place(std::nullopt, rivers, 4 * map.rivers.size() + 1);
    return start;
}

uint8_t* PlaceCount(CFileLayout& layout, std::optional<uint64_t> offset, int32_t count,
                    uint64_t& at) {
    uint8_t* bytes = layout.Make(4);
    PutLe32(bytes, static_cast<uint32_t>(count));
    at = layout.Place(offset, bytes, 4);
    return bytes;
}

// A directory record's offset, width and height; the blob goes where the record says or next.
void PlaceBlob(CFileLayout& layout, const StoredImage& image, uint8_t* record) {
    const uint64_t at = layout.Place(image.offset, image.blob);
    PutLe32(record, static_cast<uint32_t>(at));
    PutLe16(record + 4, image.width);
    PutLe16(record + 6, image.height);
}

uint64_t PlaceCityArt(CFileLayout& layout, const StoredMap& map) {
    uint64_t start;
    PlaceCount(layout, Slot(map, 3), static_cast<int32_t>(map.cityImages.size()), start);
    const size_t size = kCityRecordBytes * map.cityImages.size();
    uint8_t* directory = layout.Make(size);
    layout.Place(std::nullopt, directory, size);
    for (const StoredCityImage& image : map.cityImages) {
        PlaceBlob(layout, image, directory);
        std::memcpy(directory + 8, image.name.data(), kStoredNameBytes);
        directory += kCityRecordBytes;
    }
    return start;
}

uint64_t PlaceCustomArt(CFileLayout& layout, const StoredMap& map) {
    const uint64_t start = layout.Place(Slot(map, 4), map.customFlags.data(), kStoredCustomFlags);
    for (const StoredCustomSlot& slot : map.customSlots) {
        layout.Place(std::nullopt, slot.sourcePath.data(), kStoredPathBytes);
        if (slot.exitMasks) {
            layout.Place(std::nullopt, slot.exitMasks->data(), kStoredExitMasks);
        }
    }
    if (map.customSlots.empty()) {
        return start;
    }
    const auto records = static_cast<int32_t>(kStoredCellRecordsPerSlot * map.customSlots.size());
    uint64_t countAt;
    PlaceCount(layout, std::nullopt, map.cellRecordCount.value_or(records), countAt);
    const size_t size = kCellRecordBytes * map.cells.size();
    uint8_t* directory = layout.Make(size);
    layout.Place(std::nullopt, directory, size);
    for (const StoredImage& cell : map.cells) {
        PlaceBlob(layout, cell, directory);
        directory += kCellRecordBytes;
    }
    return start;
}

CFileLayout LayOut(const StoredMap& map) {
    CFileLayout layout;
    layout.Place(0, map.header.data(), kStoredHeaderBytes);
    uint8_t* table = layout.Make(32);
    layout.Place(kTableOffset, table, 32);
    PlaceGameData(layout, map);
    std::array<uint32_t, 8> sections{static_cast<uint32_t>(kGameDataOffset)};
    sections[1] = static_cast<uint32_t>(
        PlaceSizes(layout, std::nullopt, map.overviewWidth, map.overviewHeight));
    layout.Place(std::nullopt, map.overviewPixels);
    sections[2] = static_cast<uint32_t>(PlaceTiles(layout, map));
    sections[3] = static_cast<uint32_t>(PlaceCityArt(layout, map));
    sections[4] = static_cast<uint32_t>(PlaceCustomArt(layout, map));
    for (const StoredBytes& bytes : map.uncovered) {
        layout.Place(bytes.offset, bytes.bytes);
    }
    sections[5] = static_cast<uint32_t>(layout.End());
    for (size_t slot = 0; slot < sections.size(); ++slot) {
        PutLe32(table + 4 * slot, map.sections ? (*map.sections)[slot] : sections[slot]);
    }
    return layout;
}

int WriteFile(const std::vector<uint8_t>& bytes, const std::string& path, std::string& reason) {
    COutputFile output;
    if (!output.Begin(path)) {
        reason = output.Problem();
        return kMapCannotOpen;
    }
    int descriptor = dup(output.Descriptor());
    if (descriptor < 0) {
        reason = std::strerror(errno);
        return kMapCannotOpen;
    }
    CFile file;
    file.Adopt(descriptor, output.Target());
    try {
        file.Write(bytes.data(), bytes.size());
        file.Close();
    } catch (const CFileException& failure) {
        reason = failure.what();
        return kMapWriteFailed;
    }
    if (!output.Commit()) {
        reason = output.Problem();
        return kMapWriteFailed;
    }
    return 0;
}

}  // namespace

uint64_t StoredMapContentBytes(const StoredMap& map) {
    uint64_t bytes = kGameDataOffset + kStoredGameDataBytes + 8 + map.overviewPixels.size() + 8 +
                     3 * map.tiles.size() + 4 * map.rivers.size() + 1 + 4 +
                     kCityRecordBytes * map.cityImages.size() + kStoredCustomFlags + 4 +
                     kCellRecordBytes * map.cells.size();
    for (const StoredCityImage& image : map.cityImages) {
        bytes += image.blob.size();
    }
    for (const StoredCustomSlot& slot : map.customSlots) {
        bytes += kStoredPathBytes + (slot.exitMasks ? kStoredExitMasks : 0);
    }
    for (const StoredImage& cell : map.cells) {
        bytes += cell.blob.size();
    }
    for (const StoredBytes& uncovered : map.uncovered) {
        bytes += uncovered.bytes.size();
    }
    return bytes;
}

int WriteStoredMap(const StoredMap& map, const std::string& path, std::string& reason) {
    try {
        CFileLayout layout = LayOut(map);
        if (layout.End() > StoredMapContentBytes(map) || layout.End() > UINT32_MAX) {
            reason = "the offsets leave holes in the file";
            return kMapDamaged;
        }
        return WriteFile(layout.Assemble(), path, reason);
    } catch (const std::bad_alloc&) {
        reason = "out of memory";
        return kMapWriteFailed;
    }
}
