// Undo, Redo, Cut, Copy and Paste as the designer uses them: through the menu's commands, the
// mouse and the keys.
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>

#include "art_files.h"
#include "edit/tile_block.h"
#include "editor/command_ids.h"
#include "editor/dialogs/terrain_info_dialog.h"
#include "editor_fixture.h"
#include "mapfile/map_file.h"
#include "model/terrain_type.h"
#include "support/map_builder.h"

namespace {

class EditCommandsTest : public EditorTest {
  protected:
    void SetUp() override {
        OpenNewMap(12, 10, TERRAIN_TYPE_GRASS);
        Grid().AddOverlay(2, 2, kWideRiver, 7);
        saved = SaveAs("saved.gmp");
        script.files.push_back(saved);
        frame.OnOpenMap();
        Settle();
    }
    QWidget* Viewport() { return View().viewport(); }
    static QPoint Centre(int col, int row) { return QPoint(col * 50 + 25, row * 50 + 25); }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(Viewport(), to);
        QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, to);
        Settle();
    }
    void Choose(int type, int cell, EditTool tool) {
        Choice().SelectType(type);
        Choice().SelectCell(cell);
        Choice().SetTool(tool);
    }
    QAction* Command(int id) { return frame.Command(id); }
    std::vector<CTile> Tiles() {
        const CTile* all = Grid().Tiles();
        return std::vector<CTile>(all, all + Grid().GetWidth() * Grid().GetHeight());
    }

    std::string saved;
};

}  // namespace

TEST_F(EditCommandsTest, UndoAndRedoNameTheirStepAndTheModifiedMarkFollows) {
    QMenu* edit = frame.menuBar()->findChildren<QMenu*>()[1];
    std::vector<QString> texts;
    for (QAction* action : edit->actions()) {
        texts.push_back(action->text());
    }
    EXPECT_EQ(std::vector<QString>(texts.begin(), texts.begin() + 5),
              (std::vector<QString>{"&Undo", "Re&do", "Cu&t", "&Copy", "&Paste"}));
    EXPECT_EQ(Command(kCmdRedo)->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    for (int id : {kCmdUndo, kCmdRedo, kCmdCut, kCmdCopy, kCmdPaste}) {
        EXPECT_FALSE(Command(id)->isEnabled()) << id;
    }

    // A paint drag over three tiles is one step.
    std::vector<CTile> opened = Tiles();
    Choose(TERRAIN_TYPE_WOODS, 3, EditTool::PaintTerrain);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, Centre(1, 1));
    QTest::mouseMove(Viewport(), Centre(2, 1));
    QTest::mouseMove(Viewport(), Centre(3, 1));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, Centre(3, 1));
    std::vector<CTile> painted = Tiles();
    EXPECT_EQ(Command(kCmdUndo)->text(), "&Undo Paint Terrain");
    EXPECT_TRUE(frame.windowTitle().startsWith("saved.gmp* - "));

    QTest::keyClick(&frame, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Tiles(), opened);
    EXPECT_FALSE(Session().IsModified());
    EXPECT_TRUE(frame.windowTitle().startsWith("saved.gmp - "));
    EXPECT_EQ(Command(kCmdRedo)->text(), "Re&do Paint Terrain");
    EXPECT_FALSE(Command(kCmdUndo)->isEnabled());
    QTest::keyClick(&frame, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Tiles(), painted);
    EXPECT_TRUE(Session().IsModified());

    // What the view shows follows too.
    Command(kCmdUndo)->trigger();
    Settle();
    EXPECT_TRUE(OnScreen(Viewport()) == GrabView());
    frame.OnCloseMap();  // back to the file's state: no question
    EXPECT_TRUE(Messages().empty());
}

// Edits made in the dialogs are steps like any other: the terrain dialog's Unload turns the
// type's tiles to grass and takes the art, and one Undo brings both back.
TEST_F(EditCommandsTest, DialogEditsUndo) {
    const int custom = TERRAIN_TYPE_CUSTOM_1;
    ASSERT_EQ(Session().Editor().ImportCustomArt(custom, WriteCellArt(folder.File("art.bmp"), 900)),
              0);
    Session().Editor().FillRect(custom, 5, {0, 0, 3, 3});
    std::vector<CTile> before = Tiles();
    script.answers.push_back(MessageAnswer::Yes);  // the type is in use
    WhenDialogShows([](QWidget* shown) {
        auto* dialog = static_cast<CTerrainInfoDialog*>(shown);
        dialog->List()->setCurrentRow(21);  // Custom 1
        dialog->OnUnload();
        dialog->reject();
    });
    Command(kCmdEditTerrainInfo)->trigger();
    EXPECT_FALSE(Session().Art().CustomArtFor(custom)->loaded);
    EXPECT_EQ(Grid().GetTileAt(1, 1)->type, TERRAIN_TYPE_GRASS);
    EXPECT_EQ(Command(kCmdUndo)->text(), "&Undo Unload Art");
    Command(kCmdUndo)->trigger();
    EXPECT_TRUE(Session().Art().CustomArtFor(custom)->loaded);
    EXPECT_EQ(Tiles(), before);
}

TEST_F(EditCommandsTest, CopyCutAndPasteABlock) {
    Choose(TERRAIN_TYPE_DESERT, 0, EditTool::SelectRect);
    Grid().SetTile(TERRAIN_TYPE_WOODS, 4, 1, 1);
    Drag(Centre(1, 1), Centre(2, 2));
    ASSERT_EQ(Session().Selection(), QRect(1, 1, 2, 2));
    EXPECT_TRUE(Command(kCmdCopy)->isEnabled());
    EXPECT_FALSE(Command(kCmdPaste)->isEnabled());
    CTileBlock copied = CTileBlock::Copy(Grid(), {1, 1, 3, 3});

    // Cut: the block goes to the clipboard, the tiles become desert and lose their river.
    QTest::keyClick(&frame, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(100, 100));
    EXPECT_EQ(Grid().GetTileAt(1, 1)->type, TERRAIN_TYPE_DESERT);
    EXPECT_EQ(Grid().GetOverlayCount(2, 2), 0);
    EXPECT_EQ(Command(kCmdUndo)->text(), "&Undo Cut");

    // Paste follows the pointer with a frame, Esc ends it, and a click places the block, over
    // the map's edge here.
    Command(kCmdPaste)->trigger();
    EXPECT_TRUE(Choice().IsPasting());
    QTest::keyClick(frame.EditorWnd(), Qt::Key_Escape);
    EXPECT_FALSE(Choice().IsPasting());
    Command(kCmdPaste)->trigger();
    QTest::mouseMove(Viewport(), Centre(11, 6));
    EXPECT_EQ(View().bandRect, QRect(QPoint(550, 300), QPoint(649, 399)));
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, Centre(11, 6));
    EXPECT_FALSE(Choice().IsPasting());
    EXPECT_EQ(*Grid().GetTileAt(11, 6), copied.TileAt(0, 0));
    EXPECT_EQ(*Grid().GetTileAt(11, 7), copied.TileAt(0, 1));
    EXPECT_EQ(Session().Selection(), QRect(11, 6, 1, 2));
    EXPECT_EQ(Command(kCmdUndo)->text(), "&Undo Paste");

    Command(kCmdUndo)->trigger();
    Command(kCmdUndo)->trigger();
    EXPECT_EQ(Grid().GetOverlayCount(2, 2), 1);
    EXPECT_EQ(Grid().GetTileAt(1, 1)->type, TERRAIN_TYPE_WOODS);
}
