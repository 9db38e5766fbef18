#include "generate/area_averager.h"

#include <algorithm>

CAreaAverager::CAreaAverager(int pictureWidth, int pictureHeight, int width, int height, bool crop)
    : width(width),
      height(height),
      usedWidth(pictureWidth),
      usedHeight(pictureHeight),
      sums(static_cast<size_t>(width) * height),
      counts(static_cast<size_t>(width) * height) {
    if (crop) {
        // The largest part with the map's proportions, in the picture's middle.
        const double aspect = static_cast<double>(width) / height;
        if (pictureWidth > pictureHeight * aspect) {
            usedWidth = std::max(1, static_cast<int>(pictureHeight * aspect));
            left = (pictureWidth - usedWidth) / 2;
        } else {
            usedHeight = std::max(1, static_cast<int>(pictureWidth / aspect));
            top = (pictureHeight - usedHeight) / 2;
        }
    }
    tileOfColumn.resize(usedWidth);
    for (int x = 0; x < usedWidth; ++x) {
        tileOfColumn[x] = static_cast<int>(static_cast<int64_t>(x) * width / usedWidth);
    }
}

void CAreaAverager::AddRow(int y, const float* values, const uint8_t* hasData) {
    if (y < top || y >= top + usedHeight) {
        return;
    }
    const int tileY = static_cast<int>(static_cast<int64_t>(y - top) * height / usedHeight);
    double* rowSums = sums.data() + static_cast<size_t>(tileY) * width;
    uint32_t* rowCounts = counts.data() + static_cast<size_t>(tileY) * width;
    for (int x = 0; x < usedWidth; ++x) {
        if (hasData == nullptr || hasData[left + x]) {
            rowSums[tileOfColumn[x]] += values[left + x];
            ++rowCounts[tileOfColumn[x]];
        }
    }
}

CHeightField CAreaAverager::Result() const {
    CHeightField field(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            if (counts[i] == 0) {
                field.SetNoData(x, y);
            } else {
                field.Set(x, y, static_cast<float>(sums[i] / counts[i]));
            }
        }
    }
    return field;
}
