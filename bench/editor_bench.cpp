// The map view's painting: a full repaint and a one-tile scroll of a 1920 x 1080 view of a map
// with rivers, each against a widget of the same size that paints one prepared picture with
// QPainter, repainted the same way in the same run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <iterator>
#include <memory>

#include "bench_support.h"
#include "document/map_snapshot.h"
#include "editor/editor_wnd.h"
#include "editor/main_frame.h"
#include "editor/map_view.h"
#include "mapfile/map_file.h"
#include "model/terrain_table.h"
#include "model/terrain_type.h"

namespace {

const QSize kViewSize(1920, 1080);

class PictureWidget : public QWidget {
  public:
    PictureWidget() : picture(kViewSize, QImage::Format_RGB32) {
        picture.fill(QColor(40, 120, 60));
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(kViewSize);
    }

  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, picture); }

  private:
    QImage picture;
};

// A 192 x 112 map of mixed country, a river piece on every third tile, shown in a frame whose
// map view is 1920 x 1080.
std::unique_ptr<CMainFrame> MapOnScreen() {
    theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
    auto frame = std::make_unique<CMainFrame>(TARVO_SOURCE_DIR);
    frame->gameDataLoaded = true;
    frame->NewMap(192, 112, TERRAIN_TYPE_GRASS);
    CTileGrid& grid = frame->Session().Grid();
    const int types[] = {TERRAIN_TYPE_WOODS, TERRAIN_TYPE_HILLS_1, TERRAIN_TYPE_FARM,
                         TERRAIN_TYPE_DESERT, TERRAIN_TYPE_OCEAN};
    for (int y = 0; y < 112; ++y) {
        for (int x = 0; x < 192; ++x) {
            grid.SetTile(types[(x / 3 + y / 4) % 5], 0, x, y);
            if ((x + y) % 3 == 0) {
                grid.AddOverlay(x, y, (x + y) % 2, (x * 7 + y) % 81);
            }
        }
    }
    frame->show();
    QWidget* viewport = frame->EditorWnd()->MapView()->viewport();
    for (int i = 0; i < 3 && viewport->size() != kViewSize; ++i) {
        frame->resize(frame->size() + kViewSize - viewport->size());
        QApplication::processEvents();
    }
    return frame;
}

void BM_PictureRepaint(benchmark::State& state) {
    PictureWidget widget;
    widget.show();
    QApplication::processEvents();
    for (auto _ : state) {
        widget.repaint();
    }
}
BENCHMARK(BM_PictureRepaint)->Unit(benchmark::kMillisecond);

// The frame's map view, or null (the benchmark skipped) when it is not 1920 x 1080.
CMapView* ViewOnScreen(benchmark::State& state, const CMainFrame& frame) {
    CMapView* view = frame.EditorWnd()->MapView();
    if (view->viewport()->size() != kViewSize) {
        state.SkipWithError("the map view could not be made 1920 x 1080");
        return nullptr;
    }
    view->ScrollTo(20, 10);
    // Whatever showing and resizing the frame left pending is done before the timing starts.
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
    return view;
}

void BM_MapViewFullRepaint(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapView* view = ViewOnScreen(state, *frame);
    if (view == nullptr) {
        return;
    }
    for (auto _ : state) {
        // Every tile rendered from the map again, not just the kept pixels drawn.
        view->InvalidateMap();
        view->viewport()->repaint();
    }
}
BENCHMARK(BM_MapViewFullRepaint)->Unit(benchmark::kMillisecond);

