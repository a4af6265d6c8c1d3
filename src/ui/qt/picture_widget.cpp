#include "ui/qt/picture_widget.h"

#include <QImage>
#include <QPainter>

namespace nitka {

PictureWidget::PictureWidget(RasterPicture& picture, QWidget* parent)
    : QWidget(parent), m_picture(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_picture.setDisplay(this);
}

void PictureWidget::paintEvent(QPaintEvent*) {
    if (!m_picture.hasBitmap()) {
        return;  // the parent's background shows through
    }
    // A view on the buffer: no copy.
    const QImage image(reinterpret_cast<const uchar*>(m_picture.pixels().data()),
                       RasterPicture::kWidth, RasterPicture::kHeight,
                       RasterPicture::kWidth * static_cast<int>(sizeof(Pixel)),
                       QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void PictureWidget::scheduleRedraw() {
    update();
}

void PictureWidget::redrawNow() {
    QWidget::repaint();
}

}  // namespace nitka
