#include "editor/choice_frame.h"

#include <QPainter>

void DrawChoiceFrame(QImage& image, const QRect& cell) {
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(cell.adjusted(1, 1, -2, -2));
}
