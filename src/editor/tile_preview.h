#pragma once

#include <QFrame>

#include "editor/pane_style.h"

// The preview of the selected cell, 50 x 50 below the subtype palette.
class CTilePreview : public QFrame {
  public:
    explicit CTilePreview(QWidget* parent) : QFrame(parent) { StylePane(*this, Qt::white); }
};
