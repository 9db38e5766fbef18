#pragma once

#include <string>

#include "foundation/lib_object.h"
#include "image/dib_image.h"

// One picture with the zoom copies the editor draws and map files store: half, quarter and
// tenth size. `name` (of LibObject) is the file name without its folder for named art.
class CTerrainArt : public LibObject {
  public:
    // Recomputes half, quarter and tenth from full. Smooth and key-aware for 24- and 8-bit
    // pictures; nearest neighbour for 32-bit ones, which the smooth resampler does not take.
    // Tiny pictures still get copies of at least 1 x 1, so that every copy can be stored.
    virtual void BuildZooms();
    // Loads a BMP file into full and builds the zooms; 0 or the LoadBmp code. On failure full is
    // empty and everything else is as it was.
    int LoadNamed(const std::string& path);

    CDibImage full;
    CDibImage half;
    CDibImage quarter;
    CDibImage tenth;
};

// The part of a path after its last '/' or '\' (maps made on Windows carry Windows paths).
std::string FileNamePart(const std::string& path);
