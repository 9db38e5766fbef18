#pragma once

#include <QColor>
#include <QFrame>

// Background of the editing surface and of the panes that show no art.
inline const QColor kPaneGrey{0xC0, 0xC0, 0xC0};

// The look every pane of the editing surface shares: a one-pixel black border around a
// background that Qt fills before the pane paints.
inline void StylePane(QFrame& pane, const QColor& background) {
    pane.setFrameStyle(QFrame::Box | QFrame::Plain);
    pane.setLineWidth(1);
    QPalette colors = pane.palette();
    colors.setColor(QPalette::Window, background);
    colors.setColor(QPalette::WindowText, Qt::black);
    pane.setPalette(colors);
    pane.setAutoFillBackground(true);
}
