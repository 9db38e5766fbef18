#pragma once

#include <string>

#include "art/map_art.h"
#include "image/dib_image.h"

// Result codes of ImportBitmap and ExportBitmap.
inline constexpr int kImportOutOfMemory = 1;
inline constexpr int kImportCannotOpen = 110;
inline constexpr int kImportBadSize = 115;
inline constexpr int kImportBadSubtype = 440;    // a warning: the map was made
inline constexpr int kImportUnknownColor = 441;  // a warning: the map was made
inline constexpr int kImportBadDepth = 442;
inline constexpr int kExportFailed = 100;

// The results of ImportBitmap after which the map was made all the same.
inline bool IsImportWarning(int result) {
    return result == kImportBadSubtype || result == kImportUnknownColor;
}

// Size limits of an imported colour bitmap, one pixel per tile (those of a new map).
inline constexpr int kMinMapSide = 20;
inline constexpr int kMaxMapWidth = 192;
inline constexpr int kMaxMapHeight = 112;

// Marks a type without a colour; never matches an imported pixel.
inline constexpr COLORREF kNoTerrainColor = 0x010101;

// The interchange colour of a terrain type; kNoTerrainColor for types without one (0, 1, 18 to
// 21, custom types and numbers outside the table).
COLORREF TerrainColor(int type);

// The subtype bitmap's name: "_s" before the first ".bmp" (north.bmp: north_s.bmp), or in
// front of the whole path when it holds no ".bmp".
std::string SubtypeFileName(const std::string& path);

// Makes the map from a 24-bit colour bitmap (one pixel per tile, colour = terrain type) and the
// 8-bit subtype bitmap beside it (pixel = requested cell 1 to 81), if there is one. Returns 0,
// a warning (440, 441; the map was made) or a failure (1, 110, 115, 442; the map is untouched,
// except after 1, which leaves an empty grid).
int ImportBitmap(CMapArt& art, const std::string& path);

// Writes the map as a colour bitmap and its subtype bitmap, both or neither (the pair is written
// aside and put in place together, see COutputFile). Exports to one name take turns through a
// lock file hidden beside the colour file (".north.bmp.lock"), the later one waiting up to 10
// seconds. 0, or 100 when either cannot be written, the wait runs out, or the file name holds no
// ".bmp" (the subtype bitmap would not land beside it); reason, when given, says why.
int ExportBitmap(const CTileGrid& grid, const std::string& path, std::string* reason = nullptr);

// The message the editor shows for an import result: "Failed to open file", ...
std::string ImportMessage(int code);
