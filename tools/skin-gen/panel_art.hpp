#pragma once
// The calculator body (panel), the display panel with its liquid-crystal window and label
// boxes, and the skin chooser's "no preview" picture.
#include <QImage>

namespace pemu::skingen {

QImage DrawPanel();
QImage DrawDisplayPanel();
QImage DrawNoImage();

}  // namespace pemu::skingen
