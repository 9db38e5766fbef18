#include "image/dib_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "image/pixel_buffer_pool.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Rgb = std::vector<int>;

const std::string kBmpDir = std::string(TARVO_TEST_DATA_DIR) + "/bmp/";

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

uint32_t Le32(const Bytes& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

void PutLe32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

using Trace = std::vector<std::pair<int, std::string>>;

// The lines the save leaves in the diagnostic log.
Trace SaveTraced(CDibImage& image, const std::string& path, int expected = 0) {
    RecordingLog log;
    EXPECT_EQ(image.SaveBmp(path), expected);
    return log.lines;
}

void ExpectEmpty(const CDibImage& image) {
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.palette, nullptr);
    EXPECT_EQ(image.bytesPerPixel, 0);
}

// Red, green, blue of a pixel, y from the top; 8-bit pixels through the colour table.
Rgb RgbAt(const CDibImage& image, int x, int y) {
    const uint8_t* pixel = image.PixelPtr(x, y);
    if (image.bytesPerPixel == 1) {
        const CDibImage::PaletteEntry& entry = image.palette[*pixel];
        return {entry.red, entry.green, entry.blue};
    }
    return {pixel[2], pixel[1], pixel[0]};
}

TEST(DibImageTest, LayoutOfCreatedImages) {
    CDibImage image;
    image.Create(20, 20, 3);
    EXPECT_EQ(image.GetStride(), 60);
    image.Create(50, 50, 3);
    EXPECT_EQ(image.infoHeader.biSizeImage, 7600u);
    image.Create(21, 4, 1);
    EXPECT_EQ(image.GetStride(), 24);
    EXPECT_EQ(image.PixelPtr(0, 0), image.RowPtr(3));  // y counts from the top
    EXPECT_EQ(image.PixelPtr(21, 0), nullptr);
    EXPECT_EQ(image.PixelPtr(0, -1), nullptr);
    image.Create(4, 4, 2);
    ExpectEmpty(image);
    image.Create(100000, 100000, 4);  // beyond what 32-bit sizes can describe
    ExpectEmpty(image);
}

TEST(DibImageTest, SavedFilesHaveTheBmpLayoutAndLoadBack) {
    TempDir dir;
    CDibImage image;
    image.Create(450, 450, 3);
    std::string path = dir.File("colour.bmp");
    EXPECT_EQ(SaveTraced(image, path), Trace({{kLogInfo, "\tSaving " + path}}));
    Bytes saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), 54u + 1352u * 450u);
    EXPECT_EQ(Le32(saved, 2), saved.size());
    EXPECT_EQ(Le32(saved, 10), 54u);

    image.Create(7, 3, 1);
    image.infoHeader.biXPelsPerMeter = 2835;
    image.palette[200] = {1, 2, 3, 0};
    *image.PixelPtr(0, 2) = 200;  // bottom left: the first pixel of the file
    SaveTraced(image, path);
    saved = ReadBytes(path);
    ASSERT_EQ(saved.size(), 1078u + 8u * 3u);
    EXPECT_EQ(Le32(saved, 10), 1078u);
    EXPECT_EQ(Le32(saved, 54 + 4 * 200), 0x00030201u);
    EXPECT_EQ(saved[1078], 200);

    ASSERT_EQ(image.LoadBmp(path), 0);
    EXPECT_EQ(image.infoHeader.biXPelsPerMeter, 2835);
    EXPECT_EQ(RgbAt(image, 0, 2), Rgb({3, 2, 1}));
}

TEST(DibImageTest, SaveFailuresGiveTheirCodesAndTraceLines) {
    TempDir dir;
    CDibImage image;
    EXPECT_EQ(
        SaveTraced(image, "e.bmp", kErrorBadFormat),
        Trace({{kLogInfo, "\tSaving e.bmp"}, {kLogError, "\tERROR_BAD_FORMAT - Saving e.bmp"}}));
    image.Create(4, 4, 3);
    std::string path = dir.File("no/x.bmp");
    EXPECT_EQ(SaveTraced(image, path, kErrorWriteFault),
              Trace({{kLogInfo, "\tSaving " + path},
                     {kLogError, "\tWRITE FAULT - Saving " + path},
                     {kLogError, "\tERROR : Save failed on " + path}}));
    EXPECT_EQ(SaveTraced(image, "/dev/full", kErrorInvalidParameter),
              Trace({{kLogInfo, "\tSaving /dev/full"},
                     {kLogError, "\tERROR_INVALID_PARAMETER - Saving /dev/full"},
                     {kLogError, "\tERROR : Save failed on /dev/full"}}));
}

