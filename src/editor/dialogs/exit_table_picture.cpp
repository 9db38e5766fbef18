#include "editor/dialogs/exit_table_picture.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "image/dib_conversion.h"

CExitTablePicture::CExitTablePicture(const CDibImage& picture, QWidget* parent)
    : QWidget(parent), picture(picture) {
    setFixedSize(picture.GetWidth(), picture.GetHeight());
}

void CExitTablePicture::paintEvent(QPaintEvent*) {
    std::vector<uint32_t> pixels = ToRgb32(picture);
    if (pixels.empty()) {
        return;
    }
    QImage image(reinterpret_cast<const uchar*>(pixels.data()), picture.GetWidth(),
                 picture.GetHeight(), QImage::Format_RGB32);
    QPainter(this).drawImage(0, 0, image);
}

void CExitTablePicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit Clicked(event->position().toPoint());
    }
}
