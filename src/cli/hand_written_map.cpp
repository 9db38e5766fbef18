#include "hand_written_map.h"

#include <algorithm>
#include <new>

#include "art/custom_terrain_art.h"
#include "bmp_problem.h"
#include "interchange/bitmap_interchange.h"
#include "json_fields.h"
#include "json_path_error.h"
#include "model/terrain_table.h"

namespace {

constexpr const char* kCurrentVersion = "1.0.0.75";
constexpr size_t kPathFieldBytes = 128;

void ReadGameData(const Json& document) {
    if (const Json* version = FindMember(document, "", "version");
        version != nullptr && TextAt(*version, "version") != kCurrentVersion) {
        throw CJsonPathError("version",
                             "maps are built as 1.0.0.75; other versions need the "
                             "complete form");
    }
    if (const Json* miles = FindMember(document, "", "milesPerTile")) {
        theTerrainTable.milesPerTile =
            static_cast<int32_t>(WholeNumber(*miles, "milesPerTile", INT32_MIN, INT32_MAX));
    }
    if (const Json* terrain = FindMember(document, "", "terrain")) {
        ArrayAt(*terrain, "terrain", kStoredTerrainTypes);
        for (int type = 0; type < kStoredTerrainTypes; ++type) {
            ReadTerrainRecord((*terrain)[type], ElementPath("terrain", type), false,
                              theTerrainTable.Record(type));
        }
    }
}

int SideOf(const Json& document, const char* name, int fallback) {
    const Json* side = FindMember(document, "", name);
    return side == nullptr ? fallback : static_cast<int>(WholeNumber(*side, name, 1, kMaxMapSide));
}

// Sides from 1 to 1000, as given, else as the rows are, else as a New map's.
void ReadTiles(const Json& document, CMapDocument& map) {
    const Json* rows = FindMember(document, "", "tiles");
    const bool hasRows = rows != nullptr && !ArrayAt(*rows, "tiles").empty();
    const size_t rowCount = hasRows ? rows->size() : 0;
    const size_t rowLength = hasRows ? ArrayAt((*rows)[0], "tiles[0]").size() : 0;
    const int height =
        SideOf(document, "height",
               hasRows ? static_cast<int>(std::min<size_t>(rowCount, INT32_MAX)) : kMaxMapHeight);
    const int width =
        SideOf(document, "width",
               hasRows ? static_cast<int>(std::min<size_t>(rowLength, INT32_MAX)) : kMaxMapWidth);
    if (height < 1 || height > kMaxMapSide || width < 1 || width > kMaxMapSide) {
        throw CJsonPathError("tiles", "rows of 1 to 1000 tiles, 1 to 1000 of them, make a map");
    }
    if (hasRows) {
        ArrayAt(*rows, "tiles", static_cast<size_t>(height));
    }
    if (!map.MakeNew(width, height, TERRAIN_TYPE_GRASS)) {
        throw std::bad_alloc();
    }
    for (int y = 0; hasRows && y < height; ++y) {
        const std::string rowPath = ElementPath("tiles", y);
        const Json& row = ArrayAt((*rows)[y], rowPath, width);
        for (int x = 0; x < width; ++x) {
            const std::string path = ElementPath(rowPath, x);
            const TileText tile = TileAt(row[x], path);
            if (tile.aux) {
                throw CJsonPathError(path, "a third byte is kept only in the complete form");
            }
            // The old city type loads as grass with a random cell; it is built that way.
            if (tile.type == TERRAIN_TYPE_CITY) {
                map.grid.SetTile(TERRAIN_TYPE_GRASS, kRandomFirstSet, x, y);
            } else {
                map.grid.SetTile(tile.type, tile.request, x, y);
            }
        }
    }
}

void ReadRivers(const Json& document, CMapDocument& map) {
    const Json* rivers = FindArray(document, "", "overlays");
    if (rivers == nullptr) {
        return;
    }
    const int64_t lastX = std::min(map.grid.GetWidth(), kFirstUnstorableRiverIndex) - 1;
    const int64_t lastY = std::min(map.grid.GetHeight(), kFirstUnstorableRiverIndex) - 1;
    const int64_t limits[4] = {lastX, lastY, 1, kLastArtCell};
    for (size_t i = 0; i < rivers->size(); ++i) {
        const std::string path = ElementPath("overlays", i);
        const Json& entry = ArrayAt((*rivers)[i], path, 4);
        int values[4];
        for (size_t k = 0; k < 4; ++k) {
            values[k] = static_cast<int>(WholeNumber(entry[k], ElementPath(path, k), 0, limits[k]));
        }
        map.grid.AddOverlay(values[0], values[1], values[2], values[3]);
    }
}

void ReadCustomArt(const Json& document, CMapDocument& map, std::vector<std::string>& pictures) {
    const Json* slots = FindArray(document, "", "customArt");
    if (slots == nullptr) {
        return;
    }
    std::vector<bool> given(TERRAIN_TYPE_CUSTOM_16 + 1);
    for (size_t i = 0; i < slots->size(); ++i) {
        const std::string path = ElementPath("customArt", i);
        const Json& slot = (*slots)[i];
        const int type = static_cast<int>(
            WholeNumber(RequireMember(slot, path, "type"), MemberPath(path, "type"),
                        TERRAIN_TYPE_CUSTOM_1, TERRAIN_TYPE_CUSTOM_16));
        if (given[type]) {
            throw CJsonPathError(MemberPath(path, "type"),
                                 "type " + std::to_string(type) + " has art already");
        }
        given[type] = true;
        CCustomTerrainArt& art = *map.art.CustomArtFor(type);
        if (const Json* masks = FindMember(slot, path, "exitMasks")) {
            auto bytes = BytesAt<81>(*masks, MemberPath(path, "exitMasks"));
            std::copy(bytes.begin(), bytes.end(), art.exitMasks.begin());
        }
        const std::string artPath = MemberPath(path, "art");
        const std::string& picture = TextAt(RequireMember(slot, path, "art"), artPath);
        if (int result = art.Import(picture); result != 0) {
            throw CJsonPathError(artPath, picture + ": " + ArtImportProblem(result, picture));
        }
        pictures.push_back(picture);
        if (const Json* source = FindMember(slot, path, "sourcePath")) {
            art.sourcePath = TextAt(*source, MemberPath(path, "sourcePath"));
        }
        if (art.sourcePath.size() >= kPathFieldBytes) {
            throw CJsonPathError(MemberPath(path, "sourcePath"),
                                 "a source path must be shorter than 128 bytes");
        }
    }
}

void ReadCityArt(const Json& document, CMapDocument& map, std::vector<std::string>& pictures) {
    const Json* list = FindArray(document, "", "cityArt");
    if (list == nullptr) {
        return;
    }
    for (size_t i = 0; i < list->size(); ++i) {
        const std::string path = ElementPath("cityArt", i);
        const std::string& picture = TextAt((*list)[i], path);
        if (!map.art.AddCityArt(picture)) {
            throw CJsonPathError(path, picture + ": " + BmpProblemOf(picture));
        }
        pictures.push_back(picture);
    }
}

}  // namespace

std::vector<std::string> MakeHandWrittenMap(const Json& document, CMapDocument& map) {
    std::vector<std::string> pictures;
    ReadGameData(document);
    ReadTiles(document, map);
    ReadRivers(document, map);
    ReadCustomArt(document, map, pictures);
    ReadCityArt(document, map, pictures);
    map.RebuildOverview();
    return pictures;
}
