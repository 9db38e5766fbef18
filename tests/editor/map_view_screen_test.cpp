// What the window really shows after scrolling: the pixels the view moved and the strips it
// painted, and the scroll bars' partial repaints.

#include <QScrollBar>
#include <QTest>
#include <functional>

#include "edit/tile_block.h"
#include "editor/command_ids.h"
#include "editor/overview_wnd.h"
#include "editor_fixture.h"
#include "model/terrain_type.h"

namespace {

class MapViewScreenTest : public EditorTest {
  protected:
    // Every tile different from its neighbours, rivers on some.
    void OpenMixedMap(int width, int height) {
        OpenNewMap(width, height, TERRAIN_TYPE_GRASS);
        const int types[] = {TERRAIN_TYPE_WOODS, TERRAIN_TYPE_HILLS_1, TERRAIN_TYPE_FARM,
                             TERRAIN_TYPE_DESERT, TERRAIN_TYPE_OCEAN};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                Grid().SetTile(types[(x + 2 * y) % 5], 0, x, y);
                if ((x + y) % 3 == 0) {
                    Grid().AddOverlay(x, y, 0, (x * 7 + y) % 81);
                }
            }
        }
        View().InvalidateTileRect(0, 0, width, height);
        Settle();
    }
    // The view shows what a fresh paint of it shows, and each scroll bar what a full repaint
    // of it shows.
    void ExpectShownAsPainted(const char* step) {
        Settle();
        QWidget* viewport = View().viewport();
        EXPECT_TRUE(OnScreen(viewport) == GrabView()) << step;
        for (QScrollBar* bar : {View().horizontalScrollBar(), View().verticalScrollBar()}) {
            QImage shown = OnScreen(bar);
            bar->repaint();
            EXPECT_TRUE(shown == OnScreen(bar)) << step << " " << bar->orientation();
        }
    }
};

}  // namespace

TEST_F(MapViewScreenTest, ScrollsShowWhatAFullPaintShows) {
    OpenMixedMap(90, 70);
    CMapView& view = View();
    ASSERT_GT(view.maxScrollX, 4);
    ASSERT_GT(view.maxScrollY, 4);
    ExpectShownAsPainted("opened");

    view.ScrollTo(1, 0);
    ExpectShownAsPainted("one column on");
    view.ScrollTo(1, 1);
    view.ScrollTo(2, 1);
    ExpectShownAsPainted("two steps before a paint");
    view.ScrollTo(0, 3);
    ExpectShownAsPainted("back to the left end, down");
    view.horizontalScrollBar()->triggerAction(QScrollBar::SliderPageStepAdd);
    view.verticalScrollBar()->triggerAction(QScrollBar::SliderSingleStepSub);
    ExpectShownAsPainted("bars used");
    // The thumb dragged without tracking, then let go elsewhere by the keyboard's way.
    view.horizontalScrollBar()->setSliderDown(true);
    view.horizontalScrollBar()->setSliderPosition(view.maxScrollX / 2);
    Settle();
    view.horizontalScrollBar()->setSliderDown(false);
    view.ScrollTo(view.scrollX + 1, view.scrollY);
    ExpectShownAsPainted("thumb dragged");
    view.ScrollTo(view.maxScrollX, view.maxScrollY);
    ExpectShownAsPainted("far end");
    Grid().SetTile(TERRAIN_TYPE_OCEAN, 0, view.scrollX + 1, view.scrollY + 1);
    view.InvalidateTile(view.scrollX + 1, view.scrollY + 1);
    ExpectShownAsPainted("a tile changed");
}

TEST_F(MapViewScreenTest, TheBandComesAndGoesWithoutDrawingTheTilesUnderIt) {
    OpenMixedMap(90, 70);
    Choice().SetTool(EditTool::RectOfTerrain);
    QWidget* viewport = View().viewport();
    QImage before = OnScreen(viewport);
    // Changed behind the view's back: only drawing the tile from the map would show it.
    Grid().SetTile(TERRAIN_TYPE_OCEAN, 1, 3, 2);

    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(75, 75));
    QTest::mouseMove(viewport, QPoint(180, 130));
    QTest::mouseMove(viewport, QPoint(260, 300));
    Settle();
    EXPECT_NE(OnScreen(viewport), before);
    // Back to the pressed tile: the band went over the changed tile and left it as it was.
    QTest::mouseMove(viewport, QPoint(70, 80));
    Settle();
    QRect changedTile(150, 100, 50, 50);
    EXPECT_EQ(OnScreen(viewport).copy(changedTile), before.copy(changedTile));

    Grid().SetTile(TERRAIN_TYPE_GRASS_DESERT, 1, 3, 2);
    View().InvalidateTile(3, 2);
    QTest::mouseMove(viewport, QPoint(300, 200));
    QTest::mouseMove(viewport, QPoint(200, 300));
    ExpectShownAsPainted("two moves before a paint, a tile changed under the band");
    QTest::mouseMove(viewport, QPoint(viewport->width() - 5, 200));
    ExpectShownAsPainted("scrolled while dragging");
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, 200));
    ExpectShownAsPainted("filled");
}

