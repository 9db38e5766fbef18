#include "image/dib_image.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <utility>

#include "foundation/little_endian.h"
#include "image/pixel_buffer_pool.h"
#include "platform/file.h"

namespace {

constexpr uint16_t kBmpType = 0x4D42;  // "BM"
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr uint32_t kPaletteBytes = CDibImage::kPaletteSize * sizeof(CDibImage::PaletteEntry);
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitfields = 3;
constexpr uint32_t kMaskBytes = 12;
// Buffers are addressed with 32-bit sizes in BMP headers and raw records.
constexpr uint64_t kMaxBufferSize = std::numeric_limits<int32_t>::max();

static_assert(sizeof(CDibImage::PaletteEntry) == 4);

CDibImage::FileHeader ParseFileHeader(const uint8_t* bytes) {
    return {GetLe16(bytes), GetLe32(bytes + 2), GetLe16(bytes + 6), GetLe16(bytes + 8),
            GetLe32(bytes + 10)};
}

CDibImage::InfoHeader ParseInfoHeader(const uint8_t* bytes) {
    return {GetLe32(bytes),
            static_cast<int32_t>(GetLe32(bytes + 4)),
            static_cast<int32_t>(GetLe32(bytes + 8)),
            GetLe16(bytes + 12),
            GetLe16(bytes + 14),
            GetLe32(bytes + 16),
            GetLe32(bytes + 20),
            static_cast<int32_t>(GetLe32(bytes + 24)),
            static_cast<int32_t>(GetLe32(bytes + 28)),
            GetLe32(bytes + 32),
            GetLe32(bytes + 36)};
}

std::array<uint8_t, kHeadersSize> StoreHeaders(const CDibImage::FileHeader& file,
                                               const CDibImage::InfoHeader& info) {
    std::array<uint8_t, kHeadersSize> bytes{};
    PutLe16(&bytes[0], file.bfType);
    PutLe32(&bytes[2], file.bfSize);
    PutLe16(&bytes[6], file.bfReserved1);
    PutLe16(&bytes[8], file.bfReserved2);
    PutLe32(&bytes[10], file.bfOffBits);
    uint8_t* out = &bytes[kFileHeaderSize];
    PutLe32(out, info.biSize);
    PutLe32(out + 4, static_cast<uint32_t>(info.biWidth));
    PutLe32(out + 8, static_cast<uint32_t>(info.biHeight));
    PutLe16(out + 12, info.biPlanes);
    PutLe16(out + 14, info.biBitCount);
    PutLe32(out + 16, info.biCompression);
    PutLe32(out + 20, info.biSizeImage);
    PutLe32(out + 24, static_cast<uint32_t>(info.biXPelsPerMeter));
    PutLe32(out + 28, static_cast<uint32_t>(info.biYPelsPerMeter));
    PutLe32(out + 32, info.biClrUsed);
    PutLe32(out + 36, info.biClrImportant);
    return bytes;
}

uint64_t StrideOf(int64_t width, int bytesPerPixel) {
    return static_cast<uint64_t>(width * bytesPerPixel + 3) & ~uint64_t{3};
}

bool IsDepth(int bytesPerPixel) {
    return bytesPerPixel == 1 || bytesPerPixel == 3 || bytesPerPixel == 4;
}

bool IsBitCount(uint32_t bitCount) {
    return bitCount == 8 || bitCount == 24 || bitCount == 32;
}

// The difference of two coordinates, or 0 when it does not fit an int.
int Span(int from, int to) {
    int64_t span = static_cast<int64_t>(to) - from;
    return span > std::numeric_limits<int>::max() || span < std::numeric_limits<int>::min()
               ? 0
               : static_cast<int>(span);
}

// Where a BMP file keeps its colour table and pixels, worked out from its headers.
struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bytesPerPixel = 0;
    uint32_t paletteOffset = 0;
    uint32_t paletteEntries = 0;
    uint64_t pixelOffset = 0;
    uint64_t pixelBytes = 0;
};

