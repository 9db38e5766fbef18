#pragma once

#include "art_image.h"

// The colour the overview shows for a cell: the mean of its middle half (pixels 12 to 36 in both
// directions), each channel truncated to a whole number as the overview table stores it.
Rgb CentreAverage(const CArtImage& image, int cellX, int cellY);

// Grades a 50 x 50 cell so that its CentreAverage becomes target, leaving the edge band (see
// EdgeWindow) alone so that the cell still meets its neighbours. The cell comes back in whole
// numbers.
void GradeCellTowards(CArtImage& cell, Rgb target);
