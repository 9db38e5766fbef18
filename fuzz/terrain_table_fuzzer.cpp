// Reads the input as a game data file, as Open Tarvo.ini does, into a fresh terrain table.
#include <cstddef>
#include <cstdint>

#include "model/terrain_table.h"
#include "scratch_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CScratchFiles files;
    theTerrainTable = CTerrainTable();
    theTerrainTable.LoadGameData(files.Write("input.ini", data, size));
    return 0;
}
