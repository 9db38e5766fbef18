#include "editor/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <filesystem>

#include "editor/command_ids.h"
#include "editor/dialogs/about_dialog.h"
#include "editor/dialogs/new_map_dialog.h"
#include "editor/editor_settings.h"
#include "editor/overview_wnd.h"
#include "editor_fixture.h"
#include "interchange/bitmap_interchange.h"
#include "mapfile/map_file.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

std::vector<int> EnabledAmong(const CMainFrame& frame, const std::vector<int>& ids) {
    std::vector<int> enabled;
    for (int id : ids) {
        if (frame.Command(id)->isEnabled()) {
            enabled.push_back(id);
        }
    }
    return enabled;
}

const std::vector<int> kAllCommands = {
    kCmdNew,        kCmdOpenGameData,    kCmdOpenMap,       kCmdSaveMap,
    kCmdClose,      kCmdImportBitmap,    kCmdExportBitmap,  kCmdExit,
    kCmdUndo,       kCmdRandomSubtype,   kCmdPaintTerrain,  kCmdRectOfTerrain,
    kCmdSelectRect, kCmdEditTerrainInfo, kCmdImportCityArt, kCmdToolbar,
    kCmdStatusBar,  kCmdAbout,           kCmdCopy,          kCmdPaste,
    kCmdPrint};

const std::vector<int> kAlwaysEnabled = {kCmdOpenGameData,  kCmdExit,      kCmdToolbar,
                                         kCmdStatusBar,     kCmdAbout,     kCmdPaintTerrain,
                                         kCmdRectOfTerrain, kCmdSelectRect};

std::vector<int> Plus(std::vector<int> ids, const std::vector<int>& more) {
    ids.insert(ids.end(), more.begin(), more.end());
    std::sort(ids.begin(), ids.end());
    return ids;
}

// A 24-bit bitmap of width x height tiles of type, with one pixel of a colour no type has.
std::string WriteImportBitmap(const std::string& path, int width, int height, int type,
                              bool unknownColor) {
    CDibImage picture;
    picture.Create(width, height, 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.SetPixel(x, y, TerrainColor(type));
        }
    }
    if (unknownColor) {
        picture.SetPixel(1, 1, 0x123456);
    }
    EXPECT_EQ(picture.SaveBmp(path), 0);
    return path;
}

std::string Collect(std::vector<int> ids) {
    std::sort(ids.begin(), ids.end());
    std::string text;
    for (int id : ids) {
        text += std::to_string(id) + " ";
    }
    return text;
}

}  // namespace

// A recent-maps list grown long outside the editor: the File menu shows the newest eight, and
// the stored list is cut to them when the editor starts.
TEST(MainFrameStartTest, ALongRecentMapsListIsCutToTheEightShown) {
    QSettings().clear();
    QStringList maps;
    for (int i = 0; i < 20000; ++i) {
        maps << QString("/maps/map%1.gmp").arg(i);
    }
    QSettings().setValue("recentMaps", maps);
    TerrainTableGuard guard;
    TempDir folder;
    CMainFrame frame(folder.Path(), folder.Path() + "/recovery");
    QStringList shown;
    for (QAction* action : frame.menuBar()->findChildren<QMenu*>()[0]->actions()) {
        if (action->statusTip().startsWith("/maps/")) {
            shown << action->statusTip();
        }
    }
    const QStringList newest = maps.mid(0, CEditorSettings::kMostRecentMaps);
    EXPECT_EQ(shown.join(' ').toStdString(), newest.join(' ').toStdString());
    EXPECT_EQ(QSettings().value("recentMaps").toStringList().size(), newest.size());
    QSettings().clear();
}

