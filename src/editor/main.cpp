#include "editor/editor_app.h"

int main(int argc, char** argv) {
    CEditorApp app(argc, argv);
    if (!app.InitInstance()) {
        return 1;
    }
    return app.exec();
}
