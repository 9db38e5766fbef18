// Reads the input as a BMP file and then every pixel the image claims to hold.
#include <cstddef>
#include <cstdint>

#include "image/dib_image.h"
#include "scratch_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CScratchFiles files;
    CDibImage image;
    if (image.LoadBmp(files.Write("input.bmp", data, size)) == 0) {
        image.AverageColor(0, 0, image.GetWidth(), image.GetHeight());
    }
    return 0;
}
