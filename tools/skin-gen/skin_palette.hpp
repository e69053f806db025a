#pragma once
// The colours of the built-in skin. Change one here and rebuild.
#include <QColor>

namespace pemu::skingen {

// Liquid-crystal window: one background for the display panel's window and both strips.
inline const QColor kLcdBackground{197, 206, 184};
inline const QColor kLcdInk{28, 34, 32};

// Body and key plate.
inline const QColor kBodyTop{226, 229, 233};
inline const QColor kBodyBottom{196, 201, 207};
inline const QColor kBodyEdgeLight{246, 247, 249};
inline const QColor kBodyEdgeDark{142, 147, 154};
inline const QColor kPlate{52, 57, 65};
inline const QColor kPlateEdge{30, 33, 38};
inline const QColor kPrint{70, 75, 82};

// Transparent colour of the display panel (its corners show the body).
inline const QColor kTransparent{255, 0, 255};

// Key caps: face colour and caption colour per kind. The faces are the colours the key
// assignment dialog gives the same keys, so the two always agree.
struct KeyColours {
    QColor face;
    QColor caption;
};
inline const KeyColours kTaxKey{{255, 101, 0}, {255, 255, 255}};    // 税込 税抜
inline const KeyColours kMemoryKey{{156, 159, 255}, {22, 26, 78}};  // MC MR M− M+
inline const KeyColours kLightKey{{239, 239, 239}, {36, 38, 42}};   // + CE % ÷ × −
inline const KeyColours kClearKey{{255, 48, 99}, {255, 255, 255}};  // C (AC)
inline const KeyColours kDarkKey{{99, 101, 99}, {255, 255, 255}};   // all the others

}  // namespace pemu::skingen
