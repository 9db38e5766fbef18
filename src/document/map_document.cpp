#include "document/map_document.h"

#include "art/overview_picture.h"
#include "interchange/bitmap_interchange.h"

namespace {

void SetReason(std::string* reason, int result, const std::string& why) {
    if (reason != nullptr && result != 0) {
        *reason = why.empty() ? MapResultText(result) : why;
    }
}

}  // namespace

int CMapDocument::Load(const std::string& path, std::string* reason) {
    std::string why;
    int result = LoadMap(path, art, overview, &why, &layout);
    SetReason(reason, result, why);
    return result;
}

int CMapDocument::Save(const std::string& path, std::string* reason) {
    std::string why;
    int result = SaveMap(path, art, overview, &why, &layout);
    SetReason(reason, result, why);
    return result;
}

bool CMapDocument::MakeNew(int width, int height, int fillType) {
    Clear();
    if (!grid.Allocate(width, height)) {
        return false;
    }
    grid.FillAll(fillType);
    RebuildOverview();
    return true;
}

int CMapDocument::Import(const std::string& colorPath) {
    int result = ImportBitmap(art, colorPath);
    if (result == 0 || IsImportWarning(result)) {
        RebuildOverview();
    }
    return result;
}

void CMapDocument::Clear() {
    grid.Clear();
    art.Reset();
}

void CMapDocument::RebuildOverview() {
    ::RebuildOverview(art, overview);
}

std::string CMapDocument::VersionText() const {
    std::string text;
    for (uint8_t part : layout.version) {
        text += (text.empty() ? "" : ".") + std::to_string(part);
    }
    return text;
}
