#pragma once

#include <vector>

#include "art/overview_picture.h"
#include "document/map_document.h"
#include "edit/map_edit.h"
#include "model/terrain_table.h"
#include "support/map_builder.h"
#include "support/terrain_table_guard.h"

// A 30 x 20 grass map with a river, the target its edits work on, and what the map holds, to
// compare before and after an edit.
struct EditTestMap {
    EditTestMap() {
        LoadShippedGameData();
        map.MakeNew(30, 20, TERRAIN_TYPE_GRASS);
        map.grid.AddOverlay(3, 3, kWideRiver, 5);
    }

    // The tiles, the rivers and whether the overview shows what the tiles are.
    struct State {
        std::vector<CTile> tiles;
        std::vector<std::vector<RiverOverlay>> rivers;
        bool overviewInStep;
        bool operator==(const State&) const = default;
    };
    State Now() const {
        State state;
        const CTile* all = map.grid.Tiles();
        state.tiles.assign(all, all + map.grid.GetWidth() * map.grid.GetHeight());
        for (int y = 0; y < map.grid.GetHeight(); ++y) {
            for (int x = 0; x < map.grid.GetWidth(); ++x) {
                state.rivers.push_back(map.grid.GetOverlays(x, y));
            }
        }
        CDibImage fresh;
        RebuildOverview(map.art, fresh);
        state.overviewInStep = std::equal(
            fresh.bits.get(), fresh.bits.get() + fresh.GetBufferSize(), map.overview.bits.get());
        return state;
    }

    TerrainTableGuard guard;
    CMapDocument map;
    MapTarget target{map.art, map.overview, theTerrainTable};
};
