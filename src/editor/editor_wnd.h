#pragma once

#include <QRect>
#include <QWidget>

class CMainFrame;
class CMapView;
class COverviewWnd;
class CSubtypePalette;
class CTilePreview;
class CTypePalette;

// The editing surface that fills the main frame: the map view on the left, the palettes, the
// tile preview and the overview on the right. Scrolls the map view from the keyboard.
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

    CMapView* MapView() const { return mapView; }
    COverviewWnd* Overview() const { return overviewWnd; }

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
