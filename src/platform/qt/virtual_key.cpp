#include "platform/qt/virtual_key.hpp"

#include <array>
#include <utility>

namespace pemu::platform {
namespace {

struct KeyPair {
    int qtKey;
    int vk;
};

// Keys whose number does not follow from a range. Both characters of a punctuation key map
// to the key's number, Japanese layout.
constexpr std::array kFixedKeys{
    KeyPair{Qt::Key_Backspace, 8},
    KeyPair{Qt::Key_Tab, 9},
    KeyPair{Qt::Key_Backtab, 9},
    KeyPair{Qt::Key_Return, 13},
    KeyPair{Qt::Key_Enter, 13},
    KeyPair{Qt::Key_Shift, 16},
    KeyPair{Qt::Key_Control, 17},
    KeyPair{Qt::Key_Alt, 18},
    KeyPair{Qt::Key_Pause, 19},
    KeyPair{Qt::Key_CapsLock, 20},
    KeyPair{Qt::Key_Escape, 27},
    KeyPair{Qt::Key_Henkan, 28},
    KeyPair{Qt::Key_Muhenkan, 29},
    KeyPair{Qt::Key_Space, 32},
    KeyPair{Qt::Key_PageUp, 33},
    KeyPair{Qt::Key_PageDown, 34},
    KeyPair{Qt::Key_End, 35},
    KeyPair{Qt::Key_Home, 36},
    KeyPair{Qt::Key_Left, 37},
    KeyPair{Qt::Key_Up, 38},
    KeyPair{Qt::Key_Right, 39},
    KeyPair{Qt::Key_Down, 40},
    KeyPair{Qt::Key_Insert, 45},
    KeyPair{Qt::Key_Delete, 46},
    KeyPair{Qt::Key_Meta, 91},
    KeyPair{Qt::Key_Super_L, 91},
    KeyPair{Qt::Key_Super_R, 92},
    KeyPair{Qt::Key_Menu, 93},
    KeyPair{Qt::Key_NumLock, 144},
    KeyPair{Qt::Key_ScrollLock, 145},
    // shifted digits of the main keyboard, Japanese layout
    KeyPair{Qt::Key_Exclam, 49},
    KeyPair{Qt::Key_QuoteDbl, 50},
    KeyPair{Qt::Key_NumberSign, 51},
    KeyPair{Qt::Key_Dollar, 52},
    KeyPair{Qt::Key_Percent, 53},
    KeyPair{Qt::Key_Ampersand, 54},
    KeyPair{Qt::Key_Apostrophe, 55},
    KeyPair{Qt::Key_ParenLeft, 56},
    KeyPair{Qt::Key_ParenRight, 57},
    // punctuation keys
    KeyPair{Qt::Key_Colon, 186},
    KeyPair{Qt::Key_Asterisk, 186},
    KeyPair{Qt::Key_Semicolon, 187},
    KeyPair{Qt::Key_Plus, 187},
    KeyPair{Qt::Key_Comma, 188},
    KeyPair{Qt::Key_Less, 188},
    KeyPair{Qt::Key_Minus, 189},
    KeyPair{Qt::Key_Equal, 189},
    KeyPair{Qt::Key_Period, 190},
    KeyPair{Qt::Key_Greater, 190},
    KeyPair{Qt::Key_Slash, 191},
    KeyPair{Qt::Key_Question, 191},
    KeyPair{Qt::Key_At, 192},
    KeyPair{Qt::Key_QuoteLeft, 192},
    KeyPair{Qt::Key_BracketLeft, 219},
    KeyPair{Qt::Key_BraceLeft, 219},
    KeyPair{Qt::Key_Backslash, 220},
    KeyPair{Qt::Key_Bar, 220},
    KeyPair{Qt::Key_yen, 220},
    KeyPair{Qt::Key_BracketRight, 221},
    KeyPair{Qt::Key_BraceRight, 221},
    KeyPair{Qt::Key_AsciiCircum, 222},
    KeyPair{Qt::Key_AsciiTilde, 222},
    KeyPair{Qt::Key_Underscore, 226},
    // input-method keys
    KeyPair{Qt::Key_Eisu_toggle, 240},
    KeyPair{Qt::Key_Hiragana_Katakana, 242},
    KeyPair{Qt::Key_Katakana, 242},
    KeyPair{Qt::Key_Hiragana, 242},
    KeyPair{Qt::Key_Zenkaku_Hankaku, 244},
    KeyPair{Qt::Key_Zenkaku, 244},
    KeyPair{Qt::Key_Hankaku, 243},
};

// The numeric pad's own numbers.
constexpr std::array kPadKeys{
    KeyPair{Qt::Key_Asterisk, 106}, KeyPair{Qt::Key_Plus, 107},  KeyPair{Qt::Key_Minus, 109},
    KeyPair{Qt::Key_Period, 110},   KeyPair{Qt::Key_Comma, 110}, KeyPair{Qt::Key_Slash, 111},
    KeyPair{Qt::Key_Enter, 13},     KeyPair{Qt::Key_Return, 13},
};

template <std::size_t N>
int Lookup(const std::array<KeyPair, N>& table, int qtKey) {
    for (const KeyPair& pair : table) {
        if (pair.qtKey == qtKey) return pair.vk;
    }
    return 0;
}

}  // namespace

int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
        if (int vk = Lookup(kPadKeys, qtKey)) return vk;
        // Without NumLock the pad sends navigation keys: those keep their own numbers.
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    return Lookup(kFixedKeys, qtKey);
}

}  // namespace pemu::platform
