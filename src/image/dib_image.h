#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class CFile;

// A colour as 0x00BBGGRR: red in the low byte.
using COLORREF = uint32_t;

// Result codes of LoadBmp and SaveBmp: the Windows error numbers the editor has always used.
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorBadFormat = 11;
inline constexpr int kErrorWriteFault = 29;
inline constexpr int kErrorInvalidParameter = 87;

// Largest width or height that a BMP file or JPEG stream may declare.
inline constexpr int kMaxImageSide = 30000;

// The editor's one raster type: the two headers of a BMP file, a 256-entry colour table for
// 8-bit images, and a pixel buffer laid out as in a BMP file (rows bottom row first, each padded
// to 4 bytes; 24- and 32-bit pixels blue, green, red[, unused]; 8-bit pixels colour indices).
// Pixel coordinates count y from the top. An empty image has no buffer, zero headers and
// bytesPerPixel 0, except a picture of no pixels (a side of 0), which keeps its sizes and depth
// in the headers so that it is written back as it came. The headers and buffer are open for reading
// and for pixel writes; change the image's size or depth only through the operations.
class CDibImage {
  public:
    struct FileHeader {
        uint16_t bfType = 0;
        uint32_t bfSize = 0;
        uint16_t bfReserved1 = 0;
        uint16_t bfReserved2 = 0;
        uint32_t bfOffBits = 0;
    };
    struct InfoHeader {
        uint32_t biSize = 0;
        int32_t biWidth = 0;
        int32_t biHeight = 0;
        uint16_t biPlanes = 0;
        uint16_t biBitCount = 0;
        uint32_t biCompression = 0;
        uint32_t biSizeImage = 0;
        int32_t biXPelsPerMeter = 0;
        int32_t biYPelsPerMeter = 0;
        uint32_t biClrUsed = 0;
        uint32_t biClrImportant = 0;
    };
    struct PaletteEntry {
        uint8_t blue = 0;
        uint8_t green = 0;
        uint8_t red = 0;
        uint8_t reserved = 0;
    };
    static constexpr int kPaletteSize = 256;

    CDibImage() = default;
    virtual ~CDibImage() = default;
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;
    CDibImage(CDibImage&&) noexcept = default;
    CDibImage& operator=(CDibImage&&) noexcept = default;

    // Empties the image; always 0.
    int Release();
    bool IsEmpty() const { return bits == nullptr; }
    int GetWidth() const { return infoHeader.biWidth; }
    int GetHeight() const { return infoHeader.biHeight; }
    int GetStride() const;
    size_t GetBufferSize() const;

    // Replaces the image by a zero-filled one (8-bit images get an all-black colour table).
    // Always 1; the image is empty afterwards when the size or depth (1, 3 or 4 bytes per
    // pixel) is impossible or the buffer cannot be had, and when a side is 0 (it then keeps its
    // sizes and depth).
    int Create(int width, int height, int bytesPerPixel);
    // As Create, for an image whose pixels are all written at once: only the padding at the end
    // of each row is zeroed, and the buffer may be one that thePixelBufferPool kept.
    int CreateForOverwrite(int width, int height, int bytesPerPixel);
    // Makes a picture of no pixels, for a width or height of 0, that keeps the sizes and the
    // bytes per pixel, 0 included: map files store the zoom copies of tiny pictures so.
    void CreateWithoutPixels(int width, int height, int bytesPerPixel);

    // Stored row, 0 being the bottom of the picture; null outside the image.
    uint8_t* RowPtr(int row);
    const uint8_t* RowPtr(int row) const;
    // Pixel with y counted from the top; null outside the image.
    uint8_t* PixelPtr(int x, int y);
    const uint8_t* PixelPtr(int x, int y) const;

