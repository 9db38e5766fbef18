#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

// The widgets need an application object; they run on the offscreen platform unless another is
// asked for.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The editor's settings and recovery copies go to a folder of the run's own, never to the
    // user's.
    QTemporaryDir settings;
    qputenv("XDG_DATA_HOME", (settings.path() + "/data").toLocal8Bit());
    QApplication app(argc, argv);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication::setOrganizationName("Tarvo Map Editor Tests");
    QApplication::setApplicationName("Tarvo Map Editor");
    // Tests close windows; that must not end the application.
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
