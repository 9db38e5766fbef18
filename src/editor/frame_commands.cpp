// The main frame's commands: their texts and prompts, keys, toolbar, menus and the Map Check dock.

#include <QAction>
#include <QActionGroup>
#include <QMenuBar>
#include <QToolBar>

#include "editor/command_ids.h"
#include "editor/editor_wnd.h"
#include "editor/main_frame.h"
#include "editor/map_check_dock.h"
#include "editor/map_view.h"
#include "model/terrain_type.h"

namespace {

struct CommandText {
    int id;
    const char* text;
    // The status bar text, then after "\n" the tooltip.
    const char* prompt;
};

constexpr CommandText kCommandTexts[] = {
    {kCmdNew, "&New", "Creates a new map"},
    {kCmdNewFromHeightmap, "New from &Heightmap...", "Makes a new map from a picture of heights"},
    {kCmdGenerateMap, "&Generate...", "Makes a new map of a random landscape"},
    {kCmdPreferences, "&Preferences...",
     "Sets how the editor keeps recovery copies of unsaved changes"},
    {kCmdOpenGameData, "Open &Tarvo.ini", "Open the Tarvo.ini "},
    {kCmdOpenMap, "&Open Map", "Open an existing map"},
    {kCmdSaveMap, "&Save Map", "Save the current map"},
    {kCmdSaveMapAs, "Save Map &As...", "Save the current map under a new name"},
    {kCmdClose, "&Close", "Closes the open map"},
    {kCmdImportBitmap, "&Import From Bitmap", "Import map from a windows bitmap file"},
    {kCmdExportBitmap, "&Export to Bitmap", "Export map to a windows bitmap file"},
    {kCmdExit, "E&xit", "Quit the application; prompts to save documents\nExit"},
    {kCmdUndo, "&Undo", "Undo the last action\nUndo"},
    {kCmdRedo, "Re&do", "Redo the previously undone action\nRedo"},
    {kCmdCut, "Cu&t", "Cut the selection and put it on the Clipboard\nCut"},
    {kCmdRandomSubtype, "Random &Subtype",
     "Select a random subtype for each tile you paint or fill\nUse random subtypes where "
     "possible"},
    {kCmdPaintTerrain, "P&aint Terrain",
     "Paint with the currently selected terrain type and subtype\nPaint with currently selected "
     "terrain type and subtype"},
    {kCmdRectOfTerrain, "&Rect of Terrain",
     "Fills a dragged rect with the currently selected terrain type and subtype\nFills a dragged "
     "rect with the currently selected terrain type and subtype"},
    {kCmdSelectRect, "S&elect Rect", "Drags a select rectangle\nDrags a select rectangle "},
    {kCmdEditTerrainInfo, "Edit Terrain &Information",
     "Edit the terrain resource and cost information, and  import terrain art"},
    {kCmdImportCityArt, "I&mport City Art", "Select bitmaps to use for custom city art"},
    {kCmdStatusBar, "&Status Bar", "Show or hide the status bar\nToggle StatusBar"},
    {kCmdZoomIn, "Zoom &In", "Show the map larger\nZoom In"},
    {kCmdZoomOut, "Zoom &Out", "Show more of the map, smaller\nZoom Out"},
    {kCmdActualSize, "&Actual Size", "Show the map at 50 pixels per tile\nActual Size"},
    {kCmdZoomToFit, "Zoom to &Fit", "Show the whole map, as large as it fits\nZoom to Fit"},
    {kCmdAbout, "&About Tarvo Map Editor...",
     "Display program information, version number and copyright\nAbout"},
    {kCmdCopy, "&Copy", "Copy the selection and put it on the Clipboard\nCopy"},
    {kCmdPaste, "&Paste", "Insert Clipboard contents\nPaste"},
    {kCmdPrint, "&Print...", "Print the active document\nPrint"},
    {kCmdTerrainBrush, "Terrain &Brush",
     "Paints the chosen terrain with its coasts, shores and mountain feet\nTerrain Brush"},
    {kCmdRiverBrush, "Ri&ver Brush",
     "Draws the chosen river kind along the pointer's path; Ctrl erases\nRiver Brush"},
    {kCmdBucketFill, "Bucket &Fill",
     "Fills the connected area of one terrain with the chosen terrain\nBucket Fill"},
    {kCmdFixTransitions, "Fix Tra&nsitions",
     "Gives the selection, or the whole map, its coasts, shores and mountain feet"},
    {kCmdBrushSize1, "&1 Tile", "The terrain brush paints one tile"},
    {kCmdBrushSize2, "&2 x 2 Tiles", "The terrain brush paints 2 x 2 tiles"},
    {kCmdBrushSize3, "&3 x 3 Tiles", "The terrain brush paints 3 x 3 tiles"},
    {kCmdBrushSize5, "&5 x 5 Tiles", "The terrain brush paints 5 x 5 tiles"},
    {kCmdCoastSheetA, "Grass-Ocean &A", "Coasts of grass may use the Grass-Ocean A cells"},
    {kCmdCoastSheetB, "Grass-Ocean &B", "Coasts of grass may use the Grass-Ocean B cells"},
    {kCmdCoastSheetC, "Grass-Ocean &C",
     "Coasts of grass may use the Grass-Ocean C cells (other resources than A and B)"},
};

// Menu entries that open a submenu instead of running a command.
constexpr int kMenuBrushSize = -1;
constexpr int kMenuCoastSheets = -2;

void SetPrompt(QAction& action, const QString& prompt) {
    int lineBreak = prompt.indexOf('\n');
    action.setStatusTip(prompt.left(lineBreak));
    if (lineBreak >= 0) {
        action.setToolTip(prompt.mid(lineBreak + 1));
    }
}

}  // namespace

