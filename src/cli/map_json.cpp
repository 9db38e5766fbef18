#include "map_json.h"

#include "model/terrain_table.h"

namespace {

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

Json TerrainRecordsJson() {
    Json records = Json::array();
    for (int type = 0; type < kStoredTerrainTypes; ++type) {
        records.push_back(TerrainRecordJson(theTerrainTable.Record(type)));
    }
    return records;
}

Json TilesJson(const CTileGrid& grid) {
    Json tiles = Json::array();
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            const CTile& tile = *grid.GetTileAt(x, y);
            tiles.push_back({tile.type, tile.requestedSubtype, tile.subtype, tile.auxByte});
        }
    }
    return tiles;
}

// In the order of the file the map came from.
Json OverlaysJson(const MapFileLayout& layout) {
    Json overlays = Json::array();
    for (const RiverEntry& entry : layout.rivers) {
        overlays.push_back({entry.x, entry.y, entry.piece.kind, entry.piece.cell});
    }
    return overlays;
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

Json MapJson(const CMapDocument& map) {
    return {
        {"version", map.VersionText()},         {"milesPerTile", theTerrainTable.milesPerTile},
        {"terrain", TerrainRecordsJson()},      {"width", map.grid.GetWidth()},
        {"height", map.grid.GetHeight()},       {"tiles", TilesJson(map.grid)},
        {"overlays", OverlaysJson(map.layout)}, {"customArt", CustomArtJson(map.art)},
        {"cityArt", CityArtJson(map.art)},
    };
}
