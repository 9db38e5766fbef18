// The File commands of the main frame.

#include <QApplication>
#include <QFileInfo>

#include "art/builtin_art.h"
#include "document/game_data.h"
#include "editor/dialogs/generate_dialog.h"
#include "editor/dialogs/heightmap_dialog.h"
#include "editor/dialogs/new_map_dialog.h"
#include "editor/dialogs/preferences_dialog.h"
#include "editor/editor_settings.h"
#include "editor/editor_wnd.h"
#include "editor/main_frame.h"
#include "editor/map_check_dock.h"
#include "editor/map_view.h"
#include "generate/height_picture.h"
#include "interchange/bitmap_interchange.h"
#include "mapfile/map_file.h"
#include "model/terrain_type.h"
#include "platform/bundled_files.h"

namespace {

constexpr const char* kMapFilter = "Map Files (*.gmp);;All Files (*)";
constexpr const char* kIniFilter = "Ini Files (*.ini);;All Files (*)";
constexpr const char* kBitmapFilter = "Bmp Files (*.bmp);;All Files (*)";
constexpr const char* kHeightPictureFilter =
    "Height Pictures (*.png *.tif *.tiff *.bmp);;All Files (*)";

void ShowFailure(const std::string& text) {
    ShowUserMessage(text, MessageButtons::Ok, MessageIcon::Exclamation);
}

int FillType(int fillIndex) {
    switch (fillIndex) {
        case 0:
            return TERRAIN_TYPE_GRASS;
        case 1:
            return TERRAIN_TYPE_DESERT;
        default:
            return TERRAIN_TYPE_OCEAN;
    }
}

// "Unable to save map", and for a river the format cannot hold, which tile holds it: the user
// could not find it otherwise on a map that large.
std::string SaveFailureText(int result, const std::string& reason) {
    std::string text = "Unable to save map";
    if (result == kMapRiverNotStorable) {
        text += "\n" + reason;
    }
    return text;
}

}  // namespace

std::string CMainFrame::UsualGameDataFile() const {
    std::string remembered = CEditorSettings::GameDataFile();
    return remembered.empty() ? BundledGameDataFile(programFolder) : remembered;
}

void CMainFrame::OnOpenGameData() {
    std::optional<std::string> path = ChooseOpenFile({kIniFilter, "ini", UsualGameDataFile()});
    if (path) {
        ReadGameData(*path, false);
    }
}

void CMainFrame::StartUp(const std::vector<std::string>& arguments) {
    // Maps can be opened once the game data is read; until then the copies wait.
    if (ReadGameData(UsualGameDataFile(), true)) {
        OfferRecovery();
    }
    if (!arguments.empty()) {
        OpenMapFile(arguments.front());
    }
}

bool CMainFrame::ReadGameData(const std::string& path, bool atStartUp) {
    std::string problem;
    if (::ReadGameData(path, problem) != 0) {
        std::string text = "Unable to read game data: " + path + ": " + problem;
        // At start-up nothing pops up: the message pane tells why only Open Tarvo.ini is there.
        if (atStartUp) {
            ShowStatusMessage(QString::fromStdString(text));
        } else {
            ShowFailure(text);
        }
        return false;
    }
    gameDataLoaded = true;
    mapCheck->SetGameDataFile(path);
    CEditorSettings::SetGameDataFile(path);
    CEditorSettings::RememberFolderOf(CEditorSettings::kGameData, path);
    ShowStatusMessage(QString::fromStdString("Game data read from " + path));
    UpdateFrameState();
    return true;
}

std::optional<std::string> CMainFrame::ChooseReplacement(const FileChoice& choice) {
    return SaveBeforeDiscarding() ? ChooseOpenFile(choice) : std::nullopt;
}

void CMainFrame::OnOpenMap() {
    std::optional<std::string> path =
        ChooseReplacement({kMapFilter, "gmp", StartIn(CEditorSettings::kMaps, "/maps") + "/*.gmp"});
    if (path) {
        OpenMapFile(*path);
    }
}

