#include "generate/height_picture.h"

#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <functional>

#include "image/dib_image.h"
#include "support/map_builder.h"
#include "support/temp_dir.h"

namespace {

// A grayscale PNG of bitDepth 8 or 16 whose pixel (x, y) is value(x, y).
void WritePng(const std::string& path, int width, int height, int bitDepth,
              const std::function<int(int, int)>& value) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, bitDepth, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(width) * bitDepth / 8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int v = value(x, y);
            if (bitDepth == 16) {
                row[2 * x] = static_cast<png_byte>(v >> 8);
                row[2 * x + 1] = static_cast<png_byte>(v);
            } else {
                row[x] = static_cast<png_byte>(v);
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

// A TIFF of 32-bit floats, in strips or in 16 x 16 tiles, compressed with deflate, naming
// noData as GDAL does.
void WriteFloatTiff(const std::string& path, int width, int height, bool tiled, float noData,
                    const std::function<float(int, int)>& value) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 32);
    TIFFSetField(tiff, TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_IEEEFP);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    static const TIFFFieldInfo kNoDataField = {
        42113, -1, -1, TIFF_ASCII, FIELD_CUSTOM, 1, 0, const_cast<char*>("GDALNoDataValue")};
    TIFFMergeFieldInfo(tiff, &kNoDataField, 1);
    TIFFSetField(tiff, 42113, std::to_string(noData).c_str());
    if (tiled) {
        TIFFSetField(tiff, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tiff, TIFFTAG_TILELENGTH, 16);
        std::vector<float> tile(16 * 16);
        for (int ty = 0; ty < height; ty += 16) {
            for (int tx = 0; tx < width; tx += 16) {
                for (int y = 0; y < 16; ++y) {
                    for (int x = 0; x < 16; ++x) {
                        const bool inside = tx + x < width && ty + y < height;
                        tile[y * 16 + x] = inside ? value(tx + x, ty + y) : 0;
                    }
                }
                TIFFWriteTile(tiff, tile.data(), tx, ty, 0, 0);
            }
        }
    } else {
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 3);
        std::vector<float> row(width);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                row[x] = value(x, y);
            }
            TIFFWriteScanline(tiff, row.data(), y, 0);
        }
    }
    TIFFClose(tiff);
}

}  // namespace

// Every format gives the same heights: a picture of four quarters read into 2 x 2 tiles gives
// each quarter's mean, the top row the top of the picture.
TEST(HeightPictureTest, EveryFormatGivesTheMeanOfEachTile) {
    TempDir dir;
    auto quarters = [](int x, int y) { return (y < 20 ? 0 : 2) + (x < 30 ? 0 : 1); };
    const std::string png8 = dir.File("8.png");
    WritePng(png8, 60, 40, 8, [&](int x, int y) { return 10 + 50 * quarters(x, y); });
    const std::string png16 = dir.File("16.png");
    WritePng(png16, 60, 40, 16, [&](int x, int y) { return 10 + 20000 * quarters(x, y); });
    const std::string bmp = dir.File("8.bmp");
    {
        CDibImage picture;
        picture.Create(60, 40, 1);
        for (int i = 0; i < 256; ++i) {
            picture.palette[i].red = picture.palette[i].green = picture.palette[i].blue =
                static_cast<uint8_t>(i);
        }
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 60; ++x) {
                *picture.PixelPtr(x, y) = static_cast<uint8_t>(10 + 50 * quarters(x, y));
            }
        }
        ASSERT_EQ(picture.SaveBmp(bmp), 0);
    }
    struct Case {
        std::string path;
        float step;
    } cases[] = {{png8, 50}, {png16, 20000}, {bmp, 50}};
    for (const Case& c : cases) {
        int width = 0;
        int height = 0;
        std::string reason;
        ASSERT_TRUE(PeekHeightPicture(c.path, width, height, reason)) << c.path << reason;
        EXPECT_EQ(width, 60);
        EXPECT_EQ(height, 40);
        CHeightField heights;
        ASSERT_TRUE(ReadHeightPicture(c.path, 2, 2, false, heights, reason)) << reason;
        for (int q = 0; q < 4; ++q) {
            EXPECT_FLOAT_EQ(heights.At(q % 2, q / 2), 10 + c.step * q) << c.path;
        }
    }
    // Stretched to 3 x 2 tiles, the middle column spans both halves; cropped to 1 x 2, only the
    // middle 30 columns are used, half of each quarter.
    CHeightField heights;
    std::string reason;
    ASSERT_TRUE(ReadHeightPicture(png8, 3, 2, false, heights, reason));
    EXPECT_FLOAT_EQ(heights.At(1, 0), 35);
    ASSERT_TRUE(ReadHeightPicture(png8, 1, 2, true, heights, reason));
    EXPECT_FLOAT_EQ(heights.At(0, 0), 35);
    EXPECT_FLOAT_EQ(heights.At(0, 1), 135);
}