void CMainFrame::AddCommand(int id, const char* text, const char* prompt) {
    auto* action = new QAction(QString::fromUtf8(text), this);
    SetPrompt(*action, QString::fromUtf8(prompt));
    // Commands without a handler stay disabled, so their keys and buttons do nothing.
    action->setEnabled(false);
    commands[id] = action;
}

void CMainFrame::CreateCommands() {
    for (const CommandText& command : kCommandTexts) {
        AddCommand(command.id, command.text, command.prompt);
    }
    const std::pair<int, void (CMainFrame::*)()> handlers[] = {
        {kCmdNew, &CMainFrame::OnNewMap},
        {kCmdNewFromHeightmap, &CMainFrame::OnNewFromHeightmap},
        {kCmdGenerateMap, &CMainFrame::OnGenerateMap},
        {kCmdOpenGameData, &CMainFrame::OnOpenGameData},
        {kCmdOpenMap, &CMainFrame::OnOpenMap},
        {kCmdSaveMap, &CMainFrame::OnSaveMap},
        {kCmdSaveMapAs, &CMainFrame::OnSaveMapAs},
        {kCmdClose, &CMainFrame::OnCloseMap},
        {kCmdImportBitmap, &CMainFrame::OnImportBitmap},
        {kCmdExportBitmap, &CMainFrame::OnExportBitmap},
        {kCmdEditTerrainInfo, &CMainFrame::OnEditTerrainInfo},
        {kCmdImportCityArt, &CMainFrame::OnImportCityArt},
        {kCmdFixTransitions, &CMainFrame::OnFixTransitions},
        {kCmdAbout, &CMainFrame::ShowAbout},
        {kCmdUndo, &CMainFrame::OnUndo},
        {kCmdRedo, &CMainFrame::OnRedo},
        {kCmdPreferences, &CMainFrame::OnPreferences},
    };
    for (auto [id, handler] : handlers) {
        connect(commands[id], &QAction::triggered, this, handler);
    }
    commands[kCmdPreferences]->setEnabled(true);
    connect(commands[kCmdExit], &QAction::triggered, this, &QWidget::close);
    connect(commands[kCmdRandomSubtype], &QAction::triggered, this,
            [this] { choice.SetRandomSubtype(!choice.RandomSubtype()); });
    commands[kCmdRandomSubtype]->setCheckable(true);
    for (auto [id, tool] : kToolCommands) {
        QAction* action = commands[id];
        action->setEnabled(true);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, tool] { choice.SetTool(tool); });
    }
    for (auto [id, size] : kBrushSizes) {
        commands[id]->setCheckable(true);
        commands[id]->setEnabled(true);
        connect(commands[id], &QAction::triggered, this,
                [this, size] { choice.SetBrushSize(size); });
    }
    for (auto [id, sheet] : kCoastSheets) {
        commands[id]->setCheckable(true);
        commands[id]->setEnabled(true);
        connect(commands[id], &QAction::toggled, this,
                [this, sheet](bool use) { choice.SetCoastSheet(sheet, use); });
    }
    for (int id : {kCmdOpenGameData, kCmdExit, kCmdAbout}) {
        commands[id]->setEnabled(true);
    }
    connect(commands[kCmdZoomIn], &QAction::triggered, this, [this] { OnZoom(1); });
    connect(commands[kCmdZoomOut], &QAction::triggered, this, [this] { OnZoom(-1); });
    connect(commands[kCmdActualSize], &QAction::triggered, this, [this] { OnZoom(0); });
    connect(commands[kCmdZoomToFit], &QAction::triggered, editorWnd, &CEditorWnd::ZoomToFit);
    connect(commands[kCmdCut], &QAction::triggered, editorWnd, &CEditorWnd::Cut);
    connect(commands[kCmdCopy], &QAction::triggered, editorWnd, &CEditorWnd::Copy);
    connect(commands[kCmdPaste], &QAction::triggered, editorWnd, &CEditorWnd::StartPaste);
    const std::pair<int, std::vector<QKeySequence>> shortcuts[] = {
        {kCmdUndo, {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace}},
        {kCmdRedo, {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}},
        {kCmdCut, {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete}},
        {kCmdCopy, {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}},
        {kCmdPaste, {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}},
        {kCmdSaveMapAs, {Qt::CTRL | Qt::SHIFT | Qt::Key_S}},
        {kCmdZoomIn, {Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Plus}},
        {kCmdZoomOut, {Qt::CTRL | Qt::Key_Minus}},
        {kCmdActualSize, {Qt::CTRL | Qt::Key_0}},
        {kCmdZoomToFit, {Qt::CTRL | Qt::Key_9}},
    };
    for (const auto& [id, keys] : shortcuts) {
        commands[id]->setShortcuts(QList<QKeySequence>(keys.begin(), keys.end()));
    }
    commands[kCmdRandomSubtype]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    commands[kCmdSaveMap]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    const std::pair<int, const char*> icons[] = {
        {kCmdCopy, "copy"},
        {kCmdPaste, "paste"},
        {kCmdPrint, "print"},
        {kCmdAbout, "about"},
        {kCmdRandomSubtype, "random_subtype"},
        {kCmdPaintTerrain, "paint_terrain"},
        {kCmdRectOfTerrain, "rect_of_terrain"},
        {kCmdSelectRect, "select_rect"},
        {kCmdTerrainBrush, "terrain_brush"},
        {kCmdBucketFill, "bucket_fill"},
        {kCmdRiverBrush, "river_brush"},
    };
    for (auto [id, name] : icons) {
        commands[id]->setIcon(QIcon(QString(":/icons/%1.xpm").arg(name)));
    }
}

