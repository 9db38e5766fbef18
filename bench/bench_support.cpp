#include "bench_support.h"

#include <unistd.h>

#include <cmath>
#include <filesystem>

#include "image/jpeg_io.h"

CDibImage ArtPicture(int side) {
    CDibImage image;
    image.Create(side, side, 3);
    uint32_t noise = 7;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            noise = noise * 1103515245u + 12345u;
            int texture = static_cast<int>(30 * std::sin(x * 0.21) * std::cos(y * 0.13)) +
                          static_cast<int>((noise >> 16) % 21);
            bool cutOut = (x % 100 + y % 100) % 97 < 12;
            image.SetPixel(x, y,
                           cutOut ? 0xFF00FF
                                  : static_cast<COLORREF>(90 + texture) |
                                        static_cast<COLORREF>(120 + texture) << 8 |
                                        static_cast<COLORREF>(60 + texture) << 16);
        }
    }
    return image;
}

std::vector<uint8_t> EncodeToMemory(const CDibImage& image) {
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &out, &size);
    CompressImage(&encoder, image);
    jpeg_destroy_compress(&encoder);
    std::vector<uint8_t> stream(out, out + size);
    free(out);
    return stream;
}

bool DecodeFromMemory(const std::vector<uint8_t>& stream, CDibImage& image) {
    jpeg_decompress_struct decoder{};
    jpeg_error_mgr errors;
    decoder.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, stream.data(), static_cast<unsigned long>(stream.size()));
    jpeg_read_header(&decoder, TRUE);
    bool decoded = DecompressImage(&decoder, image);
    jpeg_destroy_decompress(&decoder);
    return decoded;
}

ScratchFile::ScratchFile(const std::string& name)
    : path((std::filesystem::temp_directory_path() /
            ("tarvo-bench-" + std::to_string(getpid()) + "-" + name))
               .string()) {}

ScratchFile::~ScratchFile() {
    std::filesystem::remove(path);
}