void BM_MapViewScrollOneTile(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapView* view = ViewOnScreen(state, *frame);
    if (view == nullptr) {
        return;
    }
    int step = 1;
    for (auto _ : state) {
        view->ScrollTo(view->scrollX + step, 10);
        step = -step;
        // Paints and flushes what the scroll changed (the uncovered strip, the scroll bar, the
        // overview's marker), as the event loop would next.
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
}
BENCHMARK(BM_MapViewScrollOneTile)->Unit(benchmark::kMillisecond);

// Only the viewport's part of a one-tile scroll: the window's pixels moved and the uncovered
// strip painted, without the scroll bar and the overview. Any scroll that moves pixels costs
// at least this.
void BM_MapViewMovePixels(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapView* view = ViewOnScreen(state, *frame);
    if (view == nullptr) {
        return;
    }
    int dx = CMapView::kTileSize;
    for (auto _ : state) {
        view->viewport()->scroll(dx, 0);
        dx = -dx;
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
}
BENCHMARK(BM_MapViewMovePixels)->Unit(benchmark::kMillisecond);

constexpr int kFillWidth = 192;
constexpr int kFillHeight = 112;

// Baseline of the fill (192 x 112) and of undoing a whole-map fill (1000 x 1000): the grid
// alone, every tile set to one type.
void BM_GridFillAll(benchmark::State& state) {
    theTerrainTable.LoadGameData(TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
    CTileGrid grid;
    grid.Allocate(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int type = TERRAIN_TYPE_WOODS;
    for (auto _ : state) {
        grid.FillAll(type);
        type = type == TERRAIN_TYPE_WOODS ? TERRAIN_TYPE_DESERT : TERRAIN_TYPE_WOODS;
    }
}
BENCHMARK(BM_GridFillAll)
    ->Args({kFillWidth, kFillHeight})
    ->Args({1000, 1000})
    ->Unit(benchmark::kMicrosecond);

void SendButton(QWidget* target, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// The whole map filled with Rect of Terrain in one drag, from the top-left tile to a release
// over the bottom-right one: the fill, the overview updates and the invalidation.
void BM_RectOfTerrainFillsTheMap(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapView* view = ViewOnScreen(state, *frame);
    if (view == nullptr) {
        return;
    }
    view->ScrollTo(0, 0);
    QApplication::processEvents();
    frame->Choice().SetTool(EditTool::RectOfTerrain);
    QPoint last((kFillWidth - 1) * 50 + 25, (kFillHeight - 1) * 50 + 25);
    int type = TERRAIN_TYPE_WOODS;
    for (auto _ : state) {
        frame->Choice().SelectType(type);
        SendButton(view->viewport(), QEvent::MouseButtonPress, QPoint(25, 25));
        SendButton(view->viewport(), QEvent::MouseButtonRelease, last);
        type = type == TERRAIN_TYPE_WOODS ? TERRAIN_TYPE_DESERT : TERRAIN_TYPE_WOODS;
        state.PauseTiming();
        // The repaint that follows is not part of the fill.
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RectOfTerrainFillsTheMap)->Unit(benchmark::kMicrosecond);

// A zoom change of the 1920 x 1080 view: the steps 50, 25, 10, 25, 50 pixels a tile in turn,
// each with the repaint of the whole view at the new size.
void BM_MapViewZoomChange(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapView* view = ViewOnScreen(state, *frame);
    if (view == nullptr) {
        return;
    }
    const int sizes[] = {25, 10, 25, 50};
    size_t next = 0;
    QPoint centre = view->viewport()->rect().center();
    for (auto _ : state) {
        view->SetTileSize(sizes[next], centre);
        next = (next + 1) % std::size(sizes);
        view->viewport()->repaint();
    }
}
BENCHMARK(BM_MapViewZoomChange)->Unit(benchmark::kMillisecond);

// Lets the window system show a new window and waits for its first paint.
template <typename Window>
void ShowAndPaint(Window& window) {
    window.show();
    QApplication::processEvents();
    window.repaint();
}

// Baseline of the start-up: an empty main window, shown and painted.
void BM_EmptyWindowStartUp(benchmark::State& state) {
    for (auto _ : state) {
        QMainWindow window;
        ShowAndPaint(window);
    }
}
BENCHMARK(BM_EmptyWindowStartUp)->Unit(benchmark::kMillisecond);

// The editor's start-up to a usable window: the frame made, the remembered game data read
// (the bundled file here), shown and painted.
void BM_EditorStartUp(benchmark::State& state) {
    QSettings().setValue("gameDataFile", TARVO_SOURCE_DIR "/gamedata/tarvo.ini");
    for (auto _ : state) {
        CMainFrame frame(TARVO_SOURCE_DIR);
        frame.StartUp({});
        if (!frame.gameDataLoaded) {
            state.SkipWithError("the game data was not read");
            return;
        }
        ShowAndPaint(frame);
    }
}
BENCHMARK(BM_EditorStartUp)->Unit(benchmark::kMillisecond);

// One tile painted on a map of width x height tiles, as a click of Paint Terrain does it: the tile,
// its overview pixel (on a map too large for its pane, the reduced picture's pixel) and the
// repaint requests. The repaints are not timed.
void BM_PaintOneTile(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    frame->NewMap(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                  TERRAIN_TYPE_GRASS);
    QApplication::processEvents();
    CMapEditor& editor = frame->Session().Editor();
    int type = TERRAIN_TYPE_WOODS;
    for (auto _ : state) {
        editor.BeginStroke("Paint Terrain");
        editor.PaintTile(type, 1, 3, 3);
        editor.EndStroke();
        type = type == TERRAIN_TYPE_WOODS ? TERRAIN_TYPE_DESERT : TERRAIN_TYPE_WOODS;
        state.PauseTiming();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PaintOneTile)->Args({192, 112})->Args({1000, 1000})->Unit(benchmark::kMicrosecond);

constexpr int kBigSide = 1000;

// A 1000 x 1000 map of mixed country opened from a file, in a frame on screen, with a Rect of
// Terrain over all of it done: the step that the undo and redo benchmarks take back and forth.
std::unique_ptr<CMainFrame> BigMapFilled() {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    frame->NewMap(kBigSide, kBigSide, TERRAIN_TYPE_GRASS);
    CMapSession& session = frame->Session();
    const int types[] = {TERRAIN_TYPE_WOODS,  TERRAIN_TYPE_HILLS_1, TERRAIN_TYPE_FARM,
                         TERRAIN_TYPE_DESERT, TERRAIN_TYPE_OCEAN,   TERRAIN_TYPE_SWAMP};
    for (int y = 0; y < kBigSide; ++y) {
        for (int x = 0; x < kBigSide; ++x) {
            session.Grid().SetTile(types[(x / 7 + y / 5) % 6], (x * y) % 9 + 1, x, y);
        }
    }
    std::string path = QDir::temp().filePath("tarvo-editor-bench.gmp").toStdString();
    session.Save(path, nullptr);
    session.Open(path);
    std::remove(path.c_str());
    session.Editor().FillRect(TERRAIN_TYPE_DESERT, 1, {0, 0, kBigSide, kBigSide});
    QApplication::processEvents();
    return frame;
}

// Runs work timed and then untimed for every iteration, and the repaints it asked for untimed.
template <typename Timed, typename Untimed>
void TimeOneOfTwo(benchmark::State& state, Timed timed, Untimed untimed) {
    for (auto _ : state) {
        timed();
        state.PauseTiming();
        untimed();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// Undo (or with redo set, redo) of the whole-map fill: the tiles written back, the overview
// recoloured and the view told; the other direction and the repaint are not timed.
void TimeWholeMapStep(benchmark::State& state, bool redo) {
    std::unique_ptr<CMainFrame> frame = BigMapFilled();
    CMapEditor& editor = frame->Session().Editor();
    if (redo) {
        editor.Undo();
        TimeOneOfTwo(
            state, [&] { editor.Redo(); }, [&] { editor.Undo(); });
    } else {
        TimeOneOfTwo(
            state, [&] { editor.Undo(); }, [&] { editor.Redo(); });
    }
}

void BM_UndoWholeMapFill(benchmark::State& state) {
    TimeWholeMapStep(state, false);
}
BENCHMARK(BM_UndoWholeMapFill)->Unit(benchmark::kMillisecond);

void BM_RedoWholeMapFill(benchmark::State& state) {
    TimeWholeMapStep(state, true);
}
BENCHMARK(BM_RedoWholeMapFill)->Unit(benchmark::kMillisecond);

constexpr int kDragTiles = 500;

// A paint drag over 500 tiles (five rows of 100) as the view does it, tile by tile through the
// map editor, with the overview, the view's invalidation and the frame's state; and the undo
// of it. The repaints are not timed.
void TimePaintDrag(benchmark::State& state, bool undo) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapView* view = ViewOnScreen(state, *frame);
    if (view == nullptr) {
        return;
    }
    CMapEditor& editor = frame->Session().Editor();
    // Woods with cell 2, as the palettes would choose them.
    auto drag = [&] {
        editor.BeginStroke("Paint Terrain");
        for (int i = 0; i < kDragTiles; ++i) {
            editor.PaintTile(TERRAIN_TYPE_WOODS, 3, i % 100, i / 100);
        }
        editor.EndStroke();
    };
    auto takeBack = [&] { editor.Undo(); };
    if (undo) {
        drag();
        TimeOneOfTwo(state, takeBack, [&] { editor.Redo(); });
    } else {
        TimeOneOfTwo(state, drag, takeBack);
    }
}

void BM_PaintDrag500Tiles(benchmark::State& state) {
    TimePaintDrag(state, false);
}
BENCHMARK(BM_PaintDrag500Tiles)->Unit(benchmark::kMicrosecond);

void BM_UndoPaintDrag500Tiles(benchmark::State& state) {
    TimePaintDrag(state, true);
}
BENCHMARK(BM_UndoPaintDrag500Tiles)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// One dab of the size 5 terrain brush in the 1920 x 1080 view, and the same square painted
// with Paint Terrain tile by tile, each with the repaint it asks for. The dab alternates
// between grass and ocean on a grass map, so that every dab makes a coast; the square painted
// for comparison is the one the dab re-chooses: its 5 x 5 tiles and two rings around them.
constexpr int kBrushSide = 5;
constexpr int kBrushReach = kBrushSide + 4;

void TimeBrushOrPaint(benchmark::State& state, bool brush) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapView* view = ViewOnScreen(state, *frame);
    if (view == nullptr) {
        return;
    }
    frame->NewMap(192, 112, TERRAIN_TYPE_GRASS);
    QApplication::processEvents();
    CMapEditor& editor = frame->Session().Editor();
    const TransitionOptions options = TransitionOptions::Default();
    const int left = view->scrollX + 10;
    const int top = view->scrollY + 8;
    int type = TERRAIN_TYPE_OCEAN;
    for (auto _ : state) {
        editor.BeginStroke("bench");
        if (brush) {
            editor.BrushTerrain(type, 1, {left, top, left + kBrushSide, top + kBrushSide}, options);
        } else {
            for (int y = top - 2; y < top - 2 + kBrushReach; ++y) {
                for (int x = left - 2; x < left - 2 + kBrushReach; ++x) {
                    editor.PaintTile(type, 1, x, y);
                }
            }
        }
        editor.EndStroke();
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        type = type == TERRAIN_TYPE_OCEAN ? TERRAIN_TYPE_GRASS : TERRAIN_TYPE_OCEAN;
    }
}

void BM_TerrainBrushDab5(benchmark::State& state) {
    TimeBrushOrPaint(state, true);
}
BENCHMARK(BM_TerrainBrushDab5)->Unit(benchmark::kMicrosecond);

void BM_PaintTerrainSameSquare(benchmark::State& state) {
    TimeBrushOrPaint(state, false);
}
BENCHMARK(BM_PaintTerrainSameSquare)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// A 200-tile river on a 1000 x 1000 map in the 1920 x 1080 view, each with the repaints it
// asks for: placed by 200 clicks of the river tool; drawn with the River Brush (the pointer's
// 200 steps, each drawing the river as it will be, then the release); and of that stroke the
// release alone, from the release to the map redrawn.
constexpr int kRiverTiles = 200;

enum class RiverWay { Clicks, Stroke, Release };

// Tiles from (10, 10) along a staircase, right and down in turn.
TilePath RiverSteps() {
    TilePath path;
    for (int i = 0; i < kRiverTiles; ++i) {
        path.emplace_back(10 + (i + 1) / 2, 10 + i / 2);
    }
    return path;
}

void DrawRiverSteps(CMapEditor& editor, const TilePath& steps) {
    TilePath path;
    for (const auto& tile : steps) {
        path.push_back(tile);
        editor.PreviewRiver(kNarrowRiver, path, false);
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
}

void TimeRiver(benchmark::State& state, RiverWay way) {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapView* view = ViewOnScreen(state, *frame);
    if (view == nullptr) {
        return;
    }
    frame->NewMap(1000, 1000, TERRAIN_TYPE_GRASS);
    view->ScrollTo(0, 0);
    QApplication::processEvents();
    CMapEditor& editor = frame->Session().Editor();
    const TilePath steps = RiverSteps();
    for (auto _ : state) {
        if (way == RiverWay::Clicks) {
            for (const auto& [x, y] : steps) {
                editor.EditRiver(CMapEditor::RiverAction::Replace, x, y, kNarrowRiver, 0);
                QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
            }
        } else {
            if (way == RiverWay::Release) {
                state.PauseTiming();
            }
            DrawRiverSteps(editor, steps);
            if (way == RiverWay::Release) {
                state.ResumeTiming();
            }
            editor.EndRiver(true);
        }
        QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        state.PauseTiming();
        while (editor.Undo()) {
        }
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_RiverClicks200(benchmark::State& state) {
    TimeRiver(state, RiverWay::Clicks);
}
BENCHMARK(BM_RiverClicks200)->Unit(benchmark::kMillisecond);

void BM_RiverBrushStroke200(benchmark::State& state) {
    TimeRiver(state, RiverWay::Stroke);
}
BENCHMARK(BM_RiverBrushStroke200)->Unit(benchmark::kMillisecond);

void BM_RiverBrushRelease200(benchmark::State& state) {
    TimeRiver(state, RiverWay::Release);
}
BENCHMARK(BM_RiverBrushRelease200)->Unit(benchmark::kMillisecond)->Iterations(30);

// The map of MapOnScreen with art on all 16 custom types and 8 city pictures; null when the
// art cannot be had.
std::unique_ptr<CMainFrame> MapWithArtOnScreen() {
    std::unique_ptr<CMainFrame> frame = MapOnScreen();
    CMapSession& session = frame->Session();
    ScratchFile sheet("sheet.bmp");
    ScratchFile city("city.bmp");
    ArtPicture(900).SaveBmp(sheet.path);
    ArtPicture(120).SaveBmp(city.path);
    for (int type = TERRAIN_TYPE_CUSTOM_1; type <= TERRAIN_TYPE_CUSTOM_16; ++type) {
        if (session.Editor().ImportCustomArt(type, sheet.path) != 0) {
            return nullptr;
        }
        session.Grid().SetTile(type, 1, type, 0);
    }
    if (session.Editor().AddCityArt(std::vector<std::string>(8, city.path)) != 8) {
        return nullptr;
    }
    return frame;
}

// The autosave's part on the UI thread while the designer paints: the snapshot of the map,
// its art taken over from the snapshot before (the art did not change in between).
void BM_AutosaveSnapshot(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapWithArtOnScreen();
    if (frame == nullptr) {
        state.SkipWithError("the art could not be imported");
        return;
    }
    CMapSession& session = frame->Session();
    auto snapshot = std::make_unique<CMapSnapshot>(session.Document(), theTerrainTable,
                                                   session.ArtRevision(), nullptr);
    int x = 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.Editor().FillRect(TERRAIN_TYPE_WOODS, 1, TileRect{x % 192, 50, x % 192 + 1, 51});
        ++x;
        state.ResumeTiming();
        snapshot = std::make_unique<CMapSnapshot>(session.Document(), theTerrainTable,
                                                  session.ArtRevision(), snapshot.get());
    }
    if (!snapshot->IsComplete()) {
        state.SkipWithError("the snapshot ran out of memory");
    }
}
BENCHMARK(BM_AutosaveSnapshot)->Unit(benchmark::kMillisecond);

// The same after the art changed: the whole art copied.
void BM_AutosaveSnapshotAfterArtChange(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapWithArtOnScreen();
    if (frame == nullptr) {
        state.SkipWithError("the art could not be imported");
        return;
    }
    CMapSession& session = frame->Session();
    for (auto _ : state) {
        CMapSnapshot snapshot(session.Document(), theTerrainTable, session.ArtRevision(), nullptr);
        benchmark::DoNotOptimize(snapshot.IsComplete());
    }
}
BENCHMARK(BM_AutosaveSnapshotAfterArtChange)->Unit(benchmark::kMillisecond);

// A full save of the same map, as Save Map writes it.
void BM_SaveMapWithArt(benchmark::State& state) {
    std::unique_ptr<CMainFrame> frame = MapWithArtOnScreen();
    if (frame == nullptr) {
        state.SkipWithError("the art could not be imported");
        return;
    }
    ScratchFile file("art-map.gmp");
    for (auto _ : state) {
        if (frame->Session().Save(file.path, nullptr) != 0) {
            state.SkipWithError("the map could not be saved");
        }
    }
}
BENCHMARK(BM_SaveMapWithArt)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The benchmark's settings stay out of the user's.
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication::setOrganizationName("Tarvo Map Editor Benchmarks");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
