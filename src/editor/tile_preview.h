#pragma once

#include <QFrame>

class CEditorWnd;
class CMainFrame;

// The selected cell at full tile size, 50 x 50 below the subtype palette; the only place that
// shows the selection.
class CTilePreview : public QFrame {
  public:
    CTilePreview(CMainFrame& frame, CEditorWnd* editor);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CMainFrame& frame;
    CEditorWnd* editor;
};
