#include "editor/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSessionManager>
#include <QStatusBar>

#include "art/builtin_art.h"
#include "editor/command_ids.h"
#include "editor/dialogs/about_dialog.h"
#include "editor/editor_settings.h"
#include "editor/editor_wnd.h"
#include "editor/map_check_dock.h"
#include "editor/map_view.h"
#include "editor/overview_wnd.h"

namespace {

constexpr const char* kIdleText = "For Help, press F1";

}  // namespace

CMainFrame::CMainFrame(const std::string& programFolder, const std::string& recoveryFolder)
    : programFolder(programFolder),
      recoveryFolder(recoveryFolder),
      autosaver(session, recoveryFolder) {
    Q_INIT_RESOURCE(editor);
    setWindowIcon(QIcon(":/icons/tarvo.xpm"));
    editorWnd = new CEditorWnd(session, choice, this);
    setAcceptDrops(true);
    setCentralWidget(editorWnd);
    setFocusProxy(editorWnd);
    CreateCommands();
    CreateToolBar();
    CreateMapCheckDock();
    CreateMenus();
    CreateStatusBar();
    connect(qApp, &QGuiApplication::commitDataRequest, this, &CMainFrame::OnCommitData);
    for (auto signal : {&CMapSession::opened, &CMapSession::closed, &CMapSession::historyChanged,
                        &CMapSession::selectionChanged, &CMapSession::terrainTableChanged}) {
        connect(&session, signal, this, &CMainFrame::UpdateFrameState);
    }
    connect(&session, &CMapSession::closed, this, &CMainFrame::ClearCoordinatePanes);
    connect(&session, &CMapSession::notice, this, &CMainFrame::ShowStatusMessage);
    connect(&choice, &CToolChoice::changed, this, &CMainFrame::UpdateFrameState);
    CMapView* view = editorWnd->MapView();
    connect(view, &CMapView::tileSizeChanged, this, &CMainFrame::UpdateFrameState);
    connect(view, &CMapView::tileSizeChanged, this, &CMainFrame::RememberPlace);
    connect(view, &CMapView::viewRectChanged, this, &CMainFrame::RememberPlace);
    connect(view, &CMapView::pointerOverTile, this, &CMainFrame::ShowPointerTile);
    connect(view, &CMapView::pointerOffMap, this, &CMainFrame::ClearCoordinatePanes);
    connect(&autosaver, &CAutosaver::failed, this, &CMainFrame::ShowStatusMessage);
    autosaver.SetEnabled(CEditorSettings::KeepsRecoveryCopy());
    autosaver.SetIdleInterval(CEditorSettings::RecoveryIdleSeconds() * 1000);
    CEditorSettings::CutRecentMaps();
    UpdateRecentMaps();
    resize(1024, 768);
}

CMainFrame::~CMainFrame() {
    // The panes hold on to the session and the choice, which go before the frame's children.
    delete editorWnd;
    delete mapCheck;
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    // A normal widget of the status bar gives way to the prompts while a command is pointed at.
    bar->addWidget(new QLabel(kIdleText), 1);
    for (int pane : {kPaneX, kPaneY}) {
        // The widest text sets the width; the pane stays empty until a map is pointed at.
        auto* label = new QLabel(pane == kPaneX ? "X: 255" : "Y: 255");
        label->setMinimumWidth(label->sizeHint().width());
        label->clear();
        bar->addPermanentWidget(label);
        coordinatePanes[pane - kPaneX] = label;
    }
    QAction* toggle = commands[kCmdStatusBar];
    toggle->setCheckable(true);
    toggle->setChecked(true);
    toggle->setEnabled(true);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
}

QAction* CMainFrame::Command(int id) const {
    auto found = commands.find(id);
    return found == commands.end() ? nullptr : found->second;
}

void CMainFrame::SetCoordinatePane(int paneId, int value) {
    QChar letter = paneId == kPaneX ? 'X' : 'Y';
    coordinatePanes[paneId == kPaneX ? 0 : 1]->setText(QString("%1: %2").arg(letter).arg(value));
}

void CMainFrame::ClearCoordinatePanes() {
    for (QLabel* pane : coordinatePanes) {
        pane->clear();
    }
}

void CMainFrame::ShowStatusMessage(const QString& text) {
    statusBar()->showMessage(text);
}

QString CMainFrame::CoordinatePaneText(int paneId) const {
    return coordinatePanes[paneId == kPaneX ? 0 : 1]->text();
}

void CMainFrame::ShowPointerTile(QPoint tile) {
    SetCoordinatePane(kPaneX, tile.x());
    SetCoordinatePane(kPaneY, tile.y());
}

