#include "platform/qt/virtual_key.hpp"

#include <gtest/gtest.h>

namespace pemu::platform {
namespace {

struct Case {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int vk;
};

// Every key of the default layout, as the keyboard reports it.
TEST(VirtualKey, KeysOfTheDefaultLayout) {
    const Case cases[] = {
        {Qt::Key_Pause, Qt::NoModifier, 19},
        {Qt::Key_Up, Qt::NoModifier, 38},
        {Qt::Key_F9, Qt::NoModifier, 120},
        {Qt::Key_F10, Qt::NoModifier, 121},
        {Qt::Key_F11, Qt::NoModifier, 122},
        {Qt::Key_F12, Qt::NoModifier, 123},
        {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_R, Qt::NoModifier, 82},
        {Qt::Key_Left, Qt::NoModifier, 37},
        {Qt::Key_PageUp, Qt::NoModifier, 33},
        {Qt::Key_PageDown, Qt::NoModifier, 34},
        {Qt::Key_Right, Qt::NoModifier, 39},
        {Qt::Key_Insert, Qt::NoModifier, 45},
        {Qt::Key_Home, Qt::NoModifier, 36},
        {Qt::Key_End, Qt::NoModifier, 35},
        {Qt::Key_Semicolon, Qt::NoModifier, 187},
        {Qt::Key_Plus, Qt::ShiftModifier, 187},
        {Qt::Key_Minus, Qt::NoModifier, 189},
        {Qt::Key_Colon, Qt::NoModifier, 186},
        {Qt::Key_Asterisk, Qt::ShiftModifier, 186},
        {Qt::Key_Slash, Qt::NoModifier, 191},
        {Qt::Key_Period, Qt::NoModifier, 190},
        {Qt::Key_BracketLeft, Qt::NoModifier, 219},
        {Qt::Key_At, Qt::NoModifier, 192},
        {Qt::Key_Underscore, Qt::ShiftModifier, 226},
        {Qt::Key_0, Qt::NoModifier, 48},
        {Qt::Key_1, Qt::NoModifier, 49},
        {Qt::Key_5, Qt::NoModifier, 53},
        {Qt::Key_9, Qt::NoModifier, 57},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_ParenRight, Qt::ShiftModifier, 57},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyOf(c.qtKey, c.modifiers), c.vk) << c.qtKey;
}

// The pad has numbers of its own, so it never reaches a slot of the table.
TEST(VirtualKey, NumericPadKeepsItsOwnNumbers) {
    const Case cases[] = {
        {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_9, Qt::KeypadModifier, 105},
        {Qt::Key_Asterisk, Qt::KeypadModifier, 106},
        {Qt::Key_Plus, Qt::KeypadModifier, 107},
        {Qt::Key_Minus, Qt::KeypadModifier, 109},
        {Qt::Key_Period, Qt::KeypadModifier, 110},
        {Qt::Key_Slash, Qt::KeypadModifier, 111},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Home, Qt::KeypadModifier, 36},
        {Qt::Key_7, Qt::KeypadModifier | Qt::ShiftModifier, 103},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyOf(c.qtKey, c.modifiers), c.vk) << c.qtKey;
}

TEST(VirtualKey, FixedAndUnknownKeys) {
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Escape, Qt::NoModifier), 27);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Return, Qt::NoModifier), 13);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_Space, Qt::NoModifier), 32);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_C, Qt::NoModifier), 67);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_F1, Qt::NoModifier), 112);
    EXPECT_EQ(VirtualKeyOf(Qt::Key_unknown, Qt::NoModifier), 0);
}

}  // namespace
}  // namespace pemu::platform
