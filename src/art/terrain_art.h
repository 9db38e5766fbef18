#pragma once

#include <string>

#include "foundation/lib_object.h"
#include "image/dib_image.h"

// One picture with the zoom copies the editor draws and map files store: half, quarter and
// tenth size. `name` (of LibObject) is the file name without its folder for named art.
class CTerrainArt : public LibObject {
  public:
    // Recomputes half, quarter and tenth from full, smooth and key-aware for 24- and 8-bit
    // pictures. A 32-bit picture, which the smooth resampler does not take, gets empty copies,
    // and a side of 0 pixels stays 0 (the tenth of a picture under 8 pixels), as map files
    // have always stored them.
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
