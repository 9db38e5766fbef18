#include "art/builtin_bitmaps.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "art/art_catalog.h"
#include "art/overview_colors.h"
#include "art/river_piece_table.h"
#include "model/builtin_tables.h"
#include "support/temp_dir.h"

namespace {

using Rgb = std::array<int, 3>;

constexpr Rgb kMagenta = {255, 0, 255};

// Sheet heights by type as the art library lays them out; types not listed have no sheet.
// Every built-in sheet has all 81 cells.
const std::map<int, int> kSheetHeights = {
    {2, 450},  {3, 450},  {4, 450},  {5, 450},  {6, 450},  {7, 450},  {8, 450},
    {9, 450},  {10, 450}, {11, 450}, {12, 450}, {13, 450}, {14, 450}, {15, 450},
    {16, 450}, {17, 450}, {22, 450}, {23, 450}, {24, 450}, {25, 450},
};

int ExpectedCellsWithArt(int type) {
    return kSheetHeights.contains(type) ? 81 : 0;
}

Rgb PixelAt(const BuiltInBitmap& bitmap, int x, int y) {
    size_t row = static_cast<size_t>(bitmap.height - 1 - y) * ((bitmap.width * 3 + 3) & ~3);
    const uint8_t* p = bitmap.pixels + row + static_cast<size_t>(x) * 3;
    return {p[2], p[1], p[0]};
}

const BuiltInBitmap& Sheet(int type) {
    return *FindBuiltInBitmap(kSheetResourceBase + type);
}

// The mean of a cell's middle half, truncated, as the overview shows it.
Rgb CentreMean(const BuiltInBitmap& sheet, int cell) {
    Rgb sum = {0, 0, 0};
    for (int y = 12; y <= 36; ++y) {
        for (int x = 12; x <= 36; ++x) {
            Rgb p = PixelAt(sheet, (cell % 9) * 50 + x, (cell / 9) * 50 + y);
            for (int c = 0; c < 3; ++c) {
                sum[c] += p[c];
            }
        }
    }
    return {sum[0] / 625, sum[1] / 625, sum[2] / 625};
}

int Difference(const Rgb& a, const Rgb& b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

// Column i of a cell (or its row i), as it meets the next cell on a map.
std::vector<Rgb> Line(const BuiltInBitmap& sheet, int cell, int i, bool columns) {
    std::vector<Rgb> line;
    for (int j = 0; j < 50; ++j) {
        line.push_back(PixelAt(sheet, (cell % 9) * 50 + (columns ? i : j),
                               (cell / 9) * 50 + (columns ? j : i)));
    }
    return line;
}

double LineDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    double total = 0;
    for (size_t j = 0; j < a.size(); ++j) {
        total += Difference(a[j], b[j]);
    }
    return total / static_cast<double>(a.size());
}

// Whether cell a's last column (or row) continues into cell b's first as the lines next to the
// join continue into each other: a seam is a jump where the picture on both sides is calm, while
// a shore running along the join changes fast on both sides of it too.
using Side = std::array<std::vector<Rgb>, 3>;

// The three columns (or rows) of a cell at its end, or at its start.
Side SideOf(const BuiltInBitmap& sheet, int cell, bool columns, bool end) {
    int first = end ? 47 : 0;
    return {Line(sheet, cell, first, columns), Line(sheet, cell, first + 1, columns),
            Line(sheet, cell, first + 2, columns)};
}

bool JoinsSmoothly(const Side& end, const Side& start) {
    double nearby =
        std::max({LineDifference(end[0], end[1]), LineDifference(end[1], end[2]),
                  LineDifference(start[0], start[1]), LineDifference(start[1], start[2])});
    return LineDifference(end[2], start[0]) <= 1.5 * nearby + 6;
}

bool JoinsSmoothly(const BuiltInBitmap& sheet, int a, int b, bool columns) {
    return JoinsSmoothly(SideOf(sheet, a, columns, true), SideOf(sheet, b, columns, false));
}

TEST(BuiltInArtTest, EverySheetAndPieceHasItsSize) {
    for (int type = -1; type <= 44; ++type) {
        const BuiltInBitmap* sheet = FindBuiltInBitmap(kSheetResourceBase + type);
        ASSERT_EQ(sheet != nullptr, kSheetHeights.contains(type)) << "type " << type;
        if (sheet != nullptr) {
            EXPECT_EQ(sheet->width, 450);
            EXPECT_EQ(sheet->height, kSheetHeights.at(type)) << "type " << type;
        }
    }
    for (int id = kWideRiverResourceBase; id < kWideRiverResourceBase + 162; ++id) {
        const BuiltInBitmap* piece = FindBuiltInBitmap(id);
        ASSERT_NE(piece, nullptr) << id;
        EXPECT_EQ(piece->width, 50);
        EXPECT_EQ(piece->height, 50);
    }
    EXPECT_EQ(FindBuiltInBitmap(11999), nullptr);
    EXPECT_EQ(FindBuiltInBitmap(12162), nullptr);
    EXPECT_EQ(FindBuiltInBitmap(0), nullptr);
}

// The pixels along one edge of a piece: 0 top, 2 right, 4 bottom, 6 left, read left to right or
// top to bottom, so that the bottom of one piece lines up with the top of the next.
std::vector<Rgb> EdgePixels(const BuiltInBitmap& piece, int direction) {
    std::vector<Rgb> edge;
    for (int i = 0; i < 50; ++i) {
        int x = direction == 2 ? 49 : direction == 6 ? 0 : i;
        int y = direction == 0 ? 0 : direction == 4 ? 49 : i;
        edge.push_back(PixelAt(piece, x, y));
    }
    return edge;
}

bool IsWet(const std::vector<Rgb>& edge) {
    return std::any_of(edge.begin(), edge.end(), [](const Rgb& p) { return p != kMagenta; });
}

// Whether every non-key pixel touching an edge lies in one run around the edge's midpoint.
bool CentredRun(const std::vector<Rgb>& edge) {
    int first = 50;
    int last = -1;
    for (int i = 0; i < 50; ++i) {
        if (edge[i] != kMagenta) {
            first = std::min(first, i);
            last = i;
        }
    }
    bool solid = std::all_of(edge.begin() + first, edge.begin() + last + 1,
                             [](const Rgb& p) { return p != kMagenta; });
    return solid && first + last == 49 && first > 5;
}

// Non-key pixels reachable from (x, y) through non-key neighbours.
int WetRegionSize(const BuiltInBitmap& piece, int x, int y, std::vector<bool>& seen) {
    std::vector<std::pair<int, int>> stack = {{x, y}};
    int size = 0;
    while (!stack.empty()) {
        auto [cx, cy] = stack.back();
        stack.pop_back();
        if (cx < 0 || cy < 0 || cx >= 50 || cy >= 50 || seen[cy * 50 + cx] ||
            PixelAt(piece, cx, cy) == kMagenta) {
            continue;
        }
        seen[cy * 50 + cx] = true;
        ++size;
        stack.insert(stack.end(), {{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}});
    }
    return size;
}

int WetPixels(const BuiltInBitmap& piece) {
    int count = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            count += PixelAt(piece, x, y) != kMagenta;
        }
    }
    return count;
}

