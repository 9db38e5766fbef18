// The River Brush as the designer drags it: the river drawn as it will be, kept on release,
// taken back with Esc or the right button, erased with Ctrl, one step each.
#include <QTest>

#include "editor/command_ids.h"
#include "editor_fixture.h"
#include "model/terrain_type.h"
#include "rivers/river_pieces.h"

namespace {

class RiverBrushTest : public EditorTest {
  protected:
    void SetUp() override {
        OpenNewMap(20, 12, TERRAIN_TYPE_GRASS);
        frame.Command(kCmdRiverBrush)->trigger();
        Choice().SelectRiver(kNarrowRiver);
    }
    QWidget* Viewport() { return View().viewport(); }
    static QPoint Centre(int col, int row) { return QPoint(col * 50 + 25, row * 50 + 25); }
    void DragFrom(QPoint from, std::initializer_list<QPoint> through,
                  Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(Viewport(), Qt::LeftButton, keys, from);
        for (QPoint at : through) {
            QTest::mouseMove(Viewport(), at);
        }
    }
    int RiverTiles() { return static_cast<int>(Grid().TilesWithRivers().size()); }
};

TEST_F(RiverBrushTest, ARiverFollowsTheDragAndTheReleaseKeepsIt) {
    // Diagonally across: the river goes through edge neighbours, and shows while dragging.
    DragFrom(Centre(2, 2), {Centre(4, 4), Centre(8, 4)});
    EXPECT_EQ(RiverTiles(), 2 + 2 + 1 + 4);
    QTest::keyClick(frame.EditorWnd(), Qt::Key_Escape);
    EXPECT_EQ(RiverTiles(), 0);
    EXPECT_FALSE(frame.Command(kCmdUndo)->isEnabled());

    DragFrom(Centre(2, 2), {Centre(2, 6)});
    QTest::mousePress(Viewport(), Qt::RightButton, {}, Centre(2, 6));
    EXPECT_EQ(RiverTiles(), 0);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, Centre(2, 6));

    DragFrom(Centre(2, 5), {Centre(12, 5)});
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, Centre(12, 5));
    EXPECT_EQ(RiverTiles(), 11);
    EXPECT_EQ(RiverPieceInfoAt(Grid().GetOverlays(2, 5).back().cell).shape,
              RiverPieceShape::kSource);
    EXPECT_EQ(RiverPieceInfoAt(Grid().GetOverlays(7, 5).back().cell).exits,
              kRiverExitLeft | kRiverExitRight);
    EXPECT_EQ(frame.Command(kCmdUndo)->text(), "&Undo River Brush");

    // Ctrl erases a stretch, and the two ends left become sources.
    DragFrom(Centre(6, 5), {Centre(8, 5)}, Qt::ControlModifier);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, Centre(8, 5));
    EXPECT_EQ(RiverTiles(), 8);
    EXPECT_EQ(RiverPieceInfoAt(Grid().GetOverlays(5, 5).back().cell).shape,
              RiverPieceShape::kSource);
    frame.Command(kCmdUndo)->trigger();
    frame.Command(kCmdUndo)->trigger();
    EXPECT_EQ(RiverTiles(), 0);
}

}  // namespace