bool IsKnownHeaderSize(uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// 32-bit files with bit fields are read only when the fields describe the plain byte layout.
bool HasPlainMasks(const uint8_t* masks) {
    return GetLe32(masks) == 0x00FF0000u && GetLe32(masks + 4) == 0x0000FF00u &&
           GetLe32(masks + 8) == 0x000000FFu;
}

bool IsSupportedCompression(const CDibImage::InfoHeader& info, const uint8_t* masks) {
    return info.biCompression == kCompressionNone ||
           (info.biCompression == kCompressionBitfields && info.biBitCount == 32 &&
            HasPlainMasks(masks));
}

bool IsSideInRange(int64_t side) {
    return side >= 1 && side <= kMaxImageSide;
}

std::optional<BmpLayout> PlanBmp(const CDibImage::FileHeader& file,
                                 const CDibImage::InfoHeader& info, const uint8_t* masks,
                                 uint64_t fileLength) {
    int64_t height = info.biHeight;
    if (!IsKnownHeaderSize(info.biSize) || !IsBitCount(info.biBitCount) ||
        !IsSupportedCompression(info, masks) || !IsSideInRange(info.biWidth) ||
        !IsSideInRange(height < 0 ? -height : height)) {
        return std::nullopt;
    }
    BmpLayout layout;
    layout.width = info.biWidth;
    layout.height = static_cast<int>(height < 0 ? -height : height);
    layout.topDown = height < 0;
    layout.bytesPerPixel = info.biBitCount / 8;
    // Files with the short header keep their bit fields between header and colour table.
    bool masksFollow =
        info.biCompression == kCompressionBitfields && info.biSize == kInfoHeaderSize;
    layout.paletteOffset = kFileHeaderSize + info.biSize + (masksFollow ? kMaskBytes : 0);
    if (layout.bytesPerPixel == 1) {
        layout.paletteEntries = info.biClrUsed == 0 ? CDibImage::kPaletteSize : info.biClrUsed;
    }
    layout.pixelOffset = file.bfOffBits;
    layout.pixelBytes = StrideOf(layout.width, layout.bytesPerPixel) * layout.height;
    uint64_t paletteEnd = layout.paletteOffset + uint64_t{4} * layout.paletteEntries;
    if (layout.paletteEntries > CDibImage::kPaletteSize || layout.pixelOffset < paletteEnd ||
        layout.pixelOffset + layout.pixelBytes > fileLength) {
        return std::nullopt;
    }
    return layout;
}

// Reads the headers at the file's start and plans the file; nothing for a file that LoadBmp
// does not take.
std::optional<BmpLayout> ReadBmpHeaders(CFile& file, CDibImage::FileHeader& readFile,
                                        CDibImage::InfoHeader& readInfo) {
    uint8_t headers[kHeadersSize];
    if (file.Read(headers, kHeadersSize) != kHeadersSize) {
        return std::nullopt;
    }
    readFile = ParseFileHeader(headers);
    readInfo = ParseInfoHeader(headers + kFileHeaderSize);
    uint8_t masks[kMaskBytes] = {};
    if (readInfo.biCompression == kCompressionBitfields &&
        file.Read(masks, kMaskBytes) != kMaskBytes) {
        return std::nullopt;
    }
    return PlanBmp(readFile, readInfo, masks, file.GetLength());
}

// Stored row i takes source row (i * srcHeight + srcHeight / 2) / dstHeight, counted from the
// bottom; along the row an error term picks column (k * srcWidth + srcWidth / 2) / dstWidth.
void CopyNearest(const CDibImage& source, CDibImage& target) {
    const int64_t sourceWidth = source.GetWidth();
    const int64_t sourceHeight = source.GetHeight();
    const int64_t width = target.GetWidth();
    const int64_t height = target.GetHeight();
    const int pixelSize = target.bytesPerPixel;
    for (int64_t i = 0; i < height; ++i) {
        const uint8_t* from =
            source.RowPtr(static_cast<int>((i * sourceHeight + sourceHeight / 2) / height));
        uint8_t* to = target.RowPtr(static_cast<int>(i));
        int64_t column = 0;
        int64_t error = sourceWidth / 2 - width;
        for (int64_t k = 0; k < width; ++k) {
            while (error >= 0) {
                ++column;
                error -= width;
            }
            std::memcpy(to + k * pixelSize, from + column * pixelSize, pixelSize);
            error += sourceWidth;
        }
    }
}

}  // namespace

