#pragma once

#include <QStringList>
#include <optional>
#include <string>

// What the editor remembers from one run to the next, in the application's settings (QSettings
// under the organisation and application names): the game data file read last, the maps opened
// or saved last, and the folder last used for each kind of file.
class CEditorSettings {
  public:
    // The kinds of files whose folders are remembered apart.
    static constexpr const char* kMaps = "maps";
    static constexpr const char* kBitmaps = "bitmaps";
    static constexpr const char* kArt = "art";
    static constexpr const char* kGameData = "gameData";
    static constexpr const char* kHeightmaps = "heightmaps";

    static constexpr int kMostRecentMaps = 8;

    // Empty before the first game data file was read.
    static std::string GameDataFile();
    static void SetGameDataFile(const std::string& path);

    // Newest first, at most kMostRecentMaps.
    static QStringList RecentMaps();
    // Cuts a stored list that is longer, written by hand or by another program, to the maps
    // RecentMaps gives: the File menu never grows past them and nothing reads the rest.
    static void CutRecentMaps();
    // Puts path first, once, and keeps the newest kMostRecentMaps.
    static void AddRecentMap(const std::string& path);
    static void RemoveRecentMap(const std::string& path);

    // Whether a recovery copy of unsaved changes is kept, and after how many seconds without a
    // change it is written (the Preferences offer 30 to 900; the settings file may say less,
    // down to 1).
    static bool KeepsRecoveryCopy();
    static int RecoveryIdleSeconds();
    static void SetRecovery(bool keep, int idleSeconds);
    static constexpr int kDefaultRecoveryIdleSeconds = 60;

    // Where the view stood on a map of the recent list when it was last shown: its zoom and
    // the tile at the top left. Nothing for a map not on the list or never shown.
    struct MapPlace {
        int tileSize = 0;
        int column = 0;
        int row = 0;
    };
    static std::optional<MapPlace> PlaceOnMap(const std::string& path);
    // Kept only for maps of the recent list.
    static void SetPlaceOnMap(const std::string& path, const MapPlace& place);

    // The folder last used for a kind of file, or empty.
    static std::string Folder(const char* kind);
    // Remembers the folder of a file just chosen.
    static void RememberFolderOf(const char* kind, const std::string& path);
};

// The names the File menu shows for recent maps: the file name, or the whole path for names
// that two maps of the list share.
QStringList RecentMapLabels(const QStringList& paths);