TEST_F(EditorTest, CommandsFollowTheGameDataAndTheOpenMap) {
    EXPECT_EQ(Collect(EnabledAmong(frame, kAllCommands)), Collect(kAlwaysEnabled));

    // A failed read leaves everything as it was.
    script.files.push_back(folder.Write("bad.ini", "[TerrainCosts]\n"));
    frame.OnOpenGameData();
    EXPECT_FALSE(frame.gameDataLoaded);
    EXPECT_EQ(Collect(EnabledAmong(frame, kAllCommands)), Collect(kAlwaysEnabled));

    OpenGameData();
    // Grass, selected at start, has random cells once the game data gives their count.
    std::vector<int> withGameData =
        Plus(kAlwaysEnabled, {kCmdNew, kCmdOpenMap, kCmdImportBitmap, kCmdRandomSubtype});
    EXPECT_EQ(Collect(EnabledAmong(frame, kAllCommands)), Collect(withGameData));

    frame.NewMap(30, 20, TERRAIN_TYPE_GRASS);
    EXPECT_EQ(Collect(EnabledAmong(frame, kAllCommands)),
              Collect(Plus(withGameData, {kCmdSaveMap, kCmdClose, kCmdExportBitmap,
                                          kCmdEditTerrainInfo, kCmdImportCityArt})));

    MarkSaved();
    frame.OnCloseMap();
    EXPECT_EQ(Collect(EnabledAmong(frame, kAllCommands)), Collect(withGameData));
    EXPECT_EQ(Messages(),
              std::vector<std::string>({"Unable to read game data: " + folder.File("bad.ini") +
                                        ": the [TerrainCosts] key TERRAIN_TYPE_NONE "
                                        "is missing or malformed"}));
}

TEST_F(EditorTest, OpenGameDataOffersTheShippedFileAndKeepsTheTableOnFailure) {
    frame.OnOpenGameData();  // cancelled
    ASSERT_EQ(script.fileChoices.size(), 1u);
    EXPECT_EQ(script.fileChoices[0].initialPath, folder.Path() + "/gamedata/tarvo.ini");
    EXPECT_EQ(script.fileChoices[0].filter, "Ini Files (*.ini);;All Files (*)");
    EXPECT_EQ(script.fileChoices[0].defaultSuffix, "ini");
    EXPECT_FALSE(frame.gameDataLoaded);

    // The first line reads well, the second does not: the table stays as it was.
    int roadCost = theTerrainTable.Record(0).rightOfWayCost;
    script.files.push_back(folder.Write("half.ini",
                                        "[TerrainCosts]\n"
                                        "TERRAIN_TYPE_NONE = 1 2 0 6 0 0 0 1 -1 -1 x\n"
                                        "TERRAIN_TYPE_CITY = 1 2 3\n"));
    frame.OnOpenGameData();
    EXPECT_FALSE(frame.gameDataLoaded);
    EXPECT_EQ(theTerrainTable.Record(0).rightOfWayCost, roadCost);
    EXPECT_EQ(Messages(),
              std::vector<std::string>({"Unable to read game data: " + folder.File("half.ini") +
                                        ": the [TerrainCosts] key TERRAIN_TYPE_CITY "
                                        "is missing or malformed"}));
}

TEST_F(EditorTest, NewAsksForTheSizeAndFillsTheMap) {
    OpenGameData();
    frame.mapPath = "/somewhere/old.gmp";
    WhenDialogShows([](QWidget* dialog) {
        ASSERT_NE(qobject_cast<CNewMapDialog*>(dialog), nullptr);
        EXPECT_EQ(dialog->windowTitle(), "New Map Size");
        dialog->findChild<QLineEdit*>("width")->setText("60");
        dialog->findChild<QLineEdit*>("height")->setText("40");
        dialog->findChild<QComboBox*>("fill")->setCurrentIndex(1);
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.OnNewMap();
    ASSERT_EQ(Grid().GetWidth(), 60);
    ASSERT_EQ(Grid().GetHeight(), 40);
    EXPECT_FALSE(Grid().IsTypeUsed(TERRAIN_TYPE_GRASS));
    EXPECT_TRUE(Grid().IsTypeUsed(TERRAIN_TYPE_DESERT));
    EXPECT_TRUE(Session().IsOpen());
    EXPECT_TRUE(Session().IsModified());
    EXPECT_EQ(frame.mapPath, "/somewhere/old.gmp");
    EXPECT_EQ(Session().Overview().GetWidth(), 60);
    EXPECT_TRUE(frame.EditorWnd()->Overview()->isVisible());
    EXPECT_EQ(frame.windowTitle(), "Untitled* - Tarvo Map Editor");

    // Cancel changes nothing; the dialog starts from 192 x 112 and grass every time.
    WhenDialogShows([](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QLineEdit*>("width")->text(), "192");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("height")->text(), "112");
        EXPECT_EQ(dialog->findChild<QComboBox*>("fill")->currentText(), "Grass");
        static_cast<QDialog*>(dialog)->reject();
    });
    MarkSaved();
    frame.OnNewMap();
    EXPECT_EQ(Grid().GetWidth(), 60);
    EXPECT_TRUE(Grid().IsTypeUsed(TERRAIN_TYPE_DESERT));
}

