#include "edit/map_editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "art/overview_picture.h"
#include "document/map_document.h"
#include "mapfile/map_file.h"
#include "model/terrain_table.h"
#include "support/map_builder.h"
#include "support/scripted_interaction.h"
#include "support/temp_dir.h"
#include "support/terrain_table_guard.h"

namespace {

// Everything an edit may change: the saved file's bytes (terrain table, overview, tiles with
// their requests, rivers, city art, custom art and exits), the resolved cells the file does not
// hold, and the modified flag.
struct MapState {
    std::vector<uint8_t> file;
    std::vector<CTile> tiles;
    bool modified;
    bool operator==(const MapState&) const = default;
};

// Counts what it is told.
class CountingObserver : public CMapObserver {
  public:
    void MapChanged(const MapChange& change) override {
        ++calls;
        last = change;
    }
    int calls = 0;
    MapChange last;
};

class MapEditorTest : public testing::Test {
  protected:
    void SetUp() override {
        LoadShippedGameData();
        map.MakeNew(24, 20, TERRAIN_TYPE_GRASS);
        map.grid.AddOverlay(3, 3, kWideRiver, 5);
        map.grid.AddOverlay(3, 3, kNarrowRiver, 6);
        editor.SetObserver(&observer);
        editor.StartHistory(true);
    }

    MapState State() {
        MapState state;
        state.modified = editor.IsModified();
        std::string path = dir.File("state.gmp");
        EXPECT_EQ(SaveMap(path, map.art, map.overview), 0);
        state.file = ReadFileBytes(path);
        const CTile* all = map.grid.Tiles();
        state.tiles.assign(all, all + map.grid.GetWidth() * map.grid.GetHeight());
        return state;
    }

    // Does the edit, then undoes and redoes it, comparing everything with the states before
    // and after it.
    void ExpectUndoable(const char* what, const std::string& name,
                        const std::function<void()>& edit) {
        MapState before = State();
        edit();
        MapState after = State();
        EXPECT_NE(before, after) << what;
        ASSERT_NE(editor.History().NextToUndo(), nullptr) << what;
        EXPECT_EQ(editor.History().NextToUndo()->Name(), name) << what;
        ASSERT_TRUE(editor.Undo()) << what;
        EXPECT_TRUE(State() == before) << what << ": undone";
        ASSERT_TRUE(editor.Redo()) << what;
        EXPECT_TRUE(State() == after) << what << ": redone";
    }

    TerrainTableGuard guard;
    ScriptedInteraction ui;
    TempDir dir;
    CMapDocument map;
    CMapEditor editor{map.art, map.overview};
    CountingObserver observer;
};

TEST_F(MapEditorTest, EveryKindOfEditUndoesAndRedoes) {
    const int custom = TERRAIN_TYPE_CUSTOM_1 + 3;
    std::string sheet = SavePatternPicture(dir.File("sheet.bmp"), 900, 900);
    std::vector<std::string> pictures;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
        pictures.push_back(SavePatternPicture(dir.File(name), 30, 20));
    }
    ExpectUndoable("a stroke that passes a tile twice", "Paint Terrain", [&] {
        editor.BeginStroke("Paint Terrain");
        editor.PaintTile(TERRAIN_TYPE_WOODS, 0, 1, 1);
        editor.PaintTile(TERRAIN_TYPE_HILLS_1, 5, 2, 1);
        editor.PaintTile(TERRAIN_TYPE_FARM, 100, 1, 1);
        EXPECT_FALSE(editor.PaintTile(TERRAIN_TYPE_FARM, 1, 24, 1));
        editor.EndStroke();
    });
    ExpectUndoable("a random fill over an edge", "Rect of Terrain", [&] {
        editor.FillRect(TERRAIN_TYPE_SWAMP, 0, {20, 15, 30, 25});
    });
    EXPECT_EQ(observer.last.tiles, std::vector<TileRect>({{20, 15, 24, 20}}));
    ExpectUndoable("a river replaced", "Replace River", [&] {
        editor.EditRiver(CMapEditor::RiverAction::Replace, 3, 3, kWideRiver, 9);
    });
    ExpectUndoable("a river added", "Add River",
                   [&] { editor.EditRiver(CMapEditor::RiverAction::Add, 7, 8, kNarrowRiver, 1); });
    ExpectUndoable("a river removed", "Remove River",
                   [&] { editor.EditRiver(CMapEditor::RiverAction::RemoveTop, 3, 3, 0, 0); });
    ExpectUndoable("a terrain record", "Terrain Type", [&] {
        CTerrainType record = theTerrainTable.Record(TERRAIN_TYPE_DESERT);
        record.trackCost = 777;
        record.resources[3] = 2;
        editor.SetTerrainRecord(TERRAIN_TYPE_DESERT, record);
    });
    ExpectUndoable("the scale", "Miles Per Tile", [&] { editor.SetMilesPerTile(55); });
    ExpectUndoable("art imported", "Import Art", [&] {
        ASSERT_EQ(editor.ImportCustomArt(custom, sheet), 0);
        editor.FillRect(custom, 41, {0, 0, 4, 4});
        editor.Undo();  // the fill goes again; the import stays the last step
    });
    editor.FillRect(custom, 41, {0, 0, 4, 4});
    ExpectUndoable("exits toggled", "Exit Table", [&] {
        std::array<uint8_t, 81> masks = map.art.CustomArtFor(custom)->exitMasks;
        masks[40] = 0x0F;
        editor.SetExitMasks(custom, masks);
    });
    ExpectUndoable("art imported over art", "Import Art", [&] {
        ASSERT_EQ(
            editor.ImportCustomArt(custom, SavePatternPicture(dir.File("other.bmp"), 900, 900, 1)),
            0);
    });
    ExpectUndoable("used art unloaded", "Unload Art", [&] { editor.UnloadCustomArt(custom); });
    EXPECT_TRUE(observer.last.customArt);
    ExpectUndoable("city pictures added", "Add City Art",
                   [&] { EXPECT_EQ(editor.AddCityArt(pictures), 3u); });
    ExpectUndoable("city pictures deleted", "Delete City Art", [&] {
        editor.DeleteCityArt({2, 0, 2});
    });
    ExpectUndoable("a cut", "Cut", [&] { editor.ClearRect({2, 2, 5, 5}, TERRAIN_TYPE_DESERT, 3); });

