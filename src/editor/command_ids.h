#pragma once

#include <utility>

#include "editor/edit_tool.h"
#include "model/terrain_type.h"

// The ids of the editor's commands and status bar panes, numbered as the program's resources have
// always numbered them; tests address the commands by them.
inline constexpr int kCmdNew = 57600;
inline constexpr int kCmdOpenGameData = 32771;
inline constexpr int kCmdOpenMap = 32772;
inline constexpr int kCmdSaveMap = 32773;
inline constexpr int kCmdSaveMapAs = 57604;
inline constexpr int kCmdClose = 57602;
inline constexpr int kCmdImportBitmap = 32781;
inline constexpr int kCmdExportBitmap = 32782;
inline constexpr int kCmdExit = 57665;
inline constexpr int kCmdUndo = 57643;
inline constexpr int kCmdRedo = 57644;
inline constexpr int kCmdCut = 57635;
inline constexpr int kCmdRandomSubtype = 32775;
inline constexpr int kCmdPaintTerrain = 32776;
inline constexpr int kCmdRectOfTerrain = 32777;
inline constexpr int kCmdSelectRect = 32778;
inline constexpr int kCmdEditTerrainInfo = 32783;
inline constexpr int kCmdImportCityArt = 32785;
inline constexpr int kCmdToolbar = 59392;
inline constexpr int kCmdStatusBar = 59393;
inline constexpr int kCmdZoomIn = 32790;
inline constexpr int kCmdZoomOut = 32791;
inline constexpr int kCmdActualSize = 32792;
inline constexpr int kCmdAbout = 57664;
inline constexpr int kCmdCopy = 57634;
inline constexpr int kCmdPaste = 57637;
inline constexpr int kCmdPrint = 57607;
inline constexpr int kCmdTerrainBrush = 32793;
inline constexpr int kCmdBucketFill = 32794;
inline constexpr int kCmdFixTransitions = 32795;
// Brush sizes 1, 2, 3 and 5, and the coast sheets Grass-Ocean A, B and C.
inline constexpr int kCmdBrushSize1 = 32796;
inline constexpr int kCmdBrushSize2 = 32797;
inline constexpr int kCmdBrushSize3 = 32798;
inline constexpr int kCmdBrushSize5 = 32799;
inline constexpr int kCmdCoastSheetA = 32800;
inline constexpr int kCmdCoastSheetB = 32801;
inline constexpr int kCmdCoastSheetC = 32802;
inline constexpr int kCmdRiverBrush = 32803;
inline constexpr int kCmdNewFromHeightmap = 32804;
inline constexpr int kCmdGenerateMap = 32805;
inline constexpr int kCmdPreferences = 32806;
inline constexpr int kCmdMapCheck = 32807;
inline constexpr int kCmdZoomToFit = 32808;

inline constexpr int kPaneX = 2000;
inline constexpr int kPaneY = 2001;

// The Edit menu's tool commands and the tools they choose.
struct ToolCommand {
    int id;
    EditTool tool;
};
inline constexpr ToolCommand kToolCommands[] = {
    {kCmdPaintTerrain, EditTool::PaintTerrain}, {kCmdRectOfTerrain, EditTool::RectOfTerrain},
    {kCmdSelectRect, EditTool::SelectRect},     {kCmdTerrainBrush, EditTool::TerrainBrush},
    {kCmdBucketFill, EditTool::BucketFill},     {kCmdRiverBrush, EditTool::RiverBrush},
};

// The brush sizes and coast sheets of the Edit menu, by command.
inline constexpr std::pair<int, int> kBrushSizes[] = {
    {kCmdBrushSize1, 1}, {kCmdBrushSize2, 2}, {kCmdBrushSize3, 3}, {kCmdBrushSize5, 5}};
inline constexpr std::pair<int, int> kCoastSheets[] = {
    {kCmdCoastSheetA, TERRAIN_TYPE_GRASS_OCEAN_A},
    {kCmdCoastSheetB, TERRAIN_TYPE_GRASS_OCEAN_B},
    {kCmdCoastSheetC, TERRAIN_TYPE_GRASS_OCEAN_C}};