// What a tool written by others makes of the files we write.
TEST(DibImageTest, ImageMagickReadsSavedFiles) {
    if (std::system("identify -version > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ImageMagick's identify is not installed; saved files not cross-checked";
    }
    TempDir dir;
    for (int depth : {3, 1}) {
        CDibImage image;
        image.Create(33, 17, depth);
        SaveTraced(image, dir.File("x.bmp"));
        std::string command =
            "identify -format '%m %w %h %r' " + dir.File("x.bmp") + " > " + dir.File("x.txt");
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::string format, width, height, imageClass;
        std::ifstream(dir.File("x.txt")) >> format >> width >> height >> imageClass;
        EXPECT_EQ(format + " " + width + " " + height + " " + imageClass,
                  depth == 3 ? "BMP3 33 17 DirectClass" : "BMP3 33 17 PseudoClass");
    }
}

// The rows of MANIFEST.tsv, whose README.md describes the pictures.
std::vector<std::vector<std::string>> ReadManifest() {
    std::ifstream in(kBmpDir + "MANIFEST.tsv");
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string>& cells = rows.emplace_back();
        std::stringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');) {
            cells.push_back(cell);
        }
        cells.resize(16);
    }
    return rows;
}

Rgb ParseRgb(const std::string& text) {
    Rgb rgb;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');) {
        rgb.push_back(std::stoi(part));
    }
    return rgb;
}

void ExpectPicture(const CDibImage& image, const std::string& pattern) {
    const Rgb kGrass = {72, 122, 10};
    const Rgb kOcean = {3, 67, 94};
    const int w = image.GetWidth();
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < w; ++x) {
            bool corner = (x == 0 && y == 0) || (x == w - 1 && y == image.GetHeight() - 1);
            if (pattern.starts_with("map") && !corner) {
                ASSERT_EQ(RgbAt(image, x, y), x < w / 2 ? kGrass : kOcean) << x << "," << y;
            } else if (pattern == "sub-index") {
                ASSERT_EQ(*image.PixelPtr(x, y), 1 + (y * w + x) % 81) << x << "," << y;
            }
        }
    }
}

TEST(DibImageTest, LoadsWhatCommonToolsWriteAndRefusesTheRest) {
    std::vector<std::vector<std::string>> rows = ReadManifest();
    ASSERT_EQ(rows.size(), 21u);
    for (const std::vector<std::string>& row : rows) {
        SCOPED_TRACE(row[0]);
        CDibImage image;
        int result = image.LoadBmp(kBmpDir + row[0]);
        if (row[1] == "refuse") {
            EXPECT_EQ(result, kErrorInvalidParameter);
            ExpectEmpty(image);
            continue;
        }
        ASSERT_EQ(result, 0);
        const int width = std::stoi(row[9]);
        const int height = std::stoi(row[10]);
        EXPECT_EQ(image.GetWidth(), width);
        EXPECT_EQ(image.GetHeight(), height);
        EXPECT_EQ(image.bytesPerPixel * 8, std::stoi(row[5]));
        EXPECT_EQ(image.infoHeader.biSize, 40u);  // as SaveBmp will write it
        EXPECT_EQ(image.infoHeader.biCompression, 0u);
        EXPECT_EQ(RgbAt(image, 0, 0), ParseRgb(row[11]));
        EXPECT_EQ(RgbAt(image, width - 1, height - 1), ParseRgb(row[12]));
        if (!row[13].empty()) {
            EXPECT_EQ(*image.PixelPtr(0, 0), std::stoi(row[13]));
        }
        ExpectPicture(image, row[15]);
    }
}

