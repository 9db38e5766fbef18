// Grabs the editor's window with a 60 x 40 map open into the PNG named on the command line. Run
// by scripts/screenshot.sh on the offscreen platform.

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <iostream>

#include "editor/editor_wnd.h"
#include "editor/main_frame.h"
#include "editor/map_view.h"
#include "model/terrain_type.h"

namespace {

// Some of every kind of country, so that the picture shows the art: a coast, mountains, woods,
// farms round a town, and a river. Painted as a designer paints, one step each, and given its
// transitions.
void Landscape(CMapEditor& editor, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int type = x + y / 2 > 23                                   ? TERRAIN_TYPE_OCEAN
                       : x + y / 2 > 21                                 ? TERRAIN_TYPE_SHALLOW
                       : (x - 4) * (x - 4) + (y - 5) * (y - 5) < 20     ? TERRAIN_TYPE_MOUNTAIN_2
                       : (x - 14) * (x - 14) + (y - 10) * (y - 10) < 12 ? TERRAIN_TYPE_WOODS
                       : (x - 9) * (x - 9) + (y - 3) * (y - 3) < 8      ? TERRAIN_TYPE_HILLS_1
                       : x > 6 && x < 11 && y > 10 && y < 14            ? TERRAIN_TYPE_FARM
                                                                        : TERRAIN_TYPE_GRASS;
            editor.PaintTile(type, 0, x, y);
        }
    }
    editor.PaintTile(TERRAIN_TYPE_SUBURB, 0, 8, 9);
    editor.EndStroke();
    for (int x = 0; x < 19; ++x) {
        editor.EditRiver(CMapEditor::RiverAction::Add, x, 7, 1, 1);
    }
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
    frame.NewMap(60, 40, TERRAIN_TYPE_GRASS);
    Landscape(frame.Session().Editor(), 60, 40);
    // Coasts, shores and mountain feet, as Fix Transitions gives them.
    frame.Session().Editor().FixTransitions({0, 0, 60, 40}, TransitionOptions::Default());
    // Woods chosen, and a block of the coast selected with Select Rect.
    frame.Choice().SelectType(TERRAIN_TYPE_WOODS);
    frame.Choice().SelectCell(4);
    QWidget* viewport = frame.EditorWnd()->MapView()->viewport();
    for (auto [type, at] : {std::pair{QEvent::MouseButtonPress, QPoint(775, 275)},
                            std::pair{QEvent::MouseMove, QPoint(925, 475)},
                            std::pair{QEvent::MouseButtonRelease, QPoint(925, 475)}}) {
        Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(viewport, &event);
    }
    // exit, not quit: quitting would ask whether to save the new map.
    QTimer::singleShot(
        0, [&] { app.exit(frame.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1); });
    return app.exec();
}
