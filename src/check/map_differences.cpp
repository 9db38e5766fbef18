#include "check/map_differences.h"

#include <algorithm>
#include <cstdio>

#include "check/terrain_table_differences.h"
#include "model/terrain_type.h"
#include "model/tile.h"

namespace {

std::string Range(int from, int to) {
    return from == to ? std::to_string(from) : std::to_string(from) + ".." + std::to_string(to);
}

std::string Change(const std::string& before, const std::string& after) {
    return before + " → " + after;
}

// The tiles of the area both maps have, grouped into rectangles: from each tile not yet
// covered, as far right as the same change goes, then as far down as whole rows of it do.
std::vector<TileChange> TileChanges(const CTileGrid& a, const CTileGrid& b) {
    const int width = std::min(a.GetWidth(), b.GetWidth());
    const int height = std::min(a.GetHeight(), b.GetHeight());
    // The change at each tile as one number, 0 for none.
    std::vector<uint32_t> changes(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const CTile* rowA = a.GetTileAt(0, y);
        const CTile* rowB = b.GetTileAt(0, y);
        for (int x = 0; x < width; ++x) {
            const CTile& ta = rowA[x];
            const CTile& tb = rowB[x];
            if (ta.type != tb.type || ta.requestedSubtype != tb.requestedSubtype) {
                changes[static_cast<size_t>(y) * width + x] =
                    (static_cast<uint32_t>(ta.type) << 24 | ta.requestedSubtype << 16 |
                     static_cast<uint32_t>(tb.type) << 8 | tb.requestedSubtype) |
                    1u << 31;
            }
        }
    }
    std::vector<TileChange> rectangles;
    auto at = [&](int x, int y) -> uint32_t& {
        return changes[static_cast<size_t>(y) * width + x];
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t change = at(x, y);
            if (change == 0) {
                continue;
            }
            int right = x;
            while (right + 1 < width && at(right + 1, y) == change) {
                ++right;
            }
            int bottom = y;
            auto rowMatches = [&](int row) {
                for (int i = x; i <= right; ++i) {
                    if (at(i, row) != change) {
                        return false;
                    }
                }
                return true;
            };
            while (bottom + 1 < height && rowMatches(bottom + 1)) {
                ++bottom;
            }
            for (int row = y; row <= bottom; ++row) {
                std::fill(&at(x, row), &at(x, row) + (right - x + 1), 0u);
            }
            const CTile& ta = *a.GetTileAt(x, y);
            const CTile& tb = *b.GetTileAt(x, y);
            rectangles.push_back({{x, y, right + 1, bottom + 1},
                                  ta.type,
                                  ta.requestedSubtype,
                                  tb.type,
                                  tb.requestedSubtype});
        }
    }
    return rectangles;
}

std::string PieceText(const RiverOverlay& piece) {
    return std::string(piece.kind == 0 ? "wide" : "narrow") + " cell " + std::to_string(piece.cell);
}

std::vector<std::string> RiverChanges(const CTileGrid& a, const CTileGrid& b) {
    std::vector<std::pair<int, int>> tiles = a.TilesWithRivers();
    const std::vector<std::pair<int, int>> more = b.TilesWithRivers();
    tiles.insert(tiles.end(), more.begin(), more.end());
    // Row by row, as the tiles are.
    std::sort(tiles.begin(), tiles.end(), [](auto p, auto q) {
        return p.second != q.second ? p.second < q.second : p.first < q.first;
    });
    tiles.erase(std::unique(tiles.begin(), tiles.end()), tiles.end());
    std::vector<std::string> lines;
    for (auto [x, y] : tiles) {
        std::vector<RiverOverlay> removed = a.GetOverlays(x, y);
        std::vector<RiverOverlay> added = b.GetOverlays(x, y);
        if (removed == added) {
            continue;
        }
        // What both stacks hold is no change.
        for (auto piece = removed.begin(); piece != removed.end();) {
            auto same = std::find(added.begin(), added.end(), *piece);
            if (same != added.end()) {
                added.erase(same);
                piece = removed.erase(piece);
            } else {
                ++piece;
            }
        }
        const std::string where = "river at " + std::to_string(x) + "," + std::to_string(y) + ": ";
        for (const RiverOverlay& piece : removed) {
            lines.push_back(where + PieceText(piece) + " removed");
        }
        for (const RiverOverlay& piece : added) {
            lines.push_back(where + PieceText(piece) + " added");
        }
    }
    return lines;
}