TEST(BuiltInArtTest, RiverPiecesConnectAtTheEdgeMidpointsTheirExitsName) {
    for (int base : {kWideRiverResourceBase, kNarrowRiverResourceBase}) {
        // Every wet edge of every piece of a kind must carry the same cross-section, so that any
        // two pieces meeting there continue each other.
        std::vector<Rgb> crossSection;
        for (int n = 0; n < kRiverPieceCount; ++n) {
            SCOPED_TRACE(testing::Message() << "piece " << base + n);
            const BuiltInBitmap& piece = *FindBuiltInBitmap(base + n);
            const RiverPieceInfo& info = RiverPieceInfoAt(n);
            int wet = WetPixels(piece);
            EXPECT_GT(wet, 40);
            for (int direction : kRiverExitDirections) {
                std::vector<Rgb> edge = EdgePixels(piece, direction);
                bool exit = (info.exits >> direction) & 1;
                ASSERT_EQ(IsWet(edge), exit) << "edge " << direction;
                if (!exit) {
                    continue;
                }
                EXPECT_TRUE(CentredRun(edge)) << "edge " << direction;
                if (crossSection.empty()) {
                    crossSection = edge;
                }
                EXPECT_EQ(edge, crossSection) << "edge " << direction;
                // All exits lead into one body of water, which is all the water of the piece.
                std::vector<bool> seen(2500, false);
                int x = direction == 2 ? 49 : direction == 6 ? 0 : 25;
                int y = direction == 0 ? 0 : direction == 4 ? 49 : 25;
                EXPECT_EQ(WetRegionSize(piece, x, y, seen), wet) << "edge " << direction;
            }
        }
        EXPECT_FALSE(crossSection.empty());
    }
}

