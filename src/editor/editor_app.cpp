#include "editor/editor_app.h"

#include "editor/main_frame.h"
#include "editor/qt_user_interaction.h"

CEditorApp::CEditorApp(int& argc, char** argv) : QApplication(argc, argv) {}

CEditorApp::~CEditorApp() = default;

bool CEditorApp::InitInstance() {
    // The organisation the framework files settings under; the editor stores none.
    setOrganizationName("Corvane");
    setApplicationName(kAppTitle);
    programFolder = applicationDirPath().toStdString();
    mainFrame = std::make_unique<CMainFrame>(programFolder);
    interaction = std::make_unique<CQtUserInteraction>(mainFrame.get());
    mainFrame->show();
    return true;
}