void CMainFrame::CreateToolBar() {
    toolBar = new QToolBar(this);
    toolBar->setObjectName("toolBar");
    toolBar->setIconSize(QSize(16, 15));
    for (int id : {kCmdCopy, kCmdPaste, 0, kCmdPrint, 0, kCmdAbout, 0, kCmdRandomSubtype, 0,
                   kCmdPaintTerrain, kCmdRectOfTerrain, kCmdSelectRect, kCmdTerrainBrush,
                   kCmdBucketFill, kCmdRiverBrush}) {
        if (id == 0) {
            toolBar->addSeparator();
        } else {
            toolBar->addAction(commands[id]);
        }
    }
    addToolBar(Qt::TopToolBarArea, toolBar);
    QAction* toggle = toolBar->toggleViewAction();
    toggle->setText("&Toolbar");
    SetPrompt(*toggle, "Show or hide the toolbar\nToggle ToolBar");
    commands[kCmdToolbar] = toggle;
}

void CMainFrame::CreateMapCheckDock() {
    mapCheck = new CMapCheckDock(session, this);
    addDockWidget(Qt::RightDockWidgetArea, mapCheck);
    mapCheck->hide();
    QAction* toggle = mapCheck->toggleViewAction();
    toggle->setText("&Map Check");
    SetPrompt(*toggle, "Show or hide what the game would trip over in the map\nMap Check");
    commands[kCmdMapCheck] = toggle;
    connect(mapCheck, &CMapCheckDock::tileChosen, this, [this](QPoint tile) {
        session.SetSelection(QRect(tile, QSize(1, 1)));
        CMapView* view = editorWnd->MapView();
        const int size = view->TileSize();
        view->ScrollTo(tile.x() - view->viewport()->width() / size / 2,
                       tile.y() - view->viewport()->height() / size / 2);
    });
}

