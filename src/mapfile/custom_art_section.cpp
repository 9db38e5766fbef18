#include <vector>

#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"
#include "mapfile/section_io.h"

namespace {

constexpr size_t kPathBytes = 128;
constexpr size_t kRecordBytes = 8;
constexpr int kCells = 81;
constexpr int kImagesPerCell = 4;
constexpr int kRecordsPerSlot = kCells * kImagesPerCell;  // 324
constexpr uint8_t kJpegBlob = 1;

// Files up to this version carry no exit masks.
bool HasExitMasks(const CMapArchive& archive) {
    return archive.IsNewerThan(1, 0, 0, 62);
}

bool IsStorable(const CCustomTerrainArt& art) {
    return art.full.GetWidth() == kCustomArtSide && art.full.GetHeight() == kCustomArtSide &&
           art.full.bytesPerPixel == 3;
}

void WriteSlotHeader(CMapArchive& archive, const CCustomTerrainArt& slot) {
    uint8_t path[kPathBytes];
    PutFieldText(path, kPathBytes, slot.sourcePath, true);
    archive.Write(path, kPathBytes);
    archive.Write(slot.exitMasks.data(), slot.exitMasks.size());
}

// The cell's four pictures as JPEG blobs; false when the codec fails.
bool WriteCell(CMapArchive& archive, const CCustomTerrainArt& slot, int row, int column,
               uint8_t*& record) {
    CTerrainArt cell;
    cell.full.Create(kCustomCellSide, kCustomCellSide, 3);
    cell.full.CopyRect(0, 0, kCustomCellSide, kCustomCellSide, column * kCustomCellSide,
                       row * kCustomCellSide, slot.full);
    cell.BuildZooms();
    for (const CDibImage* image : {&cell.full, &cell.half, &cell.quarter, &cell.tenth}) {
        archive.Flush();
        CFile& file = archive.GetFile();
        PutLe32(record, static_cast<uint32_t>(file.GetPosition()));
        PutLe16(record + 4, static_cast<uint16_t>(image->GetWidth()));
        PutLe16(record + 6, static_cast<uint16_t>(image->GetHeight()));
        record += kRecordBytes;
        file.Write(&kJpegBlob, 1);
        if (!image->WriteJpeg(file)) {
            return false;
        }
    }
    return true;
}

// Decodes the 100 x 100 cell of a directory record into place; the zoom copies stored beside
// it are never needed, since the zooms are rebuilt from the whole sheet.
bool ReadCell(CMapArchive& archive, const uint8_t* record, CCustomTerrainArt& slot, int cell) {
    uint8_t format;
    CDibImage picture;
    CFile& file = archive.GetFile();
    if (!SeekDirect(archive, GetLe32(record)) || file.Read(&format, 1) != 1 ||
        !picture.ReadJpeg(file, kCustomCellSide, kCustomCellSide) || picture.bytesPerPixel != 3) {
        return false;
    }
    return slot.full.CopyRect(cell % 9 * kCustomCellSide, cell / 9 * kCustomCellSide,
                              kCustomCellSide, kCustomCellSide, 0, 0, picture) == 0;
}

}  // namespace

int WriteCustomTerrainArt(CMapArchive& archive, const CMapArt& art) {
    std::vector<const CCustomTerrainArt*> slots;
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        const CCustomTerrainArt& slot = *art.CustomArtFor(type);
        if (slot.loaded && !IsStorable(slot)) {
            return kMapWriteFailed;
        }
        archive.WriteUInt8(slot.loaded ? 1 : 0);
        if (slot.loaded) {
            slots.push_back(&slot);
        }
    }
    if (slots.empty()) {
        return 0;
    }
    for (const CCustomTerrainArt* slot : slots) {
        WriteSlotHeader(archive, *slot);
    }
    archive.WriteInt32(static_cast<int32_t>(kRecordsPerSlot * slots.size()));
    archive.Flush();
    CFile& file = archive.GetFile();
    uint64_t directoryAt = file.GetPosition();
    std::vector<uint8_t> directory(kRecordBytes * kRecordsPerSlot * slots.size());
    WritePlaceholder(archive, directory.size());
    uint8_t* record = directory.data();
    for (const CCustomTerrainArt* slot : slots) {
        for (int cell = 0; cell < kCells; ++cell) {
            if (!WriteCell(archive, *slot, cell / 9, cell % 9, record)) {
                return kMapWriteFailed;
            }
        }
    }
    archive.Flush();
    file.Seek(static_cast<int64_t>(directoryAt), CFile::SeekFrom::Begin);
    file.Write(directory.data(), directory.size());
    file.Seek(0, CFile::SeekFrom::End);
    return 0;
}

int ReadCustomTerrainArt(CMapArchive& archive, CMapArt& art, std::string& reason) {
    uint8_t flags[kCustomTypes];
    if (archive.Read(flags, sizeof flags) != sizeof flags) {
        throw CArchiveEndOfFile();
    }
    std::vector<CCustomTerrainArt*> slots;
    for (int i = 0; i < kCustomTypes; ++i) {
        if (flags[i] == 0) {
            continue;
        }
        CCustomTerrainArt& slot = *art.CustomArtFor(TERRAIN_TYPE_CUSTOM_1 + i);
        uint8_t path[kPathBytes];
        if (archive.Read(path, kPathBytes) != kPathBytes ||
            (HasExitMasks(archive) &&
             archive.Read(slot.exitMasks.data(), slot.exitMasks.size()) != slot.exitMasks.size())) {
            throw CArchiveEndOfFile();
        }
        slot.sourcePath = FieldText(path, kPathBytes);
        slots.push_back(&slot);
    }
    if (slots.empty()) {
        return 0;
    }
    int32_t records = archive.ReadInt32();
    size_t needed = kRecordsPerSlot * slots.size();
    if (records < 0 || static_cast<size_t>(records) < needed ||
        static_cast<uint64_t>(records) * kRecordBytes > archive.BytesLeft()) {
        reason = "the custom art directory holds " + std::to_string(records) + " records for " +
                 std::to_string(slots.size()) + " types";
        return kMapDamaged;
    }
    std::vector<uint8_t> directory(needed * kRecordBytes);
    archive.Read(directory.data(), directory.size());
    const uint8_t* record = directory.data();
    for (CCustomTerrainArt* slot : slots) {
        slot->full.Create(kCustomArtSide, kCustomArtSide, 3);
        for (int cell = 0; cell < kCells; ++cell, record += kRecordBytes * kImagesPerCell) {
            if (!ReadCell(archive, record, *slot, cell)) {
                reason = "a cell of the custom art of " + slot->sourcePath + " is damaged";
                return kMapDamaged;
            }
        }
        slot->BuildZooms();
        slot->loaded = 1;
    }
    return 0;
}
