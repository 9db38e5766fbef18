#include "mountain_range.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kCell = CTileField::kSize;
constexpr float kTwoPi = 6.2832f;
// Peaks keep this far inside the band every cell shares.
constexpr float kPeakMargin = 4;

CTileField Crests(const ReliefStyle& style, uint32_t seed) {
    return CTileField::Crests(seed, 2, style.crestOctaves, style.crestGain);
}

Point Direction(float angle) {
    return {std::cos(angle), std::sin(angle)};
}

// 0 at the summit, 1 on the foot line between a and b, beyond 1 outside; d, a and b are seen
// from the summit.
float Fraction(Point d, Point a, Point b) {
    Point edge = b - a;
    float cross = d.x * edge.y - d.y * edge.x;
    float toEdge = (a.x * edge.y - a.y * edge.x) / (std::abs(cross) > 1e-6f ? cross : 1e-6f);
    return toEdge > 0 ? 1 / toEdge : 2;
}

// How much the crests near the edges run along them rather than across them. Every cell shows
// these crests alike, so crests along the edges would outline each cell; crests across them
// run on into the next cell.
float AlongTheEdges(const CTileField& crests) {
    float across = 0;
    float along = 0;
    for (int i = 0; i < CTileField::kSize; ++i) {
        for (int depth = -10; depth <= 10; ++depth) {
            // Left and right edges, then top and bottom.
            across += std::abs(crests.At(depth + 1, i) - crests.At(depth, i));
            along += std::abs(crests.At(depth, i + 1) - crests.At(depth, i));
            across += std::abs(crests.At(i, depth + 1) - crests.At(i, depth));
            along += std::abs(crests.At(i + 1, depth) - crests.At(i, depth));
        }
    }
    return across / along;
}

// Of a few seeds for the shared crests, the one whose crests best cross the edges.
uint32_t CrossingSeed(const ReliefStyle& style) {
    uint32_t seed = style.seed;
    uint32_t best = seed;
    float bestScore = 1e9f;
    for (uint32_t k = 0; k < 32; ++k) {
        uint32_t candidate = CArtRandom::Hash(seed, k);
        float score = AlongTheEdges(Crests(style, candidate));
        if (score < bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace

float CMountainRange::Peak::At(Point p) const {
    Point d = p - summit;
    float angle = std::atan2(d.y, d.x);
    size_t n = foot.size();
    for (size_t i = 0; i < n; ++i) {
        Point a = foot[i] - summit;
        Point b = foot[(i + 1) % n] - summit;
        float from = std::atan2(a.y, a.x);
        float span = std::remainder(std::atan2(b.y, b.x) - from, kTwoPi);
        float into = std::remainder(angle - from, kTwoPi);
        if (into >= 0 && into <= span) {
            return height * std::max(0.0f, 1 - Fraction(d, a, b));
        }
    }
    return 0;
}

CMountainRange::CMountainRange(const ReliefStyle& style)
    : style(style),
      sharedCrests(Crests(style, CrossingSeed(style))),
      shared(Country(sharedCrests)) {}

CTileField CMountainRange::Country(const CTileField& crests) const {
    // The power keeps the valleys broad and the crest lines sharp.
    return CTileField::Made(
        [&](int x, int y) { return style.countryHeight * std::pow(crests.At(x, y), 1.5f); });
}

std::vector<CMountainRange::Peak> CMountainRange::Peaks(const CTileField& country,
                                                        CArtRandom& random) const {
    std::vector<Peak> peaks;
    // Up to three peaks, the first the highest; a few cells show crests only.
    constexpr int kPeakCounts[] = {0, 0, 1, 1, 1, 1, 2, 2, 2, 3};
    int count = kPeakCounts[random.Below(10)];
    for (int i = 0; i < count; ++i) {
        float share = i == 0 ? random.Range(0.55f, 1.0f) : random.Range(0.4f, 0.7f);
        float radius = random.Range(style.minPeakRadius, style.maxPeakRadius) * share;
        float reach = std::min(radius * 0.6f + kPeakMargin, kCell / 2 - 6);
        // Of a few places, the one where the crests run highest, so the peak crowns a ridge.
        Point best = {kCell / 2, kCell / 2};
        float bestHeight = -1;
        for (int candidate = 0; candidate < 12; ++candidate) {
            Point at = {random.Range(reach, kCell - reach), random.Range(reach, kCell - reach)};
            float height = country.At(static_cast<int>(at.x), static_cast<int>(at.y));
            if (height > bestHeight) {
                best = at;
                bestHeight = height;
            }
        }
        Peak peak = {best, bestHeight + style.peakHeight * share * random.Range(0.85f, 1.1f), {}};
        int corners = 6 + random.Below(3);
        float start = random.Range(0, kTwoPi);
        for (int c = 0; c < corners; ++c) {
            float angle = start + kTwoPi * (c + random.Range(-0.2f, 0.2f)) / corners;
            peak.foot.push_back(best + Direction(angle) * (radius * random.Range(0.8f, 1.15f)));
        }
        peaks.push_back(std::move(peak));
    }
    return peaks;
}

CTileField CMountainRange::Cell(uint32_t seed) const {
    CArtRandom random(seed);
    // The shared crests show only in a narrow band: they are the same in every cell.
    CTileField own = Crests(style, seed);
    CTileField country = Country(CTileField::Made([&](int x, int y) {
        float room = SmoothStep(2, 8, static_cast<float>(EdgeDistance(x, y)));
        return std::lerp(sharedCrests.At(x, y), own.At(x, y), room);
    }));
    std::vector<Peak> peaks = Peaks(country, random);
    return CTileField::Made([&](int x, int y) {
        float height = country.At(x, y);
        for (const Peak& peak : peaks) {
            height = std::max(height, peak.At({x + 0.5f, y + 0.5f}));
        }
        // A peak close to an edge comes down to the shared crests before it.
        return std::lerp(country.At(x, y), height, EdgeWindow(x, y));
    });
}
