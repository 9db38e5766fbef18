#include "editor/dialogs/exit_table_dialog.h"

#include <QtTest/QTest>
#include <array>

#include "art_files.h"
#include "editor/dialogs/exit_table_picture.h"
#include "editor_fixture.h"

namespace {

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlack = 0x000000;

// A point inside the mark of direction d in cell (row, column).
QPoint MarkPoint(int row, int column, int d) {
    const QPoint marks[8] = {{25, 5},  {45, 5}, {45, 25}, {45, 45},
                             {25, 45}, {5, 45}, {5, 25},  {5, 5}};
    return marks[d] + QPoint(column * 50, row * 50);
}

class ExitTableTest : public EditorTest {
  protected:
    void SetUp() override {
        OpenNewMap(20, 20, TERRAIN_TYPE_GRASS);
        slot = Session().Art().CustomArtFor(30);
        ASSERT_EQ(slot->Import(WriteCellArt(folder.File("art.bmp"), 900)), 0);
        slot->exitMasks.fill(0xFF);
        slot->exitMasks[10] = 0x0F;  // cell (1, 1)
    }

    // The colours of the eight marks of a cell, one letter each: G green, R red, ? other.
    std::string Marks(const CExitTableDialog& dialog, int row, int column) const {
        std::string letters;
        for (int d = 0; d < 8; ++d) {
            QPoint p = MarkPoint(row, column, d);
            uint32_t colour = PixelRgb(dialog.WorkingPicture(), p.x(), p.y());
            letters += colour == kGreen ? 'G' : colour == kRed ? 'R' : '?';
        }
        return letters;
    }

    CCustomTerrainArt* slot = nullptr;
};

}  // namespace

TEST_F(ExitTableTest, DrawsTheHalfSheetWithMarksAndGridLines) {
    CExitTableDialog dialog(*slot, &frame);
    EXPECT_EQ(dialog.windowTitle(), "Edit Exit Table");
    const CDibImage& picture = dialog.WorkingPicture();
    ASSERT_EQ(picture.GetWidth(), 450);
    ASSERT_EQ(picture.GetHeight(), 450);

    EXPECT_EQ(Marks(dialog, 0, 0), "GGGGGGGG");
    EXPECT_EQ(Marks(dialog, 1, 1), "GGGGRRRR");
    // Marks reach the cell's last pixel on the right and bottom and leave its first to the
    // grid line.
    EXPECT_EQ(PixelRgb(picture, 99, 99), kGreen);
    EXPECT_EQ(PixelRgb(picture, 51, 51), kRed);
    EXPECT_EQ(PixelRgb(picture, 50, 51), kBlack);
    EXPECT_EQ(PixelRgb(picture, 51, 50), kBlack);
    EXPECT_EQ(PixelRgb(picture, 449, 400), kBlack);
    // No lines along the sheet's top and left edges; the art shows between the marks.
    EXPECT_EQ(PixelRgb(picture, 25, 0), CellArtColor(0));
    EXPECT_EQ(PixelRgb(picture, 0, 25), CellArtColor(0));
    EXPECT_EQ(PixelRgb(picture, 425, 425), CellArtColor(80));
    EXPECT_EQ(PixelRgb(picture, 75, 75), CellArtColor(10));
}

TEST_F(ExitTableTest, ClicksToggleTheExitOfTheirZoneAndRedrawItsMark) {
    CExitTableDialog dialog(*slot, &frame);
    dialog.show();
    Settle();
    EXPECT_FALSE(dialog.Clicked());

    dialog.ClickAt({17, 0});  // top edge
    EXPECT_EQ(dialog.Masks()[0], 0xFE);
    dialog.ClickAt({16, 0});  // top-left corner
    EXPECT_EQ(dialog.Masks()[0], 0x7E);
    dialog.ClickAt({34, 34});  // bottom-right corner
    EXPECT_EQ(dialog.Masks()[0], 0x76);
    dialog.ClickAt({50 + 33, 17});  // centre of cell (0, 1)
    EXPECT_EQ(dialog.Masks()[1], 0x00);
    dialog.ClickAt({2 * 50 + 49, 3 * 50 + 20});  // right edge of cell (3, 2)
    EXPECT_EQ(dialog.Masks()[29], 0xFB);
    EXPECT_EQ(Marks(dialog, 0, 0), "RGGRGGGR");
    EXPECT_EQ(Marks(dialog, 0, 1), "RRRRRRRR");
    EXPECT_EQ(Marks(dialog, 3, 2), "GGRGGGGG");
    EXPECT_TRUE(dialog.Clicked());
    EXPECT_EQ(slot->exitMasks[0], 0xFF);  // the caller stores the masks when the dialog closes

    // The centre inverts every exit of the cell.
    dialog.ClickAt({75, 75});
    EXPECT_EQ(dialog.Masks()[10], 0xF0);
    EXPECT_EQ(Marks(dialog, 1, 1), "RRRRGGGG");

    // Twice is back where it was.
    dialog.ClickAt({125, 125});
    dialog.ClickAt({125, 125});
    EXPECT_EQ(dialog.Masks()[20], 0xFF);

    std::array<uint8_t, 81> before = dialog.Masks();
    dialog.ClickAt({450, 10});
    dialog.ClickAt({10, 470});
    dialog.ClickAt({-3, 10});
    EXPECT_EQ(dialog.Masks(), before);

    // A real click on the picture, and what the picture then shows.
    CExitTablePicture* picture = dialog.Picture();
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(8 * 50 + 25, 8 * 50 + 25));
    EXPECT_EQ(dialog.Masks()[80], 0x00);
    Settle();
    QImage shown = picture->grab().toImage();
    QPoint mark = MarkPoint(8, 8, 0);
    EXPECT_EQ(shown.pixel(mark) & 0xFFFFFF, kRed);
    EXPECT_EQ(shown.pixel(75, 75) & 0xFFFFFF, CellArtColor(10));
}