    // A refused import and an unchanged scale are not steps.
    const CMapEdit* last = editor.History().NextToUndo();
    EXPECT_NE(editor.ImportCustomArt(custom, dir.File("absent.bmp")), 0);
    editor.SetMilesPerTile(theTerrainTable.milesPerTile);
    EXPECT_EQ(editor.History().NextToUndo(), last);
}

// The modified flag follows the history: the state last saved (or opened) is unmodified,
// whichever way it is reached, until a new step makes it unreachable.
TEST_F(MapEditorTest, TheModifiedFlagFollowsTheHistory) {
    EXPECT_FALSE(editor.IsModified());
    editor.FillRect(TERRAIN_TYPE_WOODS, 1, {0, 0, 2, 2});
    EXPECT_TRUE(editor.IsModified());
    editor.Undo();
    EXPECT_FALSE(editor.IsModified());
    editor.Redo();
    editor.FillRect(TERRAIN_TYPE_FARM, 1, {0, 0, 2, 2});
    ASSERT_EQ(SaveMap(dir.File("saved.gmp"), map.art, map.overview), 0);
    editor.MarkSaved();
    EXPECT_FALSE(editor.IsModified());
    editor.Undo();
    EXPECT_TRUE(editor.IsModified());
    editor.Redo();
    EXPECT_FALSE(editor.IsModified());
    editor.Undo();
    editor.Undo();
    editor.FillRect(TERRAIN_TYPE_SWAMP, 1, {0, 0, 2, 2});  // the saved state is out of reach
    editor.Undo();
    EXPECT_TRUE(editor.IsModified());
    EXPECT_FALSE(editor.Redo() && editor.Redo());

    // A map made anew matches no file.
    editor.StartHistory(false);
    EXPECT_TRUE(editor.IsModified());
    editor.FillRect(TERRAIN_TYPE_WOODS, 1, {0, 0, 2, 2});
    editor.Undo();
    EXPECT_TRUE(editor.IsModified());
    EXPECT_FALSE(editor.Undo());
}

// Tiles are pasted as they were copied, cells and rivers included; the part beyond the map is
// left out, and so are rivers on tiles that map files cannot hold them on.
TEST_F(MapEditorTest, BlocksPasteWithTheirCellsAndRivers) {
    map.MakeNew(300, 30, TERRAIN_TYPE_GRASS);
    editor.StartHistory(true);
    // A stamp of Grass-Ocean A, and rivers on two of its tiles.
    for (int cell : {6, 15}) {
        map.grid.SetTile(TERRAIN_TYPE_GRASS_OCEAN_A, cell + 1, 10, 10 + cell / 9);
    }
    map.grid.AddOverlay(10, 10, kWideRiver, 3);
    map.grid.AddOverlay(10, 11, kNarrowRiver, 4);
    map.grid.AddOverlay(10, 11, kWideRiver, 8);
    CTileBlock block = CTileBlock::Copy(map.grid, {9, 9, 12, 13});
    ASSERT_EQ(block.Width(), 3);
    ASSERT_EQ(block.Height(), 4);
    EXPECT_EQ(block.RiversAt(1, 2).size(), 2u);

    editor.Paste(block, 20, 28);  // two rows beyond the bottom
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(*map.grid.GetTileAt(20 + x, 28 + y), block.TileAt(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(map.grid.GetOverlays(21, 29), block.RiversAt(1, 1));
    EXPECT_EQ(observer.last.tiles, std::vector<TileRect>({{20, 28, 23, 30}}));
    // Rivers pasted onto tiles that had none go again with an undo.
    editor.Undo();
    EXPECT_EQ(map.grid.GetOverlayCount(21, 29), 0);
    editor.Redo();
    EXPECT_EQ(map.grid.GetOverlays(21, 29), block.RiversAt(1, 1));

    editor.Paste(block, 253, 8);  // columns 255 and on hold no rivers
    EXPECT_EQ(*map.grid.GetTileAt(254, 10), block.TileAt(1, 2));
    EXPECT_EQ(map.grid.GetOverlays(254, 10), block.RiversAt(1, 2));
    editor.Paste(block, 254, 8);
    EXPECT_EQ(*map.grid.GetTileAt(255, 10), block.TileAt(1, 2));
    EXPECT_EQ(map.grid.GetOverlayCount(255, 10), 0);
    editor.Undo();
    EXPECT_EQ(map.grid.GetOverlays(254, 10), block.RiversAt(1, 2));
}

// The figure of the issue: what a step holds is 16 bytes a changed tile, and the rest small.
TEST_F(MapEditorTest, AStepHoldsSixteenBytesAChangedTile) {
    map.MakeNew(500, 400, TERRAIN_TYPE_GRASS);
    editor.StartHistory(true);
    editor.FillRect(TERRAIN_TYPE_DESERT, 1, {0, 0, 500, 400});
    EXPECT_LE(editor.History().MemoryBytes(), 16u * 500 * 400 + 4096);
}

}  // namespace
