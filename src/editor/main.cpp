#include <csignal>

#include "editor/editor_app.h"

int main(int argc, char** argv) {
    // A file size limit then fails the write (EFBIG), and the save's failure path removes what
    // it wrote aside, instead of the signal ending the program with a stray file.
    std::signal(SIGXFSZ, SIG_IGN);
    CEditorApp app(argc, argv);
    if (!app.InitInstance()) {
        return 1;
    }
    return app.exec();
}
