#include "mapfile/map_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "art/overview_picture.h"
#include "image/pixel_buffer_pool.h"
#include "mapfile/map_sections.h"
#include "mapfile/section_io.h"
#include "model/terrain_table_restorer.h"
#include "platform/output_file.h"

namespace {

constexpr uint8_t kMagic[4] = {'V', 'E', 'K', 'T'};
constexpr uint8_t kFormatByte = 3;
constexpr size_t kHeaderBytes = 10;
constexpr size_t kTableBytes = 4 * kSectionTableSlots;
constexpr uint64_t kTableOffset = kHeaderBytes;

void SetReason(std::string* reason, const std::string& text) {
    if (reason != nullptr) {
        *reason = text;
    }
}

// Closes a file whose content is abandoned anyway.
void CloseQuietly(CFile& file) {
    try {
        file.Close();
    } catch (const CFileException&) {
    }
}

// Hands the pictures of art that is about to be let go to the pool, for the next load.
void RecyclePictures(CMapArt& art) {
    auto keep = [](CTerrainArt& entry) {
        for (CDibImage* image : {&entry.full, &entry.half, &entry.quarter, &entry.tenth}) {
            thePixelBufferPool.Keep(*image);
        }
    };
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        keep(*art.CustomArtFor(type));
    }
    const CLibObjectList& list = art.CityArt();
    for (int i = 0; i < list.GetCount(); ++i) {
        if (auto* entry = static_cast<CTerrainArt*>(list.GetAt(i))) {
            keep(*entry);
        }
    }
}

int WriteSections(CMapArchive& archive, const CMapArt& art, const CDibImage& overview,
                  const CTerrainTable& terrainTable, MapFileLayout& layout) {
    uint8_t header[kHeaderBytes] = {kMagic[0], kMagic[1], kMagic[2], kMagic[3], kFormatByte, 0};
    std::memcpy(header + 6, archive.GetVersionBytes(), 4);
    std::memcpy(layout.version, archive.GetVersionBytes(), 4);
    archive.Write(header, kHeaderBytes);
    WritePlaceholder(archive, kTableBytes);

    for (int section = 0; section < 5; ++section) {
        layout.sections[section] = static_cast<uint32_t>(archive.GetPosition());
        int result = 0;
        switch (section) {
            case 0:
                result = WriteGameData(archive, terrainTable);
                break;
            case 1:
                result = WriteOverview(archive, overview);
                break;
            case 2:
                result = WriteTileGrid(archive, art.Grid());
                break;
            case 3:
                result = WriteCityArtList(archive, art);
                break;
            case 4:
                result = WriteCustomTerrainArt(archive, art);
                break;
        }
        if (result != 0) {
            return result;
        }
    }
    layout.sections[5] = static_cast<uint32_t>(archive.GetPosition());

    uint8_t table[kTableBytes];
    for (int slot = 0; slot < kSectionTableSlots; ++slot) {
        PutLe32(table + 4 * slot, layout.sections[slot]);
    }
    archive.Patch(kTableOffset, table, kTableBytes);
    archive.Flush();
    return 0;
}

int ReadHeader(CMapArchive& archive, MapFileLayout& layout, std::string& reason) {
    uint8_t header[kHeaderBytes];
    if (archive.Read(header, kHeaderBytes) != kHeaderBytes) {
        reason = "the file is shorter than a map file's header";
        return kMapHeaderShort;
    }
    if (std::memcmp(header, kMagic, 4) != 0 || header[4] != kFormatByte) {
        reason = "this is not a map file";
        return kMapNotAMap;
    }
    archive.SetVersion(header[6], header[7], header[8], header[9]);
    std::memcpy(layout.version, header + 6, 4);
    if (archive.GetPackedVersion() < OldestReadableVersion) {
        reason = "maps of version " + std::to_string(header[6]) + "." + std::to_string(header[7]) +
                 "." + std::to_string(header[8]) + "." + std::to_string(header[9]) +
                 " are too old to read";
        return kMapNotAMap;
    }
    uint8_t table[kTableBytes];
    if (archive.Read(table, kTableBytes) != kTableBytes) {
        reason = "the section table is cut short";
        return kMapHeaderShort;
    }
    for (int slot = 0; slot < kSectionTableSlots; ++slot) {
        layout.sections[slot] = GetLe32(table + 4 * slot);
    }
    return 0;
}

// The river pieces are listed in the layout only when keepRivers is set.
int ReadSections(CMapArchive& archive, CMapArt& art, CDibImage& overview, MapFileLayout& layout,
                 bool keepRivers, std::string& reason) {
    int result = ReadHeader(archive, layout, reason);
    if (result == 0) {
        result = ReadGameData(archive, theTerrainTable);
    }
    if (result == 0) {
        result = ReadOverview(archive, overview, reason);
    }
    if (result == 0) {
        result = ReadTileGrid(archive, art.Grid(), reason, keepRivers ? &layout.rivers : nullptr);
    }
    for (int section = 3; section <= 4 && result == 0; ++section) {
        if (!archive.SeekTo(layout.sections[section])) {
            reason = "the section table points past the end of the file";
            return kMapDamaged;
        }
        result = section == 3 ? ReadCityArtList(archive, art, reason)
                              : ReadCustomTerrainArt(archive, art, reason);
    }
    if (result == 0 && art.Grid().Verify() != 0) {
        reason = "the map has tiles without a valid terrain type";
        result = kMapVerifyFailed;
    }
    return result;
}

