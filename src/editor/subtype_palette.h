#pragma once

#include <QFrame>

#include "editor/pane_style.h"

// The subtype palette, 225 x 225 below the type palette.
class CSubtypePalette : public QFrame {
  public:
    explicit CSubtypePalette(QWidget* parent) : QFrame(parent) { StylePane(*this, Qt::white); }
};
