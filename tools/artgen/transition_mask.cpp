#include "transition_mask.h"

#include <algorithm>
#include <cmath>

#include "art_random.h"
#include "rgb.h"

namespace {

// Exit direction d marks the grid point {column, row}: 0 top, 1 top right, ..., 7 top left.
constexpr int kDirectionPoints[8][2] = {{1, 0}, {2, 0}, {2, 1}, {2, 2},
                                        {1, 2}, {0, 2}, {0, 1}, {0, 0}};
constexpr float kRoughness = 0.2f;
// Distances from the dividing line are clamped to this.
constexpr float kFarAway = 20;

float BoundaryMean(const std::array<std::array<float, 3>, 3>& grid) {
    float sum = 0;
    for (const auto& [column, row] : kDirectionPoints) {
        sum += grid[row][column];
    }
    return sum / 8;
}

float Middle(const std::array<std::array<float, 3>, 3>& grid) {
    return 0.5f + (BoundaryMean(grid) - 0.5f) * 1.3f;
}

// Whether the edges leave no room for the other terrain: no point of the edges lies beyond the
// middle value on the far side.
bool AllOneTerrain(const std::array<std::array<float, 3>, 3>& grid) {
    bool anyOpen = false;
    bool anyClosed = false;
    for (const auto& [column, row] : kDirectionPoints) {
        anyOpen = anyOpen || grid[row][column] > 0.5f;
        anyClosed = anyClosed || grid[row][column] < 0.5f;
    }
    return !(anyOpen && anyClosed);
}

}  // namespace

CTransitionMask::CTransitionMask(const ExitMaskRow& exits, uint32_t seed)
    : grids(kSheetCells), seed(seed), roughness(CTileField::Noise(seed, 2, 2)) {
    for (int cell = 0; cell < kSheetCells; ++cell) {
        for (int d = 0; d < 8; ++d) {
            grids[cell][kDirectionPoints[d][1]][kDirectionPoints[d][0]] = (exits[cell] >> d) & 1;
        }
    }
    for (Grid& grid : grids) {
        grid[1][1] = Middle(grid);
    }
    for (int cell = 0; cell < kSheetCells; ++cell) {
        if (AllOneTerrain(grids[cell])) {
            AddIsland(cell);
        }
    }
    BuildSheetLevel();
    BuildSheetDistance();
}

// A cell whose edges are all one terrain shows the other one in a patch somewhere in its middle:
// an island, a lake, an outcrop.
void CTransitionMask::AddIsland(int cell) {
    CArtRandom random(CArtRandom::Hash(seed, cell, 1));
    float sign = BoundaryMean(grids[cell]) > 0.5f ? -1 : 1;
    float angle = random.Range(0, 6.2832f);
    Point centre = Point{25, 25} + Point{std::cos(angle), std::sin(angle)} * random.Range(4, 9);
    islands[cell] = {centre, random.Range(15, 19), sign, random.Range(0, 6.2832f)};
}

float CTransitionMask::Interpolate(const Grid& grid, float x, float y) {
    float u = std::clamp(x / 25, 0.0f, 2.0f);
    float v = std::clamp(y / 25, 0.0f, 2.0f);
    int i = std::min(1, static_cast<int>(u));
    int j = std::min(1, static_cast<int>(v));
    float su = SmoothStep(0, 1, u - i);
    float sv = SmoothStep(0, 1, v - j);
    float top = std::lerp(grid[j][i], grid[j][i + 1], su);
    float bottom = std::lerp(grid[j + 1][i], grid[j + 1][i + 1], su);
    return std::lerp(top, bottom, sv);
}

float CTransitionMask::IslandAt(int cell, int x, int y) const {
    auto found = islands.find(cell);
    if (found == islands.end()) {
        return 0;
    }
    const Island& island = found->second;
    Point d = Point{x + 0.5f, y + 0.5f} - island.centre;
    float angle = std::atan2(d.y, d.x);
    float shore = island.radius * (1 + 0.22f * std::sin(2 * angle + island.phase) +
                                   0.12f * std::sin(3 * angle + 2 * island.phase));
    // Kept off the edges, which belong to the neighbours as much as to this cell.
    return island.sign * 1.8f * SmoothStep(shore, 0, Length(d)) * EdgeWindow(x, y);
}

CTileField CTransitionMask::Level(int cell) const {
    CTileField detail =
        roughness.WithInterior(CTileField::Noise(CArtRandom::Hash(seed, cell), 2, 2));
    return CTileField::Made([&](int x, int y) {
        float base = Interpolate(grids[cell], x + 0.5f, y + 0.5f) + IslandAt(cell, x, y);
        // Rougher in the middle, where islands and bays have room to wander.
        float rough = kRoughness * (1 + 0.5f * EdgeWindow(x, y));
        return base - 0.5f + rough * detail.At(x, y);
    });
}

