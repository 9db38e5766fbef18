#include "map_json.h"

#include "model/terrain_table.h"

Json TerrainRecordJson(const CTerrainType& record) {
    return {
        {"typeNumber", record.typeNumber},   {"rightOfWayCost", record.rightOfWayCost},
        {"trackCost", record.trackCost},     {"reserved1", record.reserved1},
        {"reserved2", record.reserved2},     {"altitudeLevel", record.altitudeLevel},
        {"fourthValue", record.fourthValue}, {"exitTable", record.exitTable},
        {"stampTable", record.stampTable},   {"allowSignposts", record.allowSignposts},
        {"allowCities", record.allowCities}, {"subtypeCount", record.subtypeCount},
        {"setCount", record.setCount},       {"resources", record.resources},
    };
}

namespace {

Json TerrainRecordsJson() {
    Json records = Json::array();
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        records.push_back(TerrainRecordJson(theTerrainTable.Record(type)));
    }
    return records;
}

Json CustomArtJson(const CMapArt& art) {
    Json slots = Json::array();
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        const CCustomTerrainArt& slot = *art.CustomArtFor(type);
        if (slot.loaded) {
            slots.push_back(
                {{"type", type}, {"sourcePath", slot.sourcePath}, {"exitMasks", slot.exitMasks}});
        }
    }
    return slots;
}

Json CityArtJson(const CMapArt& art) {
    Json pictures = Json::array();
    const CLibObjectList& list = art.CityArt();
    for (int i = 0; i < list.GetCount(); ++i) {
        const auto& entry = static_cast<const CTerrainArt&>(*list.GetAt(i));
        pictures.push_back({{"name", entry.name.value_or("")},
                            {"width", entry.full.GetWidth()},
                            {"height", entry.full.GetHeight()},
                            {"bitCount", entry.full.infoHeader.biBitCount}});
    }
    return pictures;
}

}  // namespace

Json TerrainTableJson() {
    return {{"milesPerTile", theTerrainTable.milesPerTile}, {"terrain", TerrainRecordsJson()}};
}

std::string JsonText(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string PrintableText(const std::string& text) {
    // JSON's escaping repairs the UTF-8 and escapes the C0 controls; what it leaves a terminal
    // may still act on, DEL and the C1 controls (U+009B starts an escape sequence on some), is
    // escaped here too.
    const std::string quoted = JsonText(text);
    std::string shown;
    shown.reserve(quoted.size());
    char hex[8];
    for (size_t i = 1; i + 1 < quoted.size(); ++i) {
        const unsigned char c = quoted[i];
        const unsigned char next = quoted[i + 1];
        if (c == '\\' && (next == '"' || next == '\\')) {
            shown += static_cast<char>(next);
            ++i;
        } else if (c == '\\' && next == 'u') {
            // Only controls are escaped this way: \u001b is shown as \x1b.
            shown += "\\x" + quoted.substr(i + 4, 2);
            i += 5;
        } else if (c == 0x7F) {
            shown += "\\x7f";
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
            std::snprintf(hex, sizeof hex, "\\u%04x", next);
            shown += hex;
            ++i;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

void WriteMapJson(const CMapDocument& map, std::FILE* out) {
    const CTileGrid& grid = map.grid;
    auto field = [out](const char* name, bool first = false) {
        std::fprintf(out, "%s\"%s\":", first ? "{" : ",", name);
    };
    field("version", true);
    std::fputs(JsonText(map.VersionText()).c_str(), out);
    field("milesPerTile");
    std::fprintf(out, "%d", theTerrainTable.milesPerTile);
    field("terrain");
    std::fputs(JsonText(TerrainRecordsJson()).c_str(), out);
    field("width");
    std::fprintf(out, "%d", grid.GetWidth());
    field("height");
    std::fprintf(out, "%d", grid.GetHeight());
    // Tiles and rivers as they go: a document of a large map would take many times its size.
    field("tiles");
    std::fputc('[', out);
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            const CTile& tile = *grid.GetTileAt(x, y);
            std::fprintf(out, "%s[%d,%d,%d,%d]", x + y == 0 ? "" : ",", tile.type,
                         tile.requestedSubtype, tile.subtype, tile.auxByte);
        }
    }
    std::fputc(']', out);
    // In the order of the file the map came from.
    field("overlays");
    std::fputc('[', out);
    for (size_t i = 0; i < map.layout.rivers.size(); ++i) {
        const RiverEntry& entry = map.layout.rivers[i];
        std::fprintf(out, "%s[%d,%d,%d,%d]", i == 0 ? "" : ",", entry.x, entry.y, entry.piece.kind,
                     entry.piece.cell);
    }
    std::fputc(']', out);
    field("customArt");
    std::fputs(JsonText(CustomArtJson(map.art)).c_str(), out);
    field("cityArt");
    std::fputs(JsonText(CityArtJson(map.art)).c_str(), out);
    std::fputs("}\n", out);
}
