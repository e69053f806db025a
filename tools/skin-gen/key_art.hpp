#pragma once
// The released and pressed key sheets: one key cap per cell, both families' CE and C keys.
#include <QImage>

namespace pemu::skingen {

QImage DrawKeySheet(bool pressed);

}  // namespace pemu::skingen
