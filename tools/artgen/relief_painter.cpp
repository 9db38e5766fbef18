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

constexpr float kTwoPi = 6.2832f;

Point Direction(float angle) {
    return {std::cos(angle), std::sin(angle)};
}

}  // namespace

CReliefPainter::CReliefPainter(const ReliefStyle& style, std::optional<CArtImage> meadow)
    : style(style),
      meadow(std::move(meadow)),
      range(style.rugged ? std::make_optional<CMountainRange>(style) : std::nullopt),
      ground(range ? range->Shared() : GroundHeights(style.seed)),
      texture(CTileField::Noise(style.seed + 5, 6, 2)),
      crevasses(CTileField::Ridges(style.seed + 6, 6, 1)) {}

CTileField CReliefPainter::GroundHeights(uint32_t seed) const {
    // Hills of their own ground roll in long swells; on a meadow the ground stays flat.
    CTileField rolling = CTileField::Noise(seed, 1, 2);
    return CTileField::Made([&](int x, int y) { return style.groundRelief * rolling.At(x, y); });
}

CTileField CReliefPainter::Hills(CArtRandom& random) const {
    // Rises of different sizes scattered over the cell and drawn out in different directions.
    // Each has a clear foot, so it reads as a hill rather than a blur.
    struct Hill {
        Point centre;
        Point along;
        float length;
        float width;
        float height;
    };
    std::vector<Hill> hills(style.minPeaks + random.Below(style.maxPeaks - style.minPeaks + 1));
    for (Hill& hill : hills) {
        hill.along = Direction(random.Range(0, kTwoPi));
        hill.width = random.Range(style.minPeakRadius, style.maxPeakRadius);
        hill.length = hill.width * random.Range(1.0f, 1.7f);
        hill.height = style.peakHeight * random.Range(0.6f, 1.1f);
        // Small hills may stand anywhere, big ones keep nearer the middle.
        float reach = std::min(hill.length * 0.4f + 2, 20.0f);
        float far = CTileField::kSize - reach;
        hill.centre = {random.Range(reach, far), random.Range(reach, far)};
    }
    return CTileField::Made([&](int x, int y) {
        float h = 0;
        for (const Hill& hill : hills) {
            Point d = Point{x + 0.5f, y + 0.5f} - hill.centre;
            float u = Dot(d, hill.along) / hill.length;
            float v = Dot(d, Perpendicular(hill.along)) / hill.width;
            float r = u * u + v * v;
            h += r < 1 ? hill.height * (1 - r) * (1 - r) : 0;
        }
        // The few that would still reach an edge sink into the ground all variants share there.
        return h * SmoothStep(2, 7, static_cast<float>(EdgeDistance(x, y)));
    });
}

Point CReliefPainter::Slope(const CTileField& heights, int x, int y) const {
    return Point{heights.At(x + 1, y) - heights.At(x - 1, y),
                 heights.At(x, y + 1) - heights.At(x, y - 1)} *
           (0.5f * style.steepness);
}

float CReliefPainter::LightAt(const CTileField& heights, int x, int y) const {
    Point slope = Slope(heights, x, y);
    float normalLength = std::sqrt(Dot(slope, slope) + 1);
    float shade = (-slope.x * kLightX - slope.y * kLightY + kLightZ) / (normalLength * kLightZ);
    return std::clamp(shade, 0.55f, 1.5f);
}

Rgb CReliefPainter::Lit(Rgb colour, float shade) const {
    if (shade < 1) {
        return Mix(colour * shade, style.shadowTint, (1 - shade) * 0.5f);
    }
    return colour * (1 + (shade - 1) * 0.6f);
}

Rgb CReliefPainter::GroundColour(float height, int x, int y) const {
    float t = Clamp01(height / style.highAt + 0.1f * texture.At(x, y));
    if (meadow) {
        // The meadow's own colour on flat ground, shifted as the style's colours shift uphill.
        Rgb shift = {style.high.r / style.low.r, style.high.g / style.low.g,
                     style.high.b / style.low.b};
        return meadow->At(x, y) * Mix({1, 1, 1}, shift, height > 0 ? t : 0);
    }
    return Mix(style.low, style.high, t);
}

Rgb CReliefPainter::ColourAt(const CTileField& heights, int x, int y, bool glacier) const {
    float h = heights.At(x, y);
    float shade = LightAt(heights, x, y);
    float grain = texture.At(x, y);
    Rgb rock = Lit(GroundColour(h, x, y), shade);
    if (glacier) {
        // Ice fills the valleys and the hollows under the crests.
        float ice = SmoothStep(style.iceUpTo + 0.08f, style.iceUpTo - 0.08f, h + 0.1f * grain);
        // Crevasses streak the ice.
        float crevasse = 1 - 0.25f * SmoothStep(0.75f, 0.95f, crevasses.At(x, y));
        // The glacier lies in the middle of the cell, its edge ragged.
        float fromMiddle = Length(Point{x + 0.5f, y + 0.5f} - Point{25, 25}) + 5 * grain;
        ice *= std::min(SmoothStep(21, 13, fromMiddle), EdgeWindow(x, y));
        rock = Mix(rock, Lit(style.ice * crevasse, shade), ice);
    }
    // Snow in the shade turns blue-grey, so that snowy peaks keep their faces; it does not hold
    // on the steepest of them.
    Rgb snow = Lit(style.snow, 1 - (1 - shade) * 0.8f);
    float steep = SmoothStep(1.3f, 2.4f, Length(Slope(heights, x, y)));
    float snowy = SmoothStep(style.snowAt, style.snowAt + 0.25f, h + 0.25f * grain) * (1 - steep);
    return Mix(rock, snow, snowy);
}

CArtImage CReliefPainter::Shade(const CTileField& heights, bool glacier) const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        float grit = CArtRandom::Grain(x, y, style.seed);
        // On a meadow, bushes grow on the hills only: the flat ground is the meadow's.
        float h = heights.At(x, y);
        bool bush = grit < style.scrub * (1 - Clamp01(h / style.highAt)) && (!meadow || h > 0.05f);
        float speckle = style.rugged ? 1 + 0.08f * (grit - 0.5f) : 1;
        return ColourAt(heights, x, y, glacier) * (bush ? 0.65f : speckle);
    });
}

CArtImage CReliefPainter::PaintGround() const {
    return meadow ? *meadow : Shade(ground);
}

CTileField CReliefPainter::Raised(uint32_t seed) const {
    if (range) {
        CTileField heights = range->Cell(seed);
        return CTileField::Made([&](int x, int y) { return heights.At(x, y) - ground.At(x, y); });
    }
    CArtRandom random(seed);
    return Hills(random);
}

CArtImage CReliefPainter::PaintCell(int cell) const {
    uint32_t seed = CArtRandom::Hash(style.seed, cell);
    if (range) {
        return Shade(range->Cell(seed), cell < style.glacierCells);
    }
    CTileField raised = Raised(seed);
    return Shade(CTileField::Made([&](int x, int y) { return ground.At(x, y) + raised.At(x, y); }));
}
