#pragma once

#include <cstdint>

#include "art/river_piece_table.h"

class CRandom;

// The river pieces by their exits: which shape a set of exits takes, and a piece of it.

// The shape of a piece with these exits: a source or, where it ends by open water, a mouth for
// one exit; a run, fork or junction for two to four; a lake where the piece was one and a lake
// has these exits.
RiverPieceShape ShapeForExits(uint8_t exits, bool byOpenWater, bool wasLake);

// A piece with exactly these exits and shape, at random among its variants; -1 when there is
// none.
int ChooseRiverPiece(uint8_t exits, RiverPieceShape shape, CRandom& random);

// The exit bit of direction 0 top, 1 right, 2 bottom, 3 left, and the step to that neighbour.
uint8_t RiverExit(int direction);
inline constexpr int kRiverSteps[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
// The direction from a tile to its edge neighbour; -1 for any other tile.
int DirectionTo(int fromX, int fromY, int toX, int toY);
