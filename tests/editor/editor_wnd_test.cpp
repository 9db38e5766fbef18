#include "editor/editor_wnd.h"

#include "editor/map_view.h"
#include "editor/overview_wnd.h"
#include "editor_fixture.h"
#include "model/terrain_type.h"

namespace {

QRect Edges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect GeometryOf(const char* pane, const CEditorWnd& wnd) {
    QWidget* widget = wnd.findChild<QWidget*>(pane, Qt::FindDirectChildrenOnly);
    return widget ? widget->geometry() : QRect();
}

}  // namespace

TEST_F(EditorTest, PanesFollowTheWindowsSize) {
    OpenNewMap(60, 40, TERRAIN_TYPE_GRASS);
    for (QSize size : {QSize(1024, 768), QSize(800, 600), QSize(1400, 900)}) {
        frame.resize(size);
        Settle();
        const CEditorWnd& wnd = *frame.EditorWnd();
        int cx = wnd.width();
        int cy = wnd.height();
        EXPECT_EQ(GeometryOf("mapView", wnd), Edges(0, 0, cx - 255, cy));
        EXPECT_EQ(GeometryOf("typePalette", wnd), Edges(cx - 225, 0, cx, 125));
        EXPECT_EQ(GeometryOf("subtypePalette", wnd), Edges(cx - 225, 130, cx, 355));
        EXPECT_EQ(GeometryOf("tilePreview", wnd), Edges(cx - 252, 360, cx - 202, 410));
        // The overview's picture area; its border lies around it.
        int left = cx + 10 - (60 + 225) / 2;
        EXPECT_EQ(wnd.overviewRect, Edges(left, 360, left + 60, 400));
        EXPECT_EQ(GeometryOf("overview", wnd), Edges(left - 1, 359, left + 61, 401));
        EXPECT_EQ(wnd.Overview()->contentsRect().size(), QSize(60, 40));
    }

    // A bigger map moves the overview along.
    frame.NewMap(192, 112, TERRAIN_TYPE_OCEAN);
    int left = frame.EditorWnd()->width() + 10 - (192 + 225) / 2;
    EXPECT_EQ(frame.EditorWnd()->overviewRect, Edges(left, 360, left + 192, 472));
    EXPECT_TRUE(frame.EditorWnd()->Overview()->isVisible());
}
