#pragma once

#include <cstdint>

#include "art_image.h"
#include "point.h"

// Small shapes shared by the painters. Discs wrap around the picture's edges, so that a shape
// drawn across a tile's edge comes back in on the other side, as the next tile shows it.

// Multiplies the pixels of a disc by factor (a shadow or a wet patch).
void DarkenDisc(CArtImage& image, float cx, float cy, float radius, float factor);
// A round crown lit from the top left, with a leafy texture.
void DrawCanopy(CArtImage& image, float cx, float cy, float radius, Rgb colour, uint32_t seed);
// A canopy with its shadow falling to the bottom right.
void DrawTree(CArtImage& image, float cx, float cy, float radius, Rgb colour, uint32_t seed);
// The same, but what falls outside the picture is dropped instead of coming in on the other side.
void DrawTreeInside(CArtImage& image, float cx, float cy, float radius, Rgb colour, uint32_t seed);

// The centre of the shadow of a tree whose crown is centred at (cx, cy); it has the crown's radius.
Point TreeShadowCentre(float cx, float cy, float radius);

// Fills the pixels x0 <= x < x1, y0 <= y < y1 that lie in the picture.
void FillRect(CArtImage& image, int x0, int y0, int x1, int y1, Rgb colour);
void DarkenRect(CArtImage& image, int x0, int y0, int x1, int y1, float factor);
// A pitched roof seen from above with its shadow: the ridge runs along the longer side, the half
// facing the light is brighter.
void DrawHouse(CArtImage& image, int x0, int y0, int x1, int y1, Rgb roof);