int SaveThrough(CFile& file, const std::string& path, CMapArt& art, const CDibImage& overview,
                const CTerrainTable& table, std::string* reason, MapFileLayout* layout) {
    CTileGrid& grid = art.Grid();
    int riverX;
    int riverY;
    if (FindUnstorableRiver(grid, riverX, riverY)) {
        SetReason(reason, UnstorableRiverText(riverX, riverY));
        return kMapRiverNotStorable;
    }
    COutputFile output;
    if (!output.Begin(path)) {
        SetReason(reason, output.Problem());
        return kMapCannotOpen;
    }
    int descriptor = dup(output.Descriptor());
    if (descriptor < 0) {
        SetReason(reason, std::strerror(errno));
        return kMapCannotOpen;
    }
    file.Adopt(descriptor, output.Target());
    // The overview picture must match the grid; one that does not is made anew for the file.
    CDibImage rebuilt;
    const CDibImage* picture = &overview;
    if (overview.GetWidth() != grid.GetWidth() || overview.GetHeight() != grid.GetHeight() ||
        overview.bytesPerPixel != 3) {
        RebuildOverview(art, rebuilt);
        picture = &rebuilt;
    }
    MapFileLayout written;
    int result;
    try {
        CMapArchive archive(file, CMapArchive::Mode::Store);
        result = WriteSections(archive, art, *picture, table, written);
        if (result == 0) {
            file.Close();  // committing the output commits the bytes to the device
        }
    } catch (const CFileException& failure) {
        SetReason(reason, failure.what());
        result = kMapWriteFailed;
    }
    if (result != 0) {
        CloseQuietly(file);
    }
    if (result == 0 && !output.Commit()) {
        SetReason(reason, output.Problem());
        result = kMapWriteFailed;
    }
    if (result == 0 && layout != nullptr) {
        *layout = written;
    }
    return result;
}

}  // namespace

int SaveMap(const std::string& path, CMapArt& art, const CDibImage& overview, std::string* reason,
            MapFileLayout* layout) {
    CFile file;
    return SaveMapThrough(file, path, art, overview, reason, layout);
}

int SaveMapThrough(CFile& file, const std::string& path, CMapArt& art, const CDibImage& overview,
                   std::string* reason, MapFileLayout* layout) {
    return SaveThrough(file, path, art, overview, theTerrainTable, reason, layout);
}

int SaveMapWithTable(const std::string& path, CMapArt& art, const CDibImage& overview,
                     const CTerrainTable& table, std::string* reason) {
    CFile file;
    return SaveThrough(file, path, art, overview, table, reason, nullptr);
}

int LoadMap(const std::string& path, CMapArt& art, CDibImage& overview, std::string* reason,
            MapFileLayout* layout) {
    CFile file;
    if (!file.Open(path, CFile::OpenMode::Read)) {
        SetReason(reason, file.OpenProblem());
        return kMapCannotOpen;
    }
    CTerrainTableRestorer restorer;
    CTileGrid freshGrid;
    CMapArt freshArt(freshGrid);
    freshArt.KeepExitMasksOf(art);
    CDibImage freshOverview;
    MapFileLayout read;
    std::string why;
    int result;
    try {
        CMapArchive archive(file, CMapArchive::Mode::Load);
        result = ReadSections(archive, freshArt, freshOverview, read, layout != nullptr, why);
    } catch (const CArchiveEndOfFile& failure) {
        why = failure.what();
        result = kMapDamaged;
    } catch (const CFileException& failure) {
        why = failure.what();
        result = kMapDamaged;
    } catch (const std::bad_alloc&) {
        why = "out of memory";
        result = kMapDamaged;
    }
    if (layout != nullptr) {
        *layout = std::move(read);
    }
    if (result != 0) {
        SetReason(reason, why);
        RecyclePictures(freshArt);
        thePixelBufferPool.Keep(freshOverview);
        return result;
    }
    restorer.Commit();
    art.Grid().SwapTiles(freshGrid);
    art.Swap(freshArt);
    if (freshOverview.GetWidth() == art.Grid().GetWidth() &&
        freshOverview.GetHeight() == art.Grid().GetHeight()) {
        thePixelBufferPool.Keep(overview);
        overview = std::move(freshOverview);
    } else {
        RebuildOverview(art, overview);
    }
    RecyclePictures(freshArt);
    return 0;
}

std::string UnstorableRiverText(int x, int y) {
    return "The river on tile X: " + std::to_string(x) + ", Y: " + std::to_string(y) +
           " cannot be stored. Map files hold rivers only on tiles whose X and Y are below " +
           std::to_string(kFirstUnstorableRiverIndex) + ".";
}

bool FindUnstorableRiver(const CTileGrid& grid, int& x, int& y) {
    if (grid.GetWidth() <= kFirstUnstorableRiverIndex &&
        grid.GetHeight() <= kFirstUnstorableRiverIndex) {
        return false;
    }
    for (auto [column, row] : grid.TilesWithRivers()) {
        if (!IsRiverStorable(column, row)) {
            x = column;
            y = row;
            return true;
        }
    }
    return false;
}

const char* MapResultText(int code) {
    switch (code) {
        case 0:
            return "success";
        case kMapTileMissing:
            return "the grid could not supply a tile";
        case kMapCannotOpen:
            return "the file could not be opened";
        case kMapNotAMap:
            return "not a map file of a readable version";
        case kMapTileRecordShort:
            return "a tile record ended early";
        case kMapWriteFailed:
            return "a write failed";
        case kMapBadGridSize:
            return "the grid's width or height lies outside 1 to 1000";
        case kMapBadOverview:
            return "the overview picture could not be read";
        case kMapHeaderShort:
            return "the header or the section table is cut short";
        case kMapDamaged:
            return "the file is damaged";
        case kMapRiverNotStorable:
            return "a river lies where map files cannot hold one";
        case kMapVerifyFailed:
            return "the map failed verification";
        default:
            return "unknown failure";
    }
}
