#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "edit/edit_history.h"
#include "edit/map_edit.h"
#include "edit/map_observer.h"
#include "edit/tile_block.h"
#include "edit/tile_edit.h"
#include "model/terrain_type.h"
#include "rivers/river_planner.h"
#include "transitions/transition_solver.h"

// The one place where the map changes while it is edited: tiles, rivers, the terrain table and
// the miles per tile, custom art and its exits, and the city art. Every change is an edit that
// applies itself and becomes one step of the history, which undoes and redoes it; the overview
// picture is kept in step, and the observer hears of every change to repaint it.
class CMapEditor {
  public:
    enum class RiverAction { Replace, Add, RemoveTop };

    CMapEditor(CMapArt& art, CDibImage& overview, CTerrainTable& table = theTerrainTable);
    void SetObserver(CMapObserver* newObserver) { observer = newObserver; }
    const CEditHistory& History() const { return history; }

    // An empty history for a map just opened (whose file it matches) or made, imported or
    // closed (which matches no file, so that undoing never makes it unmodified).
    void StartHistory(bool matchesFile);
    // After a successful save: the map as it is now is unmodified.
    void MarkSaved();
    // The map differs from the file it was opened from or last saved to, or matches none; a
    // stroke that set tiles, or a river drawn, counts before it is done.
    bool IsModified() const {
        return !history.IsClean() || (stroke && strokeSetTiles) ||
               (riverPreview && !riverPreview->ChangedNothing());
    }

    // A paint drag is one step: BeginStroke at the press, PaintTile for every tile it sets (the
    // cells of a stamp too), EndStroke at the release. PaintTile is false outside the map.
    void BeginStroke(const std::string& name);
    bool PaintTile(int type, int request, int x, int y);
    void EndStroke();
    // Rect of Terrain: the part of rect inside the map.
    void FillRect(int type, int request, const TileRect& rect);
    // A click of the river tool on a tile inside the map. False, and nothing done, for a tile
    // outside the map, or one that map files cannot hold a river on when a piece would go there.
    bool EditRiver(RiverAction action, int x, int y, int kind, int cell);
    // Cut: the part of rect inside the map loses its rivers and, for a type of 0 or more, is
    // filled as Rect of Terrain fills.
    void ClearRect(const TileRect& rect, int type, int request);
    // The block with its top left at (x, y), cut to the map; rivers on tiles that map files
    // cannot hold them on are left out, as the river tool leaves them out.
    void Paste(const CTileBlock& block, int x, int y);

    // The terrain brush, one dab of it in the stroke under way (BeginStroke, EndStroke): a
    // type of a transition family paints the corners of tiles and re-chooses the tiles touched
    // and the ring around them, so that their transitions follow; any other type paints the
    // tiles with request as PaintTile does. The plan says which tiles changed and which no cell
    // fits.
    TransitionPlan BrushTerrain(int type, int request, const TileRect& tiles,
                                const TransitionOptions& options);
    // Re-chooses the transitions of the part of area inside the map from the corners that its
    // tiles show; one step, when anything changed.
    TransitionPlan FixTransitions(const TileRect& area, const TransitionOptions& options);
    // The connected tiles of the type of tile (x, y) take type: for a family type through
    // their corners, the rim getting its transitions; otherwise as Rect of Terrain fills.
    TransitionPlan BucketFill(int x, int y, int type, int request,
                              const TransitionOptions& options);

    // The river brush: the river of kind drawn (or erased) along the whole path, shown on the
    // map as it will be and drawn afresh as the path grows; EndRiver makes it one step, or
    // with keep false takes it back. Any other edit first ends it as a step.
    RiverPlan PreviewRiver(int kind, const TilePath& path, bool erase);
    void EndRiver(bool keep);
    // A river drawn (or erased) along path as one step at once.
    RiverPlan DrawRiver(int kind, const TilePath& path, bool erase);

    void SetTerrainRecord(int type, const CTerrainType& record);
    // Only a different value is a step.
    void SetMilesPerTile(int miles);
    // 0, or the code of CCustomTerrainArt::Import, which leaves everything as it was.
    int ImportCustomArt(int type, const std::string& path);
    // Unloads the art; tiles of the type become grass with random cells.
    void UnloadCustomArt(int type);
    void SetExitMasks(int type, const std::array<uint8_t, 81>& masks);
    // Adds the pictures in order up to the first that cannot be loaded; how many were added.
    size_t AddCityArt(const std::vector<std::string>& paths);
    void DeleteCityArt(std::vector<int> indexes);

    // False when there is nothing to undo or redo.
    bool Undo();
    bool Redo();

  private:
    // Undoes (or, forward, redoes) the next step.
    bool Step(bool forward);
    // Applies a new edit and records it.
    void Do(std::unique_ptr<CMapEdit> edit);
    // A tile edit of the part of area inside the map, made by change.
    void ChangeTiles(const std::string& name, const TileRect& area, bool withRivers,
                     const CTileEdit::RectChange& change);
    // A step just done: into the history, and the observer told of what it changed (of the
    // history alone without tellTiles).
    void Record(std::unique_ptr<CMapEdit> edit, bool tellTiles = true);
    void Tell(const MapChange& change);
    // One step of the tiles a plan sets.
    void ApplyPicks(const std::string& name, const TransitionPlan& plan);
    // The plan for the tiles of rect (and the ring around it) after the corners of the tiles
    // that painted says were set to type.
    TransitionPlan PlanPaintedCorners(const TileRect& rect, int type,
                                      const std::vector<bool>& painted,
                                      const TransitionOptions& options);

    MapTarget target;
    CEditHistory history;
    CMapObserver* observer = nullptr;
    // The paint drag under way, and whether it set a tile.
    std::unique_ptr<CTileEdit> stroke;
    bool strokeSetTiles = false;
    // The river brush's drag under way, applied to the map: the tiles it changed, and the
    // seed its pieces are chosen from.
    std::unique_ptr<CTileEdit> riverPreview;
    std::vector<std::pair<int, int>> previewTiles;
    uint32_t riverSeed = 0;
};
