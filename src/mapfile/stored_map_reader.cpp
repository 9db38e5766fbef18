#include "mapfile/stored_map_reader.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <set>
#include <stdexcept>
#include <utility>

#include "foundation/little_endian.h"
#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"
#include "platform/file.h"

namespace {

constexpr uint8_t kMagic[4] = {'V', 'E', 'K', 'T'};
constexpr uint8_t kFormatByte = 3;
constexpr uint8_t kEndOfRivers = 0xFF;
constexpr uint8_t kThreeByteRecord = 0x80;
constexpr size_t kCityRecordBytes = 48;
constexpr size_t kCellRecordBytes = 8;
constexpr size_t kCityBlobHeaderBytes = 17;  // the format byte and the raw image header

// A structure that runs past the end of the file, or a value the loader refuses.
class CDamagedFile : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The file in memory, read at a position that moves along, with the ranges every read covered.
class CStoredMapParser {
  public:
    explicit CStoredMapParser(std::vector<uint8_t> content) : bytes(std::move(content)) {}

    uint64_t Length() const { return bytes.size(); }
    void MoveTo(uint64_t offset) {
        if (offset >= bytes.size()) {
            throw CDamagedFile("the section table points past the end of the file");
        }
        position = offset;
    }
    // The next count bytes.
    const uint8_t* Take(size_t count, const char* what) {
        if (count > bytes.size() - position) {
            throw CDamagedFile(std::string(what) + " runs past the end of the file");
        }
        const uint8_t* at = bytes.data() + position;
        Cover(position, count);
        position += count;
        return at;
    }
    int32_t TakeInt32(const char* what) { return static_cast<int32_t>(GetLe32(Take(4, what))); }
    uint8_t TakeByte(const char* what) { return *Take(1, what); }
    // The bytes from offset on, at most count of them, as a blob.
    std::vector<uint8_t> Blob(uint64_t offset, uint64_t count) {
        if (offset >= bytes.size()) {
            return {};
        }
        count = std::min<uint64_t>(count, bytes.size() - offset);
        Cover(offset, count);
        return {bytes.begin() + static_cast<ptrdiff_t>(offset),
                bytes.begin() + static_cast<ptrdiff_t>(offset + count)};
    }
    const uint8_t* At(uint64_t offset) const { return bytes.data() + offset; }
    std::vector<StoredBytes> Uncovered();

  private:
    void Cover(uint64_t offset, uint64_t count) {
        if (count > 0) {
            covered.emplace_back(offset, offset + count);
        }
    }

    std::vector<uint8_t> bytes;
    uint64_t position = 0;
    std::vector<std::pair<uint64_t, uint64_t>> covered;
};

std::vector<StoredBytes> CStoredMapParser::Uncovered() {
    std::sort(covered.begin(), covered.end());
    std::vector<StoredBytes> gaps;
    uint64_t from = 0;
    auto gapUpTo = [&](uint64_t to) {
        if (to > from) {
            gaps.push_back({from,
                            {bytes.begin() + static_cast<ptrdiff_t>(from),
                             bytes.begin() + static_cast<ptrdiff_t>(to)}});
        }
    };
    for (auto [start, end] : covered) {
        gapUpTo(start);
        from = std::max(from, end);
    }
    gapUpTo(bytes.size());
    return gaps;
}

void ReadHeader(CStoredMapParser& parser, StoredMap& map) {
    std::memcpy(map.header.data(), parser.Take(kStoredHeaderBytes, "the header"),
                kStoredHeaderBytes);
    std::array<uint32_t, 8> table;
    const uint8_t* stored = parser.Take(4 * table.size(), "the section table");
    for (size_t slot = 0; slot < table.size(); ++slot) {
        table[slot] = GetLe32(stored + 4 * slot);
    }
    map.sections = table;
}

void ReadGameDataAndOverview(CStoredMapParser& parser, StoredMap& map) {
    map.milesPerTile = parser.TakeInt32("the game data");
    const uint8_t* records =
        parser.Take(kStoredTerrainTypes * kTerrainRecordBytes, "the terrain records");
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        GetTerrainRecord(records + type * kTerrainRecordBytes, map.terrain[type]);
    }
    map.overviewWidth = parser.TakeInt32("the overview picture");
    map.overviewHeight = parser.TakeInt32("the overview picture");
    if (map.overviewWidth < 1 || map.overviewHeight < 1 || map.overviewWidth > kMaxMapSide ||
        map.overviewHeight > kMaxMapSide) {
        throw CDamagedFile("the overview picture's size is outside 1 to 1000");
    }
    const size_t size = static_cast<size_t>((3 * map.overviewWidth + 3) & ~3) * map.overviewHeight;
    const uint8_t* pixels = parser.Take(size, "the overview picture");
    map.overviewPixels.assign(pixels, pixels + size);
}

