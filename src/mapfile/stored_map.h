#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "mapfile/map_archive.h"
#include "model/terrain_table.h"

// A map file as its records are stored, before the loader gives them meaning: what it takes to
// write the same file again byte for byte, or to write a file from records made by hand. Offsets
// that are not given are laid out after what comes before, as a save lays them out.

inline constexpr size_t kStoredHeaderBytes = 10;
inline constexpr size_t kStoredGameDataBytes = 2524;
inline constexpr size_t kStoredNameBytes = 40;
inline constexpr size_t kStoredPathBytes = 128;
inline constexpr size_t kStoredExitMasks = 81;
inline constexpr size_t kStoredCustomFlags = 16;
inline constexpr size_t kStoredCellRecordsPerSlot = 324;

// A tile record: the type without the bit that marks the three-byte form, the request, and the
// third byte of that form.
struct StoredTile {
    uint8_t type = 0;
    uint8_t request = 0;
    std::optional<uint8_t> aux;
};

// A river entry as stored: x, y, kind and cell.
using StoredRiver = std::array<uint8_t, 4>;

// A directory record of the art sections with the bytes at its offset: the blob's format byte
// and the picture. A city picture's blob ends with its pixels; a JPEG cell's blob reaches to
// whatever the file holds next.
struct StoredImage {
    std::optional<uint32_t> offset;
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint8_t> blob;
};

struct StoredCityImage : StoredImage {
    std::array<uint8_t, kStoredNameBytes> name{};
};

// A present custom art slot's path field and, in files newer than 1.0.0.62, its exit masks.
struct StoredCustomSlot {
    std::array<uint8_t, kStoredPathBytes> sourcePath{};
    std::optional<std::array<uint8_t, kStoredExitMasks>> exitMasks;
};

// Bytes of the file that no record covers: gaps between sections, bytes after the end.
struct StoredBytes {
    uint64_t offset = 0;
    std::vector<uint8_t> bytes;
};

struct StoredMap {
    std::array<uint8_t, kStoredHeaderBytes> header{};
    // The section table as stored; when it is not given, the offsets the writer laid out.
    std::optional<std::array<uint32_t, 8>> sections;
    int32_t milesPerTile = 0;
    std::array<CTerrainType, kStoredTerrainTypes> terrain;
    int32_t overviewWidth = 0;
    int32_t overviewHeight = 0;
    std::vector<uint8_t> overviewPixels;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<StoredTile> tiles;  // in file order: column by column
    std::vector<StoredRiver> rivers;
    std::vector<StoredCityImage> cityImages;
    std::array<uint8_t, kStoredCustomFlags> customFlags{};
    std::vector<StoredCustomSlot> customSlots;  // one per nonzero flag
    // The stored record count; when it is not given, 324 per slot.
    std::optional<int32_t> cellRecordCount;
    std::vector<StoredImage> cells;  // 324 per slot
    std::vector<StoredBytes> uncovered;

    // Files up to 1.0.0.62 carry no exit masks.
    bool HasExitMasks() const {
        return PackVersion(header[6], header[7], header[8], header[9]) > PackVersion(1, 0, 0, 62);
    }
};
