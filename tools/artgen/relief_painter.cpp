#include "relief_painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "point.h"

namespace {

// Light from the top left and a little above.
constexpr float kLightX = -0.6f;
constexpr float kLightY = -0.6f;
constexpr float kLightZ = 0.53f;

constexpr float kFootRadius = 23;
constexpr float kTwoPi = 6.2832f;

// A peak with plane faces: the summit stands over a ring of foot points, and each face between
// two neighbouring foot points slopes straight down from the summit to the foot. Faces turned
// to the light and away from it are what makes a mountain read as one at a glance.
struct Peak {
    Point summit;
    float height;
    std::vector<Point> foot;  // around the summit by angle

    // 0 at the summit, 1 on the foot line, beyond 1 outside.
    static float Fraction(Point d, Point a, Point b) {
        Point edge = b - a;
        float cross = d.x * edge.y - d.y * edge.x;
        float toEdge = (a.x * edge.y - a.y * edge.x) / (std::abs(cross) > 1e-6f ? cross : 1e-6f);
        return toEdge > 0 ? 1 / toEdge : 2;
    }

    float At(Point p) const {
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
};

Point Direction(float angle) {
    return {std::cos(angle), std::sin(angle)};
}

Peak MakePeak(Point summit, float height, float radius, CArtRandom& random) {
    Peak peak = {summit, height, {}};
    int corners = 6 + random.Below(3);
    float start = random.Range(0, kTwoPi);
    for (int i = 0; i < corners; ++i) {
        float angle = start + kTwoPi * (i + random.Range(-0.2f, 0.2f)) / corners;
        peak.foot.push_back(summit + Direction(angle) * (radius * random.Range(0.8f, 1.15f)));
    }
    return peak;
}

// A main peak near the middle of the cell, sometimes with a lower shoulder on its shaded side,
// where the shoulder's own shaded faces look outwards.
std::vector<Peak> Massif(const ReliefStyle& style, CArtRandom& random) {
    Point summit = {random.Range(21, 29), random.Range(21, 29)};
    float radius = random.Range(style.minPeakRadius, style.maxPeakRadius);
    std::vector<Peak> peaks = {MakePeak(summit, style.peakHeight, radius, random)};
    if (random.Chance(0.6f)) {
        Point at =
            summit + Direction(random.Range(-0.5f, 2.0f)) * (radius * random.Range(0.45f, 0.6f));
        peaks.push_back(MakePeak(at, style.peakHeight * random.Range(0.55f, 0.7f),
                                 radius * random.Range(0.5f, 0.65f), random));
    }
    return peaks;
}

}  // namespace

CReliefPainter::CReliefPainter(const ReliefStyle& style)
    : style(style),
      ground(GroundHeights(style.seed)),
      texture(CTileField::Noise(style.seed + 5, 6, 2)) {}

CTileField CReliefPainter::GroundHeights(uint32_t seed) const {
    // Hills roll in long swells; mountain ground is broken up more finely.
    CTileField rolling =
        style.rugged ? CTileField::Noise(seed, 2, 3) : CTileField::Noise(seed, 1, 2);
    CTileField rock = CTileField::Ridges(seed + 1, 5, 2);
    return CTileField::Made([&](int x, int y) {
        float roughness = style.rugged ? 0.4f * rock.At(x, y) : 0;
        return style.groundRelief * (rolling.At(x, y) + roughness);
    });
}

CTileField CReliefPainter::Hills(CArtRandom& random) const {
    // A few mounds of different sizes, drawn out in different directions.
    struct Hill {
        Point centre;
        Point along;
        float length;
        float width;
        float height;
    };
    std::vector<Hill> hills(style.minPeaks + random.Below(style.maxPeaks - style.minPeaks + 1));
    for (Hill& hill : hills) {
        hill.centre = {random.Range(14, 36), random.Range(14, 36)};
        hill.along = Direction(random.Range(0, kTwoPi));
        hill.width = random.Range(style.minPeakRadius, style.maxPeakRadius);
        hill.length = hill.width * random.Range(1.0f, 1.8f);
        hill.height = style.peakHeight * random.Range(0.6f, 1.1f);
    }
    return CTileField::Made([&](int x, int y) {
        float h = 0;
        for (const Hill& hill : hills) {
            Point d = Point{x + 0.5f, y + 0.5f} - hill.centre;
            float u = Dot(d, hill.along) / hill.length;
            float v = Dot(d, Perpendicular(hill.along)) / hill.width;
            h += hill.height * std::exp(-2 * (u * u + v * v));
        }
        return h;
    });
}

CTileField CReliefPainter::Mountain(CArtRandom& random, uint32_t seed) const {
    std::vector<Peak> peaks = Massif(style, random);
    CTileField warpX = CTileField::Noise(seed, 4, 2);
    CTileField warpY = CTileField::Noise(seed + 1, 4, 2);
    CTileField crags = CTileField::Ridges(seed + 2, 5, 2);
    return CTileField::Made([&](int x, int y) {
        Point warped = Point{x + 0.5f, y + 0.5f} + Point{warpX.At(x, y), warpY.At(x, y)} * 1.5f;
        float h = 0;
        for (const Peak& peak : peaks) {
            h = std::max(h, peak.At(warped));
        }
        return h * (0.93f + 0.14f * crags.At(x, y));
    });
}

float CReliefPainter::LightAt(const CTileField& heights, int x, int y) const {
    float gx = (heights.At(x + 1, y) - heights.At(x - 1, y)) * 0.5f * style.steepness;
    float gy = (heights.At(x, y + 1) - heights.At(x, y - 1)) * 0.5f * style.steepness;
    float normalLength = std::sqrt(gx * gx + gy * gy + 1);
    float shade = (-gx * kLightX - gy * kLightY + kLightZ) / (normalLength * kLightZ);
    return std::clamp(shade, 0.45f, 1.5f);
}

Rgb CReliefPainter::Lit(Rgb colour, float shade) const {
    if (shade < 1) {
        return Mix(colour * shade, style.shadowTint, (1 - shade) * 0.35f);
    }
    return colour * (1 + (shade - 1) * 0.6f);
}

Rgb CReliefPainter::ColourAt(const CTileField& heights, int x, int y) const {
    float h = heights.At(x, y);
    float shade = LightAt(heights, x, y);
    float grain = texture.At(x, y);
    Rgb rock = Lit(Mix(style.low, style.high, Clamp01(h / style.highAt + 0.1f * grain)), shade);
    // Snow stays bright in the shade, only turning a little blue.
    Rgb snow = Lit(style.snow, 1 - (1 - shade) * 0.55f);
    return Mix(rock, snow, SmoothStep(style.snowAt, style.snowAt + 0.25f, h + 0.25f * grain));
}

CArtImage CReliefPainter::Shade(const CTileField& heights) const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float grit = CArtRandom::Grain(x, y, style.seed);
        bool bush = grit < style.scrub * (1 - Clamp01(heights.At(x, y) / style.highAt));
        float speckle = style.rugged ? 1 + 0.08f * (grit - 0.5f) : 1;
        return ColourAt(heights, x, y) * (bush ? 0.65f : speckle);
    });
}

CArtImage CReliefPainter::PaintGround() const {
    return Shade(ground);
}

CTileField CReliefPainter::Raised(uint32_t seed) const {
    CArtRandom random(seed);
    CTileField raised = style.rugged ? Mountain(random, seed + 1) : Hills(random);
    // The foot is round and stays clear of the edges, which every variant shares.
    return CTileField::Made([&](int x, int y) {
        float fromMiddle = Length(Point{x + 0.5f, y + 0.5f} - Point{25, 25});
        return raised.At(x, y) * SmoothStep(kFootRadius, kFootRadius - 7, fromMiddle);
    });
}

CArtImage CReliefPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(style.seed, cell);
    // Rock varies its ground in the middle too; rolling hills keep the shared swell under them.
    CTileField base = style.rugged ? ground.WithInterior(GroundHeights(seed)) : ground;
    CTileField raised = Raised(seed);
    return Shade(CTileField::Made([&](int x, int y) { return base.At(x, y) + raised.At(x, y); }));
}
