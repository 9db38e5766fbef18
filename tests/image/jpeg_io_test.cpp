#include "image/jpeg_io.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "image/dib_image.h"
#include "platform/file.h"
#include "support/recording_log.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Keeps what is written to it, and the size of every block.
class MemoryFile : public CFile {
  public:
    void Write(const void* data, size_t count) override {
        blocks.push_back(count);
        bytes.insert(bytes.end(), static_cast<const uint8_t*>(data),
                     static_cast<const uint8_t*>(data) + count);
    }
    Bytes bytes;
    std::vector<size_t> blocks;
};

// A square art cell (100 x 100 by default), red above and blue below, textured in brightness.
CDibImage TexturedCell(int side = 100) {
    CDibImage image;
    image.Create(side, side, 3);
    uint32_t noise = 1;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            noise = noise * 1103515245u + 12345u;
            int texture = static_cast<int>(15 * std::sin(x * 0.7) * std::cos(y * 0.5)) +
                          static_cast<int>((noise >> 16) % 41) - 20;
            COLORREF red = (y < side / 2 ? 200 : 40) + texture;
            COLORREF blue = (y < side / 2 ? 40 : 200) + texture;
            image.SetPixel(x, y, red | (100 + texture) << 8 | blue << 16);
        }
    }
    return image;
}

Bytes Encoded(const CDibImage& image) {
    MemoryFile file;
    EXPECT_TRUE(image.WriteJpeg(file));
    return file.bytes;
}

bool Decoded(const Bytes& stream, CDibImage& image, int width = 0, int height = 0) {
    TempDir dir;
    CFile file;
    file.Open(dir.File("in.jpg"), CFile::OpenMode::CreateWrite);
    file.Write(stream.data(), stream.size());
    file.Open(dir.File("in.jpg"), CFile::OpenMode::Read);
    return image.ReadJpeg(file, width, height);
}

size_t FrameHeader(const Bytes& stream) {
    size_t at = 0;
    while (stream[at] != 0xFF || stream[at + 1] != 0xC0) {
        ++at;
    }
    return at;
}

int LinesLogged(const RecordingLog& log, const std::string& text) {
    int count = 0;
    for (const auto& line : log.lines) {
        count += line.second == text ? 1 : 0;
    }
    return count;
}

TEST(JpegIoTest, CellsComeBackCloseAndTheRightWayRound) {
    CDibImage cell = TexturedCell();
    Bytes stream = Encoded(cell);
    // Another writer's application segment, longer than a block, is skipped.
    Bytes segment = {0xFF, 0xE9, 10000 >> 8, 10000 & 0xFF};
    segment.resize(2 + 10000, 0x55);
    stream.insert(stream.begin() + 2, segment.begin(), segment.end());
    CDibImage read;
    ASSERT_TRUE(Decoded(stream, read));
    ASSERT_EQ(read.GetWidth(), 100);
    ASSERT_EQ(read.GetHeight(), 100);
    ASSERT_EQ(read.bytesPerPixel, 3);
    double difference = 0;
    for (size_t i = 0; i < read.GetBufferSize(); ++i) {
        difference += std::abs(read.bits[i] - cell.bits[i]);
    }
    EXPECT_LT(difference / static_cast<double>(read.GetBufferSize()), 3.0);
    EXPECT_NEAR(read.AverageColor(0, 0, 100, 50) & 0xFF, 200, 4);   // red above
    EXPECT_NEAR(read.AverageColor(0, 50, 100, 100) >> 16, 200, 4);  // blue below

    // Map files hold the buffer as it is: bottom row first, blue in the red channel.
    jpeg_decompress_struct decoder{};
    JpegErrorManager errors;
    decoder.err = AttachErrorManager(errors);
    if (setjmp(errors.returnPoint) != 0) {
        jpeg_destroy_decompress(&decoder);
        FAIL() << "the stream does not decode with the codec's own source";
    }
    jpeg_create_decompress(&decoder);
    jpeg_mem_src(&decoder, stream.data(), static_cast<unsigned long>(stream.size()));
    jpeg_read_header(&decoder, TRUE);
    jpeg_start_decompress(&decoder);
    Bytes first(300);
    JSAMPROW row = first.data();
    jpeg_read_scanlines(&decoder, &row, 1);
    jpeg_destroy_decompress(&decoder);
    EXPECT_NEAR(first[0], 200, 30);
    EXPECT_NEAR(first[2], 40, 30);
}