int CDibImage::Release() {
    fileHeader = {};
    infoHeader = {};
    palette.reset();
    bits.reset();
    bytesPerPixel = 0;
    return 0;
}

int CDibImage::GetStride() const {
    return static_cast<int>(StrideOf(infoHeader.biWidth, bytesPerPixel));
}

size_t CDibImage::GetBufferSize() const {
    return IsEmpty() ? 0 : static_cast<size_t>(GetStride()) * GetHeight();
}

int CDibImage::Create(int width, int height, int newBytesPerPixel) {
    return Allocate(width, height, newBytesPerPixel, true);
}

int CDibImage::CreateForOverwrite(int width, int height, int newBytesPerPixel) {
    return Allocate(width, height, newBytesPerPixel, false);
}

void CDibImage::SetHeaders(int width, int height, int newBytesPerPixel, uint64_t size) {
    infoHeader = {kInfoHeaderSize,
                  width,
                  height,
                  1,
                  static_cast<uint16_t>(8 * newBytesPerPixel),
                  kCompressionNone,
                  static_cast<uint32_t>(size),
                  0,
                  0,
                  0,
                  0};
    fileHeader = {kBmpType, 68, 0, 0, kHeadersSize};
    bytesPerPixel = static_cast<uint8_t>(newBytesPerPixel);
}

int CDibImage::Allocate(int width, int height, int newBytesPerPixel, bool zeroed) {
    Release();
    if (!IsDepth(newBytesPerPixel) || width < 0 || height < 0) {
        return 1;
    }
    uint64_t size = StrideOf(width, newBytesPerPixel) * height;
    if (size > kMaxBufferSize) {
        return 1;
    }
    SetHeaders(width, height, newBytesPerPixel, size);
    if (size == 0) {
        return 1;  // a picture of no pixels keeps its sizes and depth, and has no buffer
    }
    try {
        if (newBytesPerPixel == 1) {
            palette = std::make_unique<PaletteEntry[]>(kPaletteSize);
        }
        if (zeroed) {
            bits = std::make_unique<uint8_t[]>(size);
        } else {
            bits = thePixelBufferPool.Take(size);
            size_t used = static_cast<size_t>(width) * newBytesPerPixel;
            size_t stride = StrideOf(width, newBytesPerPixel);
            for (size_t row = 0; used < stride && row < static_cast<size_t>(height); ++row) {
                std::memset(bits.get() + row * stride + used, 0, stride - used);
            }
        }
    } catch (const std::bad_alloc&) {
        Release();
    }
    return 1;
}

uint8_t* CDibImage::RowPtr(int row) {
    return const_cast<uint8_t*>(std::as_const(*this).RowPtr(row));
}

const uint8_t* CDibImage::RowPtr(int row) const {
    if (IsEmpty() || static_cast<unsigned>(row) >= static_cast<unsigned>(GetHeight())) {
        return nullptr;
    }
    return bits.get() + static_cast<size_t>(row) * GetStride();
}

uint8_t* CDibImage::PixelPtr(int x, int y) {
    return const_cast<uint8_t*>(std::as_const(*this).PixelPtr(x, y));
}

