#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "image/jpeg_decoder.h"
#include "image/jpeg_encoder.h"
#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"
#include "mapfile/section_io.h"
#include "model/terrain_names.h"
#include "platform/work_pool.h"

namespace {

constexpr size_t kPathBytes = 128;
constexpr size_t kRecordBytes = 8;
constexpr int kCells = 81;
constexpr int kImagesPerCell = 4;
constexpr int kRecordsPerSlot = kCells * kImagesPerCell;  // 324
constexpr uint8_t kJpegBlob = 1;
// The side of a cell in the full, half, quarter and tenth picture.
constexpr int kCellSides[kImagesPerCell] = {kCustomCellSide, kCustomCellSide / 2,
                                            kCustomCellSide / 4, kCustomCellSide / 10};

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

// The JPEG streams of a cell's full, half, quarter and tenth picture.
using CellStreams = std::array<std::vector<uint8_t>, kImagesPerCell>;

// Encodes the cell's four pictures; false when the codec fails.
bool EncodeCell(CJpegEncoder& encoder, const CCustomTerrainArt& slot, int row, int column,
                CellStreams& streams) {
    const CDibImage* pictures[kImagesPerCell] = {&slot.full, &slot.half, &slot.quarter,
                                                 &slot.tenth};
    CTerrainArt cell;
    if (!HasSheetZooms(slot)) {
        cell.full.Create(kCustomCellSide, kCustomCellSide, 3);
        cell.full.CopyRect(0, 0, kCustomCellSide, kCustomCellSide, column * kCustomCellSide,
                           row * kCustomCellSide, slot.full);
        cell.BuildZooms();
        pictures[0] = &cell.full;
        pictures[1] = &cell.half;
        pictures[2] = &cell.quarter;
        pictures[3] = &cell.tenth;
        row = column = 0;
    }
    for (int i = 0; i < kImagesPerCell; ++i) {
        const CDibImage& picture = *pictures[i];
        const int side = kCellSides[i];
        // Stored row 0 of the cell is its bottom row.
        const uint8_t* firstRow = picture.PixelPtr(column * side, row * side + side - 1);
        if (picture.bytesPerPixel != 3 || firstRow == nullptr ||
            !encoder.Encode(firstRow, picture.GetStride(), side, side)) {
            return false;
        }
        streams[i].assign(encoder.Stream(), encoder.Stream() + encoder.StreamSize());
    }
    return true;
}

// The cell's four blobs, in the file's order, with their directory records.
void WriteCell(CMapArchive& archive, const CellStreams& streams, uint8_t* record) {
    for (int i = 0; i < kImagesPerCell; ++i) {
        PutLe32(record, static_cast<uint32_t>(archive.GetPosition()));
        PutLe16(record + 4, static_cast<uint16_t>(kCellSides[i]));
        PutLe16(record + 6, static_cast<uint16_t>(kCellSides[i]));
        record += kRecordBytes;
        archive.WriteUInt8(kJpegBlob);
        archive.Write(streams[i].data(), streams[i].size());
    }
}

// A stream in memory as a decoder's input: everything from its start to the end of the file,
// since the decoder reads on as it would in the file.
class CMemoryJpegInput : public CJpegInput {
  public:
    CMemoryJpegInput(const uint8_t* bytes, size_t size) : bytes(bytes), size(size) {}
    size_t Next(const uint8_t*& next) override {
        next = bytes;
        size_t count = size;
        bytes += size;
        size = 0;
        return count;
    }
    uint64_t BytesLeft() override { return size; }

