#include "transition_test_maps.h"

#include "model/random.h"

void PaintBlobs(CTileGrid& grid, int background, int blob, uint32_t seed) {
    grid.FillAll(background);
    CRandom random(seed);
    const int width = grid.GetWidth();
    const int height = grid.GetHeight();
    const int discs = width * height / 150;
    for (int i = 0; i < discs; ++i) {
        const int cx = random.Range(0, width - 1);
        const int cy = random.Range(0, height - 1);
        const int r = random.Range(1, 6);
        for (int y = cy - r; y <= cy + r; ++y) {
            for (int x = cx - r; x <= cx + r; ++x) {
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) {
                    grid.SetTile(blob, 0, x, y);
                }
            }
        }
    }
}
