#include "river_piece_painter.h"

#include <cmath>
#include <utility>

namespace {

constexpr int kSize = CTileField::kSize;
constexpr Rgb kMagenta = {255, 0, 255};
constexpr Rgb kShallowWater = {66, 122, 160};
constexpr Rgb kDeepWater = {34, 80, 128};
constexpr Rgb kWetSand = {122, 114, 80};
constexpr Rgb kMud = {72, 82, 44};
constexpr RiverWidth kWideRiver = {6.0f, 2.0f};
constexpr RiverWidth kNarrowRiver = {3.0f, 1.0f};
// A bank gives way where a partner's water lies this far inside its own bank: a little less, and
// the bank only roughens the partner's shore.
constexpr float kPartnerDepth = 2;

const CTileField& Ripples() {
    static const CTileField ripples = CTileField::Noise(0x7177, 6, 3, 2, 0.5f);
    return ripples;
}

// The pixels where pieces meet stay exactly as every piece of the kind draws them.
bool OnEdge(int x, int y) {
    return x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1;
}

// Marks every pixel of cover reachable from the water through water and bank.
void KeepReachable(std::vector<uint8_t>& reached, const std::vector<bool>& covered, int start) {
    std::vector<int> stack = {start};
    while (!stack.empty()) {
        int at = stack.back();
        stack.pop_back();
        if (reached[at] || !covered[at]) {
            continue;
        }
        reached[at] = 1;
        int x = at % kSize;
        int y = at / kSize;
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            if (x + dx >= 0 && x + dx < kSize && y + dy >= 0 && y + dy < kSize) {
                stack.push_back((y + dy) * kSize + x + dx);
            }
        }
    }
}

}  // namespace

CRiverPiecePainter::CRiverPiecePainter(Kind kind)
    : width(kind == kWide ? kWideRiver : kNarrowRiver),
      outlines(CRiverOutline::AllPieces(width)),
      stacked(outlines, kind == kWide ? std::vector<CRiverOutline>()
                                      : CRiverOutline::AllPieces(kWideRiver)) {}

std::vector<CRiverPiecePainter::Cover> CRiverPiecePainter::Covered(int n) const {
    const CRiverOutline& outline = outlines[n];
    const CTileField& partners = stacked.Partners(n);
    std::vector<Cover> cover(kSize * kSize, Cover::kNothing);
    std::vector<bool> covered(kSize * kSize, false);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float clearance = outline.clearance.At(x, y);
            bool underPartner = !OnEdge(x, y) && partners.At(x, y) < -kPartnerDepth;
            if (clearance < 0) {
                cover[y * kSize + x] = Cover::kWater;
            } else if (clearance < width.bank && !underPartner) {
                cover[y * kSize + x] = Cover::kBank;
            }
            covered[y * kSize + x] = cover[y * kSize + x] != Cover::kNothing;
        }
    }
    // A bank cut off from its water by the gaps is dropped with them.
    std::vector<uint8_t> reached(kSize * kSize, 0);
    for (int i = 0; i < kSize * kSize; ++i) {
        if (cover[i] == Cover::kWater) {
            KeepReachable(reached, covered, i);
        }
    }
    for (int i = 0; i < kSize * kSize; ++i) {
        if (!reached[i]) {
            cover[i] = Cover::kNothing;
        }
    }
    return cover;
}

CArtImage CRiverPiecePainter::Paint(int n) const {
    return PaintOver(n, CArtImage(kSize, kSize, kMagenta));
}

CArtImage CRiverPiecePainter::PaintOver(int n, CArtImage ground) const {
    const CRiverOutline& outline = outlines[n];
    std::vector<Cover> cover = Covered(n);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (cover[y * kSize + x] == Cover::kWater) {
                ground.At(x, y) = WaterColour(outline.depth.At(x, y), x, y);
            } else if (cover[y * kSize + x] == Cover::kBank) {
                ground.At(x, y) = BankColour(outline.clearance.At(x, y));
            }
        }
    }
    return ground;
}

Rgb CRiverPiecePainter::WaterColour(float depth, int x, int y) const {
    Rgb water = Mix(kShallowWater, kDeepWater, std::pow(depth, 0.7f));
    // Ripples only away from the edges, so that the water is the same where pieces meet.
    return water * (1 + 0.07f * Ripples().At(x, y) * EdgeWindow(x, y));
}

Rgb CRiverPiecePainter::BankColour(float clearance) const {
    bool wide = width.bank > 1;
    return wide && clearance >= 1 ? kMud : Mix(kWetSand, kMud, wide ? 0 : 0.4f);
}