const uint8_t* CDibImage::PixelPtr(int x, int y) const {
    if (IsEmpty() || static_cast<unsigned>(x) >= static_cast<unsigned>(GetWidth()) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(GetHeight())) {
        return nullptr;
    }
    return RowPtr(GetHeight() - 1 - y) + static_cast<size_t>(x) * bytesPerPixel;
}

int CDibImage::LoadBmp(const std::string& path) {
    Release();
    CFile file;
    if (!file.Open(path, CFile::OpenMode::Read)) {
        return kErrorFileNotFound;
    }
    bool loaded = false;
    try {
        loaded = ReadBmp(file);
    } catch (const CFileException&) {
        // a file that cannot be read is refused like a damaged one
    }
    if (!loaded) {
        Release();
        return kErrorInvalidParameter;
    }
    return 0;
}

int CDibImage::PeekBmp(const std::string& path, int& width, int& height, int& bytesPerPixel) {
    CFile file;
    if (!file.Open(path, CFile::OpenMode::Read)) {
        return kErrorFileNotFound;
    }
    FileHeader readFile;
    InfoHeader readInfo;
    std::optional<BmpLayout> layout;
    try {
        layout = ReadBmpHeaders(file, readFile, readInfo);
    } catch (const CFileException&) {
    }
    if (!layout) {
        return kErrorInvalidParameter;
    }
    width = layout->width;
    height = layout->height;
    bytesPerPixel = layout->bytesPerPixel;
    return 0;
}

bool CDibImage::ReadBmp(CFile& file) {
    FileHeader readFile;
    InfoHeader readInfo;
    std::optional<BmpLayout> layout = ReadBmpHeaders(file, readFile, readInfo);
    if (!layout) {
        return false;
    }
    Create(layout->width, layout->height, layout->bytesPerPixel);
    if (IsEmpty()) {
        return false;
    }
    if (layout->paletteEntries > 0) {
        size_t paletteBytes = size_t{4} * layout->paletteEntries;
        file.Seek(layout->paletteOffset, CFile::SeekFrom::Begin);
        if (file.Read(palette.get(), paletteBytes) != paletteBytes) {
            return false;
        }
    }
    file.Seek(static_cast<int64_t>(layout->pixelOffset), CFile::SeekFrom::Begin);
    if (file.Read(bits.get(), layout->pixelBytes) != layout->pixelBytes) {
        return false;
    }
    if (layout->topDown) {
        for (int top = 0, bottom = layout->height - 1; top < bottom; ++top, --bottom) {
            std::swap_ranges(RowPtr(top), RowPtr(top) + GetStride(), RowPtr(bottom));
        }
    }
    // What this image holds now is what SaveBmp writes: the short header, bottom-up, no fields.
    readInfo.biSize = kInfoHeaderSize;
    readInfo.biHeight = layout->height;
    readInfo.biCompression = kCompressionNone;
    readInfo.biSizeImage = static_cast<uint32_t>(layout->pixelBytes);
    fileHeader = readFile;
    infoHeader = readInfo;
    return true;
}

int CDibImage::SaveBmp(const std::string& path) {
    std::printf("\tSaving %s\n", path.c_str());
    if (IsEmpty()) {
        std::printf("\tERROR_BAD_FORMAT - Saving %s\n", path.c_str());
        return kErrorBadFormat;
    }
    CFile file;
    if (!file.Open(path, CFile::OpenMode::CreateWrite)) {
        std::printf("\tWRITE FAULT - Saving %s\n", path.c_str());
        std::printf("\tERROR : Save failed on %s\n", path.c_str());
        return kErrorWriteFault;
    }
    return WriteBmp(file, path);
}

int CDibImage::SaveBmp(CFile& file, const std::string& path) {
    std::printf("\tSaving %s\n", path.c_str());
    if (IsEmpty()) {
        std::printf("\tERROR_BAD_FORMAT - Saving %s\n", path.c_str());
        return kErrorBadFormat;
    }
    return WriteBmp(file, path);
}

