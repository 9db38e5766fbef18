#include <algorithm>
#include <cstdint>
#include <vector>

#include "image/dib_image.h"

namespace {

// Key colour of 24-bit art: magenta, stored blue 255, green 0, red 255.
struct KeyedPixel24 {
    static constexpr int kChannels = 3;
    static bool IsKey(const uint8_t* pixel) {
        return pixel[0] == 255 && pixel[1] == 0 && pixel[2] == 255;
    }
    static void SetKey(uint8_t* pixel) {
        pixel[0] = 255;
        pixel[1] = 0;
        pixel[2] = 255;
    }
};

// Key colour of 8-bit art: index 0.
struct KeyedPixel8 {
    static constexpr int kChannels = 1;
    static bool IsKey(const uint8_t* pixel) { return pixel[0] == 0; }
    static void SetKey(uint8_t* pixel) { pixel[0] = 0; }
};

// Where target row or column i samples the source, kept inside the source.
double SamplePosition(int i, int sourceSize, int targetSize) {
    double position = ((i + 0.5) * sourceSize) / targetSize - 0.5;
    if (position < 0) {
        return 0;
    }
    return position > sourceSize - 1 ? sourceSize - 1 : position;
}

// Every zoom copy of art samples midway between pixels, and there the blend is exactly the mean
// of the four, which integers give without the floating-point work.
template <typename Pixel>
void MeanOfFour(const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d,
                uint8_t* out) {
    for (int channel = 0; channel < Pixel::kChannels; ++channel) {
        out[channel] =
            static_cast<uint8_t>((a[channel] + b[channel] + c[channel] + d[channel]) >> 2);
    }
}

// Blends the four neighbours a, b (row r0) and c, d (row r1) while keeping key pixels out of the
// result: each key neighbour moves the weights onto the other row or column, later tests
// overriding earlier ones, and three or four key neighbours leave the key itself.
template <typename Pixel>
void BlendAvoidingKey(const uint8_t* a, const uint8_t* b, const uint8_t* c, const uint8_t* d,
                      double dx, double wy, uint8_t* out) {
    bool anyKey = Pixel::IsKey(a) || Pixel::IsKey(b) || Pixel::IsKey(c) || Pixel::IsKey(d);
    if (!anyKey && dx == 0.5 && wy == 0.5) {
        MeanOfFour<Pixel>(a, b, c, d, out);
        return;
    }
    double wTop = dx;
    double wBottom = dx;
    double wRow = wy;
    int keys = 0;
    if (Pixel::IsKey(b)) {
        wRow = 1;
        wTop = 0;
        ++keys;
    }
    if (Pixel::IsKey(d)) {
        wRow = 0;
        wBottom = 0;
        ++keys;
    }
    if (Pixel::IsKey(c)) {
        wRow = 0;
        wBottom = 1;
        ++keys;
    }
    if (Pixel::IsKey(a)) {
        wRow = 1;
        wTop = 1;
        ++keys;
    }
    if (keys >= 3) {
        Pixel::SetKey(out);
        return;
    }
    for (int channel = 0; channel < Pixel::kChannels; ++channel) {
        double top = a[channel] + wTop * (b[channel] - a[channel]);
        double bottom = c[channel] + wBottom * (d[channel] - c[channel]);
        out[channel] = static_cast<uint8_t>(top + wRow * (bottom - top));
    }
}

// Where a target column samples its source row: the byte offsets of its two neighbours and
// the weight of the right one. The same for every row, so worked out once per picture.
struct ColumnSample {
    int left;
    int right;
    double dx;
};

std::vector<ColumnSample> ColumnSamples(int sourceWidth, int width, int channels) {
    std::vector<ColumnSample> samples(width);
    for (int k = 0; k < width; ++k) {
        double xf = SamplePosition(k, sourceWidth, width);
        int x0 = static_cast<int>(xf);
        int x1 = x0 + 1 < sourceWidth ? x0 + 1 : x0;
        samples[k] = {x0 * channels, x1 * channels, xf - x0};
    }
    return samples;
}

// True when every column samples midway between two neighbouring pixels, as the zoom copies of
// art (whole-number factors of two, four and ten) all do.
bool AllMidway(const std::vector<ColumnSample>& columns, int channels) {
    return std::all_of(columns.begin(), columns.end(), [channels](const ColumnSample& column) {
        return column.dx == 0.5 && column.right == column.left + channels;
    });
}

// A row of midway samples from rows row0 and row1: the mean of four pixels where none is the
// key, which is what BlendAvoidingKey gives, without its weights.
template <typename Pixel>
void MidwayRow(const uint8_t* row0, const uint8_t* row1, const std::vector<ColumnSample>& columns,
               uint8_t* out) {
    constexpr int kChannels = Pixel::kChannels;
    for (const ColumnSample& column : columns) {
        const uint8_t* a = row0 + column.left;
        const uint8_t* c = row1 + column.left;
        const uint8_t* b = a + kChannels;
        const uint8_t* d = c + kChannels;
        if (Pixel::IsKey(a) || Pixel::IsKey(b) || Pixel::IsKey(c) || Pixel::IsKey(d)) {
            BlendAvoidingKey<Pixel>(a, b, c, d, 0.5, 0.5, out);
        } else {
            MeanOfFour<Pixel>(a, b, c, d, out);
        }
        out += kChannels;
    }
}

// Rows are stored rows (0 at the bottom of the picture), so the filter runs bottom-up.
template <typename Pixel>
void Resample(const CDibImage& source, CDibImage& target) {
    constexpr int kChannels = Pixel::kChannels;
    const int sourceHeight = source.GetHeight();
    const int width = target.GetWidth();
    const int height = target.GetHeight();
    const std::vector<ColumnSample> columns = ColumnSamples(source.GetWidth(), width, kChannels);
    const bool midwayColumns = AllMidway(columns, kChannels);
    for (int i = 0; i < height; ++i) {
        double yf = SamplePosition(i, sourceHeight, height);
        int y0 = static_cast<int>(yf);
        int y1 = static_cast<int>(yf + 1) < sourceHeight ? static_cast<int>(yf + 1) : y0;
        const uint8_t* row0 = source.RowPtr(y0);
        const uint8_t* row1 = source.RowPtr(y1);
        uint8_t* out = target.RowPtr(i);
        if (midwayColumns && yf - y0 == 0.5 && y1 == y0 + 1) {
            MidwayRow<Pixel>(row0, row1, columns, out);
            continue;
        }
        for (const ColumnSample& column : columns) {
            BlendAvoidingKey<Pixel>(row0 + column.left, row0 + column.right, row1 + column.left,
                                    row1 + column.right, column.dx, yf - y0, out);
            out += kChannels;
        }
    }
}

}  // namespace

int CDibImage::SmoothResize24(int x0, int y0, int x1, int y1, const CDibImage& source) {
    if (source.bytesPerPixel != KeyedPixel24::kChannels) {
        return 1;
    }
    return ResizeWith(x0, y0, x1, y1, source, KeyedPixel24::kChannels, Resample<KeyedPixel24>);
}

int CDibImage::SmoothResize8(int x0, int y0, int x1, int y1, const CDibImage& source) {
    if (source.bytesPerPixel != KeyedPixel8::kChannels) {
        return 1;
    }
    return ResizeWith(x0, y0, x1, y1, source, KeyedPixel8::kChannels, Resample<KeyedPixel8>);
}