TEST(JpegIoTest, DestinationWritesWholeBlocksAndNoEmptyOne) {
    MemoryFile file;
    ASSERT_TRUE(TexturedCell(400).WriteJpeg(file));
    ASSERT_GE(file.blocks.size(), 2u);
    for (size_t i = 0; i + 1 < file.blocks.size(); ++i) {
        EXPECT_EQ(file.blocks[i], kJpegBufferSize);
    }
    EXPECT_GT(file.blocks.back(), 0u);

    // A stream that ends with a full buffer leaves nothing to write at termination.
    jpeg_compress_struct encoder{};
    JpegErrorManager errors;
    encoder.err = AttachErrorManager(errors);
    jpeg_create_compress(&encoder);
    MemoryFile exact;
    AttachFileDestination(&encoder, exact);
    encoder.dest->init_destination(&encoder);
    encoder.dest->free_in_buffer = 0;
    EXPECT_TRUE(encoder.dest->empty_output_buffer(&encoder));
    encoder.dest->term_destination(&encoder);
    EXPECT_EQ(exact.blocks, std::vector<size_t>{kJpegBufferSize});
    jpeg_destroy_compress(&encoder);
}

TEST(JpegIoTest, DamagedStreamsFailWithoutEndingTheProcess) {
    RecordingLog log;
    CDibImage read;
    read.Create(4, 4, 3);
    EXPECT_FALSE(Decoded({}, read));
    EXPECT_TRUE(read.IsEmpty());
    EXPECT_EQ(LinesLogged(log, "Empty input file while loading jpeg"), 1);
    EXPECT_EQ(log.lines.size(), 2u);  // and the codec's own complaint

    Bytes stream = Encoded(TexturedCell());
    Bytes badPrecision = stream;
    badPrecision[FrameHeader(stream) + 4] = 7;
    EXPECT_FALSE(Decoded(badPrecision, read));
    EXPECT_TRUE(read.IsEmpty());
    // Sizes that the stream cannot hold are refused before anything is allocated.
    for (int side : {60000, 20000}) {
        Bytes huge = stream;
        size_t frame = FrameHeader(stream);
        huge[frame + 5] = huge[frame + 7] = static_cast<uint8_t>(side >> 8);
        huge[frame + 6] = huge[frame + 8] = static_cast<uint8_t>(side);
        EXPECT_FALSE(Decoded(huge, read)) << side;
    }
    // A cut stream is only warned about: the codec fills in what is missing.
    EXPECT_TRUE(Decoded(Bytes(stream.begin(), stream.begin() + 3000), read));
    EXPECT_EQ(read.GetWidth(), 100);
}

// A reader that needs one size refuses other streams from their header: a damaged size costs
// neither memory nor decoding, which would warn of the missing end of this cut stream.
TEST(JpegIoTest, ARequiredSizeIsCheckedBeforeDecoding) {
    Bytes stream = Encoded(TexturedCell());
    CDibImage read;
    EXPECT_TRUE(Decoded(stream, read, 100, 100));
    EXPECT_FALSE(Decoded(stream, read, 100, 50));
    EXPECT_TRUE(read.IsEmpty());
    EXPECT_FALSE(Decoded(stream, read, 50, 100));

    RecordingLog log;
    Bytes cut(stream.begin(), stream.begin() + 1000);
    EXPECT_FALSE(Decoded(cut, read, 100, 99));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(Decoded(cut, read, 100, 100));
    EXPECT_FALSE(log.lines.empty());
}

TEST(JpegIoTest, FileFailuresAreLoggedAndReported) {
    TempDir dir;
    RecordingLog log;
    CDibImage image;
    CFile file;
    ASSERT_TRUE(file.Open("/proc/self/mem", CFile::OpenMode::Read));  // reads fail there
    EXPECT_FALSE(image.ReadJpeg(file));
    EXPECT_EQ(LinesLogged(log, "Read error while loading jpeg"), 1);

    image.Create(8, 8, 1);
    MemoryFile untouched;
    EXPECT_FALSE(image.WriteJpeg(untouched));
    EXPECT_TRUE(untouched.blocks.empty());

    ASSERT_TRUE(file.Open("/dev/full", CFile::OpenMode::CreateWrite));
    EXPECT_FALSE(TexturedCell(400).WriteJpeg(file));
    EXPECT_EQ(LinesLogged(log, "Error writing to file in JPG empty_output_buffer"), 1);
    image.Create(8, 8, 3);
    EXPECT_FALSE(image.WriteJpeg(file));
    EXPECT_EQ(LinesLogged(log, "Error writing to file in JPG term_destination"), 1);
}

}  // namespace
