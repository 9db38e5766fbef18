#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "art/map_art.h"
#include "image/dib_image.h"
#include "model/terrain_table.h"

// Result codes of SaveMap, LoadMap and the section readers and writers.
inline constexpr int kMapTileMissing = 4;         // the grid could not supply a tile
inline constexpr int kMapCannotOpen = 110;        // the file could not be opened
inline constexpr int kMapNotAMap = 111;           // magic, format byte or version not readable
inline constexpr int kMapTileRecordShort = 112;   // a tile record ended early
inline constexpr int kMapWriteFailed = 114;       // a write failed
inline constexpr int kMapBadGridSize = 115;       // grid width or height outside 1..1000
inline constexpr int kMapBadOverview = 117;       // overview sizes unreadable or unusable
inline constexpr int kMapHeaderShort = 120;       // header or section table cut short
inline constexpr int kMapDamaged = 121;           // a count, offset, size or stream that is wrong
inline constexpr int kMapRiverNotStorable = 122;  // a river on a tile with x or y of 255 or more
inline constexpr int kMapVerifyFailed = 602;      // the loaded grid failed verification

inline constexpr int kMaxMapSide = 1000;
// A map file stores a river piece's tile in one byte per axis, and 255 ends the list.
inline constexpr int kFirstUnstorableRiverIndex = 255;
inline constexpr int kSectionTableSlots = 8;

// A river piece of a map file's list.
struct RiverEntry {
    uint8_t x = 0;
    uint8_t y = 0;
    RiverOverlay piece;
};

// The header and section table of a map file as read or written, and the river pieces that a
// load placed, in the order of the file (which another program may have written in any order).
struct MapFileLayout {
    uint8_t version[4] = {};
    uint32_t sections[kSectionTableSlots] = {};
    std::vector<RiverEntry> rivers;
};

// Writes the map (theTerrainTable, the overview picture, art.Grid() with its rivers, the city
// art and the custom terrain art) to path, as a COutputFile: written aside and put in place
// only when everything was written, so a failed save leaves an existing file as it was; links
// are followed, FIFOs and devices written into, folders and read-only files refused (110).
// reason, when given, receives what went wrong.
int SaveMap(const std::string& path, CMapArt& art, const CDibImage& overview,
            std::string* reason = nullptr, MapFileLayout* layout = nullptr);
// The same, writing through the given (closed) file object, which is handed the file written
// aside; lets tests stand in a file whose writes fail.
int SaveMapThrough(CFile& file, const std::string& path, CMapArt& art, const CDibImage& overview,
                   std::string* reason = nullptr, MapFileLayout* layout = nullptr);

// SaveMap with the terrain table given in place of theTerrainTable: for a copy of a map that is
// written away from the thread that edits it.
int SaveMapWithTable(const std::string& path, CMapArt& art, const CDibImage& overview,
                     const CTerrainTable& table, std::string* reason = nullptr);

// Replaces the map with the content of the file: theTerrainTable's records 0 to 41 and
// milesPerTile, the overview picture, the grid's tiles and rivers, the city art and the custom
// terrain art. Everything is read into fresh objects and swapped in only when the whole load
// succeeded; a failed load changes nothing (but the generator's draws). The pictures a load
// replaces (or, when it fails, the ones it read) are handed to thePixelBufferPool, whose buffers
// the next load fills without fresh memory.
int LoadMap(const std::string& path, CMapArt& art, CDibImage& overview,
            std::string* reason = nullptr, MapFileLayout* layout = nullptr);

// Whether a map file can hold a river piece on tile (x, y).
inline bool IsRiverStorable(int x, int y) {
    return x < kFirstUnstorableRiverIndex && y < kFirstUnstorableRiverIndex;
}
// What the user is told of a river on a tile that map files cannot hold it on.
std::string UnstorableRiverText(int x, int y);

// The first tile, in file order, with a river that the format cannot hold (x or y of 255 or
// more); false when there is none.
bool FindUnstorableRiver(const CTileGrid& grid, int& x, int& y);

// What a result code means, for messages that add the reason to the editor's own texts.
const char* MapResultText(int code);
