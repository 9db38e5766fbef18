#include "editor/map_check_dock.h"

#include <QListWidget>
#include <QTest>

#include "editor/command_ids.h"
#include "editor_fixture.h"
#include "model/terrain_type.h"

// View > Map Check lists the open map's faults, follows its edits, and a line chooses its tile.
TEST_F(EditorTest, TheMapCheckListsFaultsAndAClickChoosesTheTile) {
    OpenNewMap(40, 30, TERRAIN_TYPE_GRASS);
    Grid().SetTile(TERRAIN_TYPE_CUSTOM_1, 1, 33, 25);
    frame.Command(kCmdMapCheck)->trigger();
    Settle();
    auto* list = frame.MapCheck()->findChild<QListWidget*>("findings");
    ASSERT_TRUE(frame.MapCheck()->isVisible());
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "tile 33,25: Custom 1 has no art");

    list->itemClicked(list->item(0));
    EXPECT_EQ(Session().Selection(), QRect(33, 25, 1, 1));

    // Painting the tile over mends it; the list follows shortly after.
    Session().Editor().FillRect(TERRAIN_TYPE_GRASS, 1, TileRect{33, 25, 34, 26});
    QTRY_COMPARE(list->item(0)->text(), QString("Nothing to report."));
}
