#include "document/game_data.h"

#include "model/terrain_table.h"
#include "model/terrain_table_restorer.h"

int ReadGameData(const std::string& path, std::string& problem) {
    CTerrainTableRestorer restorer;
    int result = theTerrainTable.LoadGameData(path, nullptr, &problem);
    if (result == 0) {
        restorer.Commit();
    }
    return result;
}
