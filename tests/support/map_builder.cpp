#include "support/map_builder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "model/terrain_table.h"

void LoadShippedGameData() {
    ASSERT_EQ(theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini"), 0);
}

std::string SavePatternPicture(const std::string& path, int width, int height, int bytesPerPixel) {
    CDibImage picture;
    picture.Create(width, height, bytesPerPixel);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.PixelPtr(x, y);
            for (int c = 0; c < bytesPerPixel; ++c) {
                // Smooth enough to survive JPEG, different in every channel.
                int value = c == 0 ? x / 4 : c == 1 ? y / 4 : (x + y) / 10;
                pixel[c] = static_cast<uint8_t>(value + 20 * c);
            }
        }
    }
    EXPECT_EQ(picture.SaveBmp(path), 0);
    return path;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}