// Float TIFFs in strips and in tiles: heights as stored, and a tile of nothing but GDAL's
// no-data value has no data.
TEST(HeightPictureTest, FloatTiffsKeepTheirHeightsAndTheirNoData) {
    TempDir dir;
    for (bool tiled : {false, true}) {
        const std::string path = dir.File(tiled ? "tiled.tif" : "strips.tif");
        WriteFloatTiff(path, 40, 20, tiled, -9999, [](int x, int y) {
            return x < 10 ? -9999.0f : static_cast<float>(y) * 0.5f - 3.25f;
        });
        CHeightField heights;
        std::string reason;
        ASSERT_TRUE(ReadHeightPicture(path, 4, 20, false, heights, reason)) << reason;
        for (int y = 0; y < 20; ++y) {
            EXPECT_FALSE(heights.HasData(0, y));
            ASSERT_TRUE(heights.HasData(3, y)) << tiled;
            EXPECT_FLOAT_EQ(heights.At(3, y), y * 0.5f - 3.25f) << tiled;
        }
    }
}

// A damaged or unsupported picture is refused with a reason, and the heights are left alone.
TEST(HeightPictureTest, DamagedAndUnsupportedPicturesAreRefused) {
    TempDir dir;
    const std::string good = dir.File("good.png");
    WritePng(good, 64, 64, 16, [](int x, int y) { return x * y * 13; });
    std::vector<uint8_t> bytes = ReadFileBytes(good);
    const std::string truncated = dir.File("truncated.png");
    WriteFileBytes(truncated, {bytes.begin(), bytes.begin() + bytes.size() / 2});
    const std::string corrupt = dir.File("corrupt.png");
    for (size_t i = bytes.size() / 3; i < bytes.size() / 2; ++i) {
        bytes[i] ^= 0x5A;
    }
    WriteFileBytes(corrupt, bytes);
    const std::string text = dir.File("heights.txt");
    WriteFileBytes(text, {'h', 'e', 'l', 'l', 'o'});
    const std::string colour = SavePatternPicture(dir.File("colour.bmp"), 8, 8);
    const std::string tiffHeader = dir.File("header.tif");
    WriteFileBytes(tiffHeader, {'I', 'I', '*', 0, 200, 0, 0, 0});
    const struct {
        std::string path;
        const char* says;
    } cases[] = {
        {truncated, "damaged"}, {corrupt, "damaged"}, {text, "no PNG, TIFF or BMP"},
        {colour, "8-bit"},      {tiffHeader, "TIFF"}, {dir.File("missing.png"), "No such"},
    };
    for (const auto& c : cases) {
        CHeightField heights(3, 3);
        heights.Set(1, 1, 42);
        std::string reason;
        EXPECT_FALSE(ReadHeightPicture(c.path, 3, 3, false, heights, reason)) << c.path;
        EXPECT_NE(reason.find(c.says), std::string::npos) << c.path << ": " << reason;
        EXPECT_EQ(heights.At(1, 1), 42);
    }
}
