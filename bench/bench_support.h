#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/dib_image.h"

// A 24-bit art picture: textured cells with magenta cut-outs, as an imported custom sheet has.
CDibImage ArtPicture(int side);

// The same compression as WriteJpeg (quality 95) into libjpeg's own memory destination.
std::vector<uint8_t> EncodeToMemory(const CDibImage& image);
// Decodes a stream with libjpeg's own memory source into image; false on failure.
bool DecodeFromMemory(const std::vector<uint8_t>& stream, CDibImage& image);

// A file name in the temporary folder that is removed again.
class ScratchFile {
  public:
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    const std::string path;
};
