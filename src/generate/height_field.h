#pragma once

#include <cstddef>
#include <vector>

// Heights at the tiles of a map, one a tile, row by row; a height may be missing (no data in the
// picture it came from), which counts as sea.
class CHeightField {
  public:
    CHeightField() = default;
    CHeightField(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    float At(int x, int y) const { return heights[Index(x, y)]; }
    void Set(int x, int y, float value) { heights[Index(x, y)] = value; }
    bool HasData(int x, int y) const { return hasData[Index(x, y)] != 0; }
    void SetNoData(int x, int y) { hasData[Index(x, y)] = 0; }
    // The lowest and highest of the heights that have data; 0 and 0 without any.
    float Lowest() const;
    float Highest() const;

  private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width + x; }

    int width = 0;
    int height = 0;
    std::vector<float> heights;
    std::vector<unsigned char> hasData;
};
