#include "editor/overview_wnd.h"

#include <QTest>

#include "editor_fixture.h"
#include "model/terrain_type.h"

namespace {

QRgb PicturePixel(const CDibImage& picture, int x, int y) {
    const uint8_t* p = picture.PixelPtr(x, y);
    return qRgb(p[2], p[1], p[0]);
}

class OverviewTest : public EditorTest {
  protected:
    void SetUp() override { OpenNewMap(120, 90, TERRAIN_TYPE_GRASS); }
    COverviewWnd& Overview() const { return *frame.EditorWnd()->Overview(); }
    // A point of the overview picture in widget coordinates.
    QPoint At(int x, int y) const { return Overview().contentsRect().topLeft() + QPoint(x, y); }
};

}  // namespace

TEST_F(OverviewTest, ClicksAndDragsCentreTheViewAsFarAsItCanGo) {
    CMapView& view = View();
    int cols = view.visibleCols;
    int rows = view.visibleRows;
    ASSERT_EQ(Overview().markerRect, QRect(0, 0, cols, rows));

    QTest::mouseClick(&Overview(), Qt::LeftButton, {}, At(60, 45));
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(60 - cols / 2, 45 - rows / 2));
    EXPECT_FALSE(Overview().tracking);

    // Near the corner the view stops at its limits.
    QTest::mouseClick(&Overview(), Qt::LeftButton, {}, At(2, 119 - 30));
    EXPECT_EQ(view.scrollX, 0);
    EXPECT_EQ(view.scrollY, view.maxScrollY);

    QTest::mousePress(&Overview(), Qt::LeftButton, {}, At(40, 30));
    EXPECT_TRUE(Overview().tracking);
    QTest::mouseMove(&Overview(), At(50, 35));
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(50 - cols / 2, 35 - rows / 2));
    QTest::mouseRelease(&Overview(), Qt::LeftButton, {}, At(50, 35));
    EXPECT_FALSE(Overview().tracking);
    QTest::mouseMove(&Overview(), At(70, 40));
    EXPECT_EQ(view.GetViewRect().topLeft(), QPoint(50 - cols / 2, 35 - rows / 2));
    EXPECT_EQ(Overview().markerRect, view.GetViewRect());
}

TEST_F(OverviewTest, ShowsThePictureWithAnInvertedMarker) {
    View().ScrollTo(30, 20);
    Settle();
    QRect marker = Overview().markerRect;
    ASSERT_EQ(marker.topLeft(), QPoint(30, 20));
    QImage shown = Overview().grab().toImage().convertToFormat(QImage::Format_RGB32);
    const CDibImage& picture = Session().Overview();
    QPoint origin = Overview().contentsRect().topLeft();
    auto shownAt = [&](int x, int y) { return shown.pixel(origin + QPoint(x, y)); };

    // Every other pixel of the two-pixel frame is inverted, the rest is the picture.
    for (int x = marker.left(); x <= marker.right(); ++x) {
        for (int y : {marker.top(), marker.top() + 1, marker.bottom()}) {
            QRgb colour = PicturePixel(picture, x, y);
            QRgb expected = (x + y) % 2 == 0 ? colour ^ 0x00FFFFFF : colour;
            ASSERT_EQ(shownAt(x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(shownAt(marker.left() + 2, marker.top() + 2),
              PicturePixel(picture, marker.left() + 2, marker.top() + 2));
    EXPECT_EQ(shownAt(5, 5), PicturePixel(picture, 5, 5));
    EXPECT_EQ(shownAt(119, 89), PicturePixel(picture, 119, 89));

    // Moving the view leaves no trace of the old marker.
    View().ScrollTo(0, 0);
    Settle();
    shown = Overview().grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shownAt(30, 20), PicturePixel(picture, 30, 20));
    EXPECT_EQ(shownAt(0, 0), PicturePixel(picture, 0, 0) ^ 0x00FFFFFF);
}

// Maps larger than the space under the palettes are shown reduced to fit it, keeping their
// proportions, and the marker, clicks, drags and edits all go through the same scale.
TEST_F(EditorTest, LargeMapsAreShownReducedToFitTheirPane) {
    OpenGameData();
    for (QSize map : {QSize(1000, 1000), QSize(1000, 20), QSize(20, 1000)}) {
        frame.NewMap(map.width(), map.height(), TERRAIN_TYPE_GRASS);
        for (QSize window : {QSize(1024, 768), QSize(1400, 1000)}) {
            frame.resize(window);
            Settle();
            const CEditorWnd& wnd = *frame.EditorWnd();
            COverviewWnd& overview = *wnd.Overview();
            const std::string what = std::to_string(map.width()) + "x" +
                                     std::to_string(map.height()) + " in " +
                                     std::to_string(window.height());
            // Within the palettes' width and down to 10 pixels above the bottom, centred as
            // the layout centres a picture that fits, proportions kept.
            QRect shown = wnd.overviewRect;
            int space = wnd.height() - 360 - 10;
            double scale = std::min(225.0 / map.width(), double(space) / map.height());
            EXPECT_EQ(shown.size(), QSize(std::max(1, int(map.width() * scale)),
                                          std::max(1, int(map.height() * scale))))
                << what;
            EXPECT_EQ(shown.top(), 360);
            EXPECT_EQ(shown.left(), wnd.width() + 10 - (shown.width() + 225) / 2) << what;
            EXPECT_LE(shown.bottom(), wnd.height() - 10);

            // A click centres the view on the tile under it, the marker follows at the scale.
            QPoint middle =
                overview.contentsRect().topLeft() + QPoint(shown.width() / 2, shown.height() / 2);
            QTest::mouseClick(&overview, Qt::LeftButton, {}, middle);
            QRect view = View().GetViewRect();
            QPoint tile = overview.TileAt(middle - overview.contentsRect().topLeft());
            EXPECT_LE(std::abs(view.center().x() - tile.x()), 1 + view.width() % 2) << what;
            EXPECT_EQ(overview.markerRect, view);
            EXPECT_EQ(overview.ShownPixels(QRect(QPoint(0, 0), map)),
                      QRect(QPoint(0, 0), shown.size()))
                << what;
            QTest::mousePress(&overview, Qt::LeftButton, {}, middle);
            QTest::mouseMove(&overview, overview.contentsRect().topLeft());
            QTest::mouseRelease(&overview, Qt::LeftButton, {}, overview.contentsRect().topLeft());
            EXPECT_EQ(View().GetViewRect().topLeft(), QPoint(0, 0)) << what;

            // A painted tile recolours the shown pixel that stands for it.
            Choice().SelectType(TERRAIN_TYPE_OCEAN);
            Session().Editor().PaintTile(TERRAIN_TYPE_OCEAN, 1, 0, 0);
            Settle();
            // (The layout's rule lets a wide picture reach past the window's edge.)
            QImage after = OnScreen(&overview);
            QImage fresh = overview.grab().toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_TRUE(after == fresh.copy(QRect(QPoint(0, 0), after.size()))) << what;
            Session().Editor().Undo();
        }
    }
    // A map that fits keeps one pixel a tile, the rectangle of the layout exactly.
    frame.NewMap(192, 112, TERRAIN_TYPE_GRASS);
    int left = frame.EditorWnd()->width() + 10 - (192 + 225) / 2;
    EXPECT_EQ(frame.EditorWnd()->overviewRect, QRect(left, 360, 192, 112));
}
