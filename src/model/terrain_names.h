#pragma once

// The game data key of a type 0 to 41, or null (rivers 42 and 43, numbers outside the table).
const char* TerrainKey(int type);

// The name lists and palettes show: "Grass", "Custom 3", "Wide Rivers"; empty for types
// without one (0, 1, 18 to 21) and numbers outside 0 to 43.
const char* TerrainDisplayName(int type);
