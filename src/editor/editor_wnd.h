#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

class CMapSession;
class CMapView;
class COverviewWnd;
class CSubtypePalette;
class CTilePreview;
class CToolChoice;
class CTypePalette;

// The editing surface that fills the main frame: the map view on the left, the palettes, the
// tile preview and the overview on the right. Lays them out, keeps them showing the session's
// map and the choice, does Copy, Cut and Paste, and scrolls the map view from the keyboard.
class CEditorWnd : public QWidget {
    Q_OBJECT

  public:
    CEditorWnd(CMapSession& session, CToolChoice& choice, QWidget* parent);

    // Computes the overview's rectangle from the size of the overview picture; with move, also
    // moves the overview pane there.
    void PlaceOverview(bool move);
    // Zoom In (1), Zoom Out (-1) or Actual Size (0), keeping the tile under anchor (map view
    // pixels) in place.
    void Zoom(int step, QPoint anchor);
    // View > Zoom to Fit.
    void ZoomToFit();

    // Copy takes the selected tiles with their cells and rivers (and puts a picture of them on
    // the system clipboard); Cut copies and then clears the selection as Rect of Terrain fills
    // it, rivers gone; Paste places the copied block where the user then clicks.
    void Copy();
    void Cut();
    void StartPaste();
    // The selected tiles as the map view draws them, at 50 or, for large selections, 25 pixels
    // a tile; null when even that would be too large.
    QImage SelectionPicture() const;

    CMapView* MapView() const { return mapView; }
    COverviewWnd* Overview() const { return overviewWnd; }
    CTypePalette* TypePalette() const { return typePalette; }
    CSubtypePalette* SubtypePalette() const { return subtypePalette; }
    CTilePreview* TilePreview() const { return tilePreview; }

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
    // After a map was opened, created or imported, or closed: new scroll ranges, the overview
    // shown or hidden, the choices checked against the new map's art.
    void ShowMap();
    void HideMap();
    // After the map or its art changed: a chosen custom type that lost its art gives way to
    // Grass with its first cell, and the palettes show what is now true.
    void ShowChoices();
    // After custom art was imported or unloaded: the palettes and the view show the map as it
    // now is.
    void ShowArtChange();

    CMapSession& session;
    CToolChoice& choice;
    CMapView* mapView;
    CTypePalette* typePalette;
    CSubtypePalette* subtypePalette;
    CTilePreview* tilePreview;
    COverviewWnd* overviewWnd;
};
