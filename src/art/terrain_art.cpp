#include "art/terrain_art.h"

#include <algorithm>

namespace {

void ResizeCopy(CDibImage& target, const CDibImage& source, int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    bool smooth = source.bytesPerPixel != 4;
    target.ResizeFrom(0, 0, width, height, source, smooth);
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
