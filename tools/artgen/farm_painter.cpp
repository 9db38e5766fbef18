#include "farm_painter.h"

#include "shapes.h"

namespace {

constexpr uint32_t kSeed = 0xFA53;
constexpr Rgb kHedge = {44, 70, 30};
constexpr Rgb kTrack = {148, 126, 86};
constexpr Rgb kPasture = {92, 124, 48};
constexpr Rgb kRoof = {150, 62, 46};
constexpr Rgb kBarn = {110, 96, 84};
constexpr Rgb kYardTree = {52, 88, 34};

struct Crop {
    Rgb colour;
    Rgb rows;  // the colour of every other pair of rows
};

constexpr Crop kCrops[] = {
    {{196, 168, 84}, {178, 148, 70}},  // ripe grain
    {{112, 146, 54}, {88, 124, 44}},   // young crop
    {{128, 92, 58}, {104, 74, 46}},    // ploughed soil
    {{150, 160, 72}, {130, 142, 62}},  // maize
    {{174, 150, 96}, {160, 136, 84}},  // stubble
    {kPasture, kPasture},              // pasture
};

// The zoomed-out views keep every 2nd, 5th or 10th pixel of a row and column, starting with the
// first. Hedges, tracks and crop rows lie on the pixels none of them keep, so that those views
// show each field as one even patch instead of a flickering grid of borders.
constexpr int kRowPeriod = 5;
bool KeptWhenZoomedOut(int at) {
    return at % 2 == 0 || at % 5 == 0;
}

// The nearest position at or after `at` that no zoomed-out view keeps.
int Unkept(int at) {
    while (KeptWhenZoomedOut(at)) {
        ++at;
    }
    return at;
}

// Splits the tile into one to four fields; each field's right and bottom border is its last
// column and row.
std::vector<CFarmPainter::Field> Layout(CArtRandom& random) {
    std::vector<CFarmPainter::Field> fields = {{0, 0, 50, 50}};
    int splits = random.Below(4);
    for (int s = 0; s < splits; ++s) {
        size_t pick = random.Below(static_cast<int>(fields.size()));
        CFarmPainter::Field f = fields[pick];
        bool across = (f.x1 - f.x0) >= (f.y1 - f.y0) ? random.Chance(0.7f) : random.Chance(0.3f);
        int length = across ? f.x1 - f.x0 : f.y1 - f.y0;
        if (length < 24) {
            continue;
        }
        int cut = Unkept((across ? f.x0 : f.y0) + 10 + random.Below(length - 22)) + 1;
        CFarmPainter::Field second = f;
        (across ? fields[pick].x1 : fields[pick].y1) = cut;
        (across ? second.x0 : second.y0) = cut;
        fields.push_back(second);
    }
    return fields;
}

void AddFarmstead(CArtImage& image, const CFarmPainter::Field& field, CArtRandom& random) {
    int x = field.x0 + 4 + random.Below(std::max(1, field.x1 - field.x0 - 22));
    int y = field.y0 + 4 + random.Below(std::max(1, field.y1 - field.y0 - 20));
    FillRect(image, x - 2, y - 2, x + 17, y + 14, kTrack);
    DrawHouse(image, x, y, x + 8, y + 6, kRoof);
    DrawHouse(image, x + 9, y + 2, x + 15, y + 12, kBarn);
    DrawTree(image, x + 2, y + 10, 2.6f, kYardTree, random.Next());
}

}  // namespace

CFarmPainter::CFarmPainter() : texture(CTileField::Noise(kSeed, 6, 2)) {}

void CFarmPainter::PaintField(CArtImage& image, const Field& field, CArtRandom& random) const {
    const Crop& crop = kCrops[random.Below(6)];
    bool rowsAcross = random.Chance(0.5f);
    float tone = random.Range(0.93f, 1.07f);
    for (int y = field.y0; y < field.y1; ++y) {
        for (int x = field.x0; x < field.x1; ++x) {
            int along = rowsAcross ? y : x;
            Rgb colour = KeptWhenZoomedOut(along % kRowPeriod) ? crop.colour : crop.rows;
            image.At(x, y) = colour * (tone * (1 + 0.06f * texture.At(x, y)));
        }
    }
}

void CFarmPainter::PaintBorders(CArtImage& image, const Field& field, CArtRandom& random) const {
    // A hedge or a farm track on the field's right and bottom sides inside the tile.
    Rgb border = random.Chance(0.6f) ? kHedge : kTrack;
    if (field.x1 < 49) {
        FillRect(image, field.x1 - 1, field.y0, field.x1, field.y1, border);
    }
    if (field.y1 < 49) {
        FillRect(image, field.x0, field.y1 - 1, field.x1, field.y1, border);
    }
}

void CFarmPainter::PaintHedges(CArtImage& image) const {
    // On the right and bottom edges only: next to another farm, one hedge between the two.
    for (int i = 0; i < CTileField::kSize; ++i) {
        for (auto [x, y] : {std::pair{i, 49}, std::pair{49, i}}) {
            image.At(x, y) = kHedge * (1 + 0.25f * texture.At(x, y));
        }
    }
}

CArtImage CFarmPainter::PaintGround() const {
    CArtImage image(CTileField::kSize, CTileField::kSize, kPasture);
    CArtRandom random(kSeed);
    PaintField(image, {0, 0, 50, 50}, random);
    PaintHedges(image);
    return image;
}

CArtImage CFarmPainter::PaintCell(int cell) const {
    CArtImage image(CTileField::kSize, CTileField::kSize);
    CArtRandom random(CArtRandom::Hash(kSeed, cell));
    std::vector<Field> fields = Layout(random);
    for (const Field& field : fields) {
        PaintField(image, field, random);
    }
    for (const Field& field : fields) {
        PaintBorders(image, field, random);
    }
    if (random.Chance(0.2f)) {
        AddFarmstead(image, fields[random.Below(static_cast<int>(fields.size()))], random);
    }
    PaintHedges(image);
    return image;
}
