#include "bmp_problem.h"

#include <unistd.h>

#include "art/custom_terrain_art.h"
#include "image/dib_image.h"
#include "platform/regular_file.h"

std::string BmpProblemOf(const std::string& path) {
    // The loader does not say why a file does not open; the system does.
    std::string problem;
    int handle = OpenRegularFile(path, problem);
    if (handle < 0) {
        return problem;
    }
    ::close(handle);
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    return CDibImage::PeekBmp(path, width, height, bytesPerPixel) == 0
               ? "its pixels cannot be read"
               : "not a BMP picture of 8, 24 or 32 bits that can be read";
}

std::string ArtImportProblem(int result, const std::string& path) {
    if (result != kErrorWrongArtSize) {
        return BmpProblemOf(path);
    }
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;
    CDibImage::PeekBmp(path, width, height, bytesPerPixel);
    return "custom terrain art must be " + std::to_string(kCustomArtSide) + " x " +
           std::to_string(kCustomArtSide) + " pixels, this picture is " + std::to_string(width) +
           " x " + std::to_string(height);
}
