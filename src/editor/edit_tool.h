#pragma once

// The tools of the map view. The first three are chosen in the Edit menu; the river tool takes
// the place of Paint Terrain and Rect of Terrain while a river kind is chosen, and the paste
// tool the place of any of them while a paste is under way.
enum class EditTool { PaintTerrain, RectOfTerrain, SelectRect, River, Paste };

inline constexpr int kEditToolCount = 5;
