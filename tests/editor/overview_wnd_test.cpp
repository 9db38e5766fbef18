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
    COverviewWnd& Overview() const { return *frame.editorWnd->Overview(); }
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
    const CDibImage& picture = frame.overviewPicture;
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