void CMainFrame::UpdateFrameState() {
    const bool mapOpen = session.IsOpen();
    for (int id : {kCmdNew, kCmdNewFromHeightmap, kCmdGenerateMap, kCmdOpenMap, kCmdImportBitmap}) {
        commands[id]->setEnabled(gameDataLoaded);
    }
    for (int id : {kCmdSaveMap, kCmdSaveMapAs, kCmdClose, kCmdExportBitmap, kCmdEditTerrainInfo,
                   kCmdImportCityArt}) {
        commands[id]->setEnabled(mapOpen);
    }
    for (QAction* recent : recentMapActions) {
        recent->setEnabled(gameDataLoaded);
    }
    int tileSize = editorWnd->MapView()->TileSize();
    commands[kCmdZoomIn]->setEnabled(mapOpen && tileSize < CMapView::kTileSize);
    commands[kCmdZoomOut]->setEnabled(mapOpen && tileSize > kSmallestTileSize);
    commands[kCmdZoomToFit]->setEnabled(mapOpen);
    commands[kCmdActualSize]->setEnabled(mapOpen && tileSize != CMapView::kTileSize);
    UpdateEditCommands();
    commands[kCmdRandomSubtype]->setEnabled(choice.CanPickRandomSubtype());
    commands[kCmdRandomSubtype]->setChecked(choice.RandomSubtype());
    for (auto [id, tool] : kToolCommands) {
        commands[id]->setChecked(choice.Tool() == tool);
    }
    commands[kCmdFixTransitions]->setEnabled(mapOpen);
    for (auto [id, size] : kBrushSizes) {
        commands[id]->setChecked(choice.BrushSize() == size);
    }
    const std::vector<int>& sheets = choice.Transitions().coastSheets;
    for (auto [id, sheet] : kCoastSheets) {
        QSignalBlocker quiet(commands[id]);
        commands[id]->setChecked(std::find(sheets.begin(), sheets.end(), sheet) != sheets.end());
    }
    setWindowTitle(WindowTitle());
}

void CMainFrame::UpdateEditCommands() {
    const bool mapOpen = session.IsOpen();
    const CEditHistory& history = session.Editor().History();
    const std::pair<int, const CMapEdit*> steps[] = {{kCmdUndo, history.NextToUndo()},
                                                     {kCmdRedo, history.NextToRedo()}};
    for (auto [id, step] : steps) {
        QString text = id == kCmdUndo ? "&Undo" : "Re&do";
        if (mapOpen && step != nullptr) {
            text += " " + QString::fromStdString(step->Name());
        }
        commands[id]->setText(text);
        commands[id]->setEnabled(mapOpen && step != nullptr);
    }
    bool selected = mapOpen && !session.Selection().isEmpty();
    commands[kCmdCut]->setEnabled(selected);
    commands[kCmdCopy]->setEnabled(selected);
    commands[kCmdPaste]->setEnabled(mapOpen && !choice.Clipboard().IsEmpty());
}

void CMainFrame::UpdateRecentMaps() {
    for (QAction* action : recentMapActions) {
        fileMenu->removeAction(action);
        action->deleteLater();
    }
    recentMapActions.clear();
    QStringList paths = CEditorSettings::RecentMaps();
    QStringList labels = RecentMapLabels(paths);
    QAction* preferences = commands[kCmdPreferences];
    // Between Export to Bitmap and the separator before Preferences.
    QAction* before = fileMenu->actions().at(fileMenu->actions().indexOf(preferences) - 1);
    for (int i = 0; i < paths.size(); ++i) {
        auto* action = new QAction(QString("&%1 %2").arg(i + 1).arg(labels[i]), this);
        action->setStatusTip(paths[i]);
        std::string path = paths[i].toStdString();
        connect(action, &QAction::triggered, this, [this, path] { OpenRecentMap(path); });
        fileMenu->insertAction(before, action);
        recentMapActions.push_back(action);
    }
    if (!recentMapActions.empty()) {
        recentMapActions.push_back(fileMenu->insertSeparator(before));
    }
    UpdateFrameState();
}

void CMainFrame::OnZoom(int step) {
    CMapView* view = editorWnd->MapView();
    editorWnd->Zoom(step, view->viewport()->rect().center());
}

QString CMainFrame::DroppedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile()) {
        return QString();
    }
    return data->urls().front().toLocalFile();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    QString path = DroppedFile(event->mimeData());
    bool map = path.endsWith(".gmp", Qt::CaseInsensitive) && commands[kCmdOpenMap]->isEnabled();
    bool bitmap =
        path.endsWith(".bmp", Qt::CaseInsensitive) && commands[kCmdImportBitmap]->isEnabled();
    if (map || bitmap) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QString path = DroppedFile(event->mimeData());
    event->acceptProposedAction();
    if (!SaveBeforeDiscarding()) {
        return;
    }
    if (path.endsWith(".gmp", Qt::CaseInsensitive)) {
        OpenMapFile(path.toStdString());
    } else {
        ImportBitmapFile(path.toStdString());
    }
}

void CMainFrame::OnUndo() {
    session.Editor().Undo();
}

void CMainFrame::OnRedo() {
    session.Editor().Redo();
}

QString CMainFrame::WindowTitle() const {
    if (!session.IsOpen()) {
        return kAppTitle;
    }
    return session.DisplayName() + (session.IsModified() ? "*" : "") + " - " + kAppTitle;
}

bool CMainFrame::SaveBeforeDiscarding() {
    if (!session.IsModified()) {
        return true;
    }
    switch (ShowUserMessage("Map has been edited, save first?", MessageButtons::YesNoCancel,
                            MessageIcon::Question)) {
        case MessageAnswer::No:
            return true;
        case MessageAnswer::Yes:
            // The save from the question leaves mapPath alone.
            return SaveToOwnFile();
        default:
            return false;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (SaveBeforeDiscarding()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::OnCommitData(QSessionManager& manager) {
    if (!manager.allowsInteraction()) {
        return;
    }
    bool agree = SaveBeforeDiscarding();
    manager.release();
    if (!agree) {
        manager.cancel();
    }
}

void CMainFrame::ShowAbout() {
    CAboutDialog(this).exec();
}
