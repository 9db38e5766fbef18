#pragma once

#include <QMainWindow>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editor/map_session.h"
#include "editor/recovery/autosaver.h"
#include "editor/tool_choice.h"
#include "platform/user_interaction.h"

class CEditorWnd;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QMimeData;
class QSessionManager;
class QStatusBar;
class QToolBar;

// The one window of the editor. It owns the map session and the tool choice of the run, carries
// the menu, toolbar and status bar, keeps the commands' state in step with the session, and
// handles the File commands and the edit history's.
class CMapCheckDock;

class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    // Recovery copies are kept in recoveryFolder.
    explicit CMainFrame(const std::string& programFolder,
                        const std::string& recoveryFolder = RecoveryFolder());
    ~CMainFrame() override;

    // The action behind a command id; null for ids the editor has no action for.
    QAction* Command(int id) const;
    // Shows "X: value" in pane kPaneX or "Y: value" in pane kPaneY.
    void SetCoordinatePane(int paneId, int value);
    QString CoordinatePaneText(int paneId) const;
    // Empties both coordinate panes: no map, no tile under the pointer.
    void ClearCoordinatePanes();
    // A note in the message pane until the pointer next shows a prompt.
    void ShowStatusMessage(const QString& text);
    // Brings the commands' enabling and the window title up to date with the map and the choice.
    void UpdateFrameState();
    // The save question before an open, modified map is discarded. False when the user cancels,
    // or said Yes and then cancelled the save dialog or the save failed.
    bool SaveBeforeDiscarding();

    // At start: the game data file read last time (or the one beside the program the first
    // time), then the map named by the first argument, if any.
    void StartUp(const std::vector<std::string>& arguments);
    // Reads a game data file, keeping the table as it was when that fails, and says so: in the
    // message pane at start-up, in a message box otherwise.
    bool ReadGameData(const std::string& path, bool atStartUp);
    // The game data file read last time, or the one that comes with the editor.
    std::string UsualGameDataFile() const;
    // Opens a map file in place of the map (after the save question, which is the caller's).
    bool OpenMapFile(const std::string& path);
    // Import From Bitmap of a chosen colour file.
    void ImportBitmapFile(const std::string& path);

    void OnOpenGameData();
    void OnOpenMap();
    // Saves to the map's own file without asking; a map that never had one asks where.
    void OnSaveMap();
    void OnSaveMapAs();
    void OnCloseMap();
    void OnNewMap();
    void OnPreferences();
    // Asks, one copy after the other, whether to recover the changes of editors that ended
    // without saving them.
    void OfferRecovery();
    void RecoverCopy(const RecoveryCopy& copy);
    void OnNewFromHeightmap();
    void OnGenerateMap();
    void OnImportBitmap();
    void OnExportBitmap();
    void OnEditTerrainInfo();
    void OnImportCityArt();
    // Fix Transitions of the selection, or of the whole map without one.
    void OnFixTransitions();
    void OnUndo();
    void OnRedo();
    // Zoom In (step 1), Zoom Out (step -1) about the view's centre.
    void OnZoom(int step);
    // New after its dialog: a width x height map filled with fillType.
    void NewMap(int width, int height, int fillType);
    // New from Heightmap and Generate after their dialogs.
    void OpenGeneratedMap(const CHeightField& heights, const GenerationOptions& options);

    CMapSession& Session() { return session; }
    const CMapSession& Session() const { return session; }
    CToolChoice& Choice() { return choice; }
    CEditorWnd* EditorWnd() const { return editorWnd; }
    CAutosaver& Autosaver() { return autosaver; }
    CMapCheckDock* MapCheck() const { return mapCheck; }

    // The map file last chosen in Open Map or Save Map; the initial name of every map save.
    std::string mapPath;
    bool gameDataLoaded = false;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // A .gmp file dropped on the window opens; a .bmp file is imported.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateCommands();
    void AddCommand(int id, const char* text, const char* prompt);
    void CreateMenus();
    // The Edit menu's Brush Size or Coast Sheets.
    void AddSubmenu(QMenu& menu, int which);
    void CreateToolBar();
    void CreateMapCheckDock();
    void CreateStatusBar();
    // Undo and Redo with the names of their steps, Cut, Copy and Paste.
    void UpdateEditCommands();
    void OnCommitData(QSessionManager& manager);
    void ShowAbout();

    std::optional<std::string> ChooseMapToSave();
    bool SaveToOwnFile();
    void OpenRecentMap(const std::string& path);
    // A map just opened or saved goes first in the recent list, and its folder is remembered.
    void RememberMap(const std::string& path);
    void UpdateRecentMaps();
    // Where the view stands on a map of the recent list, for its next opening.
    void RememberPlace();
    // The folder remembered for a kind of file, or one beside the program.
    std::string StartIn(const char* kind, const char* besideProgram) const;
    // The local file of a drop that the editor takes, or empty.
    static QString DroppedFile(const QMimeData* data);
    // The file to open in place of the map, after the save question; nothing when cancelled.
    std::optional<std::string> ChooseReplacement(const FileChoice& choice);
    // SaveMap with a busy cursor and the failure message; true when the map was saved.
    bool SaveTo(const std::string& path);
    void ShowPointerTile(QPoint tile);
    QString WindowTitle() const;

    std::string programFolder;
    std::string recoveryFolder;
    CMapSession session;
    CAutosaver autosaver;
    CToolChoice choice;
    CEditorWnd* editorWnd;
    std::map<int, QAction*> commands;
    QMenu* fileMenu = nullptr;
    std::vector<QAction*> recentMapActions;
    QToolBar* toolBar;
    CMapCheckDock* mapCheck;
    QLabel* coordinatePanes[2];
};