void CMainFrame::OfferRecovery() {
    for (const RecoveryCopy& copy : AbandonedCopies(RecoveryCopies(recoveryFolder))) {
        const QDateTime when = copy.lastChange.toLocalTime();
        const QString time =
            when.toString(when.date() == QDate::currentDate() ? "HH:mm" : "yyyy-MM-dd HH:mm");
        const QString text = "The editor was closed without saving changes to " + copy.MapName() +
                             " (last change " + time + "). Recover them?";
        switch (ShowUserMessage(text.toStdString(), MessageButtons::RecoverDiscardLater,
                                MessageIcon::Question)) {
            case MessageAnswer::Yes:
                RecoverCopy(copy);
                break;
            case MessageAnswer::No:
                RemoveRecoveryCopy(copy);
                break;
            default:
                break;
        }
    }
}

void CMainFrame::RecoverCopy(const RecoveryCopy& copy) {
    if (!SaveBeforeDiscarding()) {
        return;
    }
    std::string reason;
    if (session.Recover(copy.copyPath, copy.mapPath, &reason) != 0) {
        ShowFailure("The recovery copy cannot be read: " + reason);
        return;
    }
    // The copy goes once this editor's own copy or the map's file holds its changes.
    autosaver.Adopt(copy);
    if (!copy.mapPath.empty()) {
        mapPath = copy.mapPath;
    }
}

void CMainFrame::OnPreferences() {
    CPreferencesDialog dialog(CEditorSettings::KeepsRecoveryCopy(),
                              CEditorSettings::RecoveryIdleSeconds(), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    CEditorSettings::SetRecovery(dialog.KeepsRecoveryCopy(), dialog.IdleSeconds());
    autosaver.SetIdleInterval(dialog.IdleSeconds() * 1000);
    autosaver.SetEnabled(dialog.KeepsRecoveryCopy());
}

void CMainFrame::RememberPlace() {
    if (session.IsOpen() && !session.FilePath().empty()) {
        const CMapView& view = *editorWnd->MapView();
        const QRect shown = view.GetViewRect();
        CEditorSettings::SetPlaceOnMap(session.FilePath(),
                                       {view.TileSize(), shown.left(), shown.top()});
    }
}

bool CMainFrame::OpenMapFile(const std::string& path) {
    if (auto other = CopyInOtherEditor(RecoveryCopies(recoveryFolder), path)) {
        const std::string text = FileNamePart(path) + " has changes not yet saved in another " +
                                 "editor (process " + std::to_string(other->writer.pid) +
                                 "). Open it anyway?";
        if (ShowUserMessage(text, MessageButtons::YesNo, MessageIcon::Warning) !=
            MessageAnswer::Yes) {
            return false;
        }
    }
    // Read before the opening, whose first view of the map would take its place.
    const std::optional<CEditorSettings::MapPlace> place = CEditorSettings::PlaceOnMap(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int result = session.Open(path);
    QApplication::restoreOverrideCursor();
    if (result != 0) {
        ShowFailure("Unable to load map");
        return false;
    }
    // Back where the designer was, as far as the map (which may have shrunk) allows; a map
    // opened for the first time starts at the top left.
    CMapView& view = *editorWnd->MapView();
    if (place && std::find(std::begin(kZoomLevels), std::end(kZoomLevels), place->tileSize) !=
                     std::end(kZoomLevels)) {
        view.SetTileSize(place->tileSize, QPoint());
    }
    view.ScrollTo(place ? place->column : 0, place ? place->row : 0);
    mapPath = path;
    RememberMap(path);
    return true;
}

void CMainFrame::OpenRecentMap(const std::string& path) {
    if (!SaveBeforeDiscarding()) {
        return;
    }
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        CEditorSettings::RemoveRecentMap(path);
        UpdateRecentMaps();
        ShowFailure("The map " + path + " is no longer there; it was taken off the list.");
        return;
    }
    OpenMapFile(path);
}

void CMainFrame::RememberMap(const std::string& path) {
    CEditorSettings::AddRecentMap(path);
    CEditorSettings::RememberFolderOf(CEditorSettings::kMaps, path);
    UpdateRecentMaps();
}

std::string CMainFrame::StartIn(const char* kind, const char* besideProgram) const {
    std::string folder = CEditorSettings::Folder(kind);
    return folder.empty() ? programFolder + besideProgram : folder;
}

std::optional<std::string> CMainFrame::ChooseMapToSave() {
    return ChooseSaveFile(
        {kMapFilter, "gmp",
         mapPath.empty() ? CEditorSettings::Folder(CEditorSettings::kMaps) : mapPath});
}

bool CMainFrame::SaveTo(const std::string& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string reason;
    int result = session.Save(path, &reason);
    QApplication::restoreOverrideCursor();
    if (result != 0) {
        ShowFailure(SaveFailureText(result, reason));
        return false;
    }
    RememberMap(path);
    return true;
}

bool CMainFrame::SaveToOwnFile() {
    if (!session.FilePath().empty()) {
        return SaveTo(session.FilePath());
    }
    std::optional<std::string> path = ChooseMapToSave();
    return path && SaveTo(*path);
}

void CMainFrame::OnSaveMap() {
    if (session.FilePath().empty()) {
        OnSaveMapAs();
    } else {
        SaveTo(session.FilePath());
    }
}

void CMainFrame::OnSaveMapAs() {
    std::optional<std::string> path = ChooseMapToSave();
    if (!path) {
        return;
    }
    SaveTo(*path);
    mapPath = *path;
}

void CMainFrame::OnCloseMap() {
    if (!SaveBeforeDiscarding()) {
        return;
    }
    session.Close();
}

void CMainFrame::OnNewMap() {
    if (!SaveBeforeDiscarding()) {
        return;
    }
    CNewMapDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    NewMap(dialog.width, dialog.height, FillType(dialog.fillIndex));
}

void CMainFrame::NewMap(int width, int height, int fillType) {
    if (!session.New(width, height, fillType)) {
        ShowFailure("Out of Memory");
    }
}

void CMainFrame::OnNewFromHeightmap() {
    std::optional<std::string> path =
        ChooseReplacement({kHeightPictureFilter, "png", StartIn(CEditorSettings::kHeightmaps, "")});
    if (!path) {
        return;
    }
    CEditorSettings::RememberFolderOf(CEditorSettings::kHeightmaps, *path);
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::string reason;
    if (!PeekHeightPicture(*path, pictureWidth, pictureHeight, reason)) {
        ShowFailure("Unable to read the heights: " + reason);
        return;
    }
    CHeightmapDialog dialog(*path, pictureWidth, pictureHeight, this);
    if (dialog.exec() == QDialog::Accepted) {
        OpenGeneratedMap(dialog.Heights(), dialog.Options());
    }
}

void CMainFrame::OnGenerateMap() {
    if (!SaveBeforeDiscarding()) {
        return;
    }
    CGenerateDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        OpenGeneratedMap(dialog.Heights(), dialog.Options());
    }
}

