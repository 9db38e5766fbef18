#include "png_file.h"

#include <zlib.h>

namespace {

void PutBigEndian(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value >> 24);
    at[1] = static_cast<uint8_t>(value >> 16);
    at[2] = static_cast<uint8_t>(value >> 8);
    at[3] = static_cast<uint8_t>(value);
}

}  // namespace

void CPngFile::WriteHeader(uint32_t width, uint32_t height) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::fwrite(kSignature, 1, sizeof kSignature, out);
    uint8_t header[13] = {};
    PutBigEndian(header, width);
    PutBigEndian(header + 4, height);
    header[8] = 8;  // bits per channel
    header[9] = 2;  // RGB; compression, filter method and interlace stay 0
    WriteChunk("IHDR", header, sizeof header);
}

void CPngFile::WriteImageData(const std::vector<uint8_t>& bytes) {
    if (!bytes.empty()) {
        WriteChunk("IDAT", bytes.data(), bytes.size());
    }
}

void CPngFile::WriteEnd() {
    WriteChunk("IEND", nullptr, 0);
}

void CPngFile::WriteChunk(const char type[4], const uint8_t* data, size_t size) {
    uint8_t length[4];
    PutBigEndian(length, static_cast<uint32_t>(size));
    std::fwrite(length, 1, 4, out);
    std::fwrite(type, 1, 4, out);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (size > 0) {
        std::fwrite(data, 1, size, out);
        crc = crc32_z(crc, data, size);
    }
    uint8_t check[4];
    PutBigEndian(check, static_cast<uint32_t>(crc));
    std::fwrite(check, 1, 4, out);
}