int CDibImage::WriteBmp(CFile& file, const std::string& path) {
    fileHeader.bfOffBits = bytesPerPixel == 1 ? kHeadersSize + kPaletteBytes : kHeadersSize;
    infoHeader.biSizeImage = static_cast<uint32_t>(GetBufferSize());
    fileHeader.bfSize = infoHeader.biSizeImage + fileHeader.bfOffBits;
    try {
        file.Write(StoreHeaders(fileHeader, infoHeader).data(), kHeadersSize);
        if (bytesPerPixel == 1) {
            file.Write(palette.get(), kPaletteBytes);
        }
        file.Write(bits.get(), GetBufferSize());
        file.Close();
    } catch (const CFileException&) {
        std::printf("\tERROR_INVALID_PARAMETER - Saving %s\n", path.c_str());
        std::printf("\tERROR : Save failed on %s\n", path.c_str());
        return kErrorInvalidParameter;
    }
    return 0;
}

int CDibImage::ResizeFrom(int x0, int y0, int x1, int y1, const CDibImage& source, bool smooth) {
    if (smooth) {
        return source.bytesPerPixel == 1 ? SmoothResize8(x0, y0, x1, y1, source)
                                         : SmoothResize24(x0, y0, x1, y1, source);
    }
    return ResizeWith(x0, y0, x1, y1, source, source.bytesPerPixel, CopyNearest);
}

int CDibImage::ResizeWith(int x0, int y0, int x1, int y1, const CDibImage& source,
                          int newBytesPerPixel, ResizeFill fill) {
    if (source.IsEmpty()) {
        Release();
        return 0;
    }
    // Built aside so that an image can be resized from itself.
    CDibImage result;
    result.CreateForOverwrite(Span(x0, x1), Span(y0, y1), newBytesPerPixel);
    if (!result.IsEmpty()) {
        fill(source, result);
    }
    *this = std::move(result);
    return 0;
}

bool CDibImage::Contains(int x, int y, int width, int height) const {
    return x >= 0 && y >= 0 && width >= 0 && height >= 0 &&
           static_cast<int64_t>(x) + width <= GetWidth() &&
           static_cast<int64_t>(y) + height <= GetHeight();
}

int CDibImage::CopyRect(int dx, int dy, int width, int height, int sx, int sy,
                        const CDibImage& source) {
    if (infoHeader.biBitCount != source.infoHeader.biBitCount || !Contains(dx, dy, width, height) ||
        !source.Contains(sx, sy, width, height)) {
        return kErrorInvalidParameter;
    }
    for (int i = 0; width > 0 && i < height; ++i) {
        std::memmove(PixelPtr(dx, dy + i), source.PixelPtr(sx, sy + i),
                     static_cast<size_t>(width) * bytesPerPixel);
    }
    return 0;
}

void CDibImage::FillRect(int x, int y, int width, int height, uint32_t colour) {
    if (bytesPerPixel < 3) {
        return;
    }
    const int64_t left = std::max(x, 0);
    const int64_t top = std::max(y, 0);
    const int64_t right = std::min<int64_t>(static_cast<int64_t>(x) + width, GetWidth());
    const int64_t bottom = std::min<int64_t>(static_cast<int64_t>(y) + height, GetHeight());
    for (int64_t row = top; row < bottom; ++row) {
        for (int64_t column = left; column < right; ++column) {
            uint8_t* pixel = PixelPtr(static_cast<int>(column), static_cast<int>(row));
            pixel[0] = static_cast<uint8_t>(colour);
            pixel[1] = static_cast<uint8_t>(colour >> 8);
            pixel[2] = static_cast<uint8_t>(colour >> 16);
        }
    }
}

