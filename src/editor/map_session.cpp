#include "editor/map_session.h"

#include "art/terrain_art.h"
#include "editor/tile_rects.h"
#include "generate/map_generator.h"
#include "interchange/bitmap_interchange.h"

namespace {

QString FileName(const std::string& path) {
    return QString::fromStdString(FileNamePart(path));
}

}  // namespace

CMapSession::CMapSession() {
    editor.SetObserver(this);
}

QString CMapSession::DisplayName() const {
    if (!filePath.empty()) {
        return FileName(filePath);
    }
    return importedFrom.empty() ? QString("Untitled") : FileName(importedFrom);
}

int CMapSession::Open(const std::string& path) {
    int result = document.Load(path);
    if (result == 0) {
        importedFrom.clear();
        Opened(path, true);
    }
    return result;
}

int CMapSession::Recover(const std::string& copyPath, const std::string& mapPath,
                         std::string* reason) {
    int result = document.Load(copyPath, reason);
    if (result == 0) {
        importedFrom.clear();
        Opened(mapPath, false);
    }
    return result;
}

int CMapSession::Save(const std::string& path, std::string* reason) {
    int result = document.Save(path, reason);
    if (result == 0) {
        filePath = path;
        importedFrom.clear();
        editor.MarkSaved();
    }
    return result;
}

bool CMapSession::New(int width, int height, int fillType) {
    if (!document.MakeNew(width, height, fillType)) {
        Close();
        return false;
    }
    importedFrom.clear();
    Opened("", false);
    return true;
}

bool CMapSession::Generate(const CHeightField& heights, const GenerationOptions& options) {
    if (!GenerateMap(heights, options, document)) {
        Close();
        return false;
    }
    importedFrom.clear();
    Opened("", false);
    return true;
}

int CMapSession::Import(const std::string& colorPath) {
    int result = document.Import(colorPath);
    if (result == 0 || IsImportWarning(result)) {
        importedFrom = colorPath;
        Opened("", false);
    } else if (document.grid.GetWidth() == 0) {
        // Running out of memory leaves no map behind.
        Close();
    }
    return result;
}

void CMapSession::Opened(const std::string& file, bool matchesFile) {
    filePath = file;
    open = true;
    ++artRevision;
    editor.StartHistory(matchesFile);
    SetSelection(QRect());
    SetUnfit({});
    emit opened();
}

void CMapSession::Close() {
    document.Clear();
    open = false;
    ++artRevision;
    filePath.clear();
    importedFrom.clear();
    editor.StartHistory(false);
    SetSelection(QRect());
    SetUnfit({});
    emit closed();
}

void CMapSession::SetSelection(const QRect& tiles) {
    selection = tiles.intersected(QRect(0, 0, document.grid.GetWidth(), document.grid.GetHeight()));
    emit selectionChanged();
}

void CMapSession::Notify(const QString& text) {
    emit notice(text);
}

void CMapSession::MarkUnfit(const std::vector<std::pair<int, int>>& tiles) {
    std::vector<QPoint> marked;
    for (auto [x, y] : tiles) {
        marked.emplace_back(x, y);
    }
    SetUnfit(std::move(marked));
}

void CMapSession::SetUnfit(std::vector<QPoint> tiles) {
    if (tiles.empty() && unfit.empty()) {
        return;
    }
    std::vector<QPoint> before = std::exchange(unfit, std::move(tiles));
    emit unfitChanged(before);
}

void CMapSession::MapChanged(const MapChange& change) {
    SetUnfit({});
    if (change.customArt || change.tiles.empty()) {
        ++artRevision;
    }
    for (const TileRect& tiles : change.tiles) {
        emit tilesChanged(ToQRect(tiles));
    }
    if (change.customArt) {
        emit artChanged();
    }
    if (change.terrainTable) {
        emit terrainTableChanged();
    }
    emit historyChanged();
}
