#pragma once

#include <QFrame>

class CMapArt;
class CToolChoice;

// The selected cell at full tile size, 50 x 50 below the subtype palette; the only place that
// shows the selection.
class CTilePreview : public QFrame {
  public:
    CTilePreview(const CToolChoice& choice, const CMapArt& art, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const CToolChoice& choice;
    const CMapArt& art;
};
