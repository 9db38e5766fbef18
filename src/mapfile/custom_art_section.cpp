#include <new>
#include <vector>

#include "image/jpeg_decoder.h"
#include "image/jpeg_encoder.h"
#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"
#include "mapfile/section_io.h"
#include "model/terrain_names.h"

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

// The sheet's zoom copies hold every cell's zoom copies: each zoom samples blocks of its source
// that never cross a cell's edge (2 x 2 for half and quarter, the middle of 10 x 10 for tenth),
// so a cell's block of a sheet zoom is exactly the zoom of the cell alone. Art whose zooms are
// not the sizes BuildZooms makes gets its cells' zooms built one by one instead.
bool HasSheetZooms(const CCustomTerrainArt& slot) {
    const CDibImage* zooms[] = {&slot.half, &slot.quarter, &slot.tenth};
    const int sides[] = {kCustomArtSide / 2, kCustomArtSide / 4, kCustomArtSide / 10};
    for (int i = 0; i < 3; ++i) {
        if (zooms[i]->GetWidth() != sides[i] || zooms[i]->GetHeight() != sides[i] ||
            zooms[i]->bytesPerPixel != 3) {
            return false;
        }
    }
    return true;
}

// The cell's four pictures as JPEG blobs; false when the codec fails.
bool WriteCell(CMapArchive& archive, CJpegEncoder& encoder, const CCustomTerrainArt& slot, int row,
               int column, uint8_t*& record) {
    struct Picture {
        const CDibImage* image;
        int side;  // of the cell in this picture
    };
    Picture pictures[kImagesPerCell] = {{&slot.full, kCustomCellSide},
                                        {&slot.half, kCustomCellSide / 2},
                                        {&slot.quarter, kCustomCellSide / 4},
                                        {&slot.tenth, kCustomCellSide / 10}};
    CTerrainArt cell;
    if (!HasSheetZooms(slot)) {
        cell.full.Create(kCustomCellSide, kCustomCellSide, 3);
        cell.full.CopyRect(0, 0, kCustomCellSide, kCustomCellSide, column * kCustomCellSide,
                           row * kCustomCellSide, slot.full);
        cell.BuildZooms();
        pictures[0].image = &cell.full;
        pictures[1].image = &cell.half;
        pictures[2].image = &cell.quarter;
        pictures[3].image = &cell.tenth;
        row = column = 0;
    }
    for (const Picture& picture : pictures) {
        const int side = picture.side;
        PutLe32(record, static_cast<uint32_t>(archive.GetPosition()));
        PutLe16(record + 4, static_cast<uint16_t>(side));
        PutLe16(record + 6, static_cast<uint16_t>(side));
        record += kRecordBytes;
        // Stored row 0 of the cell is its bottom row.
        const uint8_t* firstRow = picture.image->PixelPtr(column * side, row * side + side - 1);
        if (picture.image->bytesPerPixel != 3 || firstRow == nullptr ||
            !encoder.Encode(firstRow, picture.image->GetStride(), side, side)) {
            return false;
        }
        archive.WriteUInt8(kJpegBlob);
        archive.Write(encoder.Stream(), encoder.StreamSize());
    }
    return true;
}

// The bytes of the archive as a decoder's input.
class CArchiveJpegInput : public CJpegInput {
  public:
    explicit CArchiveJpegInput(CMapArchive& archive) : archive(archive) {}
    size_t Next(const uint8_t*& bytes) override {
        size_t count = archive.Peek(bytes);
        archive.Skip(count);
        return count;
    }
    uint64_t BytesLeft() override { return archive.BytesLeft(); }

  private:
    CMapArchive& archive;
};

// Decodes the 100 x 100 cell of a directory record into place; the zoom copies stored beside
// it are never needed, since the zooms are rebuilt from the whole sheet. A cell whose pixels
// the codec had to make up in part is damaged: saving it again would keep the damage for good.
// Returns what is wrong with the cell, or nothing.
const char* ReadCell(CMapArchive& archive, CJpegDecoder& decoder, const uint8_t* record,
                     CCustomTerrainArt& slot, int cell) {
    uint8_t format;
    if (!archive.SeekTo(GetLe32(record)) || archive.Read(&format, 1) != 1) {
        return "its data lies past the end of the file";
    }
    CArchiveJpegInput input(archive);
    // Stored row 0 of the cell is its bottom row.
    uint8_t* firstRow = slot.full.PixelPtr(cell % 9 * kCustomCellSide,
                                           cell / 9 * kCustomCellSide + kCustomCellSide - 1);
    if (!decoder.Decode(input, kCustomCellSide, kCustomCellSide, firstRow, slot.full.GetStride())) {
        return "damaged JPEG data";
    }
    return nullptr;
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
    uint64_t directoryAt = archive.GetPosition();
    std::vector<uint8_t> directory(kRecordBytes * kRecordsPerSlot * slots.size());
    WritePlaceholder(archive, directory.size());
    uint8_t* record = directory.data();
    CJpegEncoder encoder;
    for (const CCustomTerrainArt* slot : slots) {
        for (int cell = 0; cell < kCells; ++cell) {
            if (!WriteCell(archive, encoder, *slot, cell / 9, cell % 9, record)) {
                return kMapWriteFailed;
            }
        }
    }
    archive.Patch(directoryAt, directory.data(), directory.size());
    return 0;
}

int ReadCustomTerrainArt(CMapArchive& archive, CMapArt& art, std::string& reason) {
    uint8_t flags[kCustomTypes];
    if (archive.Read(flags, sizeof flags) != sizeof flags) {
        throw CArchiveEndOfFile();
    }
    std::vector<int> types;
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
        types.push_back(TERRAIN_TYPE_CUSTOM_1 + i);
    }
    if (types.empty()) {
        return 0;
    }
    int32_t records = archive.ReadInt32();
    size_t needed = kRecordsPerSlot * types.size();
    if (records < 0 || static_cast<size_t>(records) < needed ||
        static_cast<uint64_t>(records) * kRecordBytes > archive.BytesLeft()) {
        reason = "the custom art directory holds " + std::to_string(records) + " records for " +
                 std::to_string(types.size()) + " types";
        return kMapDamaged;
    }
    std::vector<uint8_t> directory(needed * kRecordBytes);
    archive.Read(directory.data(), directory.size());
    const uint8_t* record = directory.data();
    CJpegDecoder decoder;
    for (int type : types) {
        CCustomTerrainArt& slot = *art.CustomArtFor(type);
        // The 81 cells cover the sheet, whose rows have no padding.
        slot.full.CreateForOverwrite(kCustomArtSide, kCustomArtSide, 3);
        if (slot.full.IsEmpty()) {
            throw std::bad_alloc();
        }
        for (int cell = 0; cell < kCells; ++cell, record += kRecordBytes * kImagesPerCell) {
            if (const char* problem = ReadCell(archive, decoder, record, slot, cell)) {
                reason = std::string("custom art of ") + TerrainDisplayName(type) + ", cell " +
                         std::to_string(cell) + ": " + problem;
                return kMapDamaged;
            }
        }
        slot.BuildZooms();
        slot.loaded = 1;
    }
    return 0;
}
