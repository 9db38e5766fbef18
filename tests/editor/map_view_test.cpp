#include "editor/map_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "editor/command_ids.h"
#include "editor/overview_wnd.h"
#include "editor_fixture.h"
#include "model/terrain_type.h"

namespace {

constexpr QRgb kNoArt = 0xFF3C3C3C;

QRgb SheetPixel(const CDibImage& sheet, int x, int y) {
    const uint8_t* p = sheet.PixelPtr(x, y);
    return qRgb(p[2], p[1], p[0]);
}

// What the view must show at scroll position (left, top), taken straight from the art sheets
// (the test maps carry no rivers except where a test checks them itself).
QImage ExpectedView(const CMapArt& art, int left, int top, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            int col = left + x / 50;
            int row = top + y / 50;
            QRgb pixel = kNoArt;
            if (art.Grid().Contains(col, row)) {
                SheetCell cell = art.TileArt(col, row);
                pixel = SheetPixel(*cell.sheet, cell.x + x % 50, cell.y + y % 50);
            }
            image.setPixel(x, y, pixel);
        }
    }
    return image;
}

// Sends a mouse event with the given buttons held, as the platform would while dragging.
void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class MapViewTest : public EditorTest {
  protected:
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(frame.EditorWnd(), static_cast<Qt::Key>(key), modifiers);
        Settle();
    }
    bool ShowsTheArt() {
        return GrabView() == ExpectedView(Session().Art(), View().scrollX, View().scrollY,
                                          View().viewport()->size());
    }
};

}  // namespace

TEST_F(MapViewTest, PaintsTheArtOfEachTileAndNoArtBeyondTheMap) {
    // Nothing open: all no-art grey.
    QImage empty = GrabView();
    EXPECT_EQ(empty.pixel(0, 0), kNoArt);
    EXPECT_EQ(empty.pixel(empty.width() - 1, empty.height() - 1), kNoArt);

    OpenNewMap(8, 30, TERRAIN_TYPE_GRASS);
    Grid().SetTile(TERRAIN_TYPE_WOODS, 5, 1, 2);
    Grid().SetTile(TERRAIN_TYPE_FARM, 30, 7, 0);
    View().InvalidateTileRect(0, 0, 8, 3);
    Settle();
    EXPECT_TRUE(ShowsTheArt());
    EXPECT_EQ(View().maxScrollX, 0);
    EXPECT_FALSE(View().horizontalScrollBar()->isEnabled());
    EXPECT_TRUE(View().verticalScrollBar()->isEnabled());

    // A river piece goes over the terrain, its magenta left out.
    Grid().AddOverlay(3, 1, 0, 4);
    View().InvalidateTile(3, 1);
    Settle();
    QImage grabbed = GrabView();
    const CDibImage& piece = *Session().Art().OverlayPieceAt(3, 1, 0);
    SheetCell under = Session().Art().TileArt(3, 1);
    int riverPixels = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            QRgb pieceColor = SheetPixel(piece, x, y);
            bool key = pieceColor == qRgb(255, 0, 255);
            riverPixels += !key;
            QRgb expected = key ? SheetPixel(*under.sheet, under.x + x, under.y + y) : pieceColor;
            ASSERT_EQ(grabbed.pixel(150 + x, 50 + y), expected) << x << "," << y;
        }
    }
    EXPECT_GT(riverPixels, 0);
}

TEST_F(MapViewTest, KeysScrollByLinesPagesAndToTheEnds) {
    OpenNewMap(100, 80, TERRAIN_TYPE_GRASS);
    CMapView& view = View();
    int cols = view.visibleCols;
    int rows = view.visibleRows;
    ASSERT_GT(cols, 2);
    EXPECT_EQ(cols, (view.viewport()->width() + 49) / 50);

    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(view.GetViewRect(), QRect(1, 2, cols, rows));
    Key(Qt::Key_End);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(view.GetViewRect(), QRect(1 + cols, 2 + rows, cols, rows));
    EXPECT_TRUE(ShowsTheArt());
    Key(Qt::Key_Home);
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(view.GetViewRect(), QRect(0, 1, cols, rows));

    Key(Qt::Key_End, Qt::ControlModifier);
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(view.scrollX, view.maxScrollX);
    EXPECT_EQ(view.scrollY, view.maxScrollY);
    EXPECT_EQ(view.maxScrollX, 100 - view.viewport()->width() / 50);
    EXPECT_TRUE(ShowsTheArt());
    // Further steps stay at the end.
    Key(Qt::Key_Right);
    Key(Qt::Key_End);
    EXPECT_EQ(view.scrollX, view.maxScrollX);

    Key(Qt::Key_Home, Qt::ControlModifier);
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(0, 0));
    EXPECT_TRUE(ShowsTheArt());
    EXPECT_EQ(frame.EditorWnd()->Overview()->markerRect, view.GetViewRect());
}

