#include "editor/editor_app.h"

#include "editor/main_frame.h"
#include "editor/qt_user_interaction.h"

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv) {}

CEditorApp::~CEditorApp() = default;

bool CEditorApp::InitInstance() {
    // The organisation the editor's settings are filed under.
    setOrganizationName("Corvane");
    setApplicationName(kAppTitle);
    programFolder = applicationDirPath().toStdString();
    mainFrame = std::make_unique<CMainFrame>(programFolder);
    interaction = std::make_unique<CQtUserInteraction>(mainFrame.get());
    mainFrame->show();
    // The first argument, when there is one, names a map to open.
    std::vector<std::string> maps;
    for (const QString& argument : arguments().mid(1)) {
        maps.push_back(argument.toStdString());
    }
    mainFrame->StartUp(maps);
    return true;
}
