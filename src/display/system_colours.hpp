#pragma once
// The system colours the image helpers draw with, fixed to the classic desktop scheme so
// that every machine (and every offscreen test) draws the same pixels.
#include <QColor>
#include <QFont>
#include <QString>
#include <string_view>

namespace pemu::display {

enum class SystemColour { kWindow, kWindowText, kButtonFace, kButtonShadow, kInfoBackground };

QColor ColourOf(SystemColour colour);

// A CP932 text (or UTF-8 from our own literals) as a QString.
QString ToQString(std::string_view text);

// A font for a face name the windows ask for ("MS Gothic", "ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝",
// in CP932 or UTF-8): the installed IPA family of the same style, at `pixelHeight` pixels
// when positive, else at `pointSize` points.
QFont FontFor(std::string_view faceName, int pointSize, int pixelHeight = 0);

}  // namespace pemu::display