TEST_F(MapViewTest, ScrollBarsMoveTheViewAndAResizeClampsIt) {
    OpenNewMap(60, 40, TERRAIN_TYPE_GRASS);
    CMapView& view = View();
    view.horizontalScrollBar()->triggerAction(QScrollBar::SliderSingleStepAdd);
    view.verticalScrollBar()->triggerAction(QScrollBar::SliderPageStepAdd);
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(1, view.visibleRows));
    // Dragging the thumb moves the view as it goes.
    view.horizontalScrollBar()->setSliderDown(true);
    view.horizontalScrollBar()->setSliderPosition(7);
    EXPECT_EQ(view.scrollX, 7);
    view.horizontalScrollBar()->setSliderPosition(5);
    EXPECT_EQ(view.scrollX, 5);
    view.horizontalScrollBar()->setSliderDown(false);
    EXPECT_EQ(view.scrollX, 5);
    Settle();
    EXPECT_TRUE(ShowsTheArt());

    view.ScrollTo(1000, 1000);
    int oldMax = view.maxScrollX;
    EXPECT_EQ(view.scrollX, oldMax);
    // At the largest position the last column and row are wholly in view.
    EXPECT_LE((60 - view.scrollX) * 50, view.viewport()->width());
    EXPECT_LE((40 - view.scrollY) * 50, view.viewport()->height());

    frame.resize(frame.width() + 300, frame.height() + 200);
    Settle();
    EXPECT_LT(view.maxScrollX, oldMax);
    EXPECT_EQ(view.scrollX, view.maxScrollX);
    EXPECT_EQ(view.scrollY, view.maxScrollY);
    EXPECT_EQ(view.horizontalScrollBar()->value(), view.scrollX);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), view.maxScrollX);
    EXPECT_EQ(frame.EditorWnd()->Overview()->markerRect, view.GetViewRect());
    EXPECT_TRUE(ShowsTheArt());

    // A map that now fits leaves nothing to scroll.
    frame.NewMap(12, 10, TERRAIN_TYPE_DESERT);
    Settle();
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(0, 0));
    EXPECT_FALSE(view.verticalScrollBar()->isEnabled());
}

TEST_F(MapViewTest, ThePointerShowsItsTileInTheStatusBar) {
    QWidget* viewport = View().viewport();
    SendMouse(viewport, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
    EXPECT_EQ(frame.CoordinatePaneText(kPaneX), "");  // no map, no coordinates

    OpenNewMap(30, 30, TERRAIN_TYPE_GRASS);
    View().ScrollTo(3, 0);
    SendMouse(viewport, QEvent::MouseMove, QPoint(9 * 50 + 49, 7 * 50), Qt::NoButton);
    EXPECT_EQ(frame.CoordinatePaneText(kPaneX), "X: 12");
    EXPECT_EQ(frame.CoordinatePaneText(kPaneY), "Y: 7");

    // Beyond the map's last column no tile is pointed at.
    frame.NewMap(8, 30, TERRAIN_TYPE_GRASS);
    Settle();
    SendMouse(viewport, QEvent::MouseMove, QPoint(8 * 50 + 10, 60), Qt::NoButton);
    EXPECT_EQ(frame.CoordinatePaneText(kPaneX), "");
    SendMouse(viewport, QEvent::MouseMove, QPoint(7 * 50 + 10, 60), Qt::NoButton);
    EXPECT_EQ(frame.CoordinatePaneText(kPaneX), "X: 7");
    EXPECT_EQ(frame.CoordinatePaneText(kPaneY), "Y: 1");
    MarkSaved();
    frame.OnCloseMap();
    EXPECT_EQ(frame.CoordinatePaneText(kPaneX), "");
    EXPECT_EQ(frame.CoordinatePaneText(kPaneY), "");
}

TEST_F(MapViewTest, DraggingIntoAMarginScrollsUntilThePointerLeavesIt) {
    QWidget* viewport = View().viewport();
    SendMouse(viewport, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
    EXPECT_EQ(Messages(), std::vector<std::string>{"You need to load a map before you can edit"});
    EXPECT_FALSE(View().dragging);

    OpenNewMap(100, 80, TERRAIN_TYPE_GRASS);
    CMapView& view = View();
    QPoint centre(viewport->width() / 2, viewport->height() / 2);
    SendMouse(viewport, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    EXPECT_TRUE(view.dragging);

    QPoint rightMargin(viewport->width() - 5, centre.y());
    SendMouse(viewport, QEvent::MouseMove, rightMargin, Qt::LeftButton);
    EXPECT_EQ(view.scrollX, 1);
    EXPECT_EQ(view.scrollY, 0);
    // The tile under the pointer before the step.
    EXPECT_EQ(view.hoverCol, rightMargin.x() / 50);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.scrollX >= 3; }, 5000));
    EXPECT_EQ(view.scrollY, 0);

    SendMouse(viewport, QEvent::MouseMove, centre, Qt::LeftButton);
    int stopped = view.scrollX;
    QTest::qWait(250);
    EXPECT_EQ(view.scrollX, stopped);

    SendMouse(viewport, QEvent::MouseMove, QPoint(5, 5), Qt::LeftButton);
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(stopped - 1, 0));
    SendMouse(viewport, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
    EXPECT_FALSE(view.dragging);
    int released = view.scrollX;
    QTest::qWait(250);
    EXPECT_EQ(view.scrollX, released);
    Session().SetSelection(QRect());  // the drag selected tiles, which stay framed
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(viewport, &leave);
    Settle();
    EXPECT_TRUE(ShowsTheArt());

    // Zoomed out, a step goes as far in pixels as at full size: five tiles at 10 pixels.
    view.SetTileSize(10, QPoint());
    view.ScrollTo(0, 0);
    ASSERT_GT(view.maxScrollX, 5);
    SendMouse(viewport, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    SendMouse(viewport, QEvent::MouseMove, rightMargin, Qt::LeftButton);
    EXPECT_EQ(view.scrollX, 5);
    SendMouse(viewport, QEvent::MouseButtonRelease, rightMargin, Qt::NoButton);
}