void CMainFrame::OpenGeneratedMap(const CHeightField& heights, const GenerationOptions& options) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool made = session.Generate(heights, options);
    QApplication::restoreOverrideCursor();
    if (!made) {
        ShowFailure("Out of Memory");
    }
}

void CMainFrame::OnImportBitmap() {
    std::optional<std::string> path = ChooseReplacement(
        {kBitmapFilter, "bmp", StartIn(CEditorSettings::kBitmaps, "") + "/*.bmp"});
    if (path) {
        ImportBitmapFile(*path);
    }
}

void CMainFrame::ImportBitmapFile(const std::string& path) {
    CEditorSettings::RememberFolderOf(CEditorSettings::kBitmaps, path);
    int result = session.Import(path);
    if (result != 0) {
        ShowFailure(ImportMessage(result));
    }
}

void CMainFrame::OnExportBitmap() {
    std::optional<std::string> path = ChooseSaveFile(
        {kBitmapFilter, "bmp", CEditorSettings::Folder(CEditorSettings::kBitmaps), true});
    if (!path) {
        return;
    }
    CEditorSettings::RememberFolderOf(CEditorSettings::kBitmaps, *path);
    if (ExportBitmap(session.Grid(), *path) != 0) {
        ShowFailure("Unable to export map");
    }
}
