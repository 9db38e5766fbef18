// What a day of work with the editor leans on: the game data remembered, maps opened from the
// command line, by a drop or from the recent list, Save without a dialog, zoom, the outline of
// the tiles a click would set, and menus reachable by unique letters.
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <filesystem>
#include <set>

#include "editor/command_ids.h"
#include "editor/editor_settings.h"
#include "editor/overview_wnd.h"
#include "editor_fixture.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

class DesignerDayTest : public EditorTest {
  protected:
    std::string StatusText() const { return frame.statusBar()->currentMessage().toStdString(); }
    std::string BundledGameData() const {
        std::filesystem::create_directories(folder.File("gamedata"));
        std::filesystem::copy_file(ShippedGameData(), folder.File("gamedata/tarvo.ini"));
        return folder.File("gamedata/tarvo.ini");
    }
    void Drop(const std::string& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&frame, &enter);
        ASSERT_TRUE(enter.isAccepted()) << path;
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&frame, &drop);
    }
};

}  // namespace

TEST_F(DesignerDayTest, TheGameDataFileIsRememberedAndSaidInTheMessagePane) {
    frame.StartUp({});  // no bundled file, nothing remembered: as before, and no box
    EXPECT_FALSE(frame.gameDataLoaded);
    EXPECT_EQ(
        StatusText().rfind("Unable to read game data: " + folder.File("gamedata/tarvo.ini"), 0), 0u)
        << StatusText();

    std::string bundled = BundledGameData();
    frame.StartUp({});
    EXPECT_TRUE(frame.gameDataLoaded);
    EXPECT_EQ(StatusText(), "Game data read from " + bundled);
    EXPECT_EQ(CEditorSettings::GameDataFile(), bundled);

    // The remembered file wins over the bundled one, until it vanishes.
    std::string own = folder.Write("own.ini", "");
    std::filesystem::copy_file(ShippedGameData(), own,
                               std::filesystem::copy_options::overwrite_existing);
    CEditorSettings::SetGameDataFile(own);
    CMainFrame next(folder.Path());
    next.StartUp({});
    EXPECT_TRUE(next.gameDataLoaded);
    std::filesystem::remove(own);
    CMainFrame after(folder.Path());
    after.StartUp({});
    EXPECT_FALSE(after.gameDataLoaded);
    EXPECT_NE(after.statusBar()->currentMessage().indexOf("own.ini"), -1);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DesignerDayTest, MapsOpenFromTheCommandLineADropAndTheRecentList) {
    BundledGameData();
    OpenNewMap(30, 20, TERRAIN_TYPE_DESERT);
    std::string first = SaveAs("first.gmp");
    std::filesystem::create_directories(folder.File("other"));
    script.files.push_back(folder.File("other/first.gmp"));
    frame.OnSaveMapAs();
    std::string second = folder.File("other/first.gmp");

    CMainFrame started(folder.Path());
    started.StartUp({first});
    EXPECT_TRUE(started.Session().IsOpen());
    EXPECT_EQ(started.Session().FilePath(), first);

    // Two maps of one name are told apart by their folders, newest first.
    QMenu* file = frame.menuBar()->findChildren<QMenu*>()[0];
    QStringList recent;
    for (QAction* action : file->actions()) {
        if (action->text().startsWith('&') && action->text()[1].isDigit()) {
            recent << action->text();
        }
    }
    EXPECT_EQ(recent, QStringList({"&1 " + QString::fromStdString(second),
                                   "&2 " + QString::fromStdString(first)}));

    // A drop asks first about the modified map.
    Session().Editor().FillRect(TERRAIN_TYPE_WOODS, 1, {0, 0, 2, 2});
    script.answers.push_back(MessageAnswer::No);
    Drop(second);
    EXPECT_EQ(Messages(), std::vector<std::string>({"Map has been edited, save first?"}));
    EXPECT_EQ(Session().FilePath(), second);

    // A vanished map goes from the list with a message.
    std::filesystem::remove(first);
    frame.UpdateFrameState();
    QAction* vanished = nullptr;
    for (QAction* action : file->actions()) {
        vanished = action->text().endsWith(QString::fromStdString(first)) ? action : vanished;
    }
    ASSERT_NE(vanished, nullptr);
    vanished->trigger();
    EXPECT_EQ(Messages().back(),
              "The map " + first + " is no longer there; it was taken off the list.");
    EXPECT_EQ(CEditorSettings::RecentMaps(), QStringList({QString::fromStdString(second)}));
}

