#include "art/overview_colors.h"

#include "art/art_catalog.h"

// Written by the art generator at build time and embedded by the assembler: [42 types][81 cells]
// of red, green, blue.
extern "C" const uint8_t tarvo_overview_colors[];
extern "C" const uint8_t tarvo_overview_colors_end[];

const uint8_t* GeneratedCellColor(int type, int cell) {
    bool complete =
        tarvo_overview_colors_end - tarvo_overview_colors == static_cast<long>(kOverviewColorBytes);
    if (!complete || type < 0 || type >= kOverviewColorTypes || cell < 0 ||
        cell >= CellsWithArt(type)) {
        return nullptr;
    }
    return tarvo_overview_colors + (type * kOverviewColorCells + cell) * 3;
}
