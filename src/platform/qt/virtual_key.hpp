#pragma once
// Qt key events to Windows virtual-key numbers, so stored key tables keep their meaning.
// Punctuation follows the Japanese keyboard the key names describe (";" + → 187, ":" * →
// 186, "-" = → 189, ...): both characters of one key give that key's number.
#include <QKeyEvent>

namespace pemu::platform {

// The virtual key of a Qt key; numeric-pad keys (Qt::KeypadModifier) give the pad's numbers
// (96..105 digits, 106 *, 107 +, 109 -, 110 point, 111 /, Enter 13). 0 when unknown.
int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
// The virtual key of a key event: on Windows the number the system gave the key itself (the
// numbers the key tables were written in), elsewhere, and for events without one, as above.
int VirtualKeyOf(const QKeyEvent& event);

}  // namespace pemu::platform