  private:
    const uint8_t* bytes;
    size_t size;
};

// One codec per worker of a pool.
template <typename Codec>
std::vector<std::unique_ptr<Codec>> CodecsFor(const CWorkPool& pool) {
    std::vector<std::unique_ptr<Codec>> codecs;
    for (int i = 0; i < pool.Threads(); ++i) {
        codecs.push_back(std::make_unique<Codec>());
    }
    return codecs;
}

// Where the blobs of the full cells lie in the file, read at once so that the cells decode side
// by side: from the first of them to the end of the file.
struct FullCellBlobs {
    uint64_t start = 0;
    uint64_t fileLength = 0;
    std::vector<uint8_t> bytes;
};

FullCellBlobs ReadFullCellBlobs(CMapArchive& archive, const std::vector<uint8_t>& directory) {
    FullCellBlobs blobs;
    blobs.fileLength = archive.GetLength();
    blobs.start = blobs.fileLength;
    for (size_t at = 0; at < directory.size(); at += kRecordBytes * kImagesPerCell) {
        blobs.start = std::min<uint64_t>(blobs.start, GetLe32(&directory[at]));
    }
    if (blobs.start < blobs.fileLength && archive.SeekTo(blobs.start)) {
        blobs.bytes.resize(blobs.fileLength - blobs.start);
        blobs.bytes.resize(archive.Read(blobs.bytes.data(), blobs.bytes.size()));
    }
    return blobs;
}

// Decodes the 100 x 100 cell of a directory record into place; the zoom copies stored beside
// it are never needed, since the zooms are rebuilt from the whole sheet. A cell whose pixels
// the codec had to make up in part is damaged: saving it again would keep the damage for good.
// Returns what is wrong with the cell, or nothing.
const char* DecodeCell(CJpegDecoder& decoder, const FullCellBlobs& blobs, const uint8_t* record,
                       CCustomTerrainArt& slot, int cell) {
    // The blob starts with its format byte, which says nothing the reader needs.
    const uint64_t stream = uint64_t{GetLe32(record)} + 1;
    if (stream > blobs.start + blobs.bytes.size()) {
        return "its data lies past the end of the file";
    }
    CMemoryJpegInput input(blobs.bytes.data() + (stream - blobs.start),
                           blobs.start + blobs.bytes.size() - stream);
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
    // Every cell of every slot is encoded side by side. Whichever worker finishes the cell
    // next in the file's order writes it and the finished ones after it, so the writing
    // overlaps the coding and a cell's streams live only until they are written. Once a write
    // has failed, no worker writes again: the workers still coding would otherwise retry the
    // cell that failed.
    CWorkPool pool;
    auto encoders = CodecsFor<CJpegEncoder>(pool);
    std::vector<CellStreams> cells(kCells * slots.size());
    std::vector<bool> encoded(cells.size());
    size_t nextToWrite = 0;
    bool writeFailed = false;
    std::mutex writing;
    bool written = pool.Run(static_cast<int>(cells.size()), [&](int number, int worker) {
        const int cell = number % kCells;
        if (!EncodeCell(*encoders[worker], *slots[number / kCells], cell / 9, cell % 9,
                        cells[number])) {
            return false;
        }
        std::lock_guard<std::mutex> lock(writing);
        encoded[number] = true;
        for (; !writeFailed && nextToWrite < cells.size() && encoded[nextToWrite]; ++nextToWrite) {
            try {
                WriteCell(archive, cells[nextToWrite],
                          &directory[nextToWrite * kRecordBytes * kImagesPerCell]);
            } catch (...) {
                writeFailed = true;
                throw;
            }
            cells[nextToWrite] = CellStreams();
        }
        return !writeFailed;
    });
    if (!written) {
        return kMapWriteFailed;
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
    for (int type : types) {
        // The 81 cells cover the sheet, whose rows have no padding.
        CCustomTerrainArt& slot = *art.CustomArtFor(type);
        slot.full.CreateForOverwrite(kCustomArtSide, kCustomArtSide, 3);
        if (slot.full.IsEmpty()) {
            throw std::bad_alloc();
        }
    }
    // Every full cell of every slot decodes side by side; the first damaged one in file order
    // is the one reported, whichever finished first.
    const FullCellBlobs blobs = ReadFullCellBlobs(archive, directory);
    CWorkPool pool;
    auto decoders = CodecsFor<CJpegDecoder>(pool);
    std::vector<const char*> problems(types.size() * kCells);
    int failed = 0;
    bool decoded = pool.Run(
        static_cast<int>(problems.size()),
        [&](int number, int worker) {
            CCustomTerrainArt& slot = *art.CustomArtFor(types[number / kCells]);
            const uint8_t* record = &directory[kRecordBytes * kImagesPerCell * number];
            problems[number] = DecodeCell(*decoders[worker], blobs, record, slot, number % kCells);
            return problems[number] == nullptr;
        },
        &failed);
    if (!decoded) {
        reason = std::string("custom art of ") + TerrainDisplayName(types[failed / kCells]) +
                 ", cell " + std::to_string(failed % kCells) + ": " + problems[failed];
        return kMapDamaged;
    }
    pool.Run(static_cast<int>(types.size()), [&](int i, int) {
        CCustomTerrainArt& slot = *art.CustomArtFor(types[i]);
        slot.BuildZooms();
        slot.loaded = 1;
        return true;
    });
    return 0;
}
