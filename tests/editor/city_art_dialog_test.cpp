#include "editor/dialogs/city_art_dialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>

#include "art_files.h"
#include "editor_fixture.h"

namespace {

class CityArtTest : public EditorTest {
  protected:
    void SetUp() override { OpenNewMap(20, 20, TERRAIN_TYPE_GRASS); }

    std::string Picture(const std::string& name) { return WriteCellArt(folder.File(name), 8); }

    void Click(CCityArtDialog& dialog, const char* name) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(name), Qt::LeftButton);
    }

    static std::vector<std::string> Shown(const CCityArtDialog& dialog) {
        std::vector<std::string> names;
        for (int i = 0; i < dialog.List()->count(); ++i) {
            names.push_back(dialog.List()->item(i)->text().toStdString());
        }
        return names;
    }

    std::vector<std::string> Kept() {
        std::vector<std::string> names;
        const CLibObjectList& list = Session().Art().CityArt();
        for (int i = 0; i < list.GetCount(); ++i) {
            names.push_back(list.GetAt(i)->name.value_or("?"));
        }
        return names;
    }
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(CityArtTest, AddFilesStopsAtTheFirstFileThatIsNoPicture) {
    CCityArtDialog dialog(Session().Art(), Session().Editor(), &frame);
    EXPECT_EQ(dialog.windowTitle(), "Custom City Art");
    dialog.show();
    MarkSaved();

    script.fileLists.push_back(
        {Picture("one.bmp"), folder.Write("two.bmp", "not a picture"), Picture("three.bmp")});
    Click(dialog, "addFiles");
    EXPECT_EQ(script.fileChoices.back().filter, "Bmp Files (*.bmp);;All Files (*)");
    EXPECT_EQ(Shown(dialog), Names{"one.bmp"});
    EXPECT_EQ(Kept(), Names{"one.bmp"});
    EXPECT_EQ(Messages(), Names{"Unable to load two.bmp as a bitmap."});
    EXPECT_TRUE(Session().IsModified());

    // The same file twice is two pictures; a cancelled choice adds nothing.
    script.fileLists.push_back({folder.File("one.bmp")});
    Click(dialog, "addFiles");
    Click(dialog, "addFiles");
    EXPECT_EQ(Shown(dialog), (Names{"one.bmp", "one.bmp"}));
    EXPECT_EQ(Kept(), (Names{"one.bmp", "one.bmp"}));
    EXPECT_EQ(script.messages.size(), 1u);
}

TEST_F(CityArtTest, DeleteFilesRemovesTheSelectionFromTheListAndTheMap) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"}) {
        ASSERT_TRUE(Session().Art().AddCityArt(Picture(name)));
    }
    CCityArtDialog dialog(Session().Art(), Session().Editor(), &frame);
    dialog.show();
    Settle();
    EXPECT_EQ(Shown(dialog), (Names{"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp"}));

    QListWidget* list = dialog.List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(3)).center());
    ASSERT_EQ(list->selectedItems().size(), 2);
    MarkSaved();
    Click(dialog, "deleteFiles");
    EXPECT_EQ(Shown(dialog), (Names{"a.bmp", "c.bmp", "e.bmp"}));
    EXPECT_EQ(Kept(), (Names{"a.bmp", "c.bmp", "e.bmp"}));
    EXPECT_TRUE(Session().IsModified());
}
