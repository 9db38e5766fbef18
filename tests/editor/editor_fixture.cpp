#include "editor_fixture.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "art/overview_picture.h"

EditorTest::EditorTest() {
    frame.resize(1024, 768);
    frame.show();
    Settle();
}

std::string ShippedGameData() {
    return TARVO_SOURCE_DIR "/gamedata/tarvo.ini";
}

void EditorTest::Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

void EditorTest::OpenGameData() {
    script.files.push_back(ShippedGameData());
    frame.OnOpenGameData();
    ASSERT_TRUE(frame.gameDataLoaded);
}

void EditorTest::OpenNewMap(int width, int height, int type) {
    OpenGameData();
    frame.NewMap(width, height, type);
    Settle();
}

void EditorTest::WhenDialogShows(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] { action(QApplication::activeModalWidget()); });
}

std::string EditorTest::SaveAs(const std::string& name) {
    std::string path = folder.File(name);
    script.files.push_back(path);
    frame.OnSaveMapAs();
    return path;
}

QImage EditorTest::GrabView() const {
    return View().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage OnScreen(QWidget* widget) {
    QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    QPixmap shown = widget->screen()->grabWindow(widget->window()->winId(), at.x(), at.y(),
                                                 widget->width(), widget->height());
    return shown.toImage().convertToFormat(QImage::Format_RGB32);
}
