#include "painter_set.h"

#include "coast_painter.h"
#include "desert_painter.h"
#include "farm_painter.h"
#include "grass_painter.h"
#include "model/builtin_tables.h"
#include "model/terrain_type.h"
#include "mountain_foot_painter.h"
#include "relief_painter.h"
#include "river_sheet_painter.h"
#include "suburb_painter.h"
#include "swamp_painter.h"
#include "water_painter.h"
#include "woods_painter.h"

namespace {

// The exit table the default game data gives each transition type: land where track may leave a
// cell. Stamps are blocks of neighbouring cells, which the mask keeps continuous anyway.
CTransitionMask Mask(int exitTable, uint32_t seed) {
    return CTransitionMask(*BuiltInExitTable(exitTable), seed);
}

}  // namespace

CPainterSet::CPainterSet() {
    painters[TERRAIN_TYPE_SUBURB] = std::make_unique<CSuburbPainter>();
    painters[TERRAIN_TYPE_DESERT] = std::make_unique<CDesertPainter>();
    painters[TERRAIN_TYPE_GRASS] = std::make_unique<CGrassPainter>();
    painters[TERRAIN_TYPE_FARM] = std::make_unique<CFarmPainter>();
    painters[TERRAIN_TYPE_WOODS] =
        std::make_unique<CWoodsPainter>(painters[TERRAIN_TYPE_GRASS]->PaintGround());
    // Low hills rise from grass's own ground, and so join grass without a seam.
    painters[TERRAIN_TYPE_HILLS_1] = std::make_unique<CReliefPainter>(
        HillsStyle(0), painters[TERRAIN_TYPE_GRASS]->PaintGround());
    painters[TERRAIN_TYPE_HILLS_2] = std::make_unique<CReliefPainter>(HillsStyle(1));
    auto lowMountains = std::make_unique<CReliefPainter>(MountainStyle(0));
    const CReliefPainter& rock = *lowMountains;
    painters[TERRAIN_TYPE_MOUNTAIN_1] = std::move(lowMountains);
    for (int level = 1; level < 3; ++level) {
        painters[TERRAIN_TYPE_MOUNTAIN_1 + level] =
            std::make_unique<CReliefPainter>(MountainStyle(level));
    }
    painters[TERRAIN_TYPE_SWAMP] = std::make_unique<CSwampPainter>();
    painters[TERRAIN_TYPE_SHALLOW] = std::make_unique<CWaterPainter>(CWaterPainter::kShallows);
    painters[TERRAIN_TYPE_OCEAN] = std::make_unique<CWaterPainter>(CWaterPainter::kOcean);
    AddTransitions(rock);
}

void CPainterSet::AddTransitions(const CReliefPainter& lowMountains) {
    CArtImage grass = painters[TERRAIN_TYPE_GRASS]->PaintGround();
    CArtImage desert = painters[TERRAIN_TYPE_DESERT]->PaintGround();
    CArtImage ocean = painters[TERRAIN_TYPE_OCEAN]->PaintGround();
    CArtImage hills = painters[TERRAIN_TYPE_HILLS_1]->PaintGround();
    auto coast = [&](int type, int exitTable, const CArtImage& land, CCoastPainter::Shore shore,
                     const CArtImage& other) {
        painters[type] =
            std::make_unique<CCoastPainter>(Mask(exitTable, 0xC0A0 + type), land, other, shore);
    };
    coast(TERRAIN_TYPE_GRASS_DESERT, 3, grass, CCoastPainter::kGrassEdge, desert);
    coast(TERRAIN_TYPE_GRASS_OCEAN_A, 0, grass, CCoastPainter::kBeach, ocean);
    coast(TERRAIN_TYPE_DESERT_OCEAN, 0, desert, CCoastPainter::kWetSand, ocean);
    coast(TERRAIN_TYPE_GRASS_OCEAN_B, 1, grass, CCoastPainter::kBeach, ocean);
    coast(TERRAIN_TYPE_GRASS_OCEAN_C, 2, grass, CCoastPainter::kBeach, ocean);
    painters[TERRAIN_TYPE_MTN_TRANS] = std::make_unique<CMountainFootPainter>(
        Mask(3, 0xC0A0 + TERRAIN_TYPE_MTN_TRANS), hills, lowMountains);
    painters[TERRAIN_TYPE_RIVER_CUSTOM_A] = std::make_unique<CRiverSheetPainter>(grass);
}
