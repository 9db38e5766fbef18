#include "mapfile/raw_image_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "foundation/little_endian.h"
#include "image/dib_image.h"
#include "platform/file.h"
#include "support/map_builder.h"
#include "support/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(RawImageRecordTest, RecordsRoundTripAndInconsistentOnesAreRefused) {
    TempDir dir;
    CDibImage image;
    image.Create(5, 3, 3);
    for (size_t i = 0; i < image.GetBufferSize(); ++i) {
        image.bits[i] = static_cast<uint8_t>(i + 1);
    }
    CFile file;
    ASSERT_TRUE(file.Open(dir.File("raw"), CFile::OpenMode::CreateWrite));
    EXPECT_TRUE(WriteRawImage(file, image));
    file.Close();
    const Bytes raw = ReadFileBytes(dir.File("raw"));
    ASSERT_EQ(raw.size(), 16u + 48u);
    EXPECT_EQ(GetLe32(&raw[0]), 5u);
    EXPECT_EQ(GetLe32(&raw[4]), 3u);
    EXPECT_EQ(GetLe32(&raw[8]), 48u);
    EXPECT_EQ(GetLe32(&raw[12]), 24u);
    ASSERT_TRUE(file.Open(dir.File("raw"), CFile::OpenMode::Read));
    ASSERT_TRUE(ReadRawImage(file, image));
    EXPECT_EQ(image.GetWidth(), 5);
    EXPECT_EQ(std::memcmp(image.bits.get(), raw.data() + 16, 48), 0);

    // Bit count, sizes and data size that do not agree, or more data than the file holds.
    const std::vector<std::vector<std::pair<size_t, uint32_t>>> damages = {
        {{12, 16}}, {{12, 24 | 1 << 16}},    {{0, 0}}, {{4, 0xFFFFFFFF}},
        {{8, 47}},  {{0, 10000}, {8, 90000}}};
    for (const auto& damage : damages) {
        Bytes bytes = raw;
        for (auto [at, value] : damage) {
            PutLe32(&bytes[at], value);
        }
        WriteFileBytes(dir.File("bad"), bytes);
        ASSERT_TRUE(file.Open(dir.File("bad"), CFile::OpenMode::Read));
        EXPECT_FALSE(ReadRawImage(file, image));
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_EQ(image.GetWidth(), 0);
        EXPECT_EQ(image.bytesPerPixel, 0);
    }
}

}  // namespace
