#pragma once

#include "generate/generation_options.h"
#include "generate/height_field.h"
#include "generate/terrain_levels.h"

class CRandom;
class CTileGrid;

// Woods, farms and swamps on a generated map's plain grass, in the shares of the land the
// options ask for: swamps on flat, wet low land by the water; farms on flat land near rivers;
// woods on slopes and by the hills. Where each goes also follows a noise field of the seed.
void AddLandCover(CTileGrid& grid, const CHeightField& heights, const TerrainLevels& levels,
                  const GenerationOptions& options, CRandom& random);