TEST(BuiltInArtTest, TheKeyColourNeverBleeds) {
    // Anything not keyed out of a river piece is drawn in full: no pixel fades towards magenta.
    for (int id = kWideRiverResourceBase; id < kWideRiverResourceBase + 162; ++id) {
        const BuiltInBitmap& piece = *FindBuiltInBitmap(id);
        for (int y = 0; y < 50; ++y) {
            for (int x = 0; x < 50; ++x) {
                Rgb p = PixelAt(piece, x, y);
                ASSERT_TRUE(p == kMagenta || Difference(p, kMagenta) > 250)
                    << "piece " << id << " at " << x << "," << y;
            }
        }
    }
    // Terrain sheets have no key at all, nor anything near it.
    for (const auto& [type, height] : kSheetHeights) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < 450; ++x) {
                ASSERT_GT(Difference(PixelAt(Sheet(type), x, y), kMagenta), 250)
                    << "type " << type << " at " << x << "," << y;
            }
        }
    }
}

bool IsWater(const Rgb& p) {
    return p[2] > p[0] + 20;
}

// Whether (x, y) lies two pixels or more inside the water of a piece.
bool DeepInWater(const BuiltInBitmap& piece, int x, int y) {
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (x + dx >= 0 && y + dy >= 0 && x + dx < 50 && y + dy < 50 &&
                !IsWater(PixelAt(piece, x + dx, y + dy))) {
                return false;
            }
        }
    }
    return true;
}

TEST(BuiltInArtTest, StackedRiverPiecesMergeIntoOneBodyOfWater) {
    // Designers stack runs on one tile to make forks and crossings, and narrow streams on wide
    // rivers to make tributaries. Whatever goes on top, its bank never lies across the water
    // of the piece below.
    auto runs = [](int base) {
        std::vector<int> ids;
        for (int n = 0; n < kRiverPieceCount; ++n) {
            if (RiverPieceInfoAt(n).shape == RiverPieceShape::kRun) {
                ids.push_back(base + n);
            }
        }
        return ids;
    };
    std::vector<int> wide = runs(kWideRiverResourceBase);
    std::vector<int> narrow = runs(kNarrowRiverResourceBase);
    std::vector<std::pair<int, int>> stacks;  // below, on top
    for (const auto& [below, onTop] : {std::pair{wide, wide}, {narrow, narrow}, {wide, narrow}}) {
        for (int a : below) {
            for (int b : onTop) {
                int aExits = RiverPieceInfoAt((a - kWideRiverResourceBase) % 81).exits;
                int bExits = RiverPieceInfoAt((b - kWideRiverResourceBase) % 81).exits;
                if (aExits != bExits) {
                    stacks.emplace_back(a, b);
                }
            }
        }
    }
    for (const auto& [a, b] : stacks) {
        const BuiltInBitmap& below = *FindBuiltInBitmap(a);
        const BuiltInBitmap& onTop = *FindBuiltInBitmap(b);
        for (int y = 1; y < 49; ++y) {
            for (int x = 1; x < 49; ++x) {
                Rgb p = PixelAt(onTop, x, y);
                bool bank = p != kMagenta && !IsWater(p);
                ASSERT_FALSE(bank && DeepInWater(below, x, y))
                    << "piece " << b << " on " << a << " at " << x << "," << y;
            }
        }
    }
}

