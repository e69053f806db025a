#include "ui/windows/size_grip.hpp"

#include <QImage>
#include <QPainter>

#include "display/window_routines.hpp"

namespace pemu::ui {

SizeGrip::SizeGrip(QWidget* parent) : QSizeGrip(parent) {
    setObjectName("SizeChangeMark");
    setFixedSize(kSize, kSize);
}

void SizeGrip::paintEvent(QPaintEvent*) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    display::DrawSizeGrip(image);
    QPainter(this).drawImage(0, 0, image);
}

}  // namespace pemu::ui
