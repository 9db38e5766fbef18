#include "art_set.h"

#include <stdexcept>
#include <string>

#include "art/art_catalog.h"

namespace {

void AppendDib(std::vector<uint8_t>& out, const CArtImage& image) {
    size_t padding = DibRowBytes(image.Width()) - static_cast<size_t>(image.Width()) * 3;
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb& p = image.At(x, y);
            out.push_back(static_cast<uint8_t>(p.b));
            out.push_back(static_cast<uint8_t>(p.g));
            out.push_back(static_cast<uint8_t>(p.r));
        }
        out.insert(out.end(), padding, 0);
    }
}

}  // namespace

CArtSet::CArtSet() : overviewColours(kOverviewColorBytes, 0) {}

void CArtSet::AddBitmap(int resourceId, CArtImage image) {
    image.Quantise();
    bitmaps.insert_or_assign(resourceId, std::move(image));
}

const CArtImage* CArtSet::FindBitmap(int resourceId) const {
    auto found = bitmaps.find(resourceId);
    return found == bitmaps.end() ? nullptr : &found->second;
}

void CArtSet::SetCellColour(int type, int cell, Rgb colour) {
    size_t at = (static_cast<size_t>(type) * kOverviewColorCells + cell) * 3;
    overviewColours[at] = static_cast<uint8_t>(colour.r);
    overviewColours[at + 1] = static_cast<uint8_t>(colour.g);
    overviewColours[at + 2] = static_cast<uint8_t>(colour.b);
}

std::vector<uint8_t> CArtSet::PixelData() const {
    std::vector<uint8_t> out;
    for (const BuiltInBitmapInfo& info : BuiltInBitmapInfos()) {
        const CArtImage* image = FindBitmap(info.resourceId);
        if (image == nullptr || image->Width() != info.width || image->Height() != info.height) {
            throw std::logic_error("bitmap " + std::to_string(info.resourceId) + " is missing");
        }
        AppendDib(out, *image);
    }
    return out;
}
