#pragma once

#include <vector>

#include "rgb.h"

// A picture being painted, top row first.
class CArtImage {
  public:
    CArtImage(int width, int height, Rgb fill = {});

    // A width x height picture with every pixel set to colourAt(x, y).
    template <typename ColourAt>
    static CArtImage Painted(int width, int height, ColourAt colourAt) {
        CArtImage image(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.At(x, y) = colourAt(x, y);
            }
        }
        return image;
    }

    int Width() const { return width; }
    int Height() const { return height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb& At(int x, int y) { return pixels[y * width + x]; }
    const Rgb& At(int x, int y) const { return pixels[y * width + x]; }
    // The pixel at (x, y) taken modulo the size, for shapes that cross a tile's edge and come back
    // in on the other side.
    Rgb& Wrapped(int x, int y);

    // Copies source with its top-left corner at (x, y); parts outside are dropped.
    void Paste(const CArtImage& source, int x, int y);
    CArtImage Crop(int x, int y, int cropWidth, int cropHeight) const;
    // Clamps and rounds every channel to whole numbers, as the pixels will be stored.
    void Quantise();

  private:
    int width;
    int height;
    std::vector<Rgb> pixels;
};
