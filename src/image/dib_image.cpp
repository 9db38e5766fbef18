#include "image/dib_image.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "image/dib_layout.h"
#include "image/pixel_buffer_pool.h"

namespace {

constexpr uint16_t kBmpType = 0x4D42;  // "BM"
// Buffers are addressed with 32-bit sizes in BMP headers and raw records.
constexpr uint64_t kMaxBufferSize = std::numeric_limits<int32_t>::max();

bool IsDepth(int bytesPerPixel) {
    return bytesPerPixel == 1 || bytesPerPixel == 3 || bytesPerPixel == 4;
}

// The difference of two coordinates, or 0 when it does not fit an int.
int Span(int from, int to) {
    int64_t span = static_cast<int64_t>(to) - from;
    return span > std::numeric_limits<int>::max() || span < std::numeric_limits<int>::min()
               ? 0
               : static_cast<int>(span);
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

void CDibImage::CreateWithoutPixels(int width, int height, int newBytesPerPixel) {
    Release();
    SetHeaders(width, height, newBytesPerPixel, 0);
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