TEST_F(EditorTest, SaveCloseAndOpenAgain) {
    OpenNewMap(40, 30, TERRAIN_TYPE_GRASS);
    Grid().SetTile(TERRAIN_TYPE_WOODS, 3, 7, 5);
    std::string path = SaveAs("north.gmp");
    ASSERT_EQ(script.fileChoices.size(), 2u);
    EXPECT_EQ(script.fileChoices[1].filter, "Map Files (*.gmp);;All Files (*)");
    EXPECT_EQ(script.fileChoices[1].defaultSuffix, "gmp");
    EXPECT_EQ(script.fileChoices[1].initialPath, "");
    EXPECT_FALSE(script.fileChoices[1].promptOverwrite);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(frame.mapPath, path);
    EXPECT_FALSE(Session().IsModified());
    EXPECT_EQ(frame.windowTitle(), "north.gmp - Tarvo Map Editor");
    Session().Editor().FillRect(TERRAIN_TYPE_DESERT, 1, {0, 0, 1, 1});
    EXPECT_EQ(frame.windowTitle(), "north.gmp* - Tarvo Map Editor");

    // The next save proposes the same file and replaces it without asking.
    SaveAs("north.gmp");
    EXPECT_EQ(script.fileChoices.back().initialPath, path);
    EXPECT_TRUE(script.messages.empty());

    frame.OnCloseMap();
    EXPECT_FALSE(Session().IsOpen());
    EXPECT_EQ(Grid().GetWidth(), 0);
    EXPECT_FALSE(frame.EditorWnd()->Overview()->isVisible());
    EXPECT_EQ(frame.windowTitle(), "Tarvo Map Editor");
    EXPECT_EQ(frame.mapPath, path);

    script.files.push_back(path);
    frame.OnOpenMap();
    // The folder the map was saved in.
    EXPECT_EQ(script.fileChoices.back().initialPath, folder.Path() + "/*.gmp");
    EXPECT_TRUE(Session().IsOpen());
    ASSERT_EQ(Grid().GetWidth(), 40);
    EXPECT_EQ(Grid().GetTileAt(7, 5)->type, TERRAIN_TYPE_WOODS);
    EXPECT_EQ(Grid().GetTileAt(7, 5)->subtype, 2);
    EXPECT_FALSE(Session().IsModified());
    EXPECT_EQ(View().maxScrollX, 40 - View().viewport()->width() / 50);
    EXPECT_TRUE(frame.EditorWnd()->Overview()->isVisible());
    EXPECT_EQ(frame.windowTitle(), "north.gmp - Tarvo Map Editor");
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(EditorTest, AFailedOpenLeavesTheMapAsItWas) {
    OpenNewMap(40, 30, TERRAIN_TYPE_GRASS);
    std::string path = SaveAs("kept.gmp");
    Session().Editor().FillRect(TERRAIN_TYPE_OCEAN, 1, {2, 3, 3, 4});
    script.answers.push_back(MessageAnswer::No);
    script.files.push_back(folder.Write("notes.gmp", "not a map"));
    frame.OnOpenMap();

    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1].text, "Unable to load map");
    EXPECT_EQ(script.messages[1].caption, "Tarvo Map Editor");
    EXPECT_EQ(script.messages[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(script.messages[1].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(Session().IsOpen());
    EXPECT_EQ(Grid().GetWidth(), 40);
    EXPECT_EQ(Grid().GetTileAt(2, 3)->type, TERRAIN_TYPE_OCEAN);
    EXPECT_TRUE(Session().IsModified());
    // The failed file is not proposed for the next save, which would replace it unasked.
    EXPECT_EQ(frame.mapPath, path);
    EXPECT_EQ(frame.windowTitle(), "kept.gmp* - Tarvo Map Editor");
}

TEST_F(EditorTest, TheSaveQuestionGuardsEveryCommandThatDropsTheMap) {
    OpenNewMap(30, 20, TERRAIN_TYPE_GRASS);
    const std::string question = "Map has been edited, save first?";

    // Cancel stops each of them before anything else happens.
    for (auto command : {&CMainFrame::OnNewMap, &CMainFrame::OnOpenMap, &CMainFrame::OnImportBitmap,
                         &CMainFrame::OnCloseMap}) {
        script.messages.clear();
        script.fileChoices.clear();
        script.answers.push_back(MessageAnswer::Cancel);
        (frame.*command)();
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].text, question);
        EXPECT_EQ(script.messages[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(script.messages[0].icon, MessageIcon::Question);
        EXPECT_TRUE(script.fileChoices.empty());
        EXPECT_TRUE(Session().IsOpen());
    }

    // Yes with a cancelled save dialog stops too.
    script.answers.push_back(MessageAnswer::Yes);
    frame.OnCloseMap();
    EXPECT_TRUE(Session().IsOpen());
    EXPECT_TRUE(Session().IsModified());

    // Yes and a save goes on, and leaves mapPath alone.
    frame.mapPath = "/elsewhere/proposed.gmp";
    script.answers.push_back(MessageAnswer::Yes);
    std::string saved = folder.File("saved.gmp");
    script.files.push_back(saved);
    frame.OnCloseMap();
    EXPECT_EQ(script.fileChoices.back().initialPath, "/elsewhere/proposed.gmp");
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_FALSE(Session().IsOpen());
    EXPECT_EQ(frame.mapPath, "/elsewhere/proposed.gmp");

    // No discards; an unmodified map is dropped without a question.
    frame.NewMap(30, 20, TERRAIN_TYPE_GRASS);
    script.messages.clear();
    script.answers.push_back(MessageAnswer::No);
    frame.OnCloseMap();
    EXPECT_FALSE(Session().IsOpen());
    frame.NewMap(30, 20, TERRAIN_TYPE_GRASS);
    MarkSaved();
    frame.OnCloseMap();
    EXPECT_EQ(script.messages.size(), 1u);
}

TEST_F(EditorTest, ClosingTheWindowAsksOnlyForAnOpenModifiedMap) {
    OpenNewMap(30, 20, TERRAIN_TYPE_GRASS);
    script.answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, "Map has been edited, save first?");

    // A save that fails keeps the window open.
    script.answers.push_back(MessageAnswer::Yes);
    script.files.push_back(folder.Path() + "/missing/folder/map.gmp");
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(script.messages.back().text, "Unable to save map");

    // After File Close of the modified map nothing is asked.
    script.answers.push_back(MessageAnswer::No);
    frame.OnCloseMap();
    script.messages.clear();
    EXPECT_TRUE(frame.close());
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(EditorTest, AFailedSaveKeepsTheMapModifiedAndNamesAnUnstorableRiver) {
    OpenNewMap(30, 20, TERRAIN_TYPE_GRASS);
    std::string unreachable = folder.Path() + "/missing/folder/map.gmp";
    script.files.push_back(unreachable);
    frame.OnSaveMap();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, "Unable to save map");
    EXPECT_EQ(script.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(Session().IsModified());
    EXPECT_EQ(frame.mapPath, unreachable);
    EXPECT_EQ(frame.windowTitle(), "Untitled* - Tarvo Map Editor");

    // Maps read from files may be wider than the format's river positions reach.
    Grid().Clear();
    ASSERT_TRUE(Grid().Allocate(300, 20));
    Grid().FillAll(TERRAIN_TYPE_GRASS);
    Grid().AddOverlay(281, 4, 0, 1);
    SaveAs("wide.gmp");
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1].text,
              "Unable to save map\nThe river on tile X: 281, Y: 4 cannot be stored. Map files "
              "hold rivers only on tiles whose X and Y are below 255.");
}

