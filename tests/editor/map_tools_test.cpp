#include <QApplication>
#include <QStatusBar>
#include <QTest>

#include "art/overview_picture.h"
#include "editor/command_ids.h"
#include "editor/overview_wnd.h"
#include "editor_fixture.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

constexpr int kWoods = TERRAIN_TYPE_WOODS;

class MapToolsTest : public EditorTest {
  protected:
    void SetUp() override {
        OpenNewMap(12, 10, TERRAIN_TYPE_GRASS);
        MarkSaved();
    }
    QWidget* Viewport() { return View().viewport(); }
    static QPoint Centre(int col, int row) { return QPoint(col * 50 + 25, row * 50 + 25); }

    void Press(QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QTest::mousePress(Viewport(), Qt::LeftButton, keys, at);
    }
    void Move(QPoint at) { QTest::mouseMove(Viewport(), at); }
    void Release(QPoint at) { QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, at); }
    void Click(int col, int row, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        Press(Centre(col, row), keys);
        Release(Centre(col, row));
    }
    void Choose(int type, int cell, EditTool tool) {
        Choice().SelectType(type);
        Choice().SelectCell(cell);
        Choice().SetTool(tool);
    }
    const CTile& Tile(int col, int row) { return *Grid().GetTileAtConst(col, row); }
    int CountOfType(int type) {
        int count = 0;
        for (int row = 0; row < Grid().GetHeight(); ++row) {
            for (int col = 0; col < Grid().GetWidth(); ++col) {
                count += Tile(col, row).type == type;
            }
        }
        return count;
    }
};

TEST_F(MapToolsTest, PaintTerrainSetsTheExactCellOrARandomOneOfTheRightSet) {
    Choose(kWoods, 7, EditTool::PaintTerrain);
    Click(3, 2);
    EXPECT_EQ(Tile(3, 2).type, kWoods);
    EXPECT_EQ(Tile(3, 2).requestedSubtype, 8);
    EXPECT_EQ(Tile(3, 2).subtype, 7);
    EXPECT_TRUE(Session().IsModified());

    // Grass with a second set: cells from 40 on pick from 71 to 80, cells below 40 from 0 to 9.
    theTerrainTable.Record(TERRAIN_TYPE_GRASS).setCount = 2;
    frame.Command(kCmdRandomSubtype)->trigger();
    ASSERT_TRUE(Choice().RandomSubtype());
    for (auto [cell, low, high] : {std::tuple{45, 71, 80}, std::tuple{3, 0, 9}}) {
        Choose(TERRAIN_TYPE_GRASS, cell, EditTool::PaintTerrain);
        for (int col = 0; col < 12; ++col) {
            Click(col, 5);
            EXPECT_GE(Tile(col, 5).subtype, low);
            EXPECT_LE(Tile(col, 5).subtype, high);
        }
    }
}

TEST_F(MapToolsTest, APaintDragPaintsEachTileOnceWhenTheTileIsEntered) {
    Choose(kWoods, 0, EditTool::PaintTerrain);
    Press(QPoint(10, 125));
    for (int col = 0; col < 10; ++col) {
        // Painted on entering the tile; further moves inside it must leave it alone.
        for (int x : {10, 25, 40}) {
            Move(QPoint(col * 50 + x, 125));
            EXPECT_EQ(Tile(col, 2).type, x == 10 ? kWoods : TERRAIN_TYPE_DESERT) << col;
            Grid().SetTile(TERRAIN_TYPE_DESERT, 1, col, 2);
        }
    }
    Release(QPoint(9 * 50 + 40, 125));
    EXPECT_EQ(CountOfType(kWoods), 0);
}

