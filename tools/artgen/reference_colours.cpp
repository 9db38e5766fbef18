#include "reference_colours.h"

#include <array>

#include "model/terrain_type.h"

namespace {

struct Reference {
    int type;
    int cell;
    Rgb colour;
};

constexpr std::array<Reference, 10> kReferences = {{
    {TERRAIN_TYPE_SUBURB, 0, {86, 106, 34}},
    {TERRAIN_TYPE_SUBURB, 1, {73, 100, 39}},
    {TERRAIN_TYPE_DESERT, 0, {180, 148, 86}},
    {TERRAIN_TYPE_DESERT, 1, {181, 148, 85}},
    {TERRAIN_TYPE_GRASS, 0, {73, 101, 36}},
    {TERRAIN_TYPE_GRASS, 1, {73, 103, 37}},
    {TERRAIN_TYPE_MOUNTAIN_2, 0, {77, 125, 154}},
    {TERRAIN_TYPE_MOUNTAIN_2, 1, {83, 135, 166}},
    {TERRAIN_TYPE_SWAMP, 0, {51, 90, 47}},
    {TERRAIN_TYPE_SWAMP, 1, {50, 88, 46}},
}};

}  // namespace

const Rgb* ReferenceColour(int type, int cell) {
    for (const Reference& reference : kReferences) {
        if (reference.type == type && reference.cell == cell) {
            return &reference.colour;
        }
    }
    return nullptr;
}