TEST_F(EditorTest, ImportReportsWarningsAndFailures) {
    OpenNewMap(30, 20, TERRAIN_TYPE_GRASS);
    MarkSaved();
    frame.mapPath = "/maps/before.gmp";

    script.files.push_back(folder.Path() + "/absent.bmp");
    frame.OnImportBitmap();
    EXPECT_EQ(script.fileChoices.back().initialPath, folder.Path() + "/*.bmp");
    EXPECT_EQ(script.fileChoices.back().filter, "Bmp Files (*.bmp);;All Files (*)");
    EXPECT_EQ(script.fileChoices.back().defaultSuffix, "bmp");
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, "Failed to open file");
    EXPECT_EQ(Grid().GetWidth(), 30);
    EXPECT_TRUE(Session().IsOpen());

    script.files.push_back(
        WriteImportBitmap(folder.File("lake.bmp"), 50, 25, TERRAIN_TYPE_OCEAN, true));
    frame.OnImportBitmap();
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1].text,
              "The import bitmap contains an unknown color, which has been mapped to grass.");
    EXPECT_EQ(Grid().GetWidth(), 50);
    EXPECT_EQ(Grid().GetTileAt(1, 1)->type, TERRAIN_TYPE_GRASS);
    EXPECT_EQ(Grid().GetTileAt(2, 1)->type, TERRAIN_TYPE_OCEAN);
    EXPECT_TRUE(Session().IsOpen());
    EXPECT_EQ(frame.mapPath, "/maps/before.gmp");
    EXPECT_EQ(Session().Overview().GetWidth(), 50);
    EXPECT_EQ(View().maxScrollX, 50 - View().viewport()->width() / 50);
    EXPECT_EQ(frame.windowTitle(), "lake.bmp* - Tarvo Map Editor");
}

