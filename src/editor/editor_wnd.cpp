#include "editor/editor_wnd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>
#include <iterator>

#include "art/builtin_art.h"
#include "art/tile_renderer.h"
#include "editor/image_target.h"
#include "editor/map_session.h"
#include "editor/map_view.h"
#include "editor/overview_wnd.h"
#include "editor/pane_style.h"
#include "editor/subtype_palette.h"
#include "editor/tile_preview.h"
#include "editor/tile_rects.h"
#include "editor/tool_choice.h"
#include "editor/type_palette.h"
#include "model/terrain_type.h"

namespace {

// The column of palettes, preview and overview at the right, and the height down to the bottom
// of the preview.
constexpr int kPanesWidth = 255;
constexpr int kPanesHeight = 410;
// The palettes' column, and where the overview goes under it.
constexpr int kPaletteWidth = 225;
constexpr int kOverviewTop = 360;
constexpr int kOverviewMargin = 10;

// A rectangle from its edges, right and bottom exclusive.
QRect Edges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// What a key does to one of the map view's scroll bars: an action of the bar, and with Ctrl
// held a position to go to instead (-1: the same action).
struct KeyScroll {
    int key;
    bool vertical;
    QScrollBar::SliderAction action;
    int ctrlPosition;
};

// Ctrl with Page Down or End asks for a position beyond any map; the bar clamps it.
constexpr int kFarEnd = 9999;

constexpr KeyScroll kKeyScrolls[] = {
    {Qt::Key_PageUp, true, QScrollBar::SliderPageStepSub, 0},
    {Qt::Key_PageDown, true, QScrollBar::SliderPageStepAdd, kFarEnd},
    {Qt::Key_Home, false, QScrollBar::SliderPageStepSub, 0},
    {Qt::Key_End, false, QScrollBar::SliderPageStepAdd, kFarEnd},
    {Qt::Key_Left, false, QScrollBar::SliderSingleStepSub, -1},
    {Qt::Key_Right, false, QScrollBar::SliderSingleStepAdd, -1},
    {Qt::Key_Up, true, QScrollBar::SliderSingleStepSub, -1},
    {Qt::Key_Down, true, QScrollBar::SliderSingleStepAdd, -1},
};

}  // namespace

CEditorWnd::CEditorWnd(CMapSession& session, CToolChoice& choice, QWidget* parent)
    : QWidget(parent),
      session(session),
      choice(choice),
      mapView(new CMapView(session, choice, this)),
      typePalette(new CTypePalette(choice, session.Art(), this)),
      subtypePalette(new CSubtypePalette(choice, session.Art(), this)),
      tilePreview(new CTilePreview(choice, session.Art(), this)),
      overviewWnd(new COverviewWnd(session, this)) {
    QPalette colors = palette();
    colors.setColor(QPalette::Window, kPaneGrey);
    setPalette(colors);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    overviewWnd->hide();
    mapView->setObjectName("mapView");
    typePalette->setObjectName("typePalette");
    subtypePalette->setObjectName("subtypePalette");
    tilePreview->setObjectName("tilePreview");
    overviewWnd->setObjectName("overview");
    connect(mapView, &CMapView::viewRectChanged, overviewWnd, &COverviewWnd::SetViewMarker);
    connect(overviewWnd, &COverviewWnd::scrollRequested, mapView, &CMapView::ScrollTo);
    connect(mapView, &CMapView::zoomRequested, this, &CEditorWnd::Zoom);
    connect(&session, &CMapSession::opened, this, &CEditorWnd::ShowMap);
    connect(&session, &CMapSession::closed, this, &CEditorWnd::HideMap);
    connect(&session, &CMapSession::artChanged, this, &CEditorWnd::ShowArtChange);
    // The palettes whole, and some of the map beside them.
    setMinimumSize(kPanesWidth + 200, kPanesHeight);
}

void CEditorWnd::PlaceOverview(bool move) {
    int cx = width();
    int w = session.Overview().GetWidth();
    int h = session.Overview().GetHeight();
    // A picture too large for the space under the palettes is shown reduced to fit it.
    int spaceWidth = kPaletteWidth;
    int spaceHeight = std::max(1, height() - kOverviewTop - kOverviewMargin);
    if (w > spaceWidth || h > spaceHeight) {
        double scale =
            std::min(static_cast<double>(spaceWidth) / w, static_cast<double>(spaceHeight) / h);
        w = std::max(1, static_cast<int>(w * scale));
        h = std::max(1, static_cast<int>(h * scale));
    }
    int left = cx + 10 - (w + kPaletteWidth) / 2;
    overviewRect = Edges(left, kOverviewTop, left + w, kOverviewTop + h);
    overviewWnd->SetShownSize(QSize(w, h));
    if (move) {
        MoveOverview();
    }
}

void CEditorWnd::MoveOverview() {
    // The border lies around the picture, so that all of it shows.
    int border = overviewWnd->frameWidth();
    overviewWnd->setGeometry(overviewRect.adjusted(-border, -border, border, border));
    overviewWnd->update();
}

