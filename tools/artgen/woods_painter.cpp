#include "woods_painter.h"

#include <algorithm>
#include <cmath>

#include "art_random.h"
#include "shapes.h"

namespace {

constexpr uint32_t kSeed = 0x3005;
constexpr float kCell = CTileField::kSize;
constexpr Rgb kFloor = {34, 54, 24};
constexpr Rgb kClearing = {66, 94, 36};
constexpr Rgb kCrowns[] = {{58, 98, 38}, {50, 90, 34}, {68, 106, 42}, {36, 72, 40}};
constexpr float kSpacing = 7.2f;
// Trees this close to an edge belong to the rim every variant shares.
constexpr float kRimDepth = 11;
// The floor turns towards meadow over this many pixels from the edge.
constexpr float kMeadowBand = 2.5f;

float Distance(const CWoodsPainter::Tree& tree, float x, float y) {
    return std::hypot(tree.x - x, tree.y - y);
}

bool FarEnough(const std::vector<CWoodsPainter::Tree>& trees, float x, float y, float spacing) {
    return std::none_of(trees.begin(), trees.end(),
                        [&](const CWoodsPainter::Tree& t) { return Distance(t, x, y) < spacing; });
}

float FromEdge(float x, float y) {
    return std::min({x, y, kCell - x, kCell - y});
}

// A rim crown may run up to an edge and be cut there, but keeps most of itself in the cell.
bool MostlyInside(float x, float y, float radius) {
    return FromEdge(x, y) >= 0.8f * radius;
}

// Dart throwing: crowns as dense as the spacing allows, placed where keep says.
template <typename Keep>
void Scatter(std::vector<CWoodsPainter::Tree>& trees, uint64_t seed, float spacing, Keep keep) {
    CArtRandom random(seed);
    for (int attempt = 0; attempt < 900; ++attempt) {
        float x = random.Range(0, kCell);
        float y = random.Range(0, kCell);
        float radius = random.Range(3.6f, 5.8f);
        if (keep(x, y, radius) && FarEnough(trees, x, y, spacing)) {
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

CWoodsPainter::CWoodsPainter(CArtImage meadow)
    : meadow(std::move(meadow)), floor(CTileField::Noise(kSeed, 3, 2)) {
    PlantRim();
}

void CWoodsPainter::PlantRim() {
    // Trees scattered through the rim's depth: some run up to the edge and are cut a little by
    // it, so that cells of woods close up with each other; others stand back from it, so that
    // woods against open ground end in a ragged line of crowns.
    Scatter(rim, kSeed, kSpacing, [](float x, float y, float radius) {
        return FromEdge(x, y) < kRimDepth && MostlyInside(x, y, radius);
    });
}

CArtImage CWoodsPainter::PaintFloor(const CTileField& clearing) const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        Rgb woods = Mix(kFloor * (1 + 0.15f * floor.At(x, y)), kClearing, clearing.At(x, y));
        // The floor turns partly to meadow at the very edge: against open ground the gaps of
        // the rim show light, against woods they stay dark enough to close the canopy.
        float open = SmoothStep(kMeadowBand, 0, static_cast<float>(EdgeDistance(x, y)));
        return Mix(woods, meadow.At(x, y), 0.3f * open);
    });
}

void CWoodsPainter::DrawTrees(CArtImage& image, std::vector<Tree> trees) {
    std::stable_sort(trees.begin(), trees.end(),
                     [](const Tree& a, const Tree& b) { return a.y < b.y; });
    for (const Tree& tree : trees) {
        // No crown or shadow comes in across an edge: each cell keeps its trees to itself.
        DrawTreeInside(image, tree.x, tree.y, tree.radius, CrownColour(tree),
                       CArtRandom::Hash(static_cast<uint32_t>(tree.x * 16),
                                        static_cast<uint32_t>(tree.y * 16)));
    }
}

std::vector<CWoodsPainter::Tree> CWoodsPainter::Inner(uint64_t seed, Point clearing,
                                                      float clearingRadius) const {
    std::vector<Tree> trees = rim;
    Scatter(trees, seed, kSpacing, [&](float x, float y, float) {
        return FromEdge(x, y) >= kRimDepth &&
               std::hypot(x - clearing.x, y - clearing.y) > clearingRadius + 2;
    });
    trees.erase(trees.begin(), trees.begin() + static_cast<long>(rim.size()));
    return trees;
}

CArtImage CWoodsPainter::PaintGround() const {
    CArtImage image = PaintFloor(CTileField());
    DrawTrees(image, Inner(kSeed + 1, {}, -10));
    DrawTrees(image, rim);
    return image;
}

CArtImage CWoodsPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(kSeed, cell);
    CArtRandom random(seed);
    // Three in ten variants open a small clearing somewhere in the middle.
    bool clearing = random.Chance(0.3f);
    Point centre = {random.Range(18, 32), random.Range(18, 32)};
    float radius = clearing ? random.Range(6, 8.5f) : -10;
    CTileField open = CTileField::Made([&](int x, int y) {
        return SmoothStep(radius + 1, radius - 1,
                          std::hypot(x + 0.5f - centre.x, y + 0.5f - centre.y));
    });
    CArtImage image = PaintFloor(open);
    DrawTrees(image, Inner(seed, centre, radius));
    DrawTrees(image, rim);
    return image;
}
