// Custom terrain art, exits and city art made through the Edit commands survive a save and a
// load.

#include <QAction>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <cstdlib>

#include "art_files.h"
#include "editor/command_ids.h"
#include "editor/dialogs/exit_table_dialog.h"
#include "editor/dialogs/exit_table_picture.h"
#include "editor/dialogs/terrain_info_dialog.h"
#include "editor_fixture.h"

namespace {

void ClickButton(QWidget* dialog, const char* name) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(name), Qt::LeftButton);
}

void SelectType(CTerrainInfoDialog& dialog, int type) {
    QListWidget* list = dialog.List();
    for (int row = 0; row < list->count(); ++row) {
        if (CTerrainInfoDialog::TypeOfRow(row) == type) {
            list->scrollToItem(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(row)).center());
        }
    }
}

// Whether two colours (0x00RRGGBB and 0x00BBGGRR) differ by at most tolerance in every channel.
bool Near(uint32_t rgb, COLORREF bgr, int tolerance) {
    for (int shift : {0, 8, 16}) {
        int a = rgb >> shift & 0xFF;
        int b = bgr >> (16 - shift) & 0xFF;
        if (std::abs(a - b) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST_F(EditorTest, CustomArtExitsAndCityArtReturnWithTheSavedMap) {
    EXPECT_FALSE(frame.Command(kCmdEditTerrainInfo)->isEnabled());
    EXPECT_FALSE(frame.Command(kCmdImportCityArt)->isEnabled());
    OpenNewMap(20, 20, TERRAIN_TYPE_GRASS);
    ASSERT_TRUE(frame.Command(kCmdEditTerrainInfo)->isEnabled());
    ASSERT_TRUE(frame.Command(kCmdImportCityArt)->isEnabled());
    Grid().SetTile(26, 40, 2, 3);

    script.files.push_back(WriteCellArt(folder.File("custom.bmp"), 900));
    WhenDialogShows([this](QWidget* shown) {
        auto* info = qobject_cast<CTerrainInfoDialog*>(shown);
        if (info == nullptr) {
            ADD_FAILURE() << "no terrain information dialog";
            return;
        }
        SelectType(*info, 26);
        ClickButton(info, "import");
        SelectType(*info, 26);
        WhenDialogShows([](QWidget* shown) {
            auto* exits = qobject_cast<CExitTableDialog*>(shown);
            if (exits == nullptr) {
                ADD_FAILURE() << "no exit table dialog";
                return;
            }
            exits->ClickAt({25, 25});  // cell 0: all eight
            QTest::mouseClick(exits->Picture(), Qt::LeftButton, {}, {50 + 25, 5});
            QTest::mouseClick(exits->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        ClickButton(info, "exitTable");
        ClickButton(info, "ok");
    });
    frame.Command(kCmdEditTerrainInfo)->trigger();
    const CCustomTerrainArt* slot = Session().Art().CustomArtFor(26);
    ASSERT_TRUE(slot->loaded);
    std::array<uint8_t, 81> masks = slot->exitMasks;
    EXPECT_EQ(masks[0], 0x00);
    EXPECT_EQ(masks[1], 0xFE);

    std::string townPath = WriteCellArt(folder.File("town.bmp"), 120);
    std::string harbourPath = WriteCellArt(folder.File("harbour.bmp"), 64);
    script.fileLists.push_back({townPath, harbourPath});
    WhenDialogShows([](QWidget* shown) {
        ClickButton(shown, "addFiles");
        ClickButton(shown, "ok");
    });
    frame.Command(kCmdImportCityArt)->trigger();
    ASSERT_EQ(Session().Art().CityArt().GetCount(), 2);

    std::string path = SaveAs("art.gmp");
    frame.OnCloseMap();
    ASSERT_FALSE(Session().IsOpen());
    script.files.push_back(path);
    frame.OnOpenMap();
    ASSERT_TRUE(Session().IsOpen());

    ASSERT_TRUE(slot->loaded);
    ASSERT_EQ(slot->full.GetWidth(), 900);
    for (int cell = 0; cell < 81; ++cell) {
        int x = cell % 9 * 100;
        int y = cell / 9 * 100;
        EXPECT_TRUE(Near(CellArtColor(cell), slot->full.AverageColor(x, y, x + 100, y + 100), 4))
            << "cell " << cell;
    }
    EXPECT_EQ(slot->exitMasks, masks);
    EXPECT_EQ(Grid().GetTileAt(2, 3)->type, 26);

    const CLibObjectList& cityArt = Session().Art().CityArt();
    ASSERT_EQ(cityArt.GetCount(), 2);
    auto* town = static_cast<const CTerrainArt*>(cityArt.GetAt(0));
    auto* harbour = static_cast<const CTerrainArt*>(cityArt.GetAt(1));
    EXPECT_EQ(town->name, "town.bmp");
    EXPECT_EQ(harbour->name, "harbour.bmp");
    EXPECT_EQ(town->full.GetWidth(), 120);
    EXPECT_EQ(harbour->full.GetHeight(), 64);
}
