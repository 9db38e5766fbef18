#include "woods_painter.h"

#include <algorithm>
#include <cmath>

#include "art_random.h"
#include "shapes.h"

namespace {

using Disc = CWoodsPainter::Disc;

constexpr uint32_t kSeed = 0x3005;
constexpr float kCell = CTileField::kSize;
constexpr Rgb kFloor = {34, 54, 24};
constexpr Rgb kCrowns[] = {{58, 98, 38}, {50, 90, 34}, {68, 106, 42}};
constexpr Rgb kConifer = {36, 72, 40};
constexpr float kSpacing = 7.2f;

// Distance along one axis of the torus the cell tiles.
float TorusDistance(float a, float b) {
    float d = std::abs(a - b);
    return std::min(d, kCell - d);
}

float Distance(const Disc& disc, float x, float y) {
    return std::hypot(TorusDistance(disc.x, x), TorusDistance(disc.y, y));
}

// Whether a tree's crown (reaching up and left) or its shadow (falling down and right)
// touches the cell's outer ring of pixels, or beyond.
bool ReachesEdge(float x, float y, float radius) {
    Point shadow = TreeShadowCentre(x, y, radius);
    return std::min(x, y) - radius < 1 || std::max(shadow.x, shadow.y) + radius > kCell - 1;
}

// Whether a crown keeps out of the glades: it may reach in a little, so that a glade's outline is
// made of crowns.
bool OutOfGlades(const std::vector<Disc>& glades, float x, float y, float radius) {
    return std::none_of(glades.begin(), glades.end(), [&](const Disc& g) {
        return Distance(g, x, y) < g.radius + radius - 1.5f;
    });
}

// Dart throwing: crowns as dense as the spacing allows, placed where keep says.
template <typename Keep>
void Scatter(std::vector<Disc>& trees, uint64_t seed, Keep keep) {
    CArtRandom random(seed);
    for (int attempt = 0; attempt < 900; ++attempt) {
        float x = random.Range(0, kCell);
        float y = random.Range(0, kCell);
        float radius = random.Range(3.6f, 5.8f);
        bool farEnough = std::none_of(trees.begin(), trees.end(),
                                      [&](const Disc& t) { return Distance(t, x, y) < kSpacing; });
        if (farEnough && keep(x, y, radius)) {
            trees.push_back({x, y, radius});
        }
    }
}

struct PlacedTree {
    Disc disc;
    Rgb colour;
    uint32_t seed;
};

// A tree's look comes from where it grows on the torus, so its copies across the edges match.
// One in eight is a dark conifer: few enough that those of the rim, which every cell repeats,
// do not mark out the tiles of a forest.
PlacedTree Placed(const Disc& tree, float dx = 0, float dy = 0) {
    uint32_t h =
        CArtRandom::Hash(static_cast<uint32_t>(tree.x * 16), static_cast<uint32_t>(tree.y * 16));
    Rgb kind = h % 8 == 7 ? kConifer : kCrowns[h % 3];
    Rgb colour = kind * (0.92f + 0.16f * ((h >> 8) & 0xFF) / 255.0f);
    return {{tree.x + dx, tree.y + dy, tree.radius}, colour, h};
}

// Crowns across the edges, one after another along each, so that woods meet woods in one
// canopy without a line where the cells join.
void PlantAlongEdges(std::vector<Disc>& trees) {
    CArtRandom random(kSeed + 3);
    for (int side = 0; side < 2; ++side) {
        bool inwards = side == 0;
        for (float along = random.Range(0, 4); along < kCell; along += random.Range(6.5f, 8.5f)) {
            // Mostly to one side of the edge, by turns: one side sees a crown cut a little,
            // the other only its tip.
            inwards = !inwards;
            float offset = random.Range(1, 3.5f) * (inwards ? 1 : -1);
            float across = std::fmod(offset + kCell, kCell);
            float radius = random.Range(3.8f, 5.6f);
            Disc tree = side == 0 ? Disc{across, along, radius} : Disc{along, across, radius};
            bool crowded = std::any_of(trees.begin(), trees.end(), [&](const Disc& t) {
                return Distance(t, tree.x, tree.y) < 6.5f;
            });
            if (!crowded) {
                trees.push_back(tree);
            }
        }
    }
}

}  // namespace

CWoodsPainter::CWoodsPainter(CArtImage meadow)
    : meadow(std::move(meadow)), floor(CTileField::Noise(kSeed, 3, 2)) {
    PlantAlongEdges(rim);
    Scatter(rim, kSeed, [&](float x, float y, float radius) { return ReachesEdge(x, y, radius); });
}

CArtImage CWoodsPainter::Paint(uint64_t seed, const std::vector<Disc>& glades) const {
    CArtImage image = CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float open = 0;
        for (const Disc& glade : glades) {
            float d = Distance(glade, x + 0.5f, y + 0.5f);
            open = std::max(open, SmoothStep(glade.radius + 2, glade.radius - 1, d));
        }
        return Mix(kFloor * (1 + 0.15f * floor.At(x, y)), meadow.At(x, y), open);
    });

    // The variant's own trees fill in between the shared ones without touching the edges.
    std::vector<Disc> inner = rim;
    Scatter(inner, seed, [&](float x, float y, float radius) {
        return !ReachesEdge(x, y, radius) && OutOfGlades(glades, x, y, radius);
    });
    std::vector<PlacedTree> trees;
    for (size_t i = rim.size(); i < inner.size(); ++i) {
        trees.push_back(Placed(inner[i]));
    }
    for (const Disc& tree : rim) {
        for (float dy : {-kCell, 0.0f, kCell}) {
            for (float dx : {-kCell, 0.0f, kCell}) {
                trees.push_back(Placed(tree, dx, dy));
            }
        }
    }
    // Back to front, copies that fall outside the cell are dropped as they are drawn.
    std::stable_sort(trees.begin(), trees.end(),
                     [](const PlacedTree& a, const PlacedTree& b) { return a.disc.y < b.disc.y; });
    for (const PlacedTree& tree : trees) {
        DrawTreeInside(image, tree.disc.x, tree.disc.y, tree.disc.radius, tree.colour, tree.seed);
    }
    return image;
}

CArtImage CWoodsPainter::PaintGround() const {
    return Paint(kSeed + 1, {});
}

CArtImage CWoodsPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(kSeed, cell);
    CArtRandom random(seed);
    // Small glades in the middle, never on the edges, which every variant shares: glades there
    // would come back on every tile and mark out the cells of a large forest. Three in ten
    // variants open a larger clearing.
    std::vector<Disc> glades;
    int count = random.Below(4);
    for (int i = 0; i < count; ++i) {
        glades.push_back({random.Range(13, 37), random.Range(13, 37), random.Range(3.5f, 5.5f)});
    }
    if (random.Chance(0.3f)) {
        glades.push_back({random.Range(18, 32), random.Range(18, 32), random.Range(6, 8.5f)});
    }
    return Paint(seed, glades);
}