// The selection and the paste frame stay on their tiles while the map scrolls under them.
TEST_F(MapViewScreenTest, TheSelectionStaysOnItsTilesWhenTheMapScrolls) {
    OpenMixedMap(90, 70);
    Choice().SetTool(EditTool::SelectRect);
    QWidget* viewport = View().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(175, 125));
    QTest::mouseMove(viewport, QPoint(330, 260));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(330, 260));
    ASSERT_EQ(Session().Selection(), QRect(3, 2, 4, 4));
    ExpectShownAsPainted("selected");
    View().ScrollTo(2, 1);
    EXPECT_EQ(View().bandRect.topLeft(), QPoint(50, 50));
    ExpectShownAsPainted("scrolled");
    frame.EditorWnd()->Copy();
    frame.EditorWnd()->StartPaste();
    QTest::mouseMove(viewport, QPoint(420, 320));
    ExpectShownAsPainted("pasting");
    View().ScrollTo(3, 3);
    ExpectShownAsPainted("scrolled while pasting");
}

// The outline of the tile under a resting pointer follows every scroll, by key or overview,
// and leaves nothing of itself behind.
TEST_F(MapViewScreenTest, TheOutlineFollowsScrollsUnderARestingPointer) {
    OpenMixedMap(90, 70);
    QWidget* viewport = View().viewport();
    const QPoint nearRightEdge(viewport->width() - 30, 125);
    QTest::mouseMove(viewport, nearRightEdge);
    ASSERT_FALSE(View().Outline().isEmpty());
    ExpectShownAsPainted("pointer resting");
    const std::pair<const char*, std::function<void()>> scrolls[] = {
        {"right arrow", [&] { QTest::keyClick(frame.EditorWnd(), Qt::Key_Right); }},
        {"page down", [&] { QTest::keyClick(frame.EditorWnd(), Qt::Key_PageDown); }},
        {"ctrl+end", [&] { QTest::keyClick(frame.EditorWnd(), Qt::Key_End, Qt::ControlModifier); }},
        {"overview click",
         [&] {
             COverviewWnd& overview = *frame.EditorWnd()->Overview();
             QTest::mouseClick(&overview, Qt::LeftButton, {},
                               overview.contentsRect().topLeft() + QPoint(20, 20));
         }},
    };
    for (const auto& [step, scroll] : scrolls) {
        QRect before = View().GetViewRect();
        scroll();
        EXPECT_NE(View().GetViewRect(), before) << step;
        EXPECT_EQ(View().Outline().boundingRect().center(),
                  QPoint(nearRightEdge.x() / 50 * 50 + 24, 2 * 50 + 24))
            << step;
        ExpectShownAsPainted(step);
    }
}

// The block to paste shows under the pointer at half opacity over the map, and goes with Esc.
TEST_F(MapViewScreenTest, PasteShowsTheBlockOverTheMapAtHalfOpacity) {
    OpenMixedMap(30, 20);
    Grid().FillRect(TERRAIN_TYPE_OCEAN, 1, 0, 0, 2, 2);
    Grid().SetOverlays(0, 0, {});
    Choice().SetClipboard(CTileBlock::Copy(Grid(), {0, 0, 2, 2}));
    View().InvalidateTileRect(0, 0, 2, 2);
    Settle();
    QWidget* viewport = View().viewport();
    const QImage before = OnScreen(viewport);

    frame.Command(kCmdPaste)->trigger();
    QTest::mouseMove(viewport, QPoint(6 * 50 + 25, 4 * 50 + 25));
    ExpectShownAsPainted("the block under the pointer");
    const QImage shown = OnScreen(viewport);
    auto half = [](QRgb a, QRgb b) {
        return 0xFF000000u | (((a & 0xFEFEFEu) >> 1) + ((b & 0xFEFEFEu) >> 1));
    };
    // Tile (7, 5) of the map under tile (1, 1) of the block: the same ocean cell as map tile (1,
    // 1).
    for (QPoint inside : {QPoint(10, 12), QPoint(30, 40)}) {
        EXPECT_EQ(
            shown.pixel(QPoint(350, 250) + inside),
            half(before.pixel(QPoint(350, 250) + inside), before.pixel(QPoint(50, 50) + inside)));
    }
    EXPECT_EQ(shown.copy(450, 300, 50, 50), before.copy(450, 300, 50, 50));  // beyond the block

    QTest::keyClick(frame.EditorWnd(), Qt::Key_Escape);
    ExpectShownAsPainted("the paste called off");
    EXPECT_EQ(OnScreen(viewport).copy(350, 250, 50, 50), before.copy(350, 250, 50, 50));
}
