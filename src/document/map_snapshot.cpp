#include "document/map_snapshot.h"

#include <cstring>
#include <memory>

namespace {

// False when memory ran out.
bool CopyPicture(const CDibImage& from, CDibImage& to) {
    if (from.IsEmpty()) {
        to.CreateWithoutPixels(from.GetWidth(), from.GetHeight(), from.bytesPerPixel);
        if (from.infoHeader.biSize == 0) {
            to.Release();
        }
        return true;
    }
    to.CreateForOverwrite(from.GetWidth(), from.GetHeight(), from.bytesPerPixel);
    if (to.IsEmpty()) {
        return false;
    }
    std::memcpy(to.bits.get(), from.bits.get(), from.GetBufferSize());
    if (from.palette != nullptr && to.palette != nullptr) {
        std::memcpy(to.palette.get(), from.palette.get(),
                    sizeof(CDibImage::PaletteEntry) * CDibImage::kPaletteSize);
    }
    to.fileHeader = from.fileHeader;
    to.infoHeader = from.infoHeader;
    return true;
}

bool CopyPictures(const CTerrainArt& from, CTerrainArt& to) {
    to.name = from.name;
    return CopyPicture(from.full, to.full) && CopyPicture(from.half, to.half) &&
           CopyPicture(from.quarter, to.quarter) && CopyPicture(from.tenth, to.tenth);
}

// False when memory ran out.
bool CopyArt(const CMapArt& from, CMapArt& to) {
    to.Reset();
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        const CCustomTerrainArt& source = *from.CustomArtFor(type);
        CCustomTerrainArt& copy = *to.CustomArtFor(type);
        copy.loaded = source.loaded;
        copy.sourcePath = source.sourcePath;
        if (!CopyPictures(source, copy)) {
            return false;
        }
    }
    const CLibObjectList& cityArt = from.CityArt();
    for (int i = 0; i < cityArt.GetCount(); ++i) {
        const auto* entry = static_cast<const CTerrainArt*>(cityArt.GetAt(i));
        if (entry == nullptr) {
            continue;
        }
        auto copy = std::make_unique<CTerrainArt>();
        if (!CopyPictures(*entry, *copy)) {
            return false;
        }
        to.AppendCityArt(copy.release());
    }
    return true;
}

}  // namespace

CMapSnapshot::CMapSnapshot(const CMapDocument& map, const CTerrainTable& table,
                           uint64_t artRevision, CMapSnapshot* previous)
    : table(table), artRevision(artRevision) {
    try {
        complete = grid.CopyFrom(map.grid) && CopyPicture(map.overview, overview);
        if (previous != nullptr && previous->artRevision == artRevision && previous->complete) {
            art.Swap(previous->art);
            previous->complete = false;
        } else {
            complete = complete && CopyArt(map.art, art);
        }
    } catch (const std::bad_alloc&) {
        complete = false;
    }
    // Exit masks are small and change without new pictures: always the map's own.
    art.KeepExitMasksOf(map.art);
}

int CMapSnapshot::Save(const std::string& path, std::string* reason) {
    if (!complete) {
        if (reason != nullptr) {
            *reason = "Out of memory";
        }
        return kMapWriteFailed;
    }
    return SaveMapWithTable(path, art, overview, table, reason);
}
