#include "suburb_painter.h"

#include "shapes.h"

namespace {

constexpr uint32_t kSeed = 0x50B0;
constexpr int kStreet = 3;  // half a street on each side of the tile
constexpr Rgb kAsphalt = {92, 92, 90};
constexpr Rgb kKerb = {150, 146, 134};
constexpr Rgb kLawn = {80, 126, 30};
constexpr Rgb kDrive = {136, 132, 122};
constexpr Rgb kPool = {70, 160, 190};
constexpr Rgb kGardenTree = {56, 94, 34};
constexpr Rgb kRoofs[] = {
    {168, 86, 52}, {126, 82, 60}, {112, 112, 118}, {140, 62, 48}, {178, 120, 70}};

Rgb RoofColour(CArtRandom& random) {
    return kRoofs[random.Below(5)] * random.Range(0.9f, 1.1f);
}

// A house set back from the street at the top of the block, with its drive; `flip` mirrors it to
// the bottom street.
void AddStreetHouse(CArtImage& image, CArtRandom& random, int x0, int width, bool flip) {
    int depth = 7 + random.Below(3);
    int y0 = kStreet + 4 + random.Below(2);
    int drive = x0 + (random.Chance(0.5f) ? 1 : width - 3);
    if (flip) {
        y0 = 50 - y0 - depth;
        FillRect(image, drive, y0 + depth, drive + 2, 50 - kStreet - 1, kDrive);
    } else {
        FillRect(image, drive, kStreet + 1, drive + 2, y0, kDrive);
    }
    DrawHouse(image, x0, y0, x0 + width, y0 + depth, RoofColour(random));
}

void AddSideHouse(CArtImage& image, CArtRandom& random, bool right) {
    int depth = 7 + random.Below(2);
    int height = 9 + random.Below(3);
    int y0 = 20 + random.Below(3);
    int x0 = right ? 50 - kStreet - 4 - depth : kStreet + 4;
    FillRect(image, right ? x0 + depth : kStreet + 1, y0 + 3, right ? 50 - kStreet - 1 : x0, y0 + 5,
             kDrive);
    DrawHouse(image, x0, y0, x0 + depth, y0 + height, RoofColour(random));
}

}  // namespace

CSuburbPainter::CSuburbPainter() : texture(CTileField::Noise(kSeed, 5, 2)) {}

CArtImage CSuburbPainter::PaintStreetsAndLawn() const {
    return CArtImage::Painted(CTileField::kSize, CTileField::kSize, [&](int x, int y) {
        int fromEdge = std::min({x, y, 49 - x, 49 - y});
        float grain = texture.At(x, y);
        return fromEdge < kStreet    ? kAsphalt * (1 + 0.05f * grain)
               : fromEdge == kStreet ? kKerb
                                     : kLawn * (1 + 0.1f * grain);
    });
}

void CSuburbPainter::AddHouseRows(CArtImage& image, CArtRandom& random) {
    for (bool flip : {false, true}) {
        int x = kStreet + 3 + random.Below(2);
        while (x < 50 - kStreet - 12) {
            int width = 9 + random.Below(3);
            if (random.Chance(0.88f)) {
                AddStreetHouse(image, random, x, width, flip);
            }
            x += width + 3 + random.Below(2);
        }
    }
    for (bool right : {false, true}) {
        if (random.Chance(0.8f)) {
            AddSideHouse(image, random, right);
        }
    }
}

void CSuburbPainter::AddGardens(CArtImage& image, CArtRandom& random, int trees) {
    if (random.Chance(0.3f)) {
        int x = 20 + random.Below(6);
        int y = 21 + random.Below(4);
        FillRect(image, x - 1, y - 1, x + 6, y + 5, kKerb);
        FillRect(image, x, y, x + 5, y + 4, kPool);
    }
    for (int i = 0; i < trees; ++i) {
        DrawTree(image, random.Range(16, 34), random.Range(17, 33), random.Range(2.2f, 3.6f),
                 kGardenTree * random.Range(0.85f, 1.15f), random.Next());
    }
}

void CSuburbPainter::AddPark(CArtImage& image, CArtRandom& random) {
    FillRect(image, 24, kStreet + 1, 26, 50 - kStreet - 1, kDrive);
    FillRect(image, kStreet + 1, 24, 50 - kStreet - 1, 26, kDrive);
    for (int i = 0; i < 14; ++i) {
        DrawTree(image, random.Range(8, 42), random.Range(8, 42), random.Range(2.5f, 4.0f),
                 kGardenTree * random.Range(0.8f, 1.2f), random.Next());
    }
}

CArtImage CSuburbPainter::PaintGround() const {
    return PaintStreetsAndLawn();
}

CArtImage CSuburbPainter::PaintCell(int cell) const {
    CArtImage image = PaintStreetsAndLawn();
    CArtRandom random(CArtRandom::Hash(kSeed, cell));
    if (cell == 8) {
        AddPark(image, random);
        return image;
    }
    AddHouseRows(image, random);
    AddGardens(image, random, 2 + random.Below(4));
    return image;
}
