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

// Key caps: face colour and caption colour per kind.
struct KeyColours {
    QColor face;
    QColor caption;
};
inline const KeyColours kDigitKey{{246, 246, 241}, {30, 30, 30}};
inline const KeyColours kOperatorKey{{132, 139, 149}, {255, 255, 255}};
inline const KeyColours kFunctionKey{{88, 95, 105}, {255, 255, 255}};
inline const KeyColours kEqualsKey{{86, 98, 118}, {255, 255, 255}};
inline const KeyColours kTaxKey{{58, 107, 176}, {255, 255, 255}};
inline const KeyColours kClearEntryKey{{226, 110, 52}, {255, 255, 255}};
inline const KeyColours kClearAllKey{{200, 48, 56}, {255, 255, 255}};

}  // namespace pemu::skingen