std::vector<std::string> CustomArtChanges(const CMapArt& a, const CMapArt& b) {
    std::vector<std::string> lines;
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        const CCustomTerrainArt& sa = *a.CustomArtFor(type);
        const CCustomTerrainArt& sb = *b.CustomArtFor(type);
        const std::string name = TypeName(type) + ": ";
        if (!sa.loaded && sb.loaded) {
            lines.push_back(name + "art added (" + sb.sourcePath + ")");
        } else if (sa.loaded && !sb.loaded) {
            lines.push_back(name + "art removed");
        } else if (sa.loaded && sb.loaded) {
            if (PictureHash(sa.full) != PictureHash(sb.full)) {
                lines.push_back(name + "art changed");
            }
            if (sa.sourcePath != sb.sourcePath) {
                lines.push_back(name + "source path " + Change(sa.sourcePath, sb.sourcePath));
            }
        }
        int cells = 0;
        for (int cell = 0; cell < 81; ++cell) {
            cells += sa.exitMasks[cell] != sb.exitMasks[cell];
        }
        if ((sa.loaded || sb.loaded) && cells > 0) {
            lines.push_back(name + "exits of " + std::to_string(cells) + " cells changed");
        }
    }
    return lines;
}

// The city pictures by name and pixels.
std::vector<std::pair<std::string, std::string>> CityPictures(const CMapArt& art) {
    std::vector<std::pair<std::string, std::string>> pictures;
    const CLibObjectList& list = art.CityArt();
    for (int i = 0; i < list.GetCount(); ++i) {
        if (const auto* entry = static_cast<const CTerrainArt*>(list.GetAt(i))) {
            pictures.emplace_back(entry->name.value_or(""), PictureHash(entry->full));
        }
    }
    return pictures;
}

std::vector<std::string> CityArtChanges(const CMapArt& a, const CMapArt& b) {
    const auto before = CityPictures(a);
    const auto after = CityPictures(b);
    auto find = [](const auto& list, const std::string& name) {
        return std::find_if(list.begin(), list.end(),
                            [&](const auto& p) { return p.first == name; });
    };
    std::vector<std::string> lines;
    for (const auto& [name, hash] : before) {
        const auto other = find(after, name);
        if (other == after.end()) {
            lines.push_back("city picture " + name + " removed");
        } else if (other->second != hash) {
            lines.push_back("city picture " + name + " changed");
        }
    }
    for (const auto& [name, hash] : after) {
        if (find(before, name) == before.end()) {
            lines.push_back("city picture " + name + " added");
        }
    }
    return lines;
}

}  // namespace

std::string TileChange::Before() const {
    return TileRequestText(beforeType, beforeRequest);
}

std::string TileChange::After() const {
    return TileRequestText(afterType, afterRequest);
}

std::string TileChange::Line() const {
    const bool one = tiles.Width() == 1 && tiles.Height() == 1;
    return (one ? "tile " + std::to_string(tiles.left) + "," + std::to_string(tiles.top)
                : "tiles " + Range(tiles.left, tiles.right - 1) + " × " +
                      Range(tiles.top, tiles.bottom - 1)) +
           ": " + Change(Before(), After());
}

bool MapDifferences::Same() const {
    return header.empty() && terrain.empty() && tiles.empty() && rivers.empty() && art.empty();
}

std::string TileRequestText(int type, int request) {
    const std::string name = TypeName(type);
    if (request == 0) {
        return name;
    }
    if (request > kLastExactRequest) {
        return name + " (second set)";
    }
    return name + " cell " + std::to_string(request - 1);
}

std::string PictureHash(const CDibImage& picture) {
    // FNV-1a over the sizes, the depth and the pixels.
    uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](const uint8_t* bytes, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            hash = (hash ^ bytes[i]) * 1099511628211ull;
        }
    };
    const int32_t sizes[3] = {picture.GetWidth(), picture.GetHeight(), picture.bytesPerPixel};
    add(reinterpret_cast<const uint8_t*>(sizes), sizeof(sizes));
    if (!picture.IsEmpty()) {
        add(picture.bits.get(), picture.GetBufferSize());
    }
    char text[17];
    std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

MapDifferences DiffMaps(const CMapDocument& before, const CTerrainTable& beforeTable,
                        const CMapDocument& after, const CTerrainTable& afterTable) {
    MapDifferences differences;
    if (before.VersionText() != after.VersionText()) {
        differences.header.push_back("version " +
                                     Change(before.VersionText(), after.VersionText()));
    }
    const CTileGrid& a = before.grid;
    const CTileGrid& b = after.grid;
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) {
        differences.header.push_back(
            "size " + Change(std::to_string(a.GetWidth()) + " × " + std::to_string(a.GetHeight()),
                             std::to_string(b.GetWidth()) + " × " + std::to_string(b.GetHeight())));
    }
    differences.terrain = TerrainTableDifferences(beforeTable, afterTable);
    differences.tiles = TileChanges(a, b);
    differences.rivers = RiverChanges(a, b);
    differences.art = CustomArtChanges(before.art, after.art);
    for (std::string& line : CityArtChanges(before.art, after.art)) {
        differences.art.push_back(std::move(line));
    }
    return differences;
}