TEST(BuiltInArtTest, CellsOfOnePlainTypeShareTheirEdgesAndTile) {
    for (int type : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}) {
        SCOPED_TRACE(testing::Message() << "type " << type);
        const BuiltInBitmap& sheet = Sheet(type);
        int cells = sheet.height / 50 * 9;
        // Farm fields run out to a cell's left and top edges, where the neighbour's hedge on its
        // right and bottom edges closes them.
        bool farm = type == 5;
        for (int cell = 1; cell < cells; ++cell) {
            for (int i = 0; i < 50; ++i) {
                for (auto [x, y] : {std::pair{i, 49}, std::pair{49, i}, std::pair{i, farm ? 49 : 0},
                                    std::pair{farm ? 49 : 0, i}}) {
                    ASSERT_EQ(PixelAt(sheet, (cell % 9) * 50 + x, (cell / 9) * 50 + y),
                              PixelAt(sheet, x, y))
                        << "cell " << cell << " at " << x << "," << y;
                }
            }
        }
        // Any cell may lie beside any other on a map: every right edge continues into every left
        // edge, every bottom into every top (on farms, a hedge lies between them).
        if (farm) {
            continue;
        }
        std::vector<std::array<Side, 4>> sides;  // right, left, bottom, top
        for (int cell = 0; cell < CellsWithArt(type); ++cell) {
            sides.push_back({SideOf(sheet, cell, true, true), SideOf(sheet, cell, true, false),
                             SideOf(sheet, cell, false, true), SideOf(sheet, cell, false, false)});
        }
        for (size_t a = 0; a < sides.size(); ++a) {
            for (size_t b = 0; b < sides.size(); ++b) {
                ASSERT_TRUE(JoinsSmoothly(sides[a][0], sides[b][1])) << "cells " << a << ", " << b;
                ASSERT_TRUE(JoinsSmoothly(sides[a][2], sides[b][3])) << "cells " << a << "/" << b;
            }
        }
    }
}

// A cell inside the band at its edges, which all cells share.
std::vector<Rgb> Inside(const BuiltInBitmap& sheet, int cell) {
    std::vector<Rgb> pixels;
    for (int i = 3; i <= 46; ++i) {
        std::vector<Rgb> line = Line(sheet, cell, i, true);
        pixels.insert(pixels.end(), line.begin() + 3, line.begin() + 47);
    }
    return pixels;
}

TEST(BuiltInArtTest, HillsAndMountainsVaryAndLowHillsRiseFromGrass) {
    // No two cells of a hilly or mountainous sheet alike, so that a large block of randomly
    // chosen cells shows no repeat.
    for (int type : {7, 8, 9, 10, 11}) {
        std::vector<std::vector<Rgb>> cells;
        for (int cell = 0; cell < 81; ++cell) {
            cells.push_back(Inside(Sheet(type), cell));
        }
        for (int a = 0; a < 81; ++a) {
            for (int b = a + 1; b < 81; ++b) {
                ASSERT_GT(LineDifference(cells[a], cells[b]), 5)
                    << "type " << type << " cells " << a << " and " << b;
            }
        }
    }
    // Low hills stand on grass's own ground: where they meet grass, nothing changes.
    for (int i = 0; i < 50; ++i) {
        for (auto [x, y] : {std::pair{i, 0}, std::pair{i, 49}, std::pair{0, i}, std::pair{49, i}}) {
            ASSERT_EQ(PixelAt(Sheet(7), x, y), PixelAt(Sheet(4), x, y)) << x << "," << y;
        }
    }
}