TEST_F(MapToolsTest, RectOfTerrainFillsFromPressToReleaseInEitherDirection) {
    Choose(kWoods, 4, EditTool::RectOfTerrain);
    Press(Centre(5, 6));
    Move(Centre(4, 4));
    EXPECT_EQ(CountOfType(kWoods), 0);
    Release(Centre(2, 3));
    EXPECT_EQ(CountOfType(kWoods), 4 * 4);
    EXPECT_EQ(Tile(2, 3).type, kWoods);
    EXPECT_EQ(Tile(5, 6).subtype, 4);
    EXPECT_TRUE(View().bandRect.isEmpty());

    Choose(TERRAIN_TYPE_DESERT, 0, EditTool::RectOfTerrain);
    Click(2, 3);
    Press(Centre(2, 3));
    Release(Centre(5, 6));
    EXPECT_EQ(CountOfType(kWoods), 0);

    // Released beyond the map's right and bottom edges: only the part inside is filled.
    Choose(kWoods, 0, EditTool::RectOfTerrain);
    Press(Centre(9, 7));
    Release(Centre(13, 11));
    EXPECT_EQ(CountOfType(kWoods), 3 * 3);
}

TEST_F(MapToolsTest, SelectRectShowsABandWhileDraggingAndKeepsItsSelection) {
    Choose(kWoods, 0, EditTool::SelectRect);
    Settle();
    QImage before = GrabView();
    Press(Centre(1, 1));
    Move(Centre(3, 2));
    EXPECT_EQ(View().bandRect, QRect(QPoint(50, 50), QPoint(199, 149)));
    QImage during = GrabView();
    // The frame is a halftone: every other pixel of its five rows and columns is inverted.
    EXPECT_EQ(during.pixel(50, 50), before.pixel(50, 50) ^ 0x00FFFFFF);
    EXPECT_EQ(during.pixel(51, 50), before.pixel(51, 50));
    EXPECT_EQ(during.pixel(55, 55), before.pixel(55, 55));
    Release(Centre(3, 2));
    EXPECT_EQ(Session().Selection(), QRect(1, 1, 3, 2));
    EXPECT_EQ(View().bandRect, QRect(QPoint(50, 50), QPoint(199, 149)));
    EXPECT_FALSE(Session().IsModified());
    QTest::keyClick(frame.EditorWnd(), Qt::Key_Escape);
    EXPECT_TRUE(Session().Selection().isEmpty());
    EXPECT_TRUE(View().bandRect.isEmpty());
    QEvent leave(QEvent::Leave);  // and the tile under the pointer loses its outline
    QApplication::sendEvent(Viewport(), &leave);
    EXPECT_EQ(GrabView(), before);
}

TEST_F(MapToolsTest, AStampPlacesItsInsidePartOnceAtThePressedTile) {
    // Grass-Desert uses stamp table B, where cells 27, 28, 36 and 37 form one stamp.
    Choose(TERRAIN_TYPE_GRASS_DESERT, 28, EditTool::PaintTerrain);
    Press(Centre(0, 0));
    EXPECT_EQ(CountOfType(TERRAIN_TYPE_GRASS_DESERT), 2);
    EXPECT_EQ(Tile(0, 0).requestedSubtype, 29);
    EXPECT_EQ(Tile(0, 1).requestedSubtype, 38);
    Grid().SetTile(TERRAIN_TYPE_GRASS, 1, 0, 0);
    Move(Centre(1, 0));
    Move(Centre(2, 0));
    Release(Centre(2, 0));
    EXPECT_EQ(CountOfType(TERRAIN_TYPE_GRASS_DESERT), 1);
}