void CEditorWnd::resizeEvent(QResizeEvent*) {
    int cx = width();
    int cy = height();
    if (cx == 0 || cy == 0) {
        return;
    }
    typePaletteRect = Edges(cx - 225, 0, cx, 125);
    subtypePaletteRect = Edges(cx - 225, 130, cx, 355);
    previewRect = Edges(cx - 252, 360, cx - 202, 410);
    PlaceOverview(false);
    mapViewRect = Edges(0, 0, cx - kPanesWidth, cy);
    mapView->setGeometry(mapViewRect);
    typePalette->setGeometry(typePaletteRect);
    subtypePalette->setGeometry(subtypePaletteRect);
    tilePreview->setGeometry(previewRect);
    MoveOverview();
}

void CEditorWnd::ShowMap() {
    mapView->FitMap();
    ShowChoices();
    PlaceOverview(true);
    overviewWnd->show();
}

void CEditorWnd::HideMap() {
    mapView->FitMap();
    overviewWnd->hide();
    ShowChoices();
}

void CEditorWnd::ShowChoices() {
    // A custom type that lost its art cannot be painted: tiles of it would have nothing to show.
    if (!choice.HasArtIn(session.Art())) {
        choice.SelectType(TERRAIN_TYPE_GRASS);
    }
    typePalette->update();
    subtypePalette->update();
    tilePreview->update();
}

void CEditorWnd::ShowArtChange() {
    ShowChoices();
    mapView->InvalidateMap();
}

void CEditorWnd::Zoom(int step, QPoint anchor) {
    const int levels = static_cast<int>(std::size(kZoomLevels));
    int size = CMapView::kTileSize;
    if (step != 0) {
        const int level = static_cast<int>(
            std::find(std::begin(kZoomLevels), std::end(kZoomLevels), mapView->TileSize()) -
            std::begin(kZoomLevels));
        size = kZoomLevels[std::clamp(level + step, 0, levels - 1)];
    }
    mapView->SetTileSize(size, anchor);
}

void CEditorWnd::ZoomToFit() {
    const QSize pane = mapView->viewport()->size();
    // The largest level that shows the whole map, or the smallest when none does.
    int size = kZoomLevels[0];
    for (int level : kZoomLevels) {
        if (level * session.Grid().GetWidth() <= pane.width() &&
            level * session.Grid().GetHeight() <= pane.height()) {
            size = level;
        }
    }
    mapView->SetTileSize(size, QPoint());
    mapView->ScrollTo(0, 0);
}

void CEditorWnd::Copy() {
    const QRect& tiles = session.Selection();
    if (tiles.isEmpty()) {
        return;
    }
    choice.SetClipboard(CTileBlock::Copy(session.Grid(), ToTileRect(tiles)));
    QImage picture = SelectionPicture();
    if (!picture.isNull()) {
        QGuiApplication::clipboard()->setImage(picture);
    }
}

void CEditorWnd::Cut() {
    const QRect tiles = session.Selection();
    if (tiles.isEmpty()) {
        return;
    }
    Copy();
    // With a river kind chosen, or a type that has nothing to show, only the rivers go.
    bool fill = !choice.IsRiver() && choice.HasArtIn(session.Art());
    session.Editor().ClearRect(ToTileRect(tiles), fill ? choice.Type() : -1,
                               choice.RequestedSubtype());
}

void CEditorWnd::StartPaste() {
    if (session.IsOpen()) {
        choice.StartPaste();
    }
}

QImage CEditorWnd::SelectionPicture() const {
    // Image editors take pictures of a few hundred megabytes at most.
    constexpr int64_t kMostPixels = 32 << 20;
    const QRect& tiles = session.Selection();
    for (int tileSize : {CMapView::kTileSize, kSmallTileSize}) {
        int64_t width = int64_t{tiles.width()} * tileSize;
        int64_t height = int64_t{tiles.height()} * tileSize;
        if (width * height > kMostPixels) {
            continue;
        }
        QImage picture(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
        TileRect rect = ToTileRect(tiles);
        RenderTiles(session.Art(), tileSize, rect.left, rect.top, rect.right, rect.bottom,
                    TargetOf(picture), 0, 0);
        return picture;
    }
    return QImage();
}

void CEditorWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (choice.IsPasting() || mapView->dragging) {
            mapView->CancelTool();
        } else {
            session.SetSelection(QRect());
        }
        return;
    }
    for (const KeyScroll& scroll : kKeyScrolls) {
        if (scroll.key == event->key()) {
            QScrollBar* bar =
                scroll.vertical ? mapView->verticalScrollBar() : mapView->horizontalScrollBar();
            if (scroll.ctrlPosition >= 0 && event->modifiers() & Qt::ControlModifier) {
                bar->setValue(scroll.ctrlPosition);
            } else {
                bar->triggerAction(scroll.action);
            }
            return;
        }
    }
    QWidget::keyPressEvent(event);
}