// Each transition cell is drawn from its own boundary points: any two cells of a sheet that
// agree on the points of an edge meet there without a seam, side by side or one above the other,
// wherever they stand on the sheet (cells of one stamp that disagree may show a step).
TEST(BuiltInArtTest, CellsThatAgreeOnAnEdgeJoinWithoutASeam) {
    auto bit = [](uint8_t mask, int d) { return mask >> d & 1; };
    // Types with transition sheets, and the exit table their default game data names.
    const std::map<int, int> exitTables = {{15, 3}, {16, 0}, {17, 0}, {23, 1}, {24, 2}, {25, 3}};
    for (const auto& [type, table] : exitTables) {
        const BuiltInBitmap& sheet = Sheet(type);
        const ExitMaskRow& masks = *BuiltInExitTable(table);
        int pairs = 0;
        for (int a = 0; a < 81; ++a) {
            for (int b = 0; b < 81; ++b) {
                const uint8_t m = masks[a];
                const uint8_t n = masks[b];
                if (bit(m, 1) == bit(n, 7) && bit(m, 2) == bit(n, 6) && bit(m, 3) == bit(n, 5)) {
                    ++pairs;
                    EXPECT_TRUE(JoinsSmoothly(sheet, a, b, true))
                        << "type " << type << " cell " << a << " left of " << b;
                }
                if (bit(m, 5) == bit(n, 7) && bit(m, 4) == bit(n, 0) && bit(m, 3) == bit(n, 1)) {
                    EXPECT_TRUE(JoinsSmoothly(sheet, a, b, false))
                        << "type " << type << " cell " << a << " above " << b;
                }
            }
        }
        EXPECT_GT(pairs, 1000) << type;
    }
}

// Transition cells are for where two terrains meet: every cell shows some of each.
TEST(BuiltInArtTest, TransitionCellsShowBothTerrains) {
    auto isWater = [](const Rgb& p) { return p[2] > p[0] + 15 && p[2] + 10 >= p[1]; };
    auto isSand = [](const Rgb& p) { return p[0] > 140; };
    const std::map<int, bool (*)(const Rgb&)> firstTerrain = {
        {15, +isSand}, {16, +isWater}, {17, +isWater}, {23, +isWater}, {24, +isWater}};
    for (const auto& [type, isFirst] : firstTerrain) {
        for (int cell = 0; cell < 81; ++cell) {
            int first = 0;
            for (int y = 0; y < 50; ++y) {
                for (int x = 0; x < 50; ++x) {
                    first +=
                        isFirst(PixelAt(Sheet(type), (cell % 9) * 50 + x, (cell / 9) * 50 + y));
                }
            }
            EXPECT_GT(first, 40) << "type " << type << " cell " << cell;
            EXPECT_LT(first, 2500 - 40) << "type " << type << " cell " << cell;
        }
    }
}

TEST(BuiltInArtTest, CoastsKeepTheirBeachAtHalfSize) {
    // The palette and the zoomed-out view show every other pixel of every other row. A grass
    // coast must still show sand between its grass and its water there.
    auto isGrass = [](const Rgb& p) { return p[1] > p[0] + 15 && p[1] > p[2] + 40; };
    for (int type : {16, 23, 24}) {
        auto half = [&](int x, int y) { return PixelAt(Sheet(type), 2 * x, 2 * y); };
        for (int y = 0; y < 225; ++y) {
            for (int x = 0; x < 225; ++x) {
                for (auto [nx, ny] : {std::pair{x + 1, y}, std::pair{x, y + 1}}) {
                    // Within a cell: sheet neighbours need not agree on their points.
                    if (nx < 225 && ny < 225 && nx / 25 == x / 25 && ny / 25 == y / 25) {
                        bool grassMeetsWater = (isGrass(half(x, y)) && IsWater(half(nx, ny))) ||
                                               (IsWater(half(x, y)) && isGrass(half(nx, ny)));
                        ASSERT_FALSE(grassMeetsWater)
                            << "type " << type << " cell " << (y / 25) * 9 + x / 25;
                    }
                }
            }
        }
    }
}

TEST(BuiltInArtTest, GeneratedColoursExistExactlyForCellsWithArt) {
    for (int type = -1; type <= 43; ++type) {
        for (int cell = -1; cell <= 81; ++cell) {
            const uint8_t* colour = GeneratedCellColor(type, cell);
            bool art = cell >= 0 && cell < ExpectedCellsWithArt(type);
            ASSERT_EQ(colour != nullptr, art) << "type " << type << " cell " << cell;
            if (art) {
                Rgb stored = {colour[0], colour[1], colour[2]};
                ASSERT_EQ(stored, CentreMean(Sheet(type), cell))
                    << "type " << type << " cell " << cell;
            }
        }
    }
}

