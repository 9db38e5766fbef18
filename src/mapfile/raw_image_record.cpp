#include "mapfile/raw_image_record.h"

#include "foundation/little_endian.h"
#include "image/dib_image.h"
#include "image/dib_layout.h"
#include "platform/file.h"

namespace {

bool IsRecordBitCount(uint32_t bitCount) {
    return bitCount == 8 || bitCount == 24 || bitCount == 32;
}

}  // namespace

void StoreRawImageHeader(const CDibImage& image, uint8_t* header) {
    PutLe32(header, static_cast<uint32_t>(image.GetWidth()));
    PutLe32(header + 4, static_cast<uint32_t>(image.GetHeight()));
    PutLe32(header + 8, static_cast<uint32_t>(image.GetBufferSize()));
    const CDibImage::InfoHeader& info = image.infoHeader;
    PutLe32(header + 12, info.biBitCount | (info.biCompression & 0xFFFF) << 16);
}

bool WriteRawImage(CFile& file, const CDibImage& image) {
    uint8_t header[kRawImageHeaderBytes];
    StoreRawImageHeader(image, header);
    file.Write(header, kRawImageHeaderBytes);
    file.Write(image.bits.get(), image.GetBufferSize());
    return true;
}

bool CreateImageFromRawHeader(CDibImage& image, const uint8_t* header, uint64_t bytesLeft) {
    image.Release();
    const auto width = static_cast<int32_t>(GetLe32(header));
    const auto height = static_cast<int32_t>(GetLe32(header + 4));
    const uint32_t dataSize = GetLe32(header + 8);
    const uint32_t bitCount = GetLe32(header + 12);
    // Zoom copies of tiny or 32-bit pictures are stored without pixels: a side of 0, or a record
    // of zeros where the resampler made nothing. They come back as they were stored.
    if (dataSize == 0 && width >= 0 && height >= 0 && (width == 0 || height == 0) &&
        (IsRecordBitCount(bitCount) || bitCount == 0)) {
        image.CreateWithoutPixels(width, height, static_cast<int>(bitCount / 8));
        return true;
    }
    if (!IsRecordBitCount(bitCount) || width <= 0 || height <= 0 ||
        StrideOf(width, static_cast<int>(bitCount / 8)) * height != dataSize ||
        dataSize > bytesLeft) {
        return false;
    }
    image.CreateForOverwrite(width, height, static_cast<int>(bitCount / 8));
    return !image.IsEmpty();
}

bool ReadRawImage(CFile& file, CDibImage& image) {
    image.Release();
    uint8_t header[kRawImageHeaderBytes];
    if (file.Read(header, kRawImageHeaderBytes) != kRawImageHeaderBytes ||
        !CreateImageFromRawHeader(image, header, file.BytesLeft())) {
        return false;
    }
    if (file.Read(image.bits.get(), image.GetBufferSize()) != image.GetBufferSize()) {
        image.Release();
        return false;
    }
    return true;
}
