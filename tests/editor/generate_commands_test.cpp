#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QSpinBox>
#include <fstream>

#include "editor/command_ids.h"
#include "editor/dialogs/heightmap_dialog.h"
#include "editor_fixture.h"
#include "generate/map_generator.h"
#include "generate/seeded_heights.h"
#include "model/terrain_type.h"
#include "transitions/terrain_families.h"

namespace {

class GenerateCommandsTest : public EditorTest {
  protected:
    std::vector<CTile> Tiles() const {
        const CTileGrid& grid = Session().Grid();
        return {grid.Tiles(),
                grid.Tiles() + static_cast<size_t>(grid.GetWidth()) * grid.GetHeight()};
    }
};

void SetBox(QWidget* dialog, const char* name, int value) {
    dialog->findChild<QSpinBox*>(name)->setValue(value);
}

}  // namespace

TEST_F(GenerateCommandsTest, GenerateOpensTheSeedsMapUnsavedWithAnEmptyHistory) {
    OpenGameData();
    WhenDialogShows([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Generate Map");
        SetBox(dialog, "width", 60);
        SetBox(dialog, "height", 40);
        SetBox(dialog, "seed", 7);
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.Command(kCmdGenerateMap)->trigger();

    ASSERT_TRUE(Session().IsOpen());
    EXPECT_EQ(Grid().GetWidth(), 60);
    EXPECT_EQ(Grid().GetHeight(), 40);
    EXPECT_TRUE(Session().IsModified());
    EXPECT_TRUE(frame.windowTitle().startsWith("Untitled*"));
    EXPECT_EQ(Session().Editor().History().NextToUndo(), nullptr);

    GenerationOptions options;
    options.seed = 7;
    CMapDocument expected;
    ASSERT_TRUE(GenerateMap(SeededHeights(60, 40, 7, LandMask::Continent), options, expected));
    const std::vector<CTile> generated = Tiles();
    EXPECT_EQ(generated,
              std::vector<CTile>(expected.grid.Tiles(), expected.grid.Tiles() + generated.size()));

    // The first edit undoes back to the generated map.
    Session().Editor().FillRect(TERRAIN_TYPE_OCEAN, 1, TileRect{0, 0, 60, 40});
    EXPECT_NE(Tiles(), generated);
    EXPECT_TRUE(Session().Editor().Undo());
    EXPECT_EQ(Tiles(), generated);
    EXPECT_FALSE(Session().Editor().Undo());
}

TEST_F(GenerateCommandsTest, NewFromHeightmapFitsThePictureAndRefusesDamagedOnes) {
    OpenGameData();
    QImage ramp(300, 200, QImage::Format_Grayscale8);
    for (int y = 0; y < ramp.height(); ++y) {
        for (int x = 0; x < ramp.width(); ++x) {
            ramp.scanLine(y)[x] = static_cast<uchar>(x * 255 / (ramp.width() - 1));
        }
    }
    const std::string picture = folder.Path() + "/ramp.png";
    ASSERT_TRUE(ramp.save(QString::fromStdString(picture)));

    script.files.push_back(picture);
    QString landShown;
    WhenDialogShows([&landShown](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "New from Heightmap");
        // The largest map of the picture's proportions.
        EXPECT_EQ(dialog->findChild<QSpinBox*>("width")->value(), 168);
        EXPECT_EQ(dialog->findChild<QSpinBox*>("height")->value(), 112);
        SetBox(dialog, "width", 90);
        SetBox(dialog, "height", 60);
        dialog->findChild<QCheckBox*>("crop")->setChecked(true);
        static_cast<CHeightmapDialog*>(dialog)->UpdatePreview();
        landShown = dialog->findChild<QLabel*>("landShareShown")->text();
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.Command(kCmdNewFromHeightmap)->trigger();
    ASSERT_TRUE(Session().IsOpen());
    EXPECT_EQ(Grid().GetWidth(), 90);
    EXPECT_EQ(Grid().GetHeight(), 60);
    // The ramp rises to the east: the west is sea, the east land, 45 % of it by default.
    EXPECT_EQ(Grid().GetTileAt(0, 30)->type, TERRAIN_TYPE_OCEAN);
    EXPECT_FALSE(IsWaterType(Grid().GetTileAt(89, 30)->type));
    EXPECT_TRUE(landShown.startsWith("Land: 4")) << landShown.toStdString();

    MarkSaved();
    const std::vector<CTile> before = Tiles();
    const std::string damaged = folder.Path() + "/damaged.png";
    std::ofstream(damaged) << "\x89PNG\r\n\x1a\n not really";
    script.files.push_back(damaged);
    frame.Command(kCmdNewFromHeightmap)->trigger();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].rfind("Unable to read the heights: ", 0), 0u) << Messages()[0];
    EXPECT_EQ(Tiles(), before);
}