TEST(BuiltInArtTest, ReferenceCellsHaveExactlyTheirOverviewColours) {
    const std::map<std::pair<int, int>, Rgb> references = {
        {{2, 0}, {86, 106, 34}},   {{2, 1}, {73, 100, 39}},   {{3, 0}, {180, 148, 86}},
        {{3, 1}, {181, 148, 85}},  {{4, 0}, {73, 101, 36}},   {{4, 1}, {73, 103, 37}},
        {{10, 0}, {77, 125, 154}}, {{10, 1}, {83, 135, 166}}, {{12, 0}, {51, 90, 47}},
        {{12, 1}, {50, 88, 46}},
    };
    for (const auto& [where, reference] : references) {
        const uint8_t* colour = GeneratedCellColor(where.first, where.second);
        EXPECT_EQ(Rgb({colour[0], colour[1], colour[2]}), reference)
            << "type " << where.first << " cell " << where.second;
    }
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The generator the build ran sits beside this test program; a second run must give what the
// build embedded, byte for byte.
TEST(BuiltInArtTest, TheGeneratorMakesTheEmbeddedArtAgain) {
    TempDir dir;
    auto generator = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tarvo_artgen";
    ASSERT_TRUE(std::filesystem::exists(generator)) << generator;
    std::string command = "'" + generator.string() + "' --out '" + dir.Path() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::vector<uint8_t> pixels = ReadFile(dir.File("builtin_art.bin"));
    size_t offset = 0;
    for (const BuiltInBitmapInfo& info : BuiltInBitmapInfos()) {
        size_t size = DibBytes(info.width, info.height);
        ASSERT_LE(offset + size, pixels.size());
        const uint8_t* embedded = FindBuiltInBitmap(info.resourceId)->pixels;
        ASSERT_TRUE(std::equal(embedded, embedded + size, pixels.begin() + offset))
            << "bitmap " << info.resourceId;
        offset += size;
    }
    EXPECT_EQ(offset, pixels.size());

    std::vector<uint8_t> colours = ReadFile(dir.File("overview_colors.bin"));
    ASSERT_EQ(colours.size(), kOverviewColorBytes);
    for (int type = 0; type < kOverviewColorTypes; ++type) {
        for (int cell = 0; cell < kOverviewColorCells; ++cell) {
            const uint8_t* colour = GeneratedCellColor(type, cell);
            const uint8_t* written = &colours[(type * kOverviewColorCells + cell) * 3];
            std::vector<uint8_t> expected =
                colour ? std::vector<uint8_t>(colour, colour + 3) : std::vector<uint8_t>(3, 0);
            ASSERT_EQ(std::vector<uint8_t>(written, written + 3), expected)
                << "type " << type << " cell " << cell;
        }
    }
}

}  // namespace

TEST(BuiltInArtTest, CanopyAndRockDoNotCalmDownAlongTheEdges) {
    // A block of woods, mountains or water shows its grid where the lines along the cells' edges
    // are calmer (a strip of bare floor between trees that stop short of the edge) or brighter
    // than the lines inside.
    for (int type : {6, 9, 10, 11, 12, 13, 14}) {
        const BuiltInBitmap& sheet = Sheet(type);
        std::array<double, 2> variation = {0, 0};  // along the edges, inside
        std::array<double, 2> brightness = {0, 0};
        for (int cell = 0; cell < CellsWithArt(type); ++cell) {
            for (int i = 0; i < 50; ++i) {
                for (bool columns : {true, false}) {
                    std::vector<Rgb> line = Line(sheet, cell, i, columns);
                    int inside = i >= 2 && i <= 47 ? 1 : 0;
                    for (int j = 0; j < 50; ++j) {
                        brightness[inside] += (line[j][0] + line[j][1] + line[j][2]) / 50.0;
                        variation[inside] += j == 0 ? 0 : Difference(line[j - 1], line[j]) / 49.0;
                    }
                }
            }
        }
        // Four of every fifty lines lie along the edges.
        double lines = 2.0 * 50 * CellsWithArt(type);
        double edgeLines = lines * 4 / 50;
        double innerLines = lines - edgeLines;
        EXPECT_GT(variation[0] / edgeLines, 0.75 * variation[1] / innerLines) << "type " << type;
        EXPECT_NEAR(brightness[0] / edgeLines, brightness[1] / innerLines,
                    0.12 * brightness[1] / innerLines)
            << "type " << type;
    }
}
