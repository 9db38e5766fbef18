#pragma once

#include <QWidget>

class CDibImage;

// Shows a picture pixel for pixel and reports clicks in picture coordinates. It keeps no copy:
// what the picture holds when the widget repaints is what shows.
class CExitTablePicture : public QWidget {
    Q_OBJECT

  public:
    CExitTablePicture(const CDibImage& picture, QWidget* parent);

  signals:
    void Clicked(QPoint position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const CDibImage& picture;
};
