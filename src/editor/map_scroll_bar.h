#pragma once

#include <QScrollBar>

// A scroll bar for the map view. When its value, range or page changes (a scroll, a zoom) it
// repaints the stretch that the thumb left and entered rather than its whole length: styles draw
// a bar's long edges pixel by pixel, and along a wide view that costs more than moving the map's
// pixels. The bars are drawn in the plain Windows style.
class CMapScrollBar : public QScrollBar {
  public:
    CMapScrollBar(Qt::Orientation orientation, QWidget* parent);

  protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect ThumbRect(int position) const;

    // Where the last paint put the thumb, and whether it stood at an end.
    QRect paintedThumb;
    bool paintedAtEnd = true;
};