void ReadTiles(CStoredMapParser& parser, StoredMap& map) {
    map.width = parser.TakeInt32("the tile grid");
    map.height = parser.TakeInt32("the tile grid");
    if (map.width < 1 || map.height < 1 || map.width > kMaxMapSide || map.height > kMaxMapSide) {
        throw CDamagedFile("the grid's size is outside 1 to 1000");
    }
    map.tiles.resize(static_cast<size_t>(map.width) * map.height);
    for (StoredTile& tile : map.tiles) {
        tile.type = parser.TakeByte("the tiles");
        tile.request = parser.TakeByte("the tiles");
        if ((tile.type & kThreeByteRecord) != 0) {
            tile.type &= ~kThreeByteRecord;
            tile.aux = parser.TakeByte("the tiles");
        }
    }
    for (;;) {
        StoredRiver river;
        river[0] = parser.TakeByte("the river list");
        if (river[0] == kEndOfRivers) {
            return;
        }
        std::memcpy(river.data() + 1, parser.Take(3, "the river list"), 3);
        map.rivers.push_back(river);
    }
}

// A city picture's blob: the format byte, the raw image header and as many pixel bytes as the
// header says, as far as the file reaches.
std::vector<uint8_t> CityBlob(CStoredMapParser& parser, uint32_t offset) {
    uint64_t size = kCityBlobHeaderBytes;
    if (offset < parser.Length() && parser.Length() - offset >= kCityBlobHeaderBytes) {
        size += GetLe32(parser.At(offset) + 9);
    }
    return parser.Blob(offset, size);
}

void ReadCityArt(CStoredMapParser& parser, StoredMap& map) {
    parser.MoveTo((*map.sections)[3]);
    const int32_t records = parser.TakeInt32("the city art");
    if (records < 0 || records % 4 != 0 ||
        static_cast<uint64_t>(records) * kCityRecordBytes > parser.Length()) {
        throw CDamagedFile("the city art directory is damaged");
    }
    const uint8_t* directory = parser.Take(records * kCityRecordBytes, "the city art directory");
    map.cityImages.resize(static_cast<size_t>(records));
    for (StoredCityImage& image : map.cityImages) {
        image.offset = GetLe32(directory);
        image.width = GetLe16(directory + 4);
        image.height = GetLe16(directory + 6);
        std::memcpy(image.name.data(), directory + 8, kStoredNameBytes);
        directory += kCityRecordBytes;
    }
}

// The first thing after offset that the file holds: another blob, a section, or the end.
uint64_t NextStart(const std::set<uint64_t>& starts, uint64_t offset) {
    auto next = starts.upper_bound(offset);
    return *next;  // the file's length is always among the starts
}

