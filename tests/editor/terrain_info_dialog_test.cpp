#include "editor/dialogs/terrain_info_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <memory>

#include "art/overview_picture.h"
#include "art/terrain_row_text.h"
#include "art_files.h"
#include "editor/command_ids.h"
#include "editor/dialogs/terrain_type_dialog.h"
#include "editor_fixture.h"
#include "model/terrain_table.h"
#include "support/map_builder.h"

namespace {

int RowOf(int type) {
    for (int row = 1; CTerrainInfoDialog::TypeOfRow(row) != 0; ++row) {
        if (CTerrainInfoDialog::TypeOfRow(row) == type) {
            return row;
        }
    }
    return -1;
}

void ClickButton(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
}

// The dialog's own OK (or Cancel) button.
void ClickBox(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

class TerrainInfoTest : public EditorTest {
  protected:
    void SetUp() override { OpenNewMap(30, 20, TERRAIN_TYPE_GRASS); }

    CTerrainInfoDialog& Open() {
        dialog =
            std::make_unique<CTerrainInfoDialog>(Session().Art(), Session().Editor(), 10, &frame);
        dialog->show();
        Settle();
        MarkSaved();
        return *dialog;
    }

    // Clicks the row of a type (0: the header), or double-clicks it.
    void Select(int type, bool twice = false) {
        QListWidget* list = dialog->List();
        QListWidgetItem* item = list->item(type == 0 ? 0 : RowOf(type));
        list->scrollToItem(item);
        QPoint centre = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        if (twice) {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        }
    }

    std::string Row(int type) const {
        return dialog->List()->item(RowOf(type))->text().toStdString();
    }

    std::string EnabledButtons() const {
        std::string names;
        for (const char* name : {"edit", "import", "unload", "exitTable"}) {
            if (dialog->findChild<QPushButton*>(name)->isEnabled()) {
                names += std::string(names.empty() ? "" : " ") + name;
            }
        }
        return names;
    }

    // The title of the dialog that the next action opens, which is then cancelled; empty when
    // none opens.
    std::string OpenedBy(const std::function<void()>& action) {
        auto title = std::make_shared<std::string>();
        WhenDialogShows([title](QWidget* opened) {
            if (opened != nullptr) {
                *title = opened->windowTitle().toStdString();
                static_cast<QDialog*>(opened)->reject();
            }
        });
        action();
        Settle();
        return *title;
    }

    uint32_t OverviewPixel(int x, int y) const { return PixelRgb(Session().Overview(), x, y); }

    static uint32_t Rgb(COLORREF color) {
        return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
    }

    std::unique_ptr<CTerrainInfoDialog> dialog;
};

}  // namespace

TEST_F(TerrainInfoTest, ListsTheTypesAndOffersTheButtonsTheRowAllows) {
    std::string art = WriteCellArt(folder.File("art.bmp"), 900);
    ASSERT_EQ(Session().Art().CustomArtFor(27)->Import(art), 0);
    Open();

    QListWidget* list = dialog->List();
    ASSERT_EQ(list->count(), 39);
    EXPECT_EQ(list->item(0)->text(), "Name\tLevel\tCity?\tSigns?\tROW\tTrack\tResources");
    EXPECT_EQ(Row(TERRAIN_TYPE_GRASS), "Grass\t0\t1\t1\t20\t30\tcG");
    EXPECT_EQ(Row(TERRAIN_TYPE_OCEAN), "Ocean\t0\t0\t0\t-1\t-1\tx");
    EXPECT_EQ(Row(26), "Custom 1\t0\t1\t1\t30\t40\tx\tUnused");
    EXPECT_EQ(Row(27), "Custom 2\t0\t1\t1\t30\t40\tx\t" + art);
    for (int river : {TERRAIN_WIDE_RIVERS, TERRAIN_NARROW_RIVERS}) {
        std::string row = Row(river);
        EXPECT_EQ(row, RowText(Session().Art(), river));
        EXPECT_EQ(std::count(row.begin(), row.end(), '\t'), 6);
    }
    EXPECT_TRUE(list->item(1)->text().startsWith("Suburb\t"));
    EXPECT_TRUE(list->item(17)->text().startsWith("Custom Rivers\t"));
    EXPECT_TRUE(list->item(38)->text().startsWith("Narrow Rivers\t"));

    EXPECT_EQ(EnabledButtons(), "");
    Select(0);
    EXPECT_EQ(EnabledButtons(), "");
    Select(TERRAIN_TYPE_GRASS);
    EXPECT_EQ(EnabledButtons(), "edit");
    Select(TERRAIN_WIDE_RIVERS);
    EXPECT_EQ(EnabledButtons(), "edit");
    Select(26);
    EXPECT_EQ(EnabledButtons(), "import");
    Select(27);
    EXPECT_EQ(EnabledButtons(), "edit import unload exitTable");

    // Double-clicking opens the type dialog even for a custom type without art, never for the
    // header.
    EXPECT_EQ(OpenedBy([&] { Select(0, true); }), "");
    EXPECT_EQ(OpenedBy([&] { Select(26, true); }), "Terrain Type Information");
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(TerrainInfoTest, EditStoresMinusOneAsTheStoredCostAndMarksTheMap) {
    Open();
    Select(TERRAIN_TYPE_GRASS);
    WhenDialogShows([](QWidget* type) {
        EXPECT_EQ(type->findChild<QLineEdit*>("rightOfWayCost")->text(), "20");
        EXPECT_EQ(type->findChild<QLineEdit*>("trackCost")->text(), "30");
        EXPECT_EQ(type->findChild<QComboBox*>("cattle")->currentText(), "Allowed");
        EXPECT_EQ(type->findChild<QComboBox*>("grain")->currentText(), "Preferred");
        type->findChild<QLineEdit*>("rightOfWayCost")->setText("-1");
        type->findChild<QLineEdit*>("trackCost")->setText("75");
        type->findChild<QComboBox*>("altitudeLevel")->setCurrentIndex(2);
        type->findChild<QCheckBox*>("allowSignposts")->setChecked(false);
        type->findChild<QComboBox*>("cattle")->setCurrentIndex(2);
        type->findChild<QComboBox*>("port")->setCurrentIndex(1);
        ClickBox(type, QDialogButtonBox::Ok);
    });
    ClickButton(*dialog, "edit");

    const CTerrainType& grass = theTerrainTable.Record(TERRAIN_TYPE_GRASS);
    EXPECT_EQ(grass.rightOfWayCost, 9999999);
    EXPECT_EQ(grass.trackCost, 75);
    EXPECT_EQ(grass.altitudeLevel, 2);
    EXPECT_EQ(grass.allowSignposts, 0);
    EXPECT_EQ(grass.allowCities, 1);
    EXPECT_EQ(Row(TERRAIN_TYPE_GRASS), "Grass\t2\t1\t0\t-1\t75\tCGp");
    EXPECT_TRUE(Session().IsModified());

    // The replaced row is no longer selected: the buttons stay, Edit does nothing.
    EXPECT_EQ(dialog->SelectedRow(), -1);
    EXPECT_EQ(EnabledButtons(), "edit");
    EXPECT_EQ(OpenedBy([&] { ClickButton(*dialog, "edit"); }), "");

    WhenDialogShows([](QWidget* type) {
        EXPECT_EQ(type->findChild<QLineEdit*>("rightOfWayCost")->text(), "-1");
        EXPECT_EQ(type->findChild<QComboBox*>("altitudeLevel")->currentText(), "2");
        EXPECT_FALSE(type->findChild<QCheckBox*>("allowSignposts")->isChecked());
        ClickBox(type, QDialogButtonBox::Cancel);
    });
    Select(TERRAIN_TYPE_GRASS, true);
    EXPECT_EQ(grass.rightOfWayCost, 9999999);
}

TEST(TerrainTypeDialogTest, RefusedCostsKeepTheDialogOpenAndCancelChangesNothing) {
    TerrainTableGuard guard;
    LoadShippedGameData();
    ScriptedInteraction script;
    const CTerrainType& grass = theTerrainTable.Record(TERRAIN_TYPE_GRASS);
    CTerrainTypeDialog dialog(TERRAIN_TYPE_GRASS, true, true, 30, 20, nullptr);
    dialog.show();
    dialog.findChild<QComboBox*>("altitudeLevel")->setCurrentIndex(5);
    dialog.findChild<QComboBox*>("timber")->setCurrentIndex(2);
    auto* rightOfWay = dialog.findChild<QLineEdit*>("rightOfWayCost");
    auto* track = dialog.findChild<QLineEdit*>("trackCost");

    rightOfWay->setText("100001");
    dialog.accept();
    rightOfWay->setText("-1");
    track->setText("-2");
    dialog.accept();
    EXPECT_EQ(dialog.focusWidget(), track);
    track->setText("-");
    dialog.accept();
    EXPECT_EQ(script.MessageTexts(),
              (std::vector<std::string>{"Please enter an integer between -1 and 100000.",
                                        "Please enter an integer between -1 and 100000.",
                                        "Please enter an integer."}));
    EXPECT_EQ(script.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(dialog.isVisible());

    // The dialog edits a copy: Cancel leaves the table as it was.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.record.altitudeLevel, 5);
    EXPECT_EQ(dialog.record.resources[RESOURCE_TIMBER], RESOURCE_PREFERRED);
    EXPECT_NE(grass.altitudeLevel, 5);
    EXPECT_NE(grass.resources[RESOURCE_TIMBER], RESOURCE_PREFERRED);
    EXPECT_EQ(grass.rightOfWayCost, 20);
    EXPECT_EQ(grass.trackCost, 30);

    // A level no item shows is kept rather than overwritten by the empty selection.
    theTerrainTable.Record(TERRAIN_TYPE_GRASS).altitudeLevel = 9;
    CTerrainTypeDialog odd(TERRAIN_TYPE_GRASS, true, true, 30, 20, nullptr);
    odd.accept();
    EXPECT_EQ(odd.result(), QDialog::Accepted);
    EXPECT_EQ(odd.record.altitudeLevel, 9);
}

TEST_F(TerrainInfoTest, MilesPerTileAreCheckedOnOkAndKeptOnEsc) {
    theTerrainTable.milesPerTile = 0;
    MarkSaved();
    WhenDialogShows([this](QWidget* info) {
        auto* miles = info->findChild<QLineEdit*>("milesPerTile");
        EXPECT_EQ(miles->text(), "0");
        ClickButton(*info, "ok");
        EXPECT_TRUE(info->isVisible());
        EXPECT_EQ(info->focusWidget(), miles);
        miles->setText("");
        ClickButton(*info, "ok");
        miles->setText("201");
        ClickButton(*info, "ok");
        EXPECT_EQ(Messages(),
                  (std::vector<std::string>{"Please enter an integer between 5 and 200.",
                                            "Please enter a positive integer.",
                                            "Please enter an integer between 5 and 200."}));
        miles->setText("12");
        QTest::keyClick(info, Qt::Key_Escape);
    });
    frame.Command(kCmdEditTerrainInfo)->trigger();
    EXPECT_EQ(theTerrainTable.milesPerTile, 0);
    EXPECT_FALSE(Session().IsModified());

    WhenDialogShows([](QWidget* info) {
        info->findChild<QLineEdit*>("milesPerTile")->setText("5");
        ClickButton(*info, "ok");
    });
    frame.Command(kCmdEditTerrainInfo)->trigger();
    EXPECT_EQ(theTerrainTable.milesPerTile, 5);
    EXPECT_TRUE(Session().IsModified());
}

TEST_F(TerrainInfoTest, ImportAsksBeforeReplacingArtAndSaysWhyAPictureIsRefused) {
    Session().Editor().FillRect(26, 0, {0, 0, 1, 1});
    ASSERT_EQ(OverviewPixel(0, 0), Rgb(kNoArtColor));
    std::string first = WriteCellArt(folder.File("first.bmp"), 900);
    std::string second = WriteCellArt(folder.File("second.bmp"), 900);
    std::string small = WriteCellArt(folder.File("small.bmp"), 450);
    std::string broken = folder.Write("broken.bmp", "BM not really");
    const CCustomTerrainArt& slot = *Session().Art().CustomArtFor(26);
    Open();

    Select(26);
    script.files.push_back(first);
    ClickButton(*dialog, "import");
    EXPECT_TRUE(slot.loaded);
    EXPECT_EQ(script.fileChoices.back().filter, "Bitmap Files (*.bmp)");
    EXPECT_EQ(Row(26), "Custom 1\t0\t1\t1\t30\t40\tx\t" + first);
    EXPECT_TRUE(Session().IsModified());
    EXPECT_EQ(OverviewPixel(0, 0), Rgb(slot.SheetColor()));
    EXPECT_TRUE(script.messages.empty());

    size_t choices = script.fileChoices.size();
    Select(26);
    script.answers = {MessageAnswer::No};
    ClickButton(*dialog, "import");
    ASSERT_EQ(Messages(), std::vector<std::string>{"Overwrite current art?"});
    EXPECT_EQ(script.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(script.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(script.fileChoices.size(), choices);

    for (const std::string& refused : {small, broken}) {
        script.answers = {MessageAnswer::Yes};
        script.files.push_back(refused);
        ClickButton(*dialog, "import");
    }
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Overwrite current art?", "Overwrite current art?",
                              "Custom terrain art must be 900 × 900 pixels.",
                              "Overwrite current art?", "Unable to load broken.bmp as a bitmap."}));
    EXPECT_EQ(slot.sourcePath, first);
    EXPECT_EQ(slot.half.GetWidth(), 450);

    script.answers = {MessageAnswer::Yes};
    script.files.push_back(second);
    ClickButton(*dialog, "import");
    EXPECT_EQ(slot.sourcePath, second);
    EXPECT_EQ(Row(26), "Custom 1\t0\t1\t1\t30\t40\tx\t" + second);
}

TEST_F(TerrainInfoTest, UnloadAsksOnlyForATypeInUseAndTurnsItsTilesToGrass) {
    std::string art = WriteCellArt(folder.File("art.bmp"), 900);
    ASSERT_EQ(Session().Art().CustomArtFor(26)->Import(art), 0);
    ASSERT_EQ(Session().Art().CustomArtFor(27)->Import(art), 0);
    Grid().SetTile(27, 5, 3, 4);
    Grid().SetTile(27, 5, 6, 7);
    Open();

    Select(26);
    ClickButton(*dialog, "unload");
    EXPECT_TRUE(script.messages.empty());
    EXPECT_FALSE(Session().Art().CustomArtFor(26)->loaded);
    EXPECT_EQ(Row(26), "Custom 1\t0\t1\t1\t30\t40\tx\tUnused");
    EXPECT_TRUE(Session().IsModified());
    EXPECT_EQ(Grid().GetTileAt(3, 4)->type, 27);

    Select(27);
    script.answers = {MessageAnswer::No};
    ClickButton(*dialog, "unload");
    ASSERT_EQ(Messages(), std::vector<std::string>{
                              "Terrain type is in use and will be converted to grass, continue?"});
    EXPECT_TRUE(Session().Art().CustomArtFor(27)->loaded);
    EXPECT_TRUE(Grid().IsTypeUsed(27));

    script.answers = {MessageAnswer::Yes};
    ClickButton(*dialog, "unload");
    EXPECT_FALSE(Session().Art().CustomArtFor(27)->loaded);
    EXPECT_FALSE(Grid().IsTypeUsed(27));
    EXPECT_EQ(Grid().GetTileAt(6, 7)->type, TERRAIN_TYPE_GRASS);
    EXPECT_EQ(OverviewPixel(6, 7),
              Rgb(OverviewColor(Session().Art(), TERRAIN_TYPE_GRASS, Grid().GetSubtypeAt(6, 7))));
}