TEST(DibImageTest, LoadHonoursTheFilesOwnLayout) {
    TempDir dir;
    std::string path = dir.File("patched.bmp");
    CDibImage image;
    Bytes topDown = ReadBytes(kBmpDir + "map24-im-bmp3-40x30.bmp");
    PutLe32(topDown, 22, static_cast<uint32_t>(-30));
    WriteBytes(path, topDown);
    ASSERT_EQ(image.LoadBmp(path), 0);
    EXPECT_EQ(image.infoHeader.biHeight, 30);
    EXPECT_EQ(RgbAt(image, 0, 29), Rgb({244, 127, 115}));  // the first row read is the top one
    EXPECT_EQ(RgbAt(image, 0, 0), Rgb({72, 122, 10}));

    // Bit fields behind the short header.
    Bytes fields = ReadBytes(kBmpDir + "rgba32-im-bmp3-40x30.bmp");
    PutLe32(fields, 30, 3);
    PutLe32(fields, 10, 54 + 12);
    const Bytes masks = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
    fields.insert(fields.begin() + 54, masks.begin(), masks.end());
    WriteBytes(path, fields);
    ASSERT_EQ(image.LoadBmp(path), 0);
    EXPECT_EQ(RgbAt(image, 0, 0), Rgb({244, 127, 115}));
    EXPECT_EQ(RgbAt(image, 39, 0), Rgb({3, 67, 94}));
}

TEST(DibImageTest, LoadRefusesDamagedHeadersWithoutAllocating) {
    TempDir dir;
    std::string path = dir.File("patched.bmp");
    CDibImage image;
    EXPECT_EQ(image.LoadBmp(dir.File("absent.bmp")), kErrorFileNotFound);
    EXPECT_EQ(image.LoadBmp(dir.Path()), kErrorFileNotFound);  // not a regular file
    struct Patch {
        const char* file;
        size_t at;
        uint32_t value;
    };
    const Patch patches[] = {
        {"map24-im-bmp3-40x30.bmp", 14, 12},     // a header size we do not know
        {"map24-im-bmp3-40x30.bmp", 18, 0},      // no width
        {"map24-im-bmp3-40x30.bmp", 22, 30001},  // too high
        {"map24-im-bmp3-40x30.bmp", 18, 20000},  // more pixels than the file holds
        {"map24-im-bmp3-40x30.bmp", 10, 20},     // pixels inside the header
        {"map24-im-bmp3-40x30.bmp", 30, 3},      // bit fields on 24 bits
        {"rgba32-im-v5-40x30.bmp", 54, 0x7C00},  // bit fields of another layout
        {"sub8-nb-mapfile-40x30.bmp", 46, 257},  // more colours than a table holds
        {"sub8-nb-mapfile-40x30.bmp", 28, 16},   // 16 bits
    };
    for (const Patch& patch : patches) {
        Bytes bytes = ReadBytes(kBmpDir + patch.file);
        PutLe32(bytes, patch.at, patch.value);
        WriteBytes(path, bytes);
        EXPECT_EQ(image.LoadBmp(path), kErrorInvalidParameter) << patch.at << "=" << patch.value;
        ExpectEmpty(image);
    }
}

// A 24-bit image whose pixel (x, y from the top) holds x in blue and green and y in red.
CDibImage Numbered(int width, int height) {
    CDibImage image;
    image.Create(width, height, 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y, static_cast<COLORREF>(y | (x >> 8) << 8 | (x & 0xFF) << 16));
        }
    }
    return image;
}

int ColumnOf(const CDibImage& image, int x) {
    return image.PixelPtr(x, 0)[0] | image.PixelPtr(x, 0)[1] << 8;
}

TEST(DibImageTest, NearestNeighbourPicksTheRoundedSourcePixels) {
    CDibImage source = Numbered(450, 10);
    CDibImage target;
    EXPECT_EQ(target.ResizeFrom(0, 0, 225, 4, source, false), 0);
    for (int k = 0; k < 225; ++k) {
        ASSERT_EQ(ColumnOf(target, k), 2 * k + 1);
    }
    // Stored rows (i * 10 + 5) / 4 = 1, 3, 6, 8 counted from the bottom.
    EXPECT_EQ(RgbAt(target, 0, 0)[0], 1);
    EXPECT_EQ(RgbAt(target, 0, 1)[0], 3);
    EXPECT_EQ(RgbAt(target, 0, 3)[0], 8);
    target.ResizeFrom(0, 0, 45, 1, source, false);
    for (int k = 0; k < 45; ++k) {
        ASSERT_EQ(ColumnOf(target, k), 10 * k + 5);
    }
    CDibImage small = Numbered(2, 1);
    small.ResizeFrom(0, 0, 5, 1, small, false);  // from itself, upwards
    EXPECT_EQ(ColumnOf(small, 1), 0);
    EXPECT_EQ(ColumnOf(small, 2), 1);
}

