#include "bmp_problem.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "image/dib_image.h"

std::string BmpProblemOf(const std::string& path) {
    // The loader does not say why a file does not open; the system does.
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) {
        return std::strerror(errno);
    }
    CDibImage picture;
    return picture.LoadBmp(path) == 0 ? ""
                                      : "not a BMP picture of 8, 24 or 32 bits that can be read";
}
