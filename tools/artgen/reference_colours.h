#pragma once

#include "rgb.h"

// The overview colours fixed for a few cells of the built-in types. Those cells are graded to
// them, so that the overview of a map looks like its view. Null for any other cell.
const Rgb* ReferenceColour(int type, int cell);
