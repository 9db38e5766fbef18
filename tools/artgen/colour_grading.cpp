#include "colour_grading.h"

#include <cmath>

#include "tile_field.h"

namespace {

constexpr int kCentreFirst = 12;
constexpr int kCentreLast = 36;

Rgb CentreMean(const CArtImage& image, int cellX, int cellY) {
    Rgb sum;
    for (int y = kCentreFirst; y <= kCentreLast; ++y) {
        for (int x = kCentreFirst; x <= kCentreLast; ++x) {
            sum = sum + image.At(cellX + x, cellY + y);
        }
    }
    float count = (kCentreLast - kCentreFirst + 1) * (kCentreLast - kCentreFirst + 1);
    return sum * (1 / count);
}

Rgb Floor(Rgb c) {
    return {std::floor(c.r), std::floor(c.g), std::floor(c.b)};
}

bool SameWholeColour(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Aims at the middle of the target's whole number, where truncation gives the target.
float Correction(float target, float current) {
    return (target + 0.5f) / std::max(current, 1.0f);
}

CArtImage WithGain(const CArtImage& cell, Rgb gain) {
    return CArtImage::Painted(cell.Width(), cell.Height(), [&](int x, int y) {
        return cell.At(x, y) * Mix({1, 1, 1}, gain, EdgeWindow(x, y));
    });
}

}  // namespace

Rgb CentreAverage(const CArtImage& image, int cellX, int cellY) {
    return Floor(CentreMean(image, cellX, cellY));
}

void GradeCellTowards(CArtImage& cell, Rgb target) {
    // Rounding to whole numbers moves the mean a little, so measure the rounded picture after
    // each pass and refine the gain, which is always applied to the unrounded one.
    Rgb gain = {1, 1, 1};
    CArtImage graded = cell;
    for (int pass = 0; pass < 8; ++pass) {
        graded = WithGain(cell, gain);
        graded.Quantise();
        Rgb mean = CentreMean(graded, 0, 0);
        if (SameWholeColour(Floor(mean), target)) {
            break;
        }
        gain = gain * Rgb{Correction(target.r, mean.r), Correction(target.g, mean.g),
                          Correction(target.b, mean.b)};
    }
    cell = graded;
}
