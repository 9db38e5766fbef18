#include <memory>
#include <vector>

#include "mapfile/map_file.h"
#include "mapfile/map_sections.h"
#include "mapfile/raw_image_record.h"
#include "mapfile/section_io.h"

namespace {

constexpr size_t kRecordBytes = 48;
constexpr size_t kNameBytes = 40;
constexpr int kImagesPerEntry = 4;
constexpr uint8_t kRawBlob = 0;

// The directory names of an entry's four images: the name, then the name up to its first
// ".bmp" with "_z2.bmp", "_z4.bmp" and "_z10.bmp".
std::string ImageName(const std::string& name, int image) {
    static const char* const kSuffixes[] = {"", "_z2.bmp", "_z4.bmp", "_z10.bmp"};
    if (image == 0) {
        return name;
    }
    size_t extension = name.find(".bmp");
    return (extension == std::string::npos ? std::string() : name.substr(0, extension)) +
           kSuffixes[image];
}

// full, half, quarter or tenth of an entry.
template <typename Art>
auto& Image(Art& entry, int image) {
    switch (image) {
        case 0:
            return entry.full;
        case 1:
            return entry.half;
        case 2:
            return entry.quarter;
        default:
            return entry.tenth;
    }
}

void WriteBlob(CMapArchive& archive, const CDibImage& image, const std::string& name,
               uint8_t* record) {
    PutLe32(record, static_cast<uint32_t>(archive.GetPosition()));
    PutLe16(record + 4, static_cast<uint16_t>(image.GetWidth()));
    PutLe16(record + 6, static_cast<uint16_t>(image.GetHeight()));
    PutFieldText(record + 8, kNameBytes, name, false);
    uint8_t header[1 + kRawImageHeaderBytes] = {kRawBlob};
    StoreRawImageHeader(image, header + 1);
    archive.Write(header, sizeof header);
    archive.Write(image.bits.get(), image.GetBufferSize());
}

// What the city pictures of a file may take in memory. A file holds each picture once, so their
// pixels cannot outgrow it; the rest (objects, names, the colour tables of 8-bit pictures)
// may take as much again, and room for many small pictures, whose tables and objects outweigh
// their bytes in the file. Directory records that all name one blob cannot make the load
// outgrow its file.
class CMemoryBudget {
  public:
    explicit CMemoryBudget(uint64_t fileLength)
        : pixels(fileLength), rest(fileLength + kSmallPictures) {}
    bool TakeEntry() { return Take(rest, sizeof(CTerrainArt) + kNameBytes); }
    bool TakePicture(const CDibImage& image) {
        return Take(pixels, image.GetBufferSize()) &&
               Take(rest, image.palette ? sizeof(CDibImage::PaletteEntry) * 256 : 0);
    }

  private:
    static constexpr uint64_t kSmallPictures = 16 << 20;
    static bool Take(uint64_t& budget, uint64_t cost) {
        if (cost > budget) {
            return false;
        }
        budget -= cost;
        return true;
    }
    uint64_t pixels;
    uint64_t rest;
};

bool ReadBlob(CMapArchive& archive, const uint8_t* record, CDibImage& image,
              CMemoryBudget& budget) {
    uint8_t header[1 + kRawImageHeaderBytes];
    if (!archive.SeekTo(GetLe32(record)) || archive.Read(header, 1) != 1) {
        return false;
    }
    if (archive.Read(header + 1, kRawImageHeaderBytes) != kRawImageHeaderBytes ||
        !CreateImageFromRawHeader(image, header + 1, archive.BytesLeft()) ||
        !budget.TakePicture(image) ||
        archive.Read(image.bits.get(), image.GetBufferSize()) != image.GetBufferSize()) {
        image.Release();
        return false;
    }
    return true;
}

}  // namespace

int WriteCityArtList(CMapArchive& archive, const CMapArt& art) {
    const CLibObjectList& list = art.CityArt();
    std::vector<const CTerrainArt*> entries;
    for (int i = 0; i < list.GetCount(); ++i) {
        if (auto* entry = static_cast<const CTerrainArt*>(list.GetAt(i))) {
            entries.push_back(entry);
        }
    }
    archive.WriteInt32(static_cast<int32_t>(kImagesPerEntry * entries.size()));
    if (entries.empty()) {
        return 0;
    }
    uint64_t directoryAt = archive.GetPosition();
    std::vector<uint8_t> directory(kRecordBytes * kImagesPerEntry * entries.size());
    WritePlaceholder(archive, directory.size());
    uint8_t* record = directory.data();
    for (const CTerrainArt* entry : entries) {
        std::string name = entry->name.value_or("");
        for (int image = 0; image < kImagesPerEntry; ++image, record += kRecordBytes) {
            WriteBlob(archive, Image(*entry, image), ImageName(name, image), record);
        }
    }
    archive.Patch(directoryAt, directory.data(), directory.size());
    return 0;
}

int ReadCityArtList(CMapArchive& archive, CMapArt& art, std::string& reason) {
    int32_t records = archive.ReadInt32();
    if (records == 0) {
        return 0;
    }
    if (records < 0 || records % kImagesPerEntry != 0 ||
        static_cast<uint64_t>(records) * kRecordBytes > archive.BytesLeft()) {
        reason = "the city art directory claims " + std::to_string(records) + " images";
        return kMapDamaged;
    }
    std::vector<uint8_t> directory(static_cast<size_t>(records) * kRecordBytes);
    archive.Read(directory.data(), directory.size());
    CMemoryBudget budget(archive.GetLength());
    for (size_t at = 0; at < directory.size(); at += kRecordBytes * kImagesPerEntry) {
        auto entry = std::make_unique<CTerrainArt>();
        entry->name = FieldText(&directory[at + 8], kNameBytes);
        if (!budget.TakeEntry()) {
            reason = "the city picture " + *entry->name + " is damaged";
            return kMapDamaged;
        }
        for (int image = 0; image < kImagesPerEntry; ++image) {
            if (!ReadBlob(archive, &directory[at + image * kRecordBytes], Image(*entry, image),
                          budget)) {
                reason = "the city picture " + *entry->name + " is damaged";
                return kMapDamaged;
            }
        }
        art.AppendCityArt(entry.release());
    }
    return 0;
}
