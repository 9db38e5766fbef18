#include <algorithm>
#include <array>
#include <optional>

#include "foundation/diagnostic_log.h"
#include "foundation/little_endian.h"
#include "image/dib_image.h"
#include "image/dib_layout.h"
#include "platform/file.h"

namespace {

constexpr uint32_t kPaletteBytes = CDibImage::kPaletteSize * sizeof(CDibImage::PaletteEntry);
constexpr uint32_t kCompressionBitfields = 3;
constexpr uint32_t kMaskBytes = 12;

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

bool IsBitCount(uint32_t bitCount) {
    return bitCount == 8 || bitCount == 24 || bitCount == 32;
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

}  // namespace

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
    LogMessage(theDiagnosticLog, kLogInfo, "\tSaving %s", path.c_str());
    if (IsEmpty()) {
        LogMessage(theDiagnosticLog, kLogError, "\tERROR_BAD_FORMAT - Saving %s", path.c_str());
        return kErrorBadFormat;
    }
    CFile file;
    if (!file.Open(path, CFile::OpenMode::CreateWrite)) {
        LogMessage(theDiagnosticLog, kLogError, "\tWRITE FAULT - Saving %s", path.c_str());
        LogMessage(theDiagnosticLog, kLogError, "\tERROR : Save failed on %s", path.c_str());
        return kErrorWriteFault;
    }
    return WriteBmp(file, path);
}

int CDibImage::SaveBmp(CFile& file, const std::string& path) {
    LogMessage(theDiagnosticLog, kLogInfo, "\tSaving %s", path.c_str());
    if (IsEmpty()) {
        LogMessage(theDiagnosticLog, kLogError, "\tERROR_BAD_FORMAT - Saving %s", path.c_str());
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
        LogMessage(theDiagnosticLog, kLogError, "\tERROR_INVALID_PARAMETER - Saving %s",
                   path.c_str());
        LogMessage(theDiagnosticLog, kLogError, "\tERROR : Save failed on %s", path.c_str());
        return kErrorInvalidParameter;
    }
    return 0;
}
