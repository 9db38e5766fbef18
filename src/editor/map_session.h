#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "document/map_document.h"
#include "edit/map_editor.h"
#include "edit/map_observer.h"
#include "generate/generation_options.h"
#include "generate/height_field.h"

// The map the editor works on: the document with the map editor and its history, the file the
// map belongs to, and whether a map is open at all. Tells its listeners of every change
// through signals. File operations return their results; saying what they mean is the
// frame's.
class CMapSession : public QObject, public CMapObserver {
    Q_OBJECT

  public:
    CMapSession();

    const CMapDocument& Document() const { return document; }
    CTileGrid& Grid() { return document.grid; }
    const CTileGrid& Grid() const { return document.grid; }
    CMapArt& Art() { return document.art; }
    const CMapArt& Art() const { return document.art; }
    const CDibImage& Overview() const { return document.overview; }
    CMapEditor& Editor() { return editor; }
    const CMapEditor& Editor() const { return editor; }

    bool IsOpen() const { return open; }
    // The open map differs from its file, or has none.
    bool IsModified() const { return open && editor.IsModified(); }
    // The file the map was read from or last saved to; empty for a map never saved.
    const std::string& FilePath() const { return filePath; }
    // What the title calls the map: its file's name, the colour file's for a map imported and
    // not yet saved, "Untitled" for a new one.
    QString DisplayName() const;

    // 0 or the code of CMapDocument::Load; a failed load leaves the map as it was.
    int Open(const std::string& path);
    // 0 or the code of CMapDocument::Save, with reason saying why; the map then belongs to the
    // file and is unmodified.
    int Save(const std::string& path, std::string* reason);
    // A new map of fillType; false, with no map open, when the tiles cannot be had.
    bool New(int width, int height, int fillType);
    // A new map made from heights (see GenerateMap); false, with no map open, when the tiles
    // cannot be had.
    bool Generate(const CHeightField& heights, const GenerationOptions& options);
    // The map of a recovery copy, belonging to mapPath (empty for a map never saved) and
    // modified; 0 or the code of CMapDocument::Load, which leaves the map as it was.
    int Recover(const std::string& copyPath, const std::string& mapPath, std::string* reason);
    // The result of CMapDocument::Import; after 0 or a warning the imported map is open.
    int Import(const std::string& colorPath);
    void Close();

    // The tiles a Select Rect drag or a paste chose, empty for none; gone with the map.
    const QRect& Selection() const { return selection; }
    // Keeps the part of tiles inside the map.
    void SetSelection(const QRect& tiles);

    // A note for the status bar, such as why a tool did nothing.
    void Notify(const QString& text);
    // The tiles that the last transition edit could not fit a cell to, shown until the next
    // edit; and their marking.
    const std::vector<QPoint>& Unfit() const { return unfit; }
    void MarkUnfit(const std::vector<std::pair<int, int>>& tiles);

    // Counts the changes that may have touched the custom or city art (everything but plain
    // tile edits), and the maps opened: what a copy of the map may keep of the copy before.
    uint64_t ArtRevision() const { return artRevision; }

    void MapChanged(const MapChange& change) override;

  signals:
    // The tiles' terrain, cells or rivers changed, and with them their overview pixels.
    void tilesChanged(const QRect& tiles);
    // Custom art came or went: the whole map and the palettes may look different.
    void artChanged();
    void terrainTableChanged();
    // A step was done, undone or redone, or the map was saved.
    void historyChanged();
    // A map was opened, made or imported in place of the one before, or closed.
    void opened();
    void closed();
    void selectionChanged();
    void notice(const QString& text);
    // The unfit tiles changed: these were marked before.
    void unfitChanged(const std::vector<QPoint>& before);

  private:
    void Opened(const std::string& file, bool matchesFile);
    void SetUnfit(std::vector<QPoint> tiles);

    CMapDocument document;
    CMapEditor editor{document.art, document.overview};
    bool open = false;
    std::string filePath;
    // The colour file of a map imported and not yet saved.
    std::string importedFrom;
    QRect selection;
    uint64_t artRevision = 0;
    std::vector<QPoint> unfit;
};
