#include "png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::vector<png_byte> PixelBytes(const CArtImage& image) {
    std::vector<png_byte> bytes;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb& p = image.At(x, y);
            bytes.insert(bytes.end(), {static_cast<png_byte>(p.r), static_cast<png_byte>(p.g),
                                       static_cast<png_byte>(p.b)});
        }
    }
    return bytes;
}

// Nothing with a destructor may live in this frame: libpng reports errors with longjmp.
bool Encode(FILE* file, int width, int height, png_bytepp rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, const CArtImage& image) {
    std::vector<png_byte> bytes = PixelBytes(image);
    std::vector<png_bytep> rows;
    for (int y = 0; y < image.Height(); ++y) {
        rows.push_back(bytes.data() + static_cast<size_t>(y) * image.Width() * 3);
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    return file != nullptr && Encode(file.get(), image.Width(), image.Height(), rows.data()) &&
           std::fflush(file.get()) == 0;
}
