#include "generate/height_field.h"

#include <algorithm>
#include <limits>

CHeightField::CHeightField(int width, int height)
    : width(width),
      height(height),
      heights(static_cast<size_t>(width) * height),
      hasData(static_cast<size_t>(width) * height, 1) {}

float CHeightField::Lowest() const {
    float lowest = std::numeric_limits<float>::max();
    for (size_t i = 0; i < heights.size(); ++i) {
        lowest = hasData[i] ? std::min(lowest, heights[i]) : lowest;
    }
    return lowest == std::numeric_limits<float>::max() ? 0 : lowest;
}

float CHeightField::Highest() const {
    float highest = std::numeric_limits<float>::lowest();
    for (size_t i = 0; i < heights.size(); ++i) {
        highest = hasData[i] ? std::max(highest, heights[i]) : highest;
    }
    return highest == std::numeric_limits<float>::lowest() ? 0 : highest;
}
