#pragma once

// The tools of the map view. The first six are chosen in the Edit menu; the river tool takes
// the place of the terrain tools while a river kind is chosen, and the paste tool the place of
// any of them while a paste is under way.
enum class EditTool {
    PaintTerrain,
    RectOfTerrain,
    SelectRect,
    TerrainBrush,
    BucketFill,
    RiverBrush,
    River,
    Paste
};

inline constexpr int kEditToolCount = 8;