void ReadCustomArt(CStoredMapParser& parser, StoredMap& map) {
    parser.MoveTo((*map.sections)[4]);
    std::memcpy(map.customFlags.data(), parser.Take(kStoredCustomFlags, "the custom art"),
                kStoredCustomFlags);
    for (uint8_t flag : map.customFlags) {
        if (flag == 0) {
            continue;
        }
        StoredCustomSlot slot;
        std::memcpy(slot.sourcePath.data(), parser.Take(kStoredPathBytes, "the custom art"),
                    kStoredPathBytes);
        if (map.HasExitMasks()) {
            slot.exitMasks.emplace();
            std::memcpy(slot.exitMasks->data(), parser.Take(kStoredExitMasks, "the exit masks"),
                        kStoredExitMasks);
        }
        map.customSlots.push_back(slot);
    }
    if (map.customSlots.empty()) {
        return;
    }
    const int32_t records = parser.TakeInt32("the custom art");
    const size_t needed = kStoredCellRecordsPerSlot * map.customSlots.size();
    if (records < 0 || static_cast<size_t>(records) < needed) {
        throw CDamagedFile("the custom art directory is damaged");
    }
    if (static_cast<size_t>(records) != needed) {
        map.cellRecordCount = records;
    }
    const uint8_t* directory = parser.Take(needed * kCellRecordBytes, "the custom art directory");
    map.cells.resize(needed);
    for (StoredImage& cell : map.cells) {
        cell.offset = GetLe32(directory);
        cell.width = GetLe16(directory + 4);
        cell.height = GetLe16(directory + 6);
        directory += kCellRecordBytes;
    }
}

// A JPEG stream's length is not stored: a cell's blob reaches to the next blob, section or the
// end the section table gives, whatever comes first.
void ReadBlobs(CStoredMapParser& parser, StoredMap& map) {
    for (StoredCityImage& image : map.cityImages) {
        image.blob = CityBlob(parser, *image.offset);
    }
    std::set<uint64_t> starts{parser.Length(), (*map.sections)[3], (*map.sections)[4]};
    if ((*map.sections)[5] < parser.Length()) {
        starts.insert((*map.sections)[5]);
    }
    for (const StoredCityImage& image : map.cityImages) {
        starts.insert(*image.offset);
    }
    for (const StoredImage& cell : map.cells) {
        starts.insert(*cell.offset);
    }
    for (StoredImage& cell : map.cells) {
        cell.blob = parser.Blob(*cell.offset, NextStart(starts, *cell.offset) - *cell.offset);
    }
}

void ReadRecords(CStoredMapParser& parser, StoredMap& map) {
    ReadHeader(parser, map);
    ReadGameDataAndOverview(parser, map);
    ReadTiles(parser, map);
    ReadCityArt(parser, map);
    ReadCustomArt(parser, map);
    ReadBlobs(parser, map);
    map.uncovered = parser.Uncovered();
}

int CheckHeader(const std::vector<uint8_t>& bytes, std::string& reason) {
    if (bytes.size() < kStoredHeaderBytes + 32) {
        reason = "the file is shorter than a map file's header";
        return kMapHeaderShort;
    }
    if (std::memcmp(bytes.data(), kMagic, 4) != 0 || bytes[4] != kFormatByte ||
        PackVersion(bytes[6], bytes[7], bytes[8], bytes[9]) < OldestReadableVersion) {
        reason = "this is not a map file of a readable version";
        return kMapNotAMap;
    }
    return 0;
}

}  // namespace

int ReadStoredMap(const std::string& path, StoredMap& map, std::string& reason) {
    CFile file;
    if (!file.Open(path, CFile::OpenMode::Read)) {
        reason = file.OpenProblem();
        return kMapCannotOpen;
    }
    try {
        std::vector<uint8_t> bytes(file.GetLength());
        for (size_t done = 0, got = 1; done < bytes.size(); done += got) {
            got = file.Read(bytes.data() + done, bytes.size() - done);
            if (got == 0) {
                reason = "the file changed while it was read";
                return kMapDamaged;
            }
        }
        if (int result = CheckHeader(bytes, reason); result != 0) {
            return result;
        }
        CStoredMapParser parser(std::move(bytes));
        map = StoredMap();
        ReadRecords(parser, map);
    } catch (const CDamagedFile& failure) {
        reason = failure.what();
        return kMapDamaged;
    } catch (const CFileException& failure) {
        reason = failure.what();
        return kMapDamaged;
    } catch (const std::bad_alloc&) {
        reason = "out of memory";
        return kMapDamaged;
    }
    return 0;
}
