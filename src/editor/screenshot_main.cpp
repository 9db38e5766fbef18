// Grabs the editor's window with a generated 44 x 30 map open at 25 pixels a tile into the PNG
// named on the command line. Run by scripts/screenshot.sh on the offscreen platform.

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <iostream>

#include "editor/editor_wnd.h"
#include "editor/main_frame.h"
#include "editor/map_view.h"
#include "generate/generation_options.h"
#include "generate/seeded_heights.h"
#include "model/terrain_type.h"

namespace {

constexpr int kWidth = 44;
constexpr int kHeight = 30;

// A stretch of coast as File > Generate makes it: coasts and mountain feet chosen by the terrain
// brush's solver, an island, rivers running down to the sea, woods, farms, hills and mountains.
GenerationOptions Landscape() {
    GenerationOptions options;
    options.landShare = 0.6;
    options.bandTops = {0.45, 0.65, 0.78, 0.88, 0.95};
    options.rivers = RiverAmount::Many;
    options.seed = 7;
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: tarvo-editor-screenshot OUTPUT.png\n";
        return 2;
    }
    std::string folder = QCoreApplication::applicationDirPath().toStdString();
    CMainFrame frame(folder);
    frame.resize(1280, 800);
    frame.show();
    if (!frame.ReadGameData(folder + "/gamedata/tarvo.ini", true)) {
        std::cerr << "the game data beside the program cannot be read\n";
        return 1;
    }
    const GenerationOptions options = Landscape();
    if (!frame.Session().Generate(SeededHeights(kWidth, kHeight, options.seed, LandMask::Coast),
                                  options)) {
        std::cerr << "the map could not be made\n";
        return 1;
    }
    CMapView* view = frame.EditorWnd()->MapView();
    view->SetTileSize(25, QPoint(0, 0));
    view->ScrollTo(4, 0);  // the mountains in the east in view, and the island
    // Woods chosen, and the island selected with Select Rect.
    frame.Choice().SelectType(TERRAIN_TYPE_WOODS);
    frame.Choice().SelectCell(4);
    QWidget* viewport = view->viewport();
    for (auto [type, at] : {std::pair{QEvent::MouseButtonPress, QPoint(225, 200)},
                            std::pair{QEvent::MouseMove, QPoint(400, 425)},
                            std::pair{QEvent::MouseButtonRelease, QPoint(400, 425)}}) {
        Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(viewport, &event);
    }
    // exit, not quit: quitting would ask whether to save the new map.
    QTimer::singleShot(
        0, [&] { app.exit(frame.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1); });
    return app.exec();
}