TEST_F(MapToolsTest, RiverClicksReplaceAddAndRemoveThePiecesOnTop) {
    Grid().AddOverlay(4, 4, 0, 10);
    Grid().AddOverlay(4, 4, 0, 11);
    Choice().SetTool(EditTool::PaintTerrain);
    Choice().SelectRiver(1);
    Choice().SelectCell(20);
    auto Pieces = [this] {
        std::string text;
        RiverOverlay item;
        for (int k = 0; Grid().GetOverlay(4, 4, k, item); ++k) {
            text += std::to_string(item.kind) + ":" + std::to_string(item.cell) + " ";
        }
        return text;
    };
    Click(4, 4);
    EXPECT_EQ(Pieces(), "0:10 1:20 ");
    EXPECT_TRUE(Session().IsModified());
    Click(4, 4, Qt::ShiftModifier);
    EXPECT_EQ(Pieces(), "0:10 1:20 1:20 ");
    Click(4, 4, Qt::ControlModifier);
    EXPECT_EQ(Pieces(), "0:10 1:20 ");
    Click(4, 4, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Pieces(), "0:10 ");
    // Rivers leave the overview alone, and the terrain under them too.
    EXPECT_EQ(Tile(4, 4).type, TERRAIN_TYPE_GRASS);

    // Select Rect selects whatever is chosen, a river kind too, and places nothing.
    Choice().SetTool(EditTool::SelectRect);
    Press(Centre(4, 4));
    Move(Centre(5, 5));
    Release(Centre(5, 5));
    EXPECT_EQ(Pieces(), "0:10 ");
    EXPECT_EQ(Session().Selection(), QRect(4, 4, 2, 2));
    EXPECT_TRUE(frame.Command(kCmdCopy)->isEnabled());
}

TEST_F(MapToolsTest, NoRiverGoesWhereAMapFileCannotKeepIt) {
    frame.NewMap(300, 20, TERRAIN_TYPE_GRASS);
    MarkSaved();
    Choice().SetTool(EditTool::PaintTerrain);
    Choice().SelectRiver(0);
    View().ScrollTo(250, 0);
    Click(255 - View().scrollX, 3);
    EXPECT_EQ(Grid().GetOverlayCount(255, 3), 0);
    EXPECT_FALSE(Session().IsModified());
    EXPECT_TRUE(frame.statusBar()->currentMessage().contains("255"));
    Click(254 - View().scrollX, 3);
    EXPECT_EQ(Grid().GetOverlayCount(254, 3), 1);
}

TEST_F(MapToolsTest, PaintedTileShowsItsArtInTheViewAndItsColourInTheOverview) {
    Choose(kWoods, 5, EditTool::PaintTerrain);
    Click(2, 1);
    Settle();
    SheetCell cell = Session().Art().BuiltInSheet(kWoods, 5);
    QImage view = GrabView();
    for (QPoint p : {QPoint(0, 0), QPoint(17, 31), QPoint(49, 49)}) {
        const uint8_t* bgr = cell.sheet->PixelPtr(cell.x + p.x(), cell.y + p.y());
        EXPECT_EQ(view.pixel(100 + p.x(), 50 + p.y()), qRgb(bgr[2], bgr[1], bgr[0]));
    }
    COverviewWnd& overview = *frame.EditorWnd()->Overview();
    QImage shown = overview.grab().toImage();
    COLORREF colour = OverviewColor(Session().Art(), kWoods, 5);
    QPoint pixel = overview.contentsRect().topLeft() + QPoint(2, 1);
    EXPECT_EQ(shown.pixel(pixel) & 0xFFFFFF,
              (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF));
}

TEST_F(MapToolsTest, RandomSubtypeIsOfferedOnlyForTypesWithRandomCells) {
    QAction* random = frame.Command(kCmdRandomSubtype);
    random->trigger();
    theTerrainTable.Record(kWoods).subtypeCount = 0;
    Choice().SelectType(kWoods);
    EXPECT_FALSE(random->isEnabled());
    EXPECT_TRUE(random->isChecked());
    // A disabled command ignores its key too.
    QTest::keyClick(&frame, Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(Choice().RandomSubtype());
    Choice().SelectType(TERRAIN_TYPE_GRASS);
    EXPECT_TRUE(random->isEnabled());
}

TEST_F(EditorTest, EditingWithoutAMapSaysSoOncePerClick) {
    QWidget* viewport = View().viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(80, 30));
    EXPECT_EQ(Messages(),
              std::vector<std::string>(2, "You need to load a map before you can edit"));
    EXPECT_FALSE(View().dragging);
}

}  // namespace
