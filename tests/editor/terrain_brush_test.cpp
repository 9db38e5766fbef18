// The terrain brush, Bucket Fill and Fix Transitions as the designer uses them: the tools and
// commands of the Edit menu, the mouse, and the marks of tiles that no cell fits.
#include <QStatusBar>
#include <QTest>

#include "editor/command_ids.h"
#include "editor_fixture.h"
#include "model/terrain_type.h"
#include "transitions/transition_test_maps.h"

namespace {

const int kCoastSheets[] = {TERRAIN_TYPE_GRASS_OCEAN_A, TERRAIN_TYPE_GRASS_OCEAN_B,
                            TERRAIN_TYPE_GRASS_OCEAN_C, TERRAIN_TYPE_DESERT_OCEAN};

bool IsLand(int type) {
    return type != TERRAIN_TYPE_OCEAN && type != TERRAIN_TYPE_SHALLOW;
}

class TerrainBrushTest : public EditorTest {
  protected:
    void SetUp() override { OpenNewMap(20, 14, TERRAIN_TYPE_OCEAN); }
    QWidget* Viewport() { return View().viewport(); }
    static QPoint Centre(int col, int row) { return QPoint(col * 50 + 25, row * 50 + 25); }
    int CountOf(int type) {
        int count = 0;
        for (int i = 0; i < Grid().GetWidth() * Grid().GetHeight(); ++i) {
            count += Grid().Tiles()[i].type == type;
        }
        return count;
    }
    int Disagreeing() { return DisagreeingNeighbours(Grid(), IsLand, kCoastSheets, 4); }
};

// A drag of the 3 x 3 brush paints land with its coast; the outline shows the brush; one Undo
// takes the stroke back. Bucket Fill turns the island to desert, coast and all.
TEST_F(TerrainBrushTest, BrushAndBucketFillPaintTerrainWithItsCoast) {
    Choice().SelectType(TERRAIN_TYPE_GRASS);
    frame.Command(kCmdTerrainBrush)->trigger();
    frame.Command(kCmdBrushSize3)->trigger();
    ASSERT_EQ(Choice().Tool(), EditTool::TerrainBrush);
    ASSERT_EQ(Choice().BrushSize(), 3);
    QTest::mouseMove(Viewport(), Centre(5, 5));
    EXPECT_EQ(View().Outline().boundingRect(), QRect(4 * 50, 4 * 50, 150, 150));

    QTest::mousePress(Viewport(), Qt::LeftButton, {}, Centre(5, 5));
    for (int col = 6; col <= 9; ++col) {
        QTest::mouseMove(Viewport(), Centre(col, 5));
    }
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, Centre(9, 5));
    EXPECT_EQ(Grid().GetTileAt(7, 5)->type, TERRAIN_TYPE_GRASS);
    EXPECT_GT(CountOf(TERRAIN_TYPE_GRASS_OCEAN_A) + CountOf(TERRAIN_TYPE_GRASS_OCEAN_B), 10);
    EXPECT_EQ(Disagreeing(), 0);
    EXPECT_TRUE(Session().Unfit().empty());
    EXPECT_EQ(frame.Command(kCmdUndo)->text(), "&Undo Terrain Brush");

    frame.Command(kCmdBucketFill)->trigger();
    Choice().SelectType(TERRAIN_TYPE_DESERT);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, Centre(7, 5));
    EXPECT_EQ(CountOf(TERRAIN_TYPE_GRASS), 0);
    EXPECT_EQ(CountOf(TERRAIN_TYPE_GRASS_OCEAN_A) + CountOf(TERRAIN_TYPE_GRASS_OCEAN_B), 0);
    EXPECT_GT(CountOf(TERRAIN_TYPE_DESERT_OCEAN), 10);
    EXPECT_EQ(Disagreeing(), 0);
    EXPECT_EQ(frame.Command(kCmdUndo)->text(), "&Undo Bucket Fill");

    frame.Command(kCmdUndo)->trigger();
    frame.Command(kCmdUndo)->trigger();
    EXPECT_EQ(CountOf(TERRAIN_TYPE_OCEAN), 20 * 14);
}

// Fix Transitions gives plain tiles their coasts, in the selection or the whole map; a tile on
// the selection's rim that no cell fits is framed red until the next edit.
TEST_F(TerrainBrushTest, FixTransitionsMarksWhatItCannotFit) {
    Session().Editor().FillRect(TERRAIN_TYPE_GRASS, 1, {4, 4, 10, 9});
    for (int at : {10, 11, 12}) {
        Session().Editor().FillRect(TERRAIN_TYPE_GRASS, 1, {at, at - 1, at + 1, at});
    }
    Session().SetSelection(QRect(11, 10, 1, 1));
    frame.Command(kCmdFixTransitions)->trigger();
    ASSERT_EQ(Session().Unfit(), std::vector<QPoint>{QPoint(11, 10)});
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              "Fix Transitions: 1 tiles changed; 1 without a fitting cell");
    Session().SetSelection(QRect());  // its band would cover the mark
    Settle();
    EXPECT_EQ(GrabView().pixel(11 * 50, 10 * 50 + 20), CMapView::kMarkColour);
    EXPECT_TRUE(OnScreen(Viewport()) == GrabView());

    frame.Command(kCmdFixTransitions)->trigger();
    EXPECT_TRUE(Session().Unfit().empty());
    EXPECT_EQ(Disagreeing(), 0);
    EXPECT_EQ(frame.Command(kCmdUndo)->text(), "&Undo Fix Transitions");
    Settle();
    EXPECT_NE(GrabView().pixel(11 * 50, 10 * 50 + 20), CMapView::kMarkColour);
    EXPECT_TRUE(OnScreen(Viewport()) == GrabView());
}

}  // namespace
