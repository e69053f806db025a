#pragma once
// The enlarged display's picture: the display panel of the skin, the marks and the digits of
// the main display at twice their size by pixel duplication (no smoothing), the digits and
// marks laid transparent over the panel, and the four labels in large bold type.
#include <QImage>

#include "display/digital_display.hpp"
#include "display/skin.hpp"
#include "display/skin_layout.hpp"

namespace pemu::display {

inline constexpr Size kEnlargedSize{522, 200};
inline constexpr Point kEnlargedMarksPos{18, 60};   // 490 x 20
inline constexpr Point kEnlargedDigitsPos{18, 84};  // 490 x 60

// Every pixel as a 2 x 2 block.
QImage DoublePixels(const QImage& image);

// The composite display panel doubled: the picture's background.
QImage EnlargedBackground(const Skin& skin);

// Over a copy of `background`: the marks and digits, their background colours transparent,
// then the answer, input, round and decimal labels in the skin's label colours.
QImage EnlargedPicture(const QImage& background, const Skin& skin, const DigitalDisplay& display);

}  // namespace pemu::display
