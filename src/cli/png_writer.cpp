#include "png_writer.h"

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A third of the time of zlib's default for pictures a fifth larger: previews of whole maps
// run to tens of megapixels.
constexpr int kCompressionLevel = 3;

struct PngWrite {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::string error;

    ~PngWrite() { png_destroy_write_struct(&png, &info); }
};

// libpng must not return to its caller after an error; it jumps back into WriteRows.
void OnPngError(png_structp png, png_const_charp message) {
    static_cast<PngWrite*>(png_get_error_ptr(png))->error = message;
    png_longjmp(png, 1);
}

void ToRgbRow(const uint32_t* pixels, int width, png_bytep row) {
    for (int x = 0; x < width; ++x) {
        row[3 * x] = static_cast<png_byte>(pixels[x] >> 16);
        row[3 * x + 1] = static_cast<png_byte>(pixels[x] >> 8);
        row[3 * x + 2] = static_cast<png_byte>(pixels[x]);
    }
}

// Nothing with a destructor may live in this frame: libpng leaves it through longjmp.
bool WriteRows(png_structp png, png_infop info, const RgbTarget& picture, png_bytep row) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, kCompressionLevel);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
        ToRgbRow(picture.pixels + static_cast<size_t>(y) * picture.stride, picture.width, row);
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

}  // namespace

bool WritePng(int descriptor, const RgbTarget& picture, std::string& reason) {
    int own = dup(descriptor);
    std::unique_ptr<FILE, int (*)(FILE*)> file(own >= 0 ? fdopen(own, "wb") : nullptr, std::fclose);
    if (!file) {
        reason = std::strerror(errno);
        if (own >= 0) {
            close(own);
        }
        return false;
    }
    PngWrite write;
    write.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &write, OnPngError, nullptr);
    write.info = write.png != nullptr ? png_create_info_struct(write.png) : nullptr;
    if (write.info == nullptr) {
        reason = "out of memory";
        return false;
    }
    png_init_io(write.png, file.get());
    std::vector<png_byte> row(3 * static_cast<size_t>(picture.width));
    if (!WriteRows(write.png, write.info, picture, row.data())) {
        reason = write.error;
        return false;
    }
    if (std::fclose(file.release()) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}
