#include "contact_sheet.h"

#include <algorithm>
#include <array>
#include <vector>

#include "art/art_catalog.h"

namespace {

constexpr int kGap = 10;
constexpr int kSheetColumns = 4;
constexpr int kPieceGap = 2;
constexpr int kPieceGrid = 9 * (kArtCellSize + kPieceGap) + kPieceGap;
constexpr Rgb kBackground = {40, 40, 44};
constexpr Rgb kPieceBackground = {150, 150, 140};
constexpr int kMapColumns = 8;
constexpr int kMapRows = 6;

bool IsKey(const Rgb& p) {
    return p.r == 255 && p.g == 0 && p.b == 255;
}

// Draws source over the canvas with the magenta key, as the view draws river pieces.
void PasteKeyed(CArtImage& canvas, const CArtImage& source, int x, int y) {
    for (int sy = 0; sy < source.Height(); ++sy) {
        for (int sx = 0; sx < source.Width(); ++sx) {
            if (!IsKey(source.At(sx, sy))) {
                canvas.At(x + sx, y + sy) = source.At(sx, sy);
            }
        }
    }
}

// Half size by dropping every other row and column, as the palette shrinks cells.
CArtImage HalfSize(const CArtImage& image) {
    CArtImage half(image.Width() / 2, image.Height() / 2);
    for (int y = 0; y < half.Height(); ++y) {
        for (int x = 0; x < half.Width(); ++x) {
            half.At(x, y) = image.At(x * 2, y * 2);
        }
    }
    return half;
}

struct MapTile {
    int type;
    int river;  // -1 none, else wide piece n, or narrow piece n + 100
};

// A little landscape: woods, hills and mountains in the north, a wide river across the grass,
// farms, a suburb and a swamp in the south, desert in the south east, and a coast (cells of
// the first grass-ocean sheet's left column) before the ocean in the east.
constexpr std::array<std::array<int, kMapColumns>, kMapRows> kMapTypes = {{
    {4, 6, 6, 7, 8, 9, 16, 14},
    {6, 6, 7, 9, 10, 11, 16, 14},
    {4, 4, 4, 4, 7, 9, 16, 14},
    {5, 5, 4, 12, 12, 4, 16, 14},
    {5, 5, 2, 2, 12, 3, 16, 14},
    {5, 5, 2, 2, 4, 3, 16, 14},
}};
constexpr int kCoastCells[kMapRows] = {9, 18, 27, 36, 45, 54};

// Wide pieces: 1 runs left-right, 4 turns from the left to the bottom, 0 runs top-bottom.
// Narrow ones add 100: 151 is a source that leaves at the bottom.
constexpr std::array<std::array<int, kMapColumns>, kMapRows> kMapRivers = {{
    {-1, -1, -1, -1, -1, -1, -1, -1},
    {-1, -1, -1, -1, -1, -1, -1, -1},
    {1, 1, 1, 4, -1, -1, -1, -1},
    {-1, -1, -1, 0, -1, 151, -1, -1},
    {-1, -1, -1, 0, -1, 100, -1, -1},
    {-1, -1, -1, 0, -1, 100, -1, -1},
}};

}  // namespace

const CArtImage& CContactSheet::Bitmap(int resourceId) const {
    return *art.FindBitmap(resourceId);
}

CArtImage CContactSheet::Compose() const {
    CArtImage map = SampleMap();
    int sheetsWidth = kSheetColumns * (kArtSheetWidth + kGap) + kGap;
    CArtImage probe(sheetsWidth, 4000, kBackground);
    int sheetsHeight = PlaceSheets(probe);
    int bottomHeight = std::max(kPieceGrid, map.Height()) + kGap;
    CArtImage canvas(sheetsWidth, sheetsHeight + bottomHeight, kBackground);
    canvas.Paste(probe.Crop(0, 0, sheetsWidth, sheetsHeight), 0, 0);
    PlacePieces(canvas, kWideRiverResourceBase, kGap, sheetsHeight);
    PlacePieces(canvas, kNarrowRiverResourceBase, 2 * kGap + kPieceGrid, sheetsHeight);
    int mapX = 3 * kGap + 2 * kPieceGrid;
    canvas.Paste(map, mapX, sheetsHeight);
    canvas.Paste(HalfSize(map), mapX + map.Width() + kGap, sheetsHeight);
    return canvas;
}

int CContactSheet::PlaceSheets(CArtImage& canvas) const {
    // Tallest first, each into the shortest column, which packs the columns evenly.
    std::vector<BuiltInSheetInfo> sheets(BuiltInSheetInfos().begin(), BuiltInSheetInfos().end());
    std::stable_sort(sheets.begin(), sheets.end(),
                     [](const auto& a, const auto& b) { return a.cellRows > b.cellRows; });
    std::array<int, kSheetColumns> heights;
    heights.fill(kGap);
    for (const BuiltInSheetInfo& sheet : sheets) {
        auto column = std::min_element(heights.begin(), heights.end());
        int x = kGap + static_cast<int>(column - heights.begin()) * (kArtSheetWidth + kGap);
        const CArtImage& bitmap = Bitmap(kSheetResourceBase + sheet.type);
        canvas.Paste(bitmap, x, *column);
        *column += bitmap.Height() + kGap;
    }
    return *std::max_element(heights.begin(), heights.end());
}

void CContactSheet::PlacePieces(CArtImage& canvas, int firstId, int x, int y) const {
    CArtImage grid(kPieceGrid, kPieceGrid, kPieceBackground);
    for (int n = 0; n < kRiverPieceCount; ++n) {
        int px = kPieceGap + (n % 9) * (kArtCellSize + kPieceGap);
        int py = kPieceGap + (n / 9) * (kArtCellSize + kPieceGap);
        PasteKeyed(grid, Bitmap(firstId + n), px, py);
    }
    canvas.Paste(grid, x, y);
}

CArtImage CContactSheet::SampleMap() const {
    CArtImage map(kMapColumns * kArtCellSize, kMapRows * kArtCellSize);
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            int type = kMapTypes[row][column];
            int cell = type == 16 ? kCoastCells[row] : (column * 7 + row * 3) % CellsWithArt(type);
            const CArtImage& sheet = Bitmap(kSheetResourceBase + type);
            int x = column * kArtCellSize;
            int y = row * kArtCellSize;
            map.Paste(sheet.Crop((cell % 9) * kArtCellSize, (cell / 9) * kArtCellSize, kArtCellSize,
                                 kArtCellSize),
                      x, y);
            int river = kMapRivers[row][column];
            if (river >= 0) {
                int id = river >= 100 ? kNarrowRiverResourceBase + river - 100
                                      : kWideRiverResourceBase + river;
                PasteKeyed(map, Bitmap(id), x, y);
            }
        }
    }
    return map;
}
