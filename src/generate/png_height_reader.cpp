#include "generate/png_height_reader.h"

#include <cstring>

namespace {

void OnError(png_structp png, png_const_charp text) {
    auto* problem = static_cast<char*>(png_get_error_ptr(png));
    std::snprintf(problem, 256, "%s", text);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

}  // namespace

CPngHeightReader::~CPngHeightReader() {
    if (png != nullptr) {
        png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
    }
    if (file != nullptr) {
        std::fclose(file);
    }
}

bool CPngHeightReader::Open(const std::string& path, std::string& reason) {
    file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, problem, OnError, OnWarning);
    info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        reason = "out of memory";
        return false;
    }
    // Sizes that could not be held are refused before anything is allocated for them.
    png_set_user_limits(png, 100000, 100000);
    png_init_io(png, file);
    return ReadHeader(reason);
}

bool CPngHeightReader::ReadHeader(std::string& reason) {
    if (setjmp(png_jmpbuf(png))) {
        reason = std::string("the PNG file is damaged: ") + problem;
        return false;
    }
    png_read_info(png, info);
    const int colour = png_get_color_type(png, info);
    if (colour != PNG_COLOR_TYPE_GRAY && colour != PNG_COLOR_TYPE_GRAY_ALPHA) {
        reason = "the PNG picture is in colour; heights come from a grayscale picture";
        return false;
    }
    if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) {
        reason = "interlaced PNG pictures are not read; save it without interlacing";
        return false;
    }
    png_set_expand_gray_1_2_4_to_8(png);
    png_read_update_info(png, info);
    width = static_cast<int>(png_get_image_width(png, info));
    height = static_cast<int>(png_get_image_height(png, info));
    bitDepth = png_get_bit_depth(png, info);
    alpha = colour == PNG_COLOR_TYPE_GRAY_ALPHA;
    row.resize(png_get_rowbytes(png, info));
    return true;
}

bool CPngHeightReader::ReadRow(float* values, uint8_t* hasData, std::string& reason) {
    if (setjmp(png_jmpbuf(png))) {
        reason = std::string("the PNG file is damaged: ") + problem;
        return false;
    }
    png_read_row(png, row.data(), nullptr);
    const int bytes = bitDepth == 16 ? 2 : 1;
    const int stride = bytes * (alpha ? 2 : 1);
    for (int x = 0; x < width; ++x) {
        const png_byte* pixel = row.data() + static_cast<size_t>(x) * stride;
        values[x] = bytes == 2 ? static_cast<float>(pixel[0] << 8 | pixel[1]) : pixel[0];
        hasData[x] = !alpha || (pixel[bytes] | (bytes == 2 ? pixel[bytes + 1] : 0)) != 0;
    }
    return true;
}