TEST_F(EditorTest, ExportAsksBeforeReplacingAndReportsFailure) {
    OpenNewMap(30, 20, TERRAIN_TYPE_GRASS);
    script.files.push_back(folder.File("out.bmp"));
    frame.OnExportBitmap();
    ASSERT_EQ(script.fileChoices.size(), 2u);
    EXPECT_TRUE(script.fileChoices[1].promptOverwrite);
    EXPECT_EQ(script.fileChoices[1].initialPath, "");
    EXPECT_TRUE(std::filesystem::exists(folder.File("out.bmp")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("out_s.bmp")));
    EXPECT_TRUE(script.messages.empty());

    script.files.push_back(folder.Path() + "/missing/out.bmp");
    frame.OnExportBitmap();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, "Unable to export map");
}

TEST_F(EditorTest, PromptsTooltipsAndPanes) {
    QAction* random = frame.Command(kCmdRandomSubtype);
    EXPECT_EQ(random->statusTip(), "Select a random subtype for each tile you paint or fill");
    EXPECT_EQ(random->toolTip(), "Use random subtypes where possible");
    EXPECT_EQ(frame.Command(kCmdSelectRect)->toolTip(), "Drags a select rectangle ");
    EXPECT_EQ(frame.Command(kCmdOpenGameData)->statusTip(), "Open the Tarvo.ini ");
    EXPECT_EQ(frame.Command(kCmdUndo)->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(frame.Command(kCmdSaveMap)->shortcut(), QKeySequence("Ctrl+S"));

    QStatusBar* bar = frame.findChild<QStatusBar*>();
    frame.Command(kCmdNew)->showStatusText(bar);
    EXPECT_EQ(bar->currentMessage(), "Creates a new map");

    EXPECT_EQ(frame.CoordinatePaneText(kPaneX), "");  // no map yet
    EXPECT_EQ(frame.CoordinatePaneText(kPaneY), "");
    frame.SetCoordinatePane(kPaneX, 12);
    frame.SetCoordinatePane(kPaneY, 7);
    EXPECT_EQ(frame.CoordinatePaneText(kPaneX), "X: 12");
    EXPECT_EQ(frame.CoordinatePaneText(kPaneY), "Y: 7");

    EXPECT_EQ(CAboutDialog::VersionText(), "Tarvo Map Editor Version 1.0.0.75");

    frame.Command(kCmdStatusBar)->trigger();
    EXPECT_FALSE(bar->isVisible());
    frame.Command(kCmdToolbar)->trigger();
    EXPECT_FALSE(frame.Command(kCmdToolbar)->isChecked());
}
