#pragma once

#include <QObject>
#include <vector>

#include "edit/tile_block.h"
#include "editor/edit_tool.h"
#include "model/builtin_tables.h"
#include "transitions/terrain_families.h"

class CMapArt;

// What the designer has chosen to edit with: a terrain type and a cell of its sheet, or a river
// kind and a piece; whether cells are random; the tool; the block that Copy and Cut took, and
// whether it is being pasted. The palettes, the preview, the view and the frame follow its
// changed signal.
class CToolChoice : public QObject {
    Q_OBJECT

  public:
    // The terrain type to paint, or with a river kind chosen the kind (0 wide, 1 narrow).
    int Type() const { return type; }
    // The cell 0 to 80 of the type's sheet, or with a river kind chosen the river piece.
    int Cell() const { return cell; }
    bool IsRiver() const { return river; }
    bool RandomSubtype() const { return randomSubtype; }
    // The tool chosen in the Edit menu.
    EditTool Tool() const { return tool; }
    // The tool that the view's mouse events go to: the chosen one, the river tool in its stead
    // while a river kind is chosen (but for Select Rect, which selects whatever is chosen, and
    // the River Brush), or the paste tool while a paste is under way.
    EditTool ActiveTool() const;
    const CTileBlock& Clipboard() const { return clipboard; }
    bool IsPasting() const { return pasting; }
    // The terrain brush's side in tiles: 1, 2, 3 or 5.
    int BrushSize() const { return brushSize; }
    // The sheets that the brush, Bucket Fill and Fix Transitions take for coasts of grass.
    const TransitionOptions& Transitions() const { return transitions; }

    // A terrain type with its first cell, or a river kind with its first piece.
    void SelectType(int terrainType);
    void SelectRiver(int kind);
    void SelectCell(int newCell);
    void SetRandomSubtype(bool on);
    void SetTool(EditTool newTool);
    void SetClipboard(CTileBlock block);
    // Paste follows the pointer until a click places the block or EndPaste ends it; only with
    // something copied.
    void StartPaste();
    void EndPaste();
    void SetBrushSize(int tiles);
    // Lets the coast sheet (a Grass-Ocean type) be used or not; the last one stays.
    void SetCoastSheet(int sheet, bool use);

    // The requested subtype that Paint Terrain, Rect of Terrain and Cut set.
    int RequestedSubtype() const;
    // Random Subtype offers itself only for types with random cells.
    bool CanPickRandomSubtype() const;
    // False while the chosen terrain is a custom type without art, which the tools never paint.
    bool HasArtIn(const CMapArt& art) const;
    // How many cells of the subtype palette can be chosen: the cells with art in a built-in
    // sheet, all 81 for custom types and rivers.
    int CellCount() const;
    // The stamp group table of the chosen type, null when it has none; the stamp group of the
    // chosen cell, 0 when it is an ordinary single tile.
    const StampGroupRow* StampTable() const;
    int StampGroup() const;

  signals:
    void changed();

  private:
    int type = 4;
    int cell = 0;
    bool river = false;
    bool randomSubtype = false;
    EditTool tool = EditTool::SelectRect;
    CTileBlock clipboard;
    bool pasting = false;
    int brushSize = 1;
    TransitionOptions transitions = TransitionOptions::Default();
};