    // 0, kErrorFileNotFound, or kErrorInvalidParameter for a file it does not accept (the image
    // is then empty).
    int LoadBmp(const std::string& path);
    // The width, height and bytes per pixel of the BMP file at path, from its headers alone:
    // callers check sizes before any pixel is read. 0, or the code LoadBmp gives for a file
    // that cannot be opened (kErrorFileNotFound) or whose headers it does not take.
    static int PeekBmp(const std::string& path, int& width, int& height, int& bytesPerPixel);
    // 0, kErrorBadFormat (empty image), kErrorWriteFault (cannot create) or
    // kErrorInvalidParameter (failed write). Traces the save in the diagnostic log: the attempt
    // as information, a failure as errors.
    int SaveBmp(const std::string& path);
    // The same into a file opened for writing (and closed here); path only names it in the
    // trace lines.
    int SaveBmp(CFile& file, const std::string& path);

    // Makes this image a copy of the whole source resized to (x1 - x0) x (y1 - y0): nearest
    // neighbour, or key-aware bilinear when smooth. 0, or 1 when smooth resizing does not support
    // the source's depth (this image is then unchanged).
    int ResizeFrom(int x0, int y0, int x1, int y1, const CDibImage& source, bool smooth);
    // Key-aware bilinear resizing of a 24-bit source (key magenta) or an 8-bit source (key
    // index 0); 1 without changing anything for a source of another depth.
    int SmoothResize24(int x0, int y0, int x1, int y1, const CDibImage& source);
    int SmoothResize8(int x0, int y0, int x1, int y1, const CDibImage& source);

    // Copies a width x height block from (sx, sy) of the source to (dx, dy); y from the top.
    // kErrorInvalidParameter when the depths differ or a block is not inside its image.
    int CopyRect(int dx, int dy, int width, int height, int sx, int sy, const CDibImage& source);
    // Fills the part of the rectangle inside a 24- or 32-bit image. The colour is 0x00RRGGBB
    // (blue in the low byte), unlike everywhere else.
    void FillRect(int x, int y, int width, int height, uint32_t colour);
    // Writes a colour into a pixel of a 24- or 32-bit image and returns the pixel; null (and
    // nothing written) outside the image or for another depth.
    uint8_t* SetPixel(int x, int y, COLORREF colour);
    // Mean colour of the central half of the picture, or of [left, right) x [top, bottom) (y from
    // the top, clipped to the image). For 8-bit images the mean index is the blue component.
    // Black for an empty rectangle or an empty image.
    COLORREF AverageColor() const;
    COLORREF AverageColor(int left, int top, int right, int bottom) const;

    // One JPEG stream at the file's position. The buffer goes to the codec as it is held (bottom
    // row first, blue in the red channel), and ReadJpeg undoes that, so the two must be used as a
    // pair. False, never an exception, when the codec or the file fails or (WriteJpeg) the image
    // is not 24-bit; a failed ReadJpeg leaves the image empty. A reader that knows the size it
    // needs passes width and height, and a stream that declares another is refused before
    // anything is allocated or decoded for it.
    bool WriteJpeg(CFile& file) const;
    bool ReadJpeg(CFile& file, int width = 0, int height = 0);

    FileHeader fileHeader;
    InfoHeader infoHeader;
    std::unique_ptr<PaletteEntry[]> palette;  // 256 entries while bytesPerPixel is 1
    std::unique_ptr<uint8_t[]> bits;
    uint8_t bytesPerPixel = 0;

  private:
    int Allocate(int width, int height, int bytesPerPixel, bool zeroed);
    void SetHeaders(int width, int height, int bytesPerPixel, uint64_t size);
    using ResizeFill = void (*)(const CDibImage& source, CDibImage& target);

    // Replaces this image by a (x1 - x0) x (y1 - y0) one that fill makes from the source; 0.
    int ResizeWith(int x0, int y0, int x1, int y1, const CDibImage& source, int newBytesPerPixel,
                   ResizeFill fill);
    bool ReadBmp(CFile& file);
    int WriteBmp(CFile& file, const std::string& path);
    bool Contains(int x, int y, int width, int height) const;
};
