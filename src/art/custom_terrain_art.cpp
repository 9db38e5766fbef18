#include "art/custom_terrain_art.h"

#include <utility>

#include "image/dib_conversion.h"

int CCustomTerrainArt::Import(const std::string& path) {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    int result = CDibImage::PeekBmp(path, width, height, bytesPerPixel);
    if (result != 0) {
        return result;
    }
    if (width != kCustomArtSide || height != kCustomArtSide) {
        return kErrorWrongArtSize;
    }
    CDibImage picture;
    result = picture.LoadBmp(path);
    if (result != 0) {
        return result;
    }
    if (picture.bytesPerPixel == 3) {
        full = std::move(picture);
    } else {
        ConvertTo24Bit(picture, full);
    }
    BuildZooms();
    sourcePath = path;
    loaded = 1;
    return 0;
}

void CCustomTerrainArt::Unload() {
    if (!loaded) {
        return;
    }
    full.Release();
    half.Release();
    quarter.Release();
    tenth.Release();
    ForgetDerivedPictures();
    name.reset();
    loaded = 0;
}

namespace {

bool IsCell(int row, int column) {
    return row >= 0 && row < 9 && column >= 0 && column < 9;
}

}  // namespace

bool CCustomTerrainArt::IsExitOpen(int row, int column, int direction) const {
    if (!IsCell(row, column) || direction < 0 || direction > 7) {
        return false;
    }
    return (exitMasks[row * 9 + column] >> direction & 1) != 0;
}

void CCustomTerrainArt::ToggleExit(int row, int column, int direction) {
    if (!IsCell(row, column) || direction < -1 || direction > 7) {
        return;
    }
    uint8_t bits = direction == -1 ? 0xFF : static_cast<uint8_t>(1 << direction);
    exitMasks[row * 9 + column] ^= bits;
}

void CCustomTerrainArt::BuildZooms() {
    CTerrainArt::BuildZooms();
    ForgetDerivedPictures();
}

void CCustomTerrainArt::SwapArt(CCustomTerrainArt& other) {
    std::swap(full, other.full);
    std::swap(half, other.half);
    std::swap(quarter, other.quarter);
    std::swap(tenth, other.tenth);
    std::swap(name, other.name);
    std::swap(sourcePath, other.sourcePath);
    std::swap(loaded, other.loaded);
    ForgetDerivedPictures();
    other.ForgetDerivedPictures();
}

void CCustomTerrainArt::ForgetDerivedPictures() {
    halfPixels.clear();
    quarterPixels.clear();
    tenthPixels.clear();
    fifthPixels.clear();
    drawingPixelsMade = false;
    sheetColorKnown = false;
}

const std::vector<uint32_t>& CCustomTerrainArt::DrawingPixels(int cellSize) const {
    if (!drawingPixelsMade) {
        halfPixels = ToRgb32(half);
        quarterPixels = ToRgb32(quarter);
        tenthPixels = ToRgb32(tenth);
        // The 5-pixel cells are resized from the whole sheet, as the 10-pixel ones were.
        CDibImage fifth;
        if (!full.IsEmpty() &&
            fifth.ResizeFrom(0, 0, full.GetWidth() / 20, full.GetHeight() / 20, full, true) == 0) {
            fifthPixels = ToRgb32(fifth);
        }
        fifthWidth = fifth.GetWidth();
        drawingPixelsMade = true;
    }
    switch (cellSize) {
        case 25:
            return quarterPixels;
        case 10:
            return tenthPixels;
        case 5:
            return fifthPixels;
        default:
            return halfPixels;
    }
}

COLORREF CCustomTerrainArt::SheetColor() const {
    if (!sheetColorKnown) {
        sheetColor = full.AverageColor();
        sheetColorKnown = true;
    }
    return sheetColor;
}

int CCustomTerrainArt::DrawingWidth(int cellSize) const {
    switch (cellSize) {
        case 25:
            return quarter.GetWidth();
        case 10:
            return tenth.GetWidth();
        case 5:
            DrawingPixels(5);
            return fifthWidth;
        default:
            return half.GetWidth();
    }
}
