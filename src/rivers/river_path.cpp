#include "rivers/river_path.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Appends tile, or cuts the path back to it where the path holds it already.
void Append(TilePath& path, std::pair<int, int> tile) {
    auto found = std::find(path.begin(), path.end(), tile);
    if (found != path.end()) {
        path.erase(found + 1, path.end());
    } else {
        path.push_back(tile);
    }
}

}  // namespace

bool AreEdgeNeighbours(std::pair<int, int> a, std::pair<int, int> b) {
    return std::abs(a.first - b.first) + std::abs(a.second - b.second) == 1;
}

void ExtendPath(TilePath& path, double x0, double y0, double x1, double y1) {
    std::pair<int, int> tile{static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0))};
    if (path.empty() || path.back() != tile) {
        Append(path, tile);
    }
    const std::pair<int, int> end{static_cast<int>(std::floor(x1)),
                                  static_cast<int>(std::floor(y1))};
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const int stepX = dx > 0 ? 1 : -1;
    const int stepY = dy > 0 ? 1 : -1;
    // How far along the line the next vertical and horizontal tile edges lie.
    auto firstEdge = [](double from, double delta, int cell) -> double {
        if (delta == 0) {
            return HUGE_VAL;
        }
        const double edge = delta > 0 ? cell + 1 : cell;
        return (edge - from) / delta;
    };
    double nextX = firstEdge(x0, dx, tile.first);
    double nextY = firstEdge(y0, dy, tile.second);
    const double stepAlongX = dx != 0 ? std::abs(1 / dx) : HUGE_VAL;
    const double stepAlongY = dy != 0 ? std::abs(1 / dy) : HUGE_VAL;
    while (tile != end && (nextX <= 1 || nextY <= 1)) {
        if (nextX < nextY) {
            tile.first += stepX;
            nextX += stepAlongX;
        } else {
            tile.second += stepY;
            nextY += stepAlongY;
        }
        Append(path, tile);
    }
}

void ExtendPath(TilePath& path, std::pair<int, int> tile) {
    if (path.empty()) {
        path.push_back(tile);
        return;
    }
    const auto [x, y] = path.back();
    ExtendPath(path, x + 0.5, y + 0.5, tile.first + 0.5, tile.second + 0.5);
}
