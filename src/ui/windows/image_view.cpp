#include "ui/windows/image_view.hpp"

#include <QPainter>

namespace pemu::ui {

ImageView::ImageView(QWidget* parent, int width, int height, QColor fill)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
    image_.fill(fill);
    setFixedSize(width, height);
}

void ImageView::Present() {
    setFixedSize(image_.size());
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, image_);
}

}  // namespace pemu::ui
