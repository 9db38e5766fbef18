#pragma once

#include <QApplication>
#include <memory>
#include <string>

class CMainFrame;
class CQtUserInteraction;

// The application: records the program folder, creates the main frame and shows it.
class CEditorApp : public QApplication {
    Q_OBJECT

  public:
    CEditorApp(int& argc, char** argv);
    ~CEditorApp() override;

    bool InitInstance();

    // The folder of the running program, without a trailing slash.
    std::string programFolder;

  private:
    std::unique_ptr<CMainFrame> mainFrame;
    std::unique_ptr<CQtUserInteraction> interaction;
};
