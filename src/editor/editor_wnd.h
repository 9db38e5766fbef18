#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

#include "edit/tile_block.h"

class CMainFrame;
class CMapView;
class COverviewWnd;
class CSubtypePalette;
class CTilePreview;
class CTypePalette;

// The tools of the map view.
enum EditTool { kToolPaintTerrain = 0, kToolRectOfTerrain = 1, kToolSelectRect = 2 };

// The editing surface that fills the main frame: the map view on the left, the palettes, the
// tile preview and the overview on the right. Holds what the tools put on the map and scrolls
// the map view from the keyboard.
class CEditorWnd : public QWidget {
    Q_OBJECT

  public:
    CEditorWnd(CMainFrame& frame, QWidget* parent);

    // Computes the overview's rectangle from the size of the overview picture; with move, also
    // moves the overview pane there.
    void PlaceOverview(bool move);
    // After a map was opened, created or imported: new scroll ranges, the overview shown.
    void ShowMap();
    // After the map was closed.
    void HideMap();
    // After the map or its art changed: the palettes and the preview show what is now true, and
    // a chosen custom type that lost its art gives way to Grass with its first cell.
    void ShowChoices();
    // False while the chosen terrain is a custom type without art, which the tools never paint.
    bool ChoiceHasArt() const;

    // The palettes' choices: a terrain type (or river kind) and a cell of it.
    void SelectType(int number);
    void SelectSubtype(int cell);
    // After custom art was imported or unloaded, or tiles replaced: the palettes, the view and
    // the overview show the map as it now is.
    void ShowArtChange();
    void SetTool(int newTool);
    // Zoom In (1), Zoom Out (-1) or Actual Size (0), keeping the tile under anchor (map view
    // pixels) in place.
    void Zoom(int step, QPoint anchor);
    void ToggleRandomSubtype();
    // Random Subtype offers itself only for types with random cells.
    bool CanPickRandomSubtype() const;
    // The requested subtype that Paint Terrain, Rect of Terrain and Cut set.
    int RequestedSubtype() const;

    // Copy takes the selected tiles with their cells and rivers (and puts a picture of them on
    // the system clipboard); Cut copies and then clears the selection as Rect of Terrain fills
    // it, rivers gone; Paste places the copied block where the user then clicks.
    void Copy();
    void Cut();
    void StartPaste();
    bool HasSelection() const;
    bool CanPaste() const { return !clipboard.IsEmpty(); }
    // The selected tiles as the map view draws them, at 50 or, for large selections, 25 pixels
    // a tile; null when even that would be too large.
    QImage SelectionPicture() const;

    CMapView* MapView() const { return mapView; }
    COverviewWnd* Overview() const { return overviewWnd; }
    CTypePalette* TypePalette() const { return typePalette; }
    CSubtypePalette* SubtypePalette() const { return subtypePalette; }
    CTilePreview* TilePreview() const { return tilePreview; }

    // The terrain type to paint, or in river mode the river kind (0 wide, 1 narrow).
    int currentType = 4;
    // The cell 0 to 80 of the type's sheet, or in river mode the river piece.
    int currentSubtype = 0;
    bool randomSubtype = false;
    bool riverMode = false;
    int tool = kToolSelectRect;
    // What Copy and Cut took last, for Paste.
    CTileBlock clipboard;

    // The layout, recomputed on every resize; the overview's is its picture area.
    QRect mapViewRect;
    QRect typePaletteRect;
    QRect subtypePaletteRect;
    QRect previewRect;
    QRect overviewRect;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void MoveOverview();

    CMainFrame& frame;
    CMapView* mapView;
    CTypePalette* typePalette;
    CSubtypePalette* subtypePalette;
    CTilePreview* tilePreview;
    COverviewWnd* overviewWnd;
};
