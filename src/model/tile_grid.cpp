#include "model/tile_grid.h"

#include <algorithm>
#include <new>
#include <string>
#include <utility>

#include "foundation/diagnostic_log.h"
#include "model/terrain_type.h"
#include "platform/error_collector.h"

namespace {

constexpr int kVerifyErrorLimit = 30;

std::string Format(const char* format, int a, int b, int c = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace

bool CTileGrid::Allocate(int newWidth, int newHeight) {
    if (newWidth < 1 || newHeight < 1) {
        Clear();
        return false;
    }
    try {
        size_t count = static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight);
        tiles.assign(count, CTile());
        overlays.clear();
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    } catch (const std::length_error&) {
        Clear();
        return false;
    }
    width = newWidth;
    height = newHeight;
    return true;
}

void CTileGrid::Clear() {
    std::vector<CTile>().swap(tiles);
    overlays.clear();
    width = 0;
    height = 0;
}

void CTileGrid::SwapTiles(CTileGrid& other) {
    tiles.swap(other.tiles);
    overlays.swap(other.overlays);
    std::swap(width, other.width);
    std::swap(height, other.height);
}

bool CTileGrid::CopyFrom(const CTileGrid& other) {
    try {
        tiles = other.tiles;
        overlays = other.overlays;
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    }
    width = other.width;
    height = other.height;
    return true;
}

CTile* CTileGrid::GetTileAt(int x, int y) {
    return Contains(x, y) ? &tiles[Index(x, y)] : nullptr;
}

const CTile* CTileGrid::GetTileAt(int x, int y) const {
    return Contains(x, y) ? &tiles[Index(x, y)] : nullptr;
}

const CTile* CTileGrid::GetTileAtConst(int x, int y) const {
    if (!Contains(x, y)) {
        LogMessage(theDiagnosticLog, kLogError, "CTileGrid::GetTileAtConst (%d,%d) out of range", x,
                   y);
        return nullptr;
    }
    return &tiles[Index(x, y)];
}

int CTileGrid::GetSubtypeAt(int x, int y) const {
    const CTile* tile = GetTileAtConst(x, y);
    return tile != nullptr ? tile->subtype : -1;
}

bool CTileGrid::SetTile(int type, int requestedSubtype, int x, int y) {
    CTile* tile = GetTileAt(x, y);
    if (tile == nullptr) {
        return false;
    }
    tile->Set(type, requestedSubtype);
    return true;
}

void CTileGrid::FillAll(int type) {
    FillRect(type, kRandomFirstSet, 0, 0, width, height);
}

void CTileGrid::FillRect(int type, int requestedSubtype, int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width);
    bottom = std::min(bottom, height);
    if (left >= right || top >= bottom) {
        return;
    }
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            tiles[Index(x, y)].Set(type, requestedSubtype);
        }
    }
}

bool CTileGrid::IsTypeUsed(int type) const {
    for (const CTile& tile : tiles) {
        if (tile.type == type) {
            return true;
        }
    }
    return false;
}

void CTileGrid::ReplaceType(int from, int to) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (tiles[Index(x, y)].type == from) {
                SetTile(to, kRandomFirstSet, x, y);
            }
        }
    }
}

int CTileGrid::Verify() const {
    int errors = 0;
    LogMessage(theDiagnosticLog, kLogInfo, "Verifying Map Grid size %d x %d", width, height);
    if (width < 1) {
        ++errors;
        LogMessage(theDiagnosticLog, kLogError, "Error: x dimension less than 1");
    }
    if (height < 1) {
        ++errors;
        LogMessage(theDiagnosticLog, kLogError, "Error: y dimension less than 1");
    }
    // Most maps are clean: one pass in storage order proves it, and only a map with bad tiles
    // is walked again column by column, the order in which they are reported.
    bool allValid = std::all_of(tiles.begin(), tiles.end(), [](const CTile& tile) {
        return tile.type >= TERRAIN_TYPE_SUBURB && tile.type <= TERRAIN_TYPE_CUSTOM_16;
    });
    for (int x = 0; x < width && !allValid; ++x) {
        for (int y = 0; y < height; ++y) {
            VerifyTile(x, y, errors);
            if (errors > kVerifyErrorLimit) {
                return errors;
            }
        }
    }
    return errors;
}

void CTileGrid::VerifyTile(int x, int y, int& errors) const {
    const CTile* tile = GetTileAt(x, y);
    if (tile == nullptr) {
        ++errors;
    } else if (tile->type == TERRAIN_TYPE_NONE) {
        ReportError(Format("Empty terrain at (%d,%d)", x, y), errors);
    } else if (tile->type == TERRAIN_TYPE_CITY) {
        ReportError(Format("Old-style city terrain at (%d,%d)", x, y), errors);
    } else if (tile->type > TERRAIN_TYPE_CUSTOM_16) {
        ReportError(Format("Illegal terrain type %d at (%d,%d)", tile->type, x, y), errors);
    }
}

void CTileGrid::AddOverlay(int x, int y, int kind, int cell) {
    if (Contains(x, y)) {
        overlays[Index(x, y)].push_back({static_cast<uint8_t>(kind), static_cast<uint8_t>(cell)});
    }
}

void CTileGrid::SetLastOverlay(int x, int y, int kind, int cell) {
    if (GetOverlayCount(x, y) == 0) {
        AddOverlay(x, y, kind, cell);
        return;
    }
    overlays[Index(x, y)].back() = {static_cast<uint8_t>(kind), static_cast<uint8_t>(cell)};
}

void CTileGrid::RemoveLastOverlay(int x, int y) {
    if (GetOverlayCount(x, y) == 0) {
        return;
    }
    auto stack = overlays.find(Index(x, y));
    stack->second.pop_back();
    if (stack->second.empty()) {
        overlays.erase(stack);
    }
}

bool CTileGrid::GetOverlay(int x, int y, int k, RiverOverlay& item) const {
    if (k < 0 || k >= GetOverlayCount(x, y)) {
        return false;
    }
    item = overlays.at(Index(x, y))[k];
    return true;
}

int CTileGrid::GetOverlayCount(int x, int y) const {
    if (!Contains(x, y) || overlays.empty()) {
        return 0;
    }
    auto stack = overlays.find(Index(x, y));
    return stack != overlays.end() ? static_cast<int>(stack->second.size()) : 0;
}

std::vector<RiverOverlay> CTileGrid::GetOverlays(int x, int y) const {
    if (GetOverlayCount(x, y) == 0) {
        return {};
    }
    return overlays.at(Index(x, y));
}

void CTileGrid::SetOverlays(int x, int y, std::vector<RiverOverlay> pieces) {
    if (!Contains(x, y)) {
        return;
    }
    if (pieces.empty()) {
        overlays.erase(Index(x, y));
    } else {
        overlays[Index(x, y)] = std::move(pieces);
    }
}

std::vector<std::pair<int, int>> CTileGrid::TilesWithRivers() const {
    std::vector<std::pair<int, int>> tilesWithRivers;
    for (const auto& [index, stack] : overlays) {
        tilesWithRivers.emplace_back(index % width, index / width);
    }
    std::sort(tilesWithRivers.begin(), tilesWithRivers.end());
    return tilesWithRivers;
}
