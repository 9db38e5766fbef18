#include "map_document.h"

#include "art/overview_picture.h"
#include "exit_status.h"

namespace {

// The loader's own words where it has them, else what the code means.
std::string ReasonFor(int result, const std::string& reason) {
    return reason.empty() ? MapResultText(result) : reason;
}

}  // namespace

bool CMapDocument::Load(const std::string& path) {
    std::string reason;
    int result = LoadMap(path, art, overview, &reason, &layout);
    if (result != 0) {
        ReportFailure("Unable to load map", path, ReasonFor(result, reason));
    }
    return result == 0;
}

bool CMapDocument::Save(const std::string& path) {
    std::string reason;
    int result = SaveMap(path, art, overview, &reason, &layout);
    if (result != 0) {
        ReportFailure("Unable to save map", path, ReasonFor(result, reason));
    }
    return result == 0;
}

bool CMapDocument::MakeNew(int width, int height, int fillType) {
    grid.Clear();
    if (!grid.Allocate(width, height)) {
        return false;
    }
    art.Reset();
    grid.FillAll(fillType);
    RebuildOverview();
    return true;
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