uint8_t* CDibImage::SetPixel(int x, int y, COLORREF colour) {
    uint8_t* pixel = bytesPerPixel < 3 ? nullptr : PixelPtr(x, y);
    if (pixel != nullptr) {
        pixel[0] = static_cast<uint8_t>(colour >> 16);
        pixel[1] = static_cast<uint8_t>(colour >> 8);
        pixel[2] = static_cast<uint8_t>(colour);
    }
    return pixel;
}

COLORREF CDibImage::AverageColor() const {
    const int64_t width = GetWidth();
    const int64_t height = GetHeight();
    return AverageColor(static_cast<int>(width / 4), static_cast<int>(height / 4),
                        static_cast<int>(3 * width / 4), static_cast<int>(3 * height / 4));
}

COLORREF CDibImage::AverageColor(int left, int top, int right, int bottom) const {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, GetWidth());
    bottom = std::min(bottom, GetHeight());
    if (IsEmpty() || right <= left || bottom <= top) {
        return 0;
    }
    const int channels = bytesPerPixel == 1 ? 1 : 3;
    uint64_t sums[3] = {};
    for (int y = top; y < bottom; ++y) {
        const uint8_t* pixel = PixelPtr(left, y);
        for (int x = left; x < right; ++x, pixel += bytesPerPixel) {
            for (int c = 0; c < channels; ++c) {
                sums[c] += pixel[c];
            }
        }
    }
    const uint64_t count = static_cast<uint64_t>(right - left) * (bottom - top);
    if (channels == 1) {
        return static_cast<COLORREF>(sums[0] / count) << 16;
    }
    return static_cast<COLORREF>(sums[2] / count | (sums[1] / count) << 8 |
                                 (sums[0] / count) << 16);
}

void CDibImage::StoreRawHeader(uint8_t* header) const {
    PutLe32(header, static_cast<uint32_t>(GetWidth()));
    PutLe32(header + 4, static_cast<uint32_t>(GetHeight()));
    PutLe32(header + 8, static_cast<uint32_t>(GetBufferSize()));
    PutLe32(header + 12, infoHeader.biBitCount | (infoHeader.biCompression & 0xFFFF) << 16);
}

bool CDibImage::WriteRaw(CFile& file) const {
    uint8_t header[kRawHeaderBytes];
    StoreRawHeader(header);
    file.Write(header, kRawHeaderBytes);
    file.Write(bits.get(), GetBufferSize());
    return true;
}

bool CDibImage::CreateFromRawHeader(const uint8_t* header, uint64_t bytesLeft) {
    Release();
    const auto width = static_cast<int32_t>(GetLe32(header));
    const auto height = static_cast<int32_t>(GetLe32(header + 4));
    const uint32_t dataSize = GetLe32(header + 8);
    const uint32_t bitCount = GetLe32(header + 12);
    // Zoom copies of tiny or 32-bit pictures are stored without pixels: a side of 0, or a record
    // of zeros where the resampler made nothing. They come back as they were stored.
    if (dataSize == 0 && width >= 0 && height >= 0 && (width == 0 || height == 0) &&
        (IsBitCount(bitCount) || bitCount == 0)) {
        SetHeaders(width, height, static_cast<int>(bitCount / 8), 0);
        return true;
    }
    if (!IsBitCount(bitCount) || width <= 0 || height <= 0 ||
        StrideOf(width, static_cast<int>(bitCount / 8)) * height != dataSize ||
        dataSize > bytesLeft) {
        return false;
    }
    CreateForOverwrite(width, height, static_cast<int>(bitCount / 8));
    return !IsEmpty();
}

bool CDibImage::ReadRaw(CFile& file) {
    Release();
    uint8_t header[kRawHeaderBytes];
    if (file.Read(header, kRawHeaderBytes) != kRawHeaderBytes ||
        !CreateFromRawHeader(header, file.BytesLeft())) {
        return false;
    }
    if (file.Read(bits.get(), GetBufferSize()) != GetBufferSize()) {
        Release();
        return false;
    }
    return true;
}