TEST(DibImageTest, CopyRectAndFillRectStayInside) {
    CDibImage source = Numbered(10, 10);
    CDibImage target;
    target.Create(4, 4, 3);
    ASSERT_EQ(target.CopyRect(1, 2, 3, 2, 6, 7, source), 0);
    EXPECT_EQ(RgbAt(target, 1, 2), Rgb({7, 0, 6}));
    EXPECT_EQ(RgbAt(target, 3, 3), Rgb({8, 0, 8}));
    CDibImage indexed;
    indexed.Create(10, 10, 1);
    EXPECT_EQ(target.CopyRect(0, 0, 2, 2, 0, 0, indexed), kErrorInvalidParameter);
    EXPECT_EQ(target.CopyRect(2, 0, 3, 1, 0, 0, source), kErrorInvalidParameter);
    EXPECT_EQ(target.CopyRect(0, -1, 1, 1, 0, 0, source), kErrorInvalidParameter);
    EXPECT_EQ(target.CopyRect(0, 0, 2, 2, 9, 0, source), kErrorInvalidParameter);

    target.Create(4, 3, 3);
    target.FillRect(-5, 0, 5, 3, 0x112233);  // left of the image
    target.FillRect(0, -2, 4, 2, 0x112233);  // above it
    target.FillRect(-1, 2, 3, 10, 0x112233);
    EXPECT_EQ(RgbAt(target, 1, 2), Rgb({0x11, 0x22, 0x33}));
    EXPECT_EQ(RgbAt(target, 2, 2), Rgb({0, 0, 0}));
    EXPECT_EQ(RgbAt(target, 0, 1), Rgb({0, 0, 0}));
    EXPECT_EQ(target.SetPixel(4, 0, 0xFFFFFF), nullptr);
    EXPECT_EQ(indexed.SetPixel(0, 0, 0xFFFFFF), nullptr);
}

TEST(DibImageTest, AverageColorOfTheCentralHalf) {
    CDibImage image;
    image.Create(1, 1, 3);
    image.SetPixel(0, 0, 0xFFFFFF);
    EXPECT_EQ(image.AverageColor(), 0u);
    image.Create(2, 2, 3);
    image.FillRect(0, 0, 2, 2, 0xFFFFFF);
    image.SetPixel(0, 0, 0x00030201);
    EXPECT_EQ(image.AverageColor(), 0x00030201u);
    // The central 2 x 2 of 4 x 4: red 10, 11, 12, 14 and blue 1, 0, 0, 0 in white.
    image.Create(4, 4, 3);
    image.FillRect(0, 0, 4, 4, 0xFFFFFF);
    image.SetPixel(1, 1, 0x0001000A);
    image.SetPixel(2, 1, 0x0000000B);
    image.SetPixel(1, 2, 0x0000000C);
    image.SetPixel(2, 2, 0x0000000E);
    EXPECT_EQ(image.AverageColor(), 0x0000000Bu);
    EXPECT_EQ(image.AverageColor(-3, -3, 1, 1), 0x00FFFFFFu);
    CDibImage indexed;
    indexed.Create(2, 2, 1);
    *indexed.PixelPtr(0, 0) = 77;
    EXPECT_EQ(indexed.AverageColor(), 77u << 16);
}

// A picture made over a recycled buffer must not keep the old bytes in its row padding, which
// raw records store as they are.
TEST(DibImageTest, RecycledBuffersAreTakenWithZeroPadding) {
    thePixelBufferPool.Clear();
    CDibImage old;
    old.Create(301, 300, 3);
    std::memset(old.bits.get(), 0xAB, old.GetBufferSize());
    const size_t size = old.GetBufferSize();
    thePixelBufferPool.Keep(old);
    EXPECT_TRUE(old.IsEmpty());
    ASSERT_EQ(thePixelBufferPool.HeldBytes(), size);

    CDibImage source;
    source.Create(602, 600, 3);
    CDibImage half;
    half.ResizeFrom(0, 0, 301, 300, source, true);
    ASSERT_EQ(half.GetBufferSize(), size);
    EXPECT_EQ(thePixelBufferPool.HeldBytes(), 0u);  // the kept buffer was taken
    for (int row = 0; row < 300; ++row) {
        ASSERT_EQ(half.RowPtr(row)[903], 0) << row;  // 301 pixels take 903 of 904 bytes
        ASSERT_EQ(half.RowPtr(row)[0], 0) << row;
    }
}

}  // namespace
