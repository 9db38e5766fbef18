#pragma once

#include <QFrame>

#include "editor/pane_style.h"

// The terrain type palette, 225 x 125 at the top right of the editing surface.
class CTypePalette : public QFrame {
  public:
    explicit CTypePalette(QWidget* parent) : QFrame(parent) { StylePane(*this, kPaneGrey); }
};