TEST_F(DesignerDayTest, SaveWritesToTheMapsOwnFileWithoutAsking) {
    OpenNewMap(30, 20, TERRAIN_TYPE_DESERT);
    script.files.push_back(folder.File("asked.gmp"));
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);  // no file yet: the dialog asks
    ASSERT_EQ(script.fileChoices.size(), 2u);
    EXPECT_EQ(Session().FilePath(), folder.File("asked.gmp"));

    Session().Editor().FillRect(TERRAIN_TYPE_WOODS, 1, {0, 0, 2, 2});
    auto written = std::filesystem::last_write_time(Session().FilePath());
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(script.fileChoices.size(), 2u);
    EXPECT_FALSE(Session().IsModified());
    EXPECT_GE(std::filesystem::last_write_time(Session().FilePath()), written);
    EXPECT_EQ(frame.Command(kCmdSaveMapAs)->shortcut(), QKeySequence("Ctrl+Shift+S"));
}

TEST_F(DesignerDayTest, ZoomKeepsTheTileUnderThePointerAndEverythingFollows) {
    OpenNewMap(192, 112, TERRAIN_TYPE_GRASS);
    CMapView& view = View();
    view.ScrollTo(40, 30);
    QPoint pointer(333, 222);  // over tile (46, 34)
    ASSERT_EQ(view.PixelToTile(pointer), QPoint(46, 34));
    frame.EditorWnd()->Zoom(-1, pointer);
    EXPECT_EQ(view.TileSize(), 25);
    EXPECT_EQ(view.PixelToTile(pointer), QPoint(46, 34));
    frame.EditorWnd()->Zoom(-1, pointer);
    EXPECT_EQ(view.TileSize(), 10);
    EXPECT_EQ(view.PixelToTile(pointer), QPoint(46, 34));
    frame.EditorWnd()->Zoom(-1, pointer);
    EXPECT_EQ(view.TileSize(), 5);
    // The whole map shows at 5 pixels a tile, so it cannot stay under the pointer.
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(0, 0));
    EXPECT_EQ(view.PixelToTile(pointer), QPoint(333 / 5, 222 / 5));
    EXPECT_EQ(frame.EditorWnd()->Overview()->markerRect, view.GetViewRect());
    EXPECT_FALSE(frame.Command(kCmdZoomOut)->isEnabled());
    Settle();
    EXPECT_TRUE(OnScreen(view.viewport()) == GrabView());

    // Zoom to Fit: the largest level that shows the whole map.
    frame.EditorWnd()->Zoom(0, pointer);
    frame.Command(kCmdZoomToFit)->trigger();
    const QSize pane = view.viewport()->size();
    const int fit = view.TileSize();
    EXPECT_TRUE(fit == 5 || (fit * 192 <= pane.width() && fit * 112 <= pane.height()));
    EXPECT_TRUE(fit == 50 || fit * 2 * 192 > pane.width() || fit * 2 * 112 > pane.height());
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(0, 0));
    view.SetTileSize(10, QPoint());

    // Near the map's edge the view stops at it.
    view.ScrollTo(0, 0);
    frame.EditorWnd()->Zoom(1, QPoint(5, 5));
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(0, 0));

    // Tools work in map tiles at any zoom: a Rect of Terrain drag at 25 pixels a tile.
    Choice().SelectType(TERRAIN_TYPE_WOODS);
    Choice().SetTool(EditTool::RectOfTerrain);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(70, 30));
    EXPECT_EQ(Grid().GetTileAt(2, 1)->type, TERRAIN_TYPE_WOODS);
    EXPECT_EQ(Grid().GetTileAt(3, 1)->type, TERRAIN_TYPE_GRASS);
    QTest::keyClick(&frame, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view.TileSize(), 50);

    // The wheel: down a notch, with Shift sideways, with Ctrl a zoom about the pointer.
    auto wheel = [&](Qt::KeyboardModifiers keys) {
        QWheelEvent event(QPointF(300, 200), view.viewport()->mapToGlobal(QPointF(300, 200)),
                          QPoint(), QPoint(0, -120), Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
    };
    view.ScrollTo(10, 10);
    wheel(Qt::NoModifier);
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(10, 10 + QApplication::wheelScrollLines()));
    wheel(Qt::ShiftModifier);
    EXPECT_EQ(view.scrollX, 10 + QApplication::wheelScrollLines());
    QPoint under = view.PixelToTile(QPoint(300, 200));
    wheel(Qt::ControlModifier);
    EXPECT_EQ(view.TileSize(), 25);
    EXPECT_EQ(view.PixelToTile(QPoint(300, 200)), under);
}

