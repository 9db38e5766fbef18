#include "stored_map_json.h"

#include <cstring>

#include "base64.h"
#include "image/dib_image.h"
#include "json_fields.h"
#include "json_path_error.h"
#include "mapfile/map_archive.h"
#include "mapfile/map_file.h"
#include "mapfile/raw_image_record.h"
#include "mapfile/section_io.h"
#include "mapfile/stored_map_writer.h"

namespace {

constexpr const char* kMagic = "VEKT";
constexpr uint8_t kFormatByte = 3;
constexpr size_t kCityBlobHeaderBytes = 1 + kRawImageHeaderBytes;

// A name field as its text, and as base64 of the whole field too when the text alone would not
// give the same bytes (bytes after the terminator, text that is not UTF-8).
template <size_t size>
void PutNameField(Json& object, const char* name, const char* fieldName,
                  const std::array<uint8_t, size>& field) {
    const std::string text = FieldText(field.data(), size);
    std::array<uint8_t, size> plain{};
    std::memcpy(plain.data(), text.data(), text.size());
    object[name] = text;
    bool readable = true;
    try {
        Json(text).dump();
    } catch (const Json::type_error&) {
        readable = false;
    }
    if (plain != field || !readable) {
        object[fieldName] = Base64Encode(field.data(), size);
    }
}

template <size_t size>
std::array<uint8_t, size> NameFieldAt(const Json& object, const std::string& path, const char* name,
                                      const char* fieldName) {
    std::array<uint8_t, size> field{};
    if (const Json* stored = FindMember(object, path, fieldName)) {
        const std::vector<uint8_t> bytes = Base64At(*stored, MemberPath(path, fieldName));
        if (bytes.size() != size) {
            throw CJsonPathError(MemberPath(path, fieldName),
                                 "must hold " + std::to_string(size) + " bytes");
        }
        std::memcpy(field.data(), bytes.data(), size);
        return field;
    }
    const std::string& text = TextAt(RequireMember(object, path, name), MemberPath(path, name));
    if (text.size() > size) {
        throw CJsonPathError(MemberPath(path, name),
                             "is longer than the field's " + std::to_string(size) + " bytes");
    }
    std::memcpy(field.data(), text.data(), text.size());
    return field;
}

std::string VersionText(const std::array<uint8_t, kStoredHeaderBytes>& header) {
    return std::to_string(header[6]) + "." + std::to_string(header[7]) + "." +
           std::to_string(header[8]) + "." + std::to_string(header[9]);
}

Json ImageJson(const StoredImage& image) {
    Json json = {{"offset", *image.offset}, {"width", image.width}, {"height", image.height}};
    json["blob"] = Base64Encode(image.blob);
    return json;
}

Json TilesJson(const StoredMap& map) {
    Json rows = Json::array();
    for (int y = 0; y < map.height; ++y) {
        Json row = Json::array();
        for (int x = 0; x < map.width; ++x) {
            const StoredTile& tile = map.tiles[static_cast<size_t>(x) * map.height + y];
            row.push_back(TileTextOf(tile.type, tile.request, tile.aux));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

Json CustomArtJson(const StoredMap& map) {
    Json slots = Json::array();
    for (const StoredCustomSlot& slot : map.customSlots) {
        Json json = Json::object();
        PutNameField(json, "sourcePath", "sourcePathField", slot.sourcePath);
        if (slot.exitMasks) {
            json["exitMasks"] = *slot.exitMasks;
        }
        slots.push_back(std::move(json));
    }
    Json art = {{"flags", map.customFlags}, {"slots", std::move(slots)}};
    if (map.cellRecordCount) {
        art["cellRecords"] = *map.cellRecordCount;
    }
    Json cells = Json::array();
    for (const StoredImage& cell : map.cells) {
        cells.push_back(ImageJson(cell));
    }
    art["cells"] = std::move(cells);
    return art;
}

}  // namespace

Json StoredMapJson(const StoredMap& map) {
    Json json = {{"form", "complete"},
                 {"header",
                  {{"magic", kMagic},
                   {"format", map.header[4]},
                   {"byte5", map.header[5]},
                   {"version", VersionText(map.header)}}},
                 {"sections", *map.sections},
                 {"milesPerTile", map.milesPerTile}};
    Json terrain = Json::array();
    for (const CTerrainType& record : map.terrain) {
        terrain.push_back(TerrainRecordJson(record));
    }
    json["terrain"] = std::move(terrain);
    json["overview"] = {{"width", map.overviewWidth},
                        {"height", map.overviewHeight},
                        {"pixels", Base64Encode(map.overviewPixels)}};
    json["width"] = map.width;
    json["height"] = map.height;
    json["tiles"] = TilesJson(map);
    json["overlays"] = map.rivers;
    Json city = Json::array();
    for (const StoredCityImage& image : map.cityImages) {
        Json entry = ImageJson(image);
        PutNameField(entry, "name", "nameField", image.name);
        city.push_back(std::move(entry));
    }
    json["cityArt"] = std::move(city);
    json["customArt"] = CustomArtJson(map);
    Json uncovered = Json::array();
    for (const StoredBytes& bytes : map.uncovered) {
        uncovered.push_back({{"offset", bytes.offset}, {"bytes", Base64Encode(bytes.bytes)}});
    }
    json["uncovered"] = std::move(uncovered);
    return json;
}

namespace {

// Reads the document into the records, checking each value where it is; the offsets, which
// depend on everything, are checked after.
class CStoredMapReading {
  public:
    explicit CStoredMapReading(const Json& document) : document(document) {}
    StoredMap Read();

  private:
    int64_t Number(const Json& object, const std::string& path, const char* name, int64_t minimum,
                   int64_t maximum) {
        return WholeNumber(RequireMember(object, path, name), MemberPath(path, name), minimum,
                           maximum);
    }
    void ReadHeader();
    void ReadOverview();
    void ReadTiles();
    void ReadRivers();
    void ReadImage(const Json& object, const std::string& path, StoredImage& image);
    void ReadCityArt();
    void ReadCustomArt();
    void ReadUncovered();
    void CheckOffsets();
    void CheckOffset(const std::optional<uint32_t>& offset, size_t size, const std::string& path);

    const Json& document;
    StoredMap map;
    uint64_t content = 0;
};

void CStoredMapReading::ReadHeader() {
    const Json& header = RequireMember(document, "", "header");
    if (TextAt(RequireMember(header, "header", "magic"), "header.magic") != kMagic) {
        throw CJsonPathError("header.magic", "a map file starts with \"VEKT\"");
    }
    std::memcpy(map.header.data(), kMagic, 4);
    map.header[4] =
        static_cast<uint8_t>(Number(header, "header", "format", kFormatByte, kFormatByte));
    map.header[5] = static_cast<uint8_t>(Number(header, "header", "byte5", 0, 255));
    const std::string& version =
        TextAt(RequireMember(header, "header", "version"), "header.version");
    unsigned parts[4];
    char end;
    if (std::sscanf(version.c_str(), "%3u.%3u.%3u.%3u%c", &parts[0], &parts[1], &parts[2],
                    &parts[3], &end) != 4 ||
        parts[0] > 255 || parts[1] > 255 || parts[2] > 255 || parts[3] > 255 ||
        PackVersion(parts[0], parts[1], parts[2], parts[3]) < OldestReadableVersion) {
        throw CJsonPathError("header.version",
                             "\"" + version + "\" is not a readable version (1.0.0.55 or later)");
    }
    for (int i = 0; i < 4; ++i) {
        map.header[6 + i] = static_cast<uint8_t>(parts[i]);
    }
    if (const Json* sections = FindMember(document, "", "sections")) {
        std::array<uint32_t, 8> table;
        const Json& slots = ArrayAt(*sections, "sections", table.size());
        for (size_t slot = 0; slot < table.size(); ++slot) {
            table[slot] = static_cast<uint32_t>(
                WholeNumber(slots[slot], ElementPath("sections", slot), 0, UINT32_MAX));
        }
        map.sections = table;
    }
}

void CStoredMapReading::ReadOverview() {
    map.milesPerTile =
        static_cast<int32_t>(Number(document, "", "milesPerTile", INT32_MIN, INT32_MAX));
    const Json& terrain =
        ArrayAt(RequireMember(document, "", "terrain"), "terrain", kStoredTerrainTypes);
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        ReadTerrainRecord(terrain[type], ElementPath("terrain", type), true, map.terrain[type]);
    }
    const Json& overview = RequireMember(document, "", "overview");
    map.overviewWidth = static_cast<int32_t>(Number(overview, "overview", "width", 1, kMaxMapSide));
    map.overviewHeight =
        static_cast<int32_t>(Number(overview, "overview", "height", 1, kMaxMapSide));
    map.overviewPixels = Base64At(RequireMember(overview, "overview", "pixels"), "overview.pixels");
    const size_t size = static_cast<size_t>((3 * map.overviewWidth + 3) & ~3) * map.overviewHeight;
    if (map.overviewPixels.size() != size) {
        throw CJsonPathError("overview.pixels",
                             "holds " + std::to_string(map.overviewPixels.size()) +
                                 " bytes, a picture of " + std::to_string(map.overviewWidth) +
                                 " x " + std::to_string(map.overviewHeight) + " takes " +
                                 std::to_string(size));
    }
}

void CStoredMapReading::ReadTiles() {
    map.width = static_cast<int32_t>(Number(document, "", "width", 1, kMaxMapSide));
    map.height = static_cast<int32_t>(Number(document, "", "height", 1, kMaxMapSide));
    const Json& rows = ArrayAt(RequireMember(document, "", "tiles"), "tiles", map.height);
    map.tiles.resize(static_cast<size_t>(map.width) * map.height);
    for (int y = 0; y < map.height; ++y) {
        const std::string rowPath = ElementPath("tiles", y);
        const Json& row = ArrayAt(rows[y], rowPath, map.width);
        for (int x = 0; x < map.width; ++x) {
            const TileText tile = TileAt(row[x], ElementPath(rowPath, x));
            map.tiles[static_cast<size_t>(x) * map.height + y] = {
                static_cast<uint8_t>(tile.type), static_cast<uint8_t>(tile.request), tile.aux};
        }
    }
}

void CStoredMapReading::ReadRivers() {
    const Json& rivers = ArrayAt(RequireMember(document, "", "overlays"), "overlays");
    for (size_t i = 0; i < rivers.size(); ++i) {
        const std::string path = ElementPath("overlays", i);
        StoredRiver river = BytesAt<4>(rivers[i], path);
        if (river[0] == 0xFF) {
            throw CJsonPathError(ElementPath(path, 0), "x 255 would end the river list");
        }
        map.rivers.push_back(river);
    }
}

void CStoredMapReading::ReadImage(const Json& object, const std::string& path, StoredImage& image) {
    if (const Json* offset = FindMember(object, path, "offset")) {
        image.offset =
            static_cast<uint32_t>(WholeNumber(*offset, MemberPath(path, "offset"), 0, UINT32_MAX));
    }
    image.width = static_cast<uint16_t>(Number(object, path, "width", 0, UINT16_MAX));
    image.height = static_cast<uint16_t>(Number(object, path, "height", 0, UINT16_MAX));
    image.blob = Base64At(RequireMember(object, path, "blob"), MemberPath(path, "blob"));
}

void CStoredMapReading::ReadCityArt() {
    const Json& images = ArrayAt(RequireMember(document, "", "cityArt"), "cityArt");
    if (images.size() % 4 != 0) {
        throw CJsonPathError("cityArt", "holds " + std::to_string(images.size()) +
                                            " records; a city picture has four");
    }
    map.cityImages.resize(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const std::string path = ElementPath("cityArt", i);
        StoredCityImage& image = map.cityImages[i];
        ReadImage(images[i], path, image);
        image.name = NameFieldAt<kStoredNameBytes>(images[i], path, "name", "nameField");
        CDibImage picture;
        if (image.blob.size() < kCityBlobHeaderBytes ||
            !CreateImageFromRawHeader(picture, image.blob.data() + 1,
                                      image.blob.size() - kCityBlobHeaderBytes) ||
            image.blob.size() != kCityBlobHeaderBytes + picture.GetBufferSize()) {
            throw CJsonPathError(MemberPath(path, "blob"),
                                 "is not a raw picture whose size matches its pixels");
        }
    }
}

void CStoredMapReading::ReadCustomArt() {
    const Json& art = RequireMember(document, "", "customArt");
    map.customFlags =
        BytesAt<kStoredCustomFlags>(RequireMember(art, "customArt", "flags"), "customArt.flags");
    const size_t present =
        kStoredCustomFlags - std::count(map.customFlags.begin(), map.customFlags.end(), 0);
    const Json& slots =
        ArrayAt(RequireMember(art, "customArt", "slots"), "customArt.slots", present);
    for (size_t i = 0; i < present; ++i) {
        const std::string path = ElementPath("customArt.slots", i);
        StoredCustomSlot slot;
        slot.sourcePath =
            NameFieldAt<kStoredPathBytes>(slots[i], path, "sourcePath", "sourcePathField");
        const Json* masks = FindMember(slots[i], path, "exitMasks");
        if ((masks != nullptr) != map.HasExitMasks()) {
            throw CJsonPathError(
                MemberPath(path, "exitMasks"),
                map.HasExitMasks() ? "is missing" : "files up to 1.0.0.62 have no exit masks");
        }
        if (masks != nullptr) {
            slot.exitMasks = BytesAt<kStoredExitMasks>(*masks, MemberPath(path, "exitMasks"));
        }
        map.customSlots.push_back(slot);
    }
    const size_t records = kStoredCellRecordsPerSlot * present;
    if (const Json* count = FindMember(art, "customArt", "cellRecords")) {
        map.cellRecordCount = static_cast<int32_t>(
            WholeNumber(*count, "customArt.cellRecords", static_cast<int64_t>(records), INT32_MAX));
    }
    const Json& cells =
        ArrayAt(RequireMember(art, "customArt", "cells"), "customArt.cells", records);
    map.cells.resize(records);
    for (size_t i = 0; i < records; ++i) {
        ReadImage(cells[i], ElementPath("customArt.cells", i), map.cells[i]);
    }
}

void CStoredMapReading::ReadUncovered() {
    const Json* uncovered = FindArray(document, "", "uncovered");
    if (uncovered == nullptr) {
        return;
    }
    for (size_t i = 0; i < uncovered->size(); ++i) {
        const std::string path = ElementPath("uncovered", i);
        StoredBytes bytes;
        bytes.offset =
            static_cast<uint64_t>(Number((*uncovered)[i], path, "offset", 0, UINT32_MAX));
        bytes.bytes =
            Base64At(RequireMember((*uncovered)[i], path, "bytes"), MemberPath(path, "bytes"));
        map.uncovered.push_back(std::move(bytes));
    }
}

// No map file has holes: whatever an offset points at must fit in what the records fill. An
// empty blob places nothing, and the loader never follows the offsets of the zoom cells.
void CStoredMapReading::CheckOffset(const std::optional<uint32_t>& offset, size_t size,
                                    const std::string& path) {
    if (offset && size > 0 && *offset + uint64_t{size} > content) {
        throw CJsonPathError(path, std::to_string(*offset) +
                                       " lies beyond the bytes the document holds (" +
                                       std::to_string(content) + ")");
    }
}

void CStoredMapReading::CheckOffsets() {
    content = StoredMapContentBytes(map);
    if (map.sections) {
        CheckOffset((*map.sections)[3], 4, "sections[3]");
        CheckOffset((*map.sections)[4], kStoredCustomFlags, "sections[4]");
    }
    for (size_t i = 0; i < map.cityImages.size(); ++i) {
        CheckOffset(map.cityImages[i].offset, map.cityImages[i].blob.size(),
                    MemberPath(ElementPath("cityArt", i), "offset"));
    }
    for (size_t i = 0; i < map.cells.size(); ++i) {
        CheckOffset(map.cells[i].offset, map.cells[i].blob.size(),
                    MemberPath(ElementPath("customArt.cells", i), "offset"));
    }
    for (size_t i = 0; i < map.uncovered.size(); ++i) {
        CheckOffset(static_cast<uint32_t>(map.uncovered[i].offset), map.uncovered[i].bytes.size(),
                    MemberPath(ElementPath("uncovered", i), "offset"));
    }
}

StoredMap CStoredMapReading::Read() {
    ReadHeader();
    ReadOverview();
    ReadTiles();
    ReadRivers();
    ReadCityArt();
    ReadCustomArt();
    ReadUncovered();
    CheckOffsets();
    return std::move(map);
}

}  // namespace

StoredMap StoredMapFromJson(const Json& document) {
    return CStoredMapReading(document).Read();
}
