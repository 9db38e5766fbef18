#include "editor/map_scroll_bar.h"

#include <QStyleOptionSlider>

CMapScrollBar::CMapScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {}

QRect CMapScrollBar::ThumbRect(int position) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = position;
    option.sliderValue = position;
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void CMapScrollBar::sliderChange(SliderChange change) {
    // At either end a style may show the arrow there differently.
    auto atEnd = [this](int position) { return position == minimum() || position == maximum(); };
    if (change != SliderValueChange || atEnd(paintedPosition) || atEnd(sliderPosition())) {
        QScrollBar::sliderChange(change);
        return;
    }
    // Between the two thumbs the bar changes too where a style draws the pages apart. Styles
    // draw a thumb's outline and shadow past its rectangle; a bar's breadth is ample room.
    QRect changed = ThumbRect(paintedPosition).united(ThumbRect(sliderPosition()));
    int pad = orientation() == Qt::Horizontal ? height() : width();
    update(changed.adjusted(-pad, -pad, pad, pad));
}

void CMapScrollBar::paintEvent(QPaintEvent* event) {
    // Every move of the thumb has asked for its old and new place to be painted, so what is
    // painted now shows the thumb here.
    paintedPosition = sliderPosition();
    QScrollBar::paintEvent(event);
}
