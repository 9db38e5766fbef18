#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <functional>

#include "art/builtin_art.h"
#include "editor/subtype_palette.h"
#include "editor/tile_preview.h"
#include "editor/type_palette.h"
#include "editor_fixture.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"
#include "support/map_builder.h"

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kGrey = 0xFFC0C0C0;
constexpr QRgb kRiverGround = 0xFF008028;

// Type palette cells.
constexpr int kLowHillsCell = 5;
constexpr int kFarmCell = 3;
constexpr int kGrassOceanACell = 14;
constexpr int kCustom3Cell = 22;
constexpr int kWideRiversCell = 36;
constexpr int kNarrowRiversCell = 37;
constexpr int kEmptyCell = 40;

class PaletteTest : public EditorTest {
  protected:
    void SetUp() override { OpenNewMap(10, 10, TERRAIN_TYPE_GRASS); }

    CEditorWnd& Editor() const { return *frame.EditorWnd(); }
    // Pixel (x, y) of a pane's content, cell (x / 25, y / 25) of a palette.
    static QPoint At(const QFrame& pane, int x, int y) {
        return pane.contentsRect().topLeft() + QPoint(x, y);
    }
    static QPoint CellCentre(const QFrame& pane, int cell) {
        return At(pane, cell % 9 * 25 + 12, cell / 9 * 25 + 12);
    }
    void Click(QFrame* pane, int cell) {
        QTest::mouseClick(pane, Qt::LeftButton, {}, CellCentre(*pane, cell));
        Settle();
    }
    void ClickType(int cell) { Click(Editor().TypePalette(), cell); }
    void ClickSubtype(int cell) { Click(Editor().SubtypePalette(), cell); }
    // What a pane shows, to be read with At.
    static QImage Grab(QFrame* pane) {
        return pane->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Whether the pane shows source pixels (x0, y0) onwards in area of its content, with the
    // source's transparent pixels showing ground instead.
    static ::testing::AssertionResult Shows(QFrame* pane, const QRect& area,
                                            const RgbPicture& source, int x0, int y0,
                                            QRgb ground = 0) {
        QImage shown = Grab(pane);
        for (int dy = 0; dy < area.height(); ++dy) {
            for (int dx = 0; dx < area.width(); ++dx) {
                QRgb expected = source.Row(y0 + dy)[x0 + dx];
                expected = expected == 0 ? ground : expected;
                QRgb actual = shown.pixel(At(*pane, area.x() + dx, area.y() + dy));
                if (actual != expected) {
                    return ::testing::AssertionFailure()
                           << "at " << dx << "," << dy << ": " << std::hex << actual
                           << " instead of " << expected;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
    void ExpectSelection(int type, int subtype, bool riverMode) {
        EXPECT_EQ(Choice().Type(), type);
        EXPECT_EQ(Choice().Cell(), subtype);
        EXPECT_EQ(Choice().IsRiver(), riverMode);
    }
};

}  // namespace

TEST_F(PaletteTest, TypeClicksSelectTypesAndRiverKindsAndSkipWhatIsNotThere) {
    Choice().SelectCell(7);
    ClickType(kLowHillsCell);
    ExpectSelection(TERRAIN_TYPE_HILLS_1, 0, false);

    ClickType(kNarrowRiversCell);
    ExpectSelection(kNarrowRiver, 0, true);
    ClickSubtype(80);
    ExpectSelection(kNarrowRiver, 80, true);
    ClickType(kWideRiversCell);
    ExpectSelection(kWideRiver, 0, true);

    // Empty cells, the border and custom types without art change nothing.
    ClickType(kEmptyCell);
    QTest::mouseClick(Editor().TypePalette(), Qt::LeftButton, {}, QPoint(0, 0));
    ClickType(kCustom3Cell);
    ExpectSelection(kWideRiver, 0, true);
    EXPECT_EQ(Grab(Editor().TypePalette()).pixel(CellCentre(*Editor().TypePalette(), kCustom3Cell)),
              kGrey);

    // Imported art makes the custom type show its quarter picture and take clicks.
    int custom3 = TERRAIN_TYPE_CUSTOM_1 + 2;
    const CCustomTerrainArt& art = *Session().Art().CustomArtFor(custom3);
    ASSERT_EQ(Session().Editor().ImportCustomArt(
                  custom3, SavePatternPicture(folder.File("c3.bmp"), 900, 900)),
              0);
    Settle();
    RgbPicture quarter{art.DrawingWidth(25), 225, art.DrawingPixels(25)};
    EXPECT_TRUE(Shows(Editor().TypePalette(), QRect(4 * 25, 2 * 25, 25, 25), quarter, 0, 0));
    ClickType(kCustom3Cell);
    ExpectSelection(custom3, 0, false);

    // Farm has 33 cells: the 34th is not there to click.
    ClickType(kFarmCell);
    ClickSubtype(33);
    ExpectSelection(TERRAIN_TYPE_FARM, 0, false);
    ClickSubtype(32);
    ExpectSelection(TERRAIN_TYPE_FARM, 32, false);
    EXPECT_EQ(Choice().CellCount(), 33);
}

// Every command that changes the map or its art leaves the palettes and the preview showing
// what is true, and a chosen custom type that loses its art gives way to Grass: the tools
// never paint a type that has nothing to show.
TEST_F(PaletteTest, ChoicesFollowTheMapAndItsArt) {
    const int custom3 = TERRAIN_TYPE_CUSTOM_1 + 2;
    auto expectPanesTrue = [&](const char* step) {
        Settle();
        for (QFrame* pane : std::initializer_list<QFrame*>{
                 Editor().TypePalette(), Editor().SubtypePalette(), Editor().TilePreview()}) {
            EXPECT_TRUE(OnScreen(pane) == Grab(pane)) << step << " " << pane->objectName().data();
        }
    };
    auto chooseCustom3 = [&] {
        ClickType(kCustom3Cell);
        ClickSubtype(5);
        ExpectSelection(custom3, 5, false);
    };
    std::string art = SavePatternPicture(folder.File("c3.bmp"), 900, 900);
    ASSERT_EQ(Session().Editor().ImportCustomArt(custom3, art), 0);
    chooseCustom3();
    MarkSaved();
    std::string withArt = SaveAs("art.gmp");

    Session().Editor().UnloadCustomArt(custom3);  // as the terrain dialog's Unload does
    ExpectSelection(TERRAIN_TYPE_GRASS, 0, false);
    expectPanesTrue("unload");
    Choice().SetTool(EditTool::PaintTerrain);
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, QPoint(75, 75));
    EXPECT_EQ(Grid().GetTileAt(1, 1)->type, TERRAIN_TYPE_GRASS);

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"close", [&] { frame.OnCloseMap(); }},
        {"new", [&] { frame.NewMap(12, 12, TERRAIN_TYPE_DESERT); }},
    };
    for (const auto& [step, command] : commands) {
        MarkSaved();
        script.files.push_back(withArt);
        frame.OnOpenMap();
        expectPanesTrue("open");
        chooseCustom3();
        command();
        ExpectSelection(TERRAIN_TYPE_GRASS, 0, false);
        expectPanesTrue(step);
    }
}

TEST_F(PaletteTest, CellsShowTheCoresSmallArtAndThePreviewTheFullCell) {
    CTypePalette* types = Editor().TypePalette();
    const RgbPicture& hills = *theBuiltInArt.SheetPixels(TERRAIN_TYPE_HILLS_1, 25);
    EXPECT_TRUE(Shows(types, QRect(kLowHillsCell * 25, 0, 25, 25), hills, 0, 0));
    // The river kinds over the palette's grey; the border hides the last two rows.
    EXPECT_TRUE(Shows(types, QRect(0, 100, 25, 23), *theBuiltInArt.PiecePixels({kWideRiver, 1}, 25),
                      0, 0, kGrey));
    EXPECT_TRUE(Shows(types, QRect(25, 100, 25, 23),
                      *theBuiltInArt.PiecePixels({kNarrowRiver, 4}, 25), 0, 0, kGrey));

    // Cell 41 sits at column 5, row 4 of the sheet; the frame of the choice covers its edges.
    ClickType(kLowHillsCell);
    ClickSubtype(41);
    QRect cell41(5 * 25 + 2, 4 * 25 + 2, 21, 21);
    EXPECT_TRUE(Shows(Editor().SubtypePalette(), cell41, hills, cell41.x(), cell41.y()));
    for (QFrame* palette : std::initializer_list<QFrame*>{Editor().SubtypePalette(), types}) {
        QPoint corner = palette == types ? QPoint(kLowHillsCell * 25, 0) : QPoint(125, 100);
        QImage shown = Grab(palette);
        EXPECT_EQ(shown.pixel(At(*palette, corner.x(), corner.y() + 10)), kBlack);
        EXPECT_EQ(shown.pixel(At(*palette, corner.x() + 1, corner.y() + 10)), kWhite);
        EXPECT_EQ(shown.pixel(At(*palette, corner.x() + 24, corner.y() + 10)), kBlack);
    }
    EXPECT_TRUE(Shows(Editor().TilePreview(), QRect(0, 0, 48, 48),
                      *theBuiltInArt.SheetPixels(TERRAIN_TYPE_HILLS_1, 50), 5 * 50, 4 * 50));

    // River pieces go on green, in the palette and in the preview.
    ClickType(kWideRiversCell);
    EXPECT_TRUE(Shows(Editor().SubtypePalette(), QRect(2 * 25 + 1, 1, 24, 24),
                      *theBuiltInArt.PiecePixels({kWideRiver, 2}, 25), 1, 1, kRiverGround));
    EXPECT_TRUE(Shows(Editor().TilePreview(), QRect(0, 0, 48, 48),
                      *theBuiltInArt.PiecePixels({kWideRiver, 0}, 50), 0, 0, kRiverGround));
}

TEST_F(PaletteTest, LinesAreBlackInsideStampsAndEverywhereForTypesWithout) {
    CSubtypePalette& palette = *Editor().SubtypePalette();
    ASSERT_EQ(theTerrainTable.Record(TERRAIN_TYPE_GRASS).stampTable, -1);
    ASSERT_EQ(theTerrainTable.Record(TERRAIN_TYPE_GRASS_OCEAN_A).stampTable, 0);
    // Table A's first rows: 0 0 0 0 0 0 1 2 2 / 3 3 4 4 5 6 1 7 2.
    struct Line {
        int x, y;
        QRgb stamped;
    } lines[] = {
        {200, 10, kBlack},  // between cells 7 and 8, both of group 2
        {150, 10, kWhite},  // between cells 5 and 6, groups 0 and 1
        {25, 10, kWhite},   // between cells 0 and 1, both 0
        {160, 25, kBlack},  // between cells 6 and 15, both of group 1
        {110, 25, kWhite},  // between cells 4 and 13, groups 0 and 5
        {85, 200, kWhite},  // between cells 66 and 75, groups 17 and 24
    };
    QImage shown = Grab(&palette);
    for (const Line& line : lines) {
        EXPECT_EQ(shown.pixel(At(palette, line.x, line.y)), kBlack)
            << line.x << "," << line.y;  // Grass has no stamps; beyond cell 9 too
    }
    ClickType(kGrassOceanACell);
    ASSERT_EQ(Choice().Type(), TERRAIN_TYPE_GRASS_OCEAN_A);
    shown = Grab(&palette);
    for (const Line& line : lines) {
        EXPECT_EQ(shown.pixel(At(palette, line.x, line.y)), line.stamped)
            << line.x << "," << line.y;
    }
}

TEST_F(PaletteTest, TooltipsNameEveryCellWithAnEntry) {
    const CTypePalette& palette = *Editor().TypePalette();
    struct Tip {
        int cell;
        const char* text;
    } tips[] = {{0, "Suburb"},
                {8, "Med Mountain"},
                {16, "Custom Rivers"},
                {17, "Grass-Ocean B"},
                {19, "Mountain Trans"},
                {kCustom3Cell, "Custom 3"},
                {35, "Custom 16"},
                {kWideRiversCell, "Wide Rivers"},
                {kNarrowRiversCell, "Narrow Rivers"},
                {kEmptyCell, ""},
                {44, ""}};
    for (const Tip& tip : tips) {
        EXPECT_EQ(palette.ToolTipAt(CellCentre(palette, tip.cell)).toStdString(), tip.text)
            << tip.cell;
    }
    EXPECT_EQ(palette.ToolTipAt(QPoint(0, 0)), QString());

    // The platform's hover shows the same text.
    QWidget* widget = Editor().TypePalette();
    QPoint at = CellCentre(palette, kEmptyCell);
    QHelpEvent none(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &none);
    EXPECT_FALSE(QToolTip::isVisible());
    at = CellCentre(palette, 2);
    QHelpEvent grass(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &grass);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Grass");
    QToolTip::hideText();
}
