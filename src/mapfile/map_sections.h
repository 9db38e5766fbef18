#pragma once

#include <string>
#include <vector>

#include "art/map_art.h"
#include "image/dib_image.h"
#include "mapfile/map_archive.h"
#include "mapfile/map_file.h"
#include "model/terrain_table.h"

// The five sections of a map file. Each returns 0 or a result code of map_file.h; reading
// failures that the code cannot name otherwise are kMapDamaged with `reason` set. CFileException
// and CArchiveEndOfFile are left to the caller.

// Section 0: milesPerTile and records 0 to 41, as the 60-byte records of the table.
inline constexpr size_t kTerrainRecordBytes = 60;
void PutTerrainRecord(const CTerrainType& record, uint8_t* bytes);
void GetTerrainRecord(const uint8_t* bytes, CTerrainType& record);
int WriteGameData(CMapArchive& archive, const CTerrainTable& table);
int ReadGameData(CMapArchive& archive, CTerrainTable& table);

// Section 1: the one-pixel-per-tile picture, 24-bit rows as held.
int WriteOverview(CMapArchive& archive, const CDibImage& overview);
int ReadOverview(CMapArchive& archive, CDibImage& overview, std::string& reason);

// Section 2: the tiles column by column and the river pieces, ended by 0xFF. The reader puts
// the river pieces it placed, in the order of the file, into riverOrder when it is given.
int WriteTileGrid(CMapArchive& archive, const CTileGrid& grid);
int ReadTileGrid(CMapArchive& archive, CTileGrid& grid, std::string& reason,
                 std::vector<RiverEntry>* riverOrder = nullptr);

// Section 3: the city art list as raw images behind a directory of 48-byte records.
int WriteCityArtList(CMapArchive& archive, const CMapArt& art);
int ReadCityArtList(CMapArchive& archive, CMapArt& art, std::string& reason);

// Section 4: the custom terrain art of the sixteen slots as JPEG cells behind a directory.
int WriteCustomTerrainArt(CMapArchive& archive, const CMapArt& art);
int ReadCustomTerrainArt(CMapArchive& archive, CMapArt& art, std::string& reason);
