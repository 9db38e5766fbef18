#include "art/terrain_row_text.h"

#include <cstdio>

#include "model/terrain_names.h"
#include "model/terrain_table.h"

int DisplayedCost(int storedCost) {
    return storedCost == kStoredMinusOneCost ? -1 : storedCost;
}

int StoredCost(int displayedCost) {
    return displayedCost == -1 ? kStoredMinusOneCost : displayedCost;
}

std::string RowText(const CMapArt& art, int type) {
    const CTerrainType& record = theTerrainTable.Record(type);
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "\t%d\t%d\t%d\t%d\t%d\t", record.altitudeLevel,
                  record.allowCities, record.allowSignposts, DisplayedCost(record.rightOfWayCost),
                  DisplayedCost(record.trackCost));
    std::string text =
        TerrainDisplayName(type) + std::string(numbers) + theTerrainTable.ResourceLetters(type);
    if (const CCustomTerrainArt* custom = art.CustomArtFor(type)) {
        text += "\t" + (custom->loaded ? custom->sourcePath : std::string("Unused"));
    }
    return text;
}
