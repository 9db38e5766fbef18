#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "art/terrain_art.h"

// Import's answer for a picture that is not 900 x 900 (the Windows number for invalid data).
inline constexpr int kErrorWrongArtSize = 13;
inline constexpr int kCustomArtSide = 900;
inline constexpr int kCustomCellSide = 100;

// The imported art of one custom terrain type: a 900 x 900 sheet of 81 cells of 100 pixels,
// and per cell the exits that track may use.
class CCustomTerrainArt : public CTerrainArt {
  public:
    CCustomTerrainArt() { exitMasks.fill(0xFF); }

    // Imports a 900 x 900 BMP of 8, 24 or 32 bits as 24-bit art and keeps the exit masks.
    // 0, the LoadBmp code, or kErrorWrongArtSize; on failure the art loaded before stays.
    int Import(const std::string& path);
    // Releases the pictures and the name when art is loaded; the exit masks stay.
    void Unload();

    bool IsExitOpen(int row, int column, int direction) const;
    // Flips one exit bit, or all eight for direction -1.
    void ToggleExit(int row, int column, int direction);

    void BuildZooms() override;
    // Exchanges the art (pictures, name, source path and loaded flag) with another slot's;
    // the exit masks stay where they are.
    void SwapArt(CCustomTerrainArt& other);

    // The cells of half (50 pixels), quarter (25 pixels), tenth (10 pixels) or a twentieth
    // (5 pixels, resized from the sheet) as 0xFFRRGGBB
    // rows, top row first, ready for drawing; empty while no art is loaded. Made on first use
    // after the zooms, which is not safe from several threads at once: drawing on several
    // threads calls PrepareDrawing first.
    const std::vector<uint32_t>& DrawingPixels(int cellSize) const;
    int DrawingWidth(int cellSize) const;
    void PrepareDrawing() const { DrawingPixels(kCustomCellSide / 2); }
    // Mean colour of the whole sheet's central half, the overview colour of every cell.
    COLORREF SheetColor() const;

    uint8_t loaded = 0;
    std::string sourcePath;
    std::array<uint8_t, 81> exitMasks;

  private:
    void ForgetDerivedPictures();

    // Derived from the pictures when first asked for, so that loading a map with many custom
    // types pays only for what is drawn.
    mutable std::vector<uint32_t> halfPixels;
    mutable std::vector<uint32_t> quarterPixels;
    mutable std::vector<uint32_t> tenthPixels;
    mutable std::vector<uint32_t> fifthPixels;
    mutable int fifthWidth = 0;
    mutable bool drawingPixelsMade = false;
    mutable COLORREF sheetColor = 0;
    mutable bool sheetColorKnown = false;
};
