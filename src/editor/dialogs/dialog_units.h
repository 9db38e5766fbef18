#pragma once

#include <QFontMetrics>
#include <QWidget>

// Dialog units of the widget's font, as dialog layouts are measured: a horizontal unit is a
// quarter of the mean width of the Latin letters, a vertical one an eighth of the line height.
inline int DialogUnitsX(const QWidget& widget, int units) {
    static const QString kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    int letterWidth = widget.fontMetrics().horizontalAdvance(kLetters);
    return units * letterWidth / (4 * static_cast<int>(kLetters.size()));
}

inline int DialogUnitsY(const QWidget& widget, int units) {
    return units * widget.fontMetrics().height() / 8;
}
