#include "river_piece_painter.h"

#include "art/river_piece_table.h"
#include "river_shape.h"
#include "tile_field.h"

namespace {

constexpr Rgb kMagenta = {255, 0, 255};
constexpr Rgb kShallowWater = {66, 122, 160};
constexpr Rgb kDeepWater = {34, 80, 128};
constexpr Rgb kWetSand = {122, 114, 80};
constexpr Rgb kMud = {72, 82, 44};

const CTileField& Ripples() {
    static const CTileField ripples = CTileField::Noise(0x7177, 6, 3, 2, 0.5f);
    return ripples;
}

const CTileField& Ragged() {
    static const CTileField ragged = CTileField::Noise(0x7178, 8, 2);
    return ragged;
}

}  // namespace

CRiverPiecePainter::CRiverPiecePainter(Kind kind)
    : halfWidth(kind == kWide ? 6.0f : 3.0f), bankWidth(kind == kWide ? 2.0f : 1.0f) {}

CArtImage CRiverPiecePainter::Paint(int n) const {
    return PaintOver(n, CArtImage(CTileField::kSize, CTileField::kSize, kMagenta));
}

CArtImage CRiverPiecePainter::PaintOver(int n, CArtImage ground) const {
    CRiverShape shape(RiverPieceInfoAt(n), halfWidth, bankWidth);
    for (int y = 0; y < ground.Height(); ++y) {
        for (int x = 0; x < ground.Width(); ++x) {
            RiverSample sample = shape.Sample({x + 0.5f, y + 0.5f});
            // Ragged banks away from the edges; where pieces meet, the outline is exact.
            sample.clearance += 0.8f * Ragged().At(x, y) * EdgeWindow(x, y);
            if (sample.clearance < 0) {
                ground.At(x, y) = WaterColour(sample.depth, x, y);
            } else if (sample.clearance < bankWidth) {
                ground.At(x, y) = BankColour(sample.clearance);
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
    return bankWidth > 1 && clearance >= 1 ? kMud : Mix(kWetSand, kMud, bankWidth > 1 ? 0 : 0.4f);
}
