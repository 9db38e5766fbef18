#include "art/terrain_art.h"

namespace {

// The copies are what the map format's writer has always stored: a side of 0 for pictures under
// 8 pixels, and no copies at all for 32-bit pictures, which the smooth resampler does not take.
void ResizeCopy(CDibImage& target, const CDibImage& source, int width, int height) {
    if (target.ResizeFrom(0, 0, width, height, source, true) != 0) {
        target.Release();
    }
}

}  // namespace

void CTerrainArt::BuildZooms() {
    int width = full.GetWidth();
    int height = full.GetHeight();
    ResizeCopy(half, full, (width + 1) / 2, (height + 1) / 2);
    ResizeCopy(quarter, half, (half.GetWidth() + 1) / 2, (half.GetHeight() + 1) / 2);
    ResizeCopy(tenth, full, (width + 2) / 10, (height + 2) / 10);
}

int CTerrainArt::LoadNamed(const std::string& path) {
    int result = full.LoadBmp(path);
    if (result != 0) {
        return result;
    }
    BuildZooms();
    name = FileNamePart(path);
    return 0;
}

std::string FileNamePart(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