// The outline shows where a click lands: the whole stamp with a stamp cell chosen, only its
// part inside the map near an edge.
TEST_F(DesignerDayTest, TheOutlineShowsTheTilesAClickWouldSet) {
    OpenNewMap(20, 20, TERRAIN_TYPE_GRASS);
    CMapView& view = View();
    QTest::mouseMove(view.viewport(), QPoint(125, 125));
    EXPECT_EQ(view.Outline().boundingRect(), QRect(100, 100, 50, 50));
    // Grass-Ocean A's cells 6 and 15 are one stamp: the chosen cell 15 lands on the tile, 6
    // above it.
    Choice().SelectType(TERRAIN_TYPE_GRASS_OCEAN_A);
    Choice().SelectCell(15);
    Choice().SetTool(EditTool::PaintTerrain);
    EXPECT_EQ(view.Outline().boundingRect(), QRect(100, 50, 50, 100));
    QTest::mouseMove(view.viewport(), QPoint(125, 25));  // the top row: cell 6 falls outside
    EXPECT_EQ(view.Outline().boundingRect(), QRect(100, 0, 50, 50));
    Settle();
    EXPECT_TRUE(OnScreen(view.viewport()) == GrabView());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.viewport(), &leave);
    EXPECT_TRUE(view.Outline().isEmpty());
    EXPECT_EQ(frame.CoordinatePaneText(kPaneX), "");
}

TEST_F(DesignerDayTest, EveryMenuReachesEachItemByItsOwnLetter) {
    for (QMenu* menu : frame.menuBar()->findChildren<QMenu*>()) {
        std::set<QChar> letters;
        for (QAction* action : menu->actions()) {
            int amp = action->text().indexOf('&');
            if (amp >= 0 && amp + 1 < action->text().size()) {
                QChar letter = action->text()[amp + 1].toLower();
                EXPECT_TRUE(letters.insert(letter).second)
                    << menu->title().toStdString() << ": " << action->text().toStdString();
            }
        }
    }
    EXPECT_EQ(frame.Command(kCmdImportCityArt)->text(), "I&mport City Art");
    frame.resize(100, 100);
    Settle();
    EXPECT_GE(frame.EditorWnd()->width(), 255 + 200);
    EXPECT_GE(frame.EditorWnd()->height(), 410);
}

TEST_F(DesignerDayTest, ReopeningAMapReturnsToWhereTheDesignerWas) {
    OpenNewMap(100, 80, TERRAIN_TYPE_GRASS);
    const std::string north = SaveAs("north.gmp");
    OpenNewMap(60, 50, TERRAIN_TYPE_DESERT);
    const std::string south = SaveAs("south.gmp");

    ASSERT_TRUE(frame.OpenMapFile(north));
    View().SetTileSize(25, QPoint());
    View().ScrollTo(30, 20);
    ASSERT_TRUE(frame.OpenMapFile(south));
    View().ScrollTo(7, 9);
    ASSERT_TRUE(frame.OpenMapFile(north));
    EXPECT_EQ(View().TileSize(), 25);
    EXPECT_EQ(View().GetViewRect().topLeft(), QPoint(30, 20));

    // The map shrank meanwhile: as close as it allows. A map never opened starts at the top left.
    CMapDocument smaller;
    ASSERT_TRUE(smaller.MakeNew(40, 30, TERRAIN_TYPE_GRASS));
    ASSERT_EQ(smaller.Save(north), 0);
    ASSERT_TRUE(frame.OpenMapFile(south));
    ASSERT_TRUE(frame.OpenMapFile(north));
    EXPECT_EQ(View().TileSize(), 25);
    EXPECT_EQ(View().scrollX, View().maxScrollX);
    EXPECT_EQ(View().scrollY, std::min(20, View().maxScrollY));
    EXPECT_LT(View().scrollX, 30);
    ASSERT_EQ(smaller.Save(folder.File("east.gmp")), 0);
    ASSERT_TRUE(frame.OpenMapFile(folder.File("east.gmp")));
    EXPECT_EQ(View().GetViewRect().topLeft(), QPoint(0, 0));
}
