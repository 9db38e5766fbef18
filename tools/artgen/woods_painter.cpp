#include "woods_painter.h"

#include <algorithm>
#include <cmath>

#include "art_random.h"
#include "shapes.h"

namespace {

constexpr uint32_t kSeed = 0x3005;
constexpr Rgb kFloor = {34, 54, 24};
constexpr Rgb kClearing = {66, 94, 36};
constexpr Rgb kCrowns[] = {{58, 98, 38}, {50, 90, 34}, {68, 106, 42}, {36, 72, 40}};
constexpr float kSpacing = 7.2f;

float TorusDistance(float a, float b) {
    float d = std::abs(a - b);
    return std::min(d, 50 - d);
}

bool FarEnough(const std::vector<CWoodsPainter::Tree>& trees, float x, float y) {
    return std::none_of(trees.begin(), trees.end(), [&](const CWoodsPainter::Tree& t) {
        return std::hypot(TorusDistance(t.x, x), TorusDistance(t.y, y)) < kSpacing;
    });
}

// Crowns this close to an edge come from the shared set; any further in cannot reach the edge
// with crown or shadow.
bool NearEdge(const CWoodsPainter::Tree& tree) {
    return std::min({tree.x, tree.y, 50 - tree.x, 50 - tree.y}) < 11;
}

// Dart throwing: crowns as dense as the spacing allows, placed where keep says.
template <typename Keep>
void Scatter(std::vector<CWoodsPainter::Tree>& trees, uint64_t seed, Keep keep) {
    CArtRandom random(seed);
    for (int attempt = 0; attempt < 600; ++attempt) {
        float x = random.Range(0, 50);
        float y = random.Range(0, 50);
        float radius = random.Range(3.8f, 5.8f);
        if (keep(x, y) && FarEnough(trees, x, y)) {
            trees.push_back({x, y, radius});
        }
    }
}

Rgb CrownColour(const CWoodsPainter::Tree& tree) {
    uint32_t h =
        CArtRandom::Hash(static_cast<uint32_t>(tree.x * 16), static_cast<uint32_t>(tree.y * 16));
    return kCrowns[h % 4] * (0.92f + 0.16f * ((h >> 8) & 0xFF) / 255.0f);
}

}  // namespace

CWoodsPainter::CWoodsPainter() : floor(CTileField::Noise(kSeed, 3, 2)) {
    Scatter(allTrees, kSeed, [](float, float) { return true; });
    std::copy_if(allTrees.begin(), allTrees.end(), std::back_inserter(edgeTrees), NearEdge);
}

CArtImage CWoodsPainter::PaintFloor(const CTileField& clearing) const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        return Mix(kFloor * (1 + 0.15f * floor.At(x, y)), kClearing, clearing.At(x, y));
    });
}

void CWoodsPainter::DrawTrees(CArtImage& image, std::vector<Tree> trees) {
    std::stable_sort(trees.begin(), trees.end(),
                     [](const Tree& a, const Tree& b) { return a.y < b.y; });
    for (const Tree& tree : trees) {
        DrawTree(image, tree.x, tree.y, tree.radius, CrownColour(tree),
                 CArtRandom::Hash(static_cast<uint32_t>(tree.x * 16),
                                  static_cast<uint32_t>(tree.y * 16)));
    }
}

CArtImage CWoodsPainter::PaintGround() const {
    CArtImage image = PaintFloor(CTileField());
    DrawTrees(image, allTrees);
    return image;
}

CArtImage CWoodsPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(kSeed, cell);
    CArtRandom random(seed);
    // Three in ten variants open a small clearing somewhere in the middle.
    bool clearing = random.Chance(0.3f);
    float cx = random.Range(18, 32);
    float cy = random.Range(18, 32);
    float cr = random.Range(6, 8.5f);
    CTileField open = CTileField::Made([&](int x, int y) {
        return clearing ? SmoothStep(cr + 1, cr - 1, std::hypot(x + 0.5f - cx, y + 0.5f - cy)) : 0;
    });
    CArtImage image = PaintFloor(open);
    std::vector<Tree> inner = edgeTrees;
    Scatter(inner, seed, [&](float x, float y) {
        return !NearEdge({x, y, 0}) && (!clearing || std::hypot(x - cx, y - cy) > cr + 2);
    });
    inner.erase(inner.begin(), inner.begin() + static_cast<long>(edgeTrees.size()));
    DrawTrees(image, inner);
    DrawTrees(image, edgeTrees);
    return image;
}
