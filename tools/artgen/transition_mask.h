#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "model/builtin_tables.h"
#include "point.h"
#include "tile_field.h"

// Where a transition sheet shows which of its two terrains. Each cell gets a 3 x 3 grid of
// values, 1 for the "open" terrain (where the exit table lets track leave the cell: its corners
// and edge midpoints) and 0 for the other; the middle follows its neighbours, and a cell whose
// edges leave no room for one of the terrains gets an island (or a lake) of it inside. Each cell
// is drawn from its own points alone, so that any two cells that agree on the points of an edge
// meet there without a seam, wherever they stand on the sheet: the grid is interpolated with
// flat tangents at the edges, and shared tile-periodic noise roughens the dividing line.
class CTransitionMask {
  public:
    CTransitionMask(const ExitMaskRow& exits, uint32_t seed);

    // Per pixel of the cell: the distance in pixels from the dividing line, positive on the
    // open terrain's side, negative on the other (clamped to +-20).
    CTileField Cell(int cell) const;

  private:
    using Grid = std::array<std::array<float, 3>, 3>;  // [row][column]

    struct Island {
        Point centre;
        float radius;
        float sign;   // +1 an island of the open terrain, -1 one of the other
        float phase;  // turns the bulges of the shore
    };

    void AddIsland(int cell);
    float IslandAt(int cell, int x, int y) const;
    CTileField Level(int cell) const;
    void BuildSheetLevel();
    // The level of the sheet's pixel (x, y) moved by (dx, dy), clamped to the pixel's cell.
    float LevelNear(int x, int y, int dx, int dy) const;
    float SlopeDistance(int x, int y) const;
    void BuildSheetDistance();

    static constexpr int kSheetSize = CTileField::kSize * kSheetColumns;
    static float Interpolate(const Grid& grid, float x, float y);

    std::vector<Grid> grids;
    std::map<int, Island> islands;
    std::vector<float> sheetLevel;     // the level of every pixel of the 450 x 450 sheet
    std::vector<float> sheetDistance;  // and its distance from the dividing line
    uint32_t seed;
    CTileField roughness;
};