void CMainFrame::CreateMenus() {
    const std::pair<const char*, std::vector<int>> menus[] = {
        {"&File",
         {kCmdNew, kCmdNewFromHeightmap, kCmdGenerateMap, kCmdOpenGameData, kCmdOpenMap,
          kCmdSaveMap, kCmdSaveMapAs, kCmdClose, kCmdImportBitmap, kCmdExportBitmap, 0,
          kCmdPreferences, kCmdExit}},
        {"&Edit",
         {kCmdUndo,
          kCmdRedo,
          kCmdCut,
          kCmdCopy,
          kCmdPaste,
          0,
          kCmdRandomSubtype,
          0,
          kCmdPaintTerrain,
          kCmdRectOfTerrain,
          kCmdSelectRect,
          kCmdTerrainBrush,
          kCmdBucketFill,
          kCmdRiverBrush,
          kMenuBrushSize,
          kMenuCoastSheets,
          kCmdFixTransitions,
          0,
          kCmdEditTerrainInfo,
          kCmdImportCityArt}},
        {"&View",
         {kCmdToolbar, kCmdStatusBar, kCmdMapCheck, 0, kCmdZoomIn, kCmdZoomOut, kCmdActualSize,
          kCmdZoomToFit}},
        {"&Help", {kCmdAbout}},
    };
    for (const auto& [title, ids] : menus) {
        QMenu* menu = menuBar()->addMenu(title);
        if (fileMenu == nullptr) {
            fileMenu = menu;
        }
        for (int id : ids) {
            if (id == 0) {
                menu->addSeparator();
            } else if (id == kMenuBrushSize || id == kMenuCoastSheets) {
                AddSubmenu(*menu, id);
            } else {
                menu->addAction(commands[id]);
            }
        }
    }
}

void CMainFrame::AddSubmenu(QMenu& menu, int which) {
    QMenu* submenu = menu.addMenu(which == kMenuBrushSize ? "Brush Si&ze" : "Coast S&heets");
    if (which == kMenuBrushSize) {
        auto* sizes = new QActionGroup(submenu);
        for (auto [id, size] : kBrushSizes) {
            sizes->addAction(commands[id]);
            submenu->addAction(commands[id]);
        }
        return;
    }
    for (auto [id, sheet] : kCoastSheets) {
        submenu->addAction(commands[id]);
    }
}