void CTransitionMask::BuildSheetLevel() {
    sheetLevel.assign(kSheetSize * kSheetSize, 0);
    for (int cell = 0; cell < kSheetCells; ++cell) {
        CTileField level = Level(cell);
        int left = (cell % kSheetColumns) * CTileField::kSize;
        int top = (cell / kSheetColumns) * CTileField::kSize;
        for (int y = 0; y < CTileField::kSize; ++y) {
            for (int x = 0; x < CTileField::kSize; ++x) {
                sheetLevel[(top + y) * kSheetSize + left + x] = level.At(x, y);
            }
        }
    }
}

float CTransitionMask::LevelNear(int x, int y, int dx, int dy) const {
    // Each cell stands alone: what lies beyond its edge is its own edge again, so that any two
    // cells that agree on the points of an edge meet there as if they were neighbours.
    const int left = x / CTileField::kSize * CTileField::kSize;
    const int top = y / CTileField::kSize * CTileField::kSize;
    const int nx = std::clamp(x + dx, left, left + CTileField::kSize - 1);
    const int ny = std::clamp(y + dy, top, top + CTileField::kSize - 1);
    return sheetLevel[ny * kSheetSize + nx];
}

float CTransitionMask::SlopeDistance(int x, int y) const {
    // At the cell's edge the difference is taken on the one side there is.
    auto difference = [](float before, float after, bool first, bool last) {
        return (after - before) / ((first || last) ? 1 : 2);
    };
    const int cx = x % CTileField::kSize;
    const int cy = y % CTileField::kSize;
    const int end = CTileField::kSize - 1;
    float gx = difference(LevelNear(x, y, -1, 0), LevelNear(x, y, 1, 0), cx == 0, cx == end);
    float gy = difference(LevelNear(x, y, 0, -1), LevelNear(x, y, 0, 1), cy == 0, cy == end);
    float slope = std::max(std::hypot(gx, gy), 0.01f);
    return std::clamp(LevelNear(x, y, 0, 0) / slope, -kFarAway, kFarAway);
}

void CTransitionMask::BuildSheetDistance() {
    // Next to the dividing line the level over its slope is a good distance. Further away it
    // overstates the distance where the line runs close to itself, across a narrow spit or
    // strait, and a coast there would lose its beach; so those pixels take the shortest way
    // within their cell to a pixel next to the line instead.
    constexpr int kSteps[4][2] = {{-1, 0}, {0, -1}, {-1, -1}, {1, -1}};
    std::vector<float> distance(kSheetSize * kSheetSize, kFarAway);
    auto at = [&](int x, int y) -> float& { return distance[y * kSheetSize + x]; };
    for (int y = 0; y < kSheetSize; ++y) {
        for (int x = 0; x < kSheetSize; ++x) {
            bool open = LevelNear(x, y, 0, 0) >= 0;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                if ((LevelNear(x, y, dx, dy) >= 0) != open) {
                    at(x, y) = std::abs(SlopeDistance(x, y));
                }
            }
        }
    }
    auto relax = [&](int x, int y, int sign) {
        for (const auto& [dx, dy] : kSteps) {
            int nx = x + sign * dx;
            int ny = y + sign * dy;
            if (nx >= 0 && ny >= 0 && nx < kSheetSize && ny < kSheetSize &&
                nx / CTileField::kSize == x / CTileField::kSize &&
                ny / CTileField::kSize == y / CTileField::kSize) {
                at(x, y) = std::min(at(x, y), at(nx, ny) + std::hypot(static_cast<float>(dx),
                                                                      static_cast<float>(dy)));
            }
        }
    };
    for (int y = 0; y < kSheetSize; ++y) {
        for (int x = 0; x < kSheetSize; ++x) {
            relax(x, y, 1);
        }
    }
    for (int y = kSheetSize - 1; y >= 0; --y) {
        for (int x = kSheetSize - 1; x >= 0; --x) {
            relax(x, y, -1);
        }
    }
    sheetDistance.resize(distance.size());
    for (int y = 0; y < kSheetSize; ++y) {
        for (int x = 0; x < kSheetSize; ++x) {
            float slopeDistance = SlopeDistance(x, y);
            float shorter = std::min(std::abs(slopeDistance), at(x, y));
            sheetDistance[y * kSheetSize + x] = slopeDistance < 0 ? -shorter : shorter;
        }
    }
}

CTileField CTransitionMask::Cell(int cell) const {
    int left = (cell % kSheetColumns) * CTileField::kSize;
    int top = (cell / kSheetColumns) * CTileField::kSize;
    return CTileField::Made(
        [&](int x, int y) { return sheetDistance[(top + y) * kSheetSize + left + x]; });
}
