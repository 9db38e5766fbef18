#include "editor/map_scroll_bar.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionSlider>

CMapScrollBar::CMapScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent) {
    // The plain look of the program's first home: fills and bevels, where other styles draw
    // gradients that cost a whole repaint of the view each time the bar changes at all.
    static QStyle* plain = [] {
        QStyle* style = QStyleFactory::create("Windows");
        style->setParent(qApp);
        return style;
    }();
    setStyle(plain);
}

QRect CMapScrollBar::ThumbRect(int position) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.sliderPosition = position;
    option.sliderValue = position;
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
}

void CMapScrollBar::sliderChange(SliderChange change) {
    // At either end a style may show the arrow there differently.
    bool atEnd = sliderPosition() == minimum() || sliderPosition() == maximum();
    if (paintedAtEnd || atEnd) {
        QScrollBar::sliderChange(change);
        return;
    }
    // A new position, range or page moves or resizes the thumb and nothing else. Between the two
    // thumbs the bar changes too where a style draws the pages apart. Styles draw a thumb's
    // outline and shadow past its rectangle; a bar's breadth is ample room.
    QRect changed = paintedThumb.united(ThumbRect(sliderPosition()));
    int pad = orientation() == Qt::Horizontal ? height() : width();
    update(changed.adjusted(-pad, -pad, pad, pad));
}

void CMapScrollBar::paintEvent(QPaintEvent* event) {
    // Every change of the thumb has asked for its old and new place to be painted, so what is
    // painted now shows the thumb here.
    paintedThumb = ThumbRect(sliderPosition());
    paintedAtEnd = sliderPosition() == minimum() || sliderPosition() == maximum();
    QScrollBar::paintEvent(event);
}
