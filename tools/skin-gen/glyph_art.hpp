#pragma once
// The digit strip (seven-segment digits, minus, E, colon, point, thousands mark) and the
// mark strip (operator, memory, grand total, tax, root, answer check, overflow, E and K
// marks) of the built-in skin.
#include <QImage>

namespace pemu::skingen {

QImage DrawDigitStrip();
QImage DrawMarkStrip();

}  // namespace pemu::skingen
