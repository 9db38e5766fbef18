#pragma once

#include <QScrollBar>

// A scroll bar for the map view. When only its value changes it repaints the stretch that the
// thumb left and entered rather than its whole length: styles draw a bar's long edges pixel by
// pixel, and along a wide view that costs more than moving the map's pixels.
class CMapScrollBar : public QScrollBar {
  public:
    CMapScrollBar(Qt::Orientation orientation, QWidget* parent);

  protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect ThumbRect(int position) const;

    // Where the last paint put the thumb.
    int paintedPosition = 0;
};
