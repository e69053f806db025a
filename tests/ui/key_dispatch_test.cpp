#include "ui/key_dispatch.hpp"

#include <gtest/gtest.h>

namespace pemu::ui {
namespace {

// A key table in which the main keyboard's 5 is the digit 5 and F9 is MC; nothing else.
int LookUp(int virtualKey) {
    if (virtualKey == 53) return 31;
    if (virtualKey == 120) return 3;
    return kUnassignedKey;
}

struct DownCase {
    const char* name;
    int key;
    KeyModifiers modifiers;
    KeyState state;
    KeyCommand command;
    int value;
    bool consumed;
};

void PrintTo(const DownCase& c, std::ostream* os) {
    *os << c.name;
}

class KeyDownTest : public testing::TestWithParam<DownCase> {};

TEST_P(KeyDownTest, DecidesTheCommand) {
    const DownCase& c = GetParam();
    const KeyDecision d = DecideKeyDown(c.key, c.modifiers, c.state, LookUp);
    EXPECT_EQ(d.command, c.command);
    EXPECT_EQ(d.value, c.value);
    EXPECT_EQ(d.consumed, c.consumed);
}

constexpr KeyModifiers kNone{};
constexpr KeyModifiers kShift{true, false, false};
constexpr KeyModifiers kCtrl{false, true, false};
constexpr KeyModifiers kAlt{false, false, true};
constexpr KeyState kIdle{};
constexpr KeyState kPanel{false, true, false};
constexpr KeyState kMinimized{true, false, false};
constexpr KeyState kTape{false, false, true};

INSTANTIATE_TEST_SUITE_P(
    MainWindow, KeyDownTest,
    testing::Values(
        // Keys no assignment can change, passed on after their action.
        DownCase{"Enter", vk::kReturn, kNone, kIdle, KeyCommand::kExecute, 99, false},
        DownCase{"Backspace", vk::kBack, kNone, kIdle, KeyCommand::kExecute, 13, false},
        DownCase{"Pad0", vk::kNumpad0, kNone, kIdle, KeyCommand::kExecute, 36, false},
        DownCase{"Pad1", 97, kNone, kIdle, KeyCommand::kExecute, 27, false},
        DownCase{"Pad9", 105, kNone, kIdle, KeyCommand::kExecute, 35, false},
        DownCase{"PadTimes", vk::kMultiply, kNone, kIdle, KeyCommand::kExecute, 19, false},
        DownCase{"PadPlus", vk::kAdd, kNone, kIdle, KeyCommand::kExecute, 17, false},
        DownCase{"PadMinus", vk::kSubtract, kNone, kIdle, KeyCommand::kExecute, 18, false},
        DownCase{"PadPoint", vk::kDecimal, kNone, kIdle, KeyCommand::kExecute, 21, false},
        DownCase{"PadDivide", vk::kDivide, kNone, kIdle, KeyCommand::kExecute, 20, false},
        DownCase{"Space", vk::kSpace, kNone, kIdle, KeyCommand::kToggleNavigation, 0, false},
        DownCase{"C", vk::kC, kNone, kIdle, KeyCommand::kCopy, 0, false},
        DownCase{"F5", vk::kF5, kNone, kIdle, KeyCommand::kRefreshLog, 0, false},
        // Consumed: window keys, F8, Esc and keys looked up in the table.
        DownCase{"F1", vk::kF1, kNone, kIdle, KeyCommand::kWindowKey, vk::kF1, true},
        DownCase{"F6", vk::kF6, kNone, kIdle, KeyCommand::kWindowKey, vk::kF6, true},
        DownCase{"F8", vk::kF8, kNone, kIdle, KeyCommand::kCloseNewestWindow, 0, true},
        DownCase{"Esc", vk::kEscape, kNone, kIdle, KeyCommand::kCloseMain, 0, true},
        DownCase{"Assigned5", 53, kNone, kIdle, KeyCommand::kExecute, 31, true},
        DownCase{"AssignedF9", 120, kNone, kIdle, KeyCommand::kExecute, 3, true},
        DownCase{"Unassigned", 81, kNone, kIdle, KeyCommand::kExecute, kUnassignedKey, true},
        // Shift.
        DownCase{"ShiftF2", vk::kF2, kShift, kIdle, KeyCommand::kWindowKey, vk::kF2, true},
        DownCase{"ShiftUp", vk::kUp, kShift, kIdle, KeyCommand::kScrollTape, vk::kUp, true},
        DownCase{"ShiftPgDn", vk::kNext, kShift, kIdle, KeyCommand::kScrollTape, vk::kNext, true},
        DownCase{"ShiftDelTape", vk::kDelete, kShift, kTape, KeyCommand::kClearTape, 0, true},
        DownCase{"ShiftDelNoTape", vk::kDelete, kShift, kIdle, KeyCommand::kNone, 0, false},
        DownCase{"ShiftDigit", 53, kShift, kIdle, KeyCommand::kNone, 0, false},
        // Ctrl and Alt are passed on.
        DownCase{"CtrlC", vk::kC, kCtrl, kIdle, KeyCommand::kCopy, 0, false},
        DownCase{"CtrlDigit", 53, kCtrl, kIdle, KeyCommand::kNone, 0, false},
        DownCase{"AltDigit", 53, kAlt, kIdle, KeyCommand::kNone, 0, false},
        // The context-menu key comes before the panel; the panel takes every other key.
        DownCase{"MenuKey", vk::kApps, kNone, kPanel, KeyCommand::kContextMenu, 0, true},
        DownCase{"PanelEnter", vk::kReturn, kNone, kPanel, KeyCommand::kSwitchPanel, vk::kReturn,
                 true},
        DownCase{"PanelF1", vk::kF1, kShift, kPanel, KeyCommand::kSwitchPanel, vk::kF1, true},
        DownCase{"Minimized", vk::kReturn, kNone, kMinimized, KeyCommand::kNone, 0, true}),
    [](const testing::TestParamInfo<DownCase>& info) { return std::string(info.param.name); });

TEST(KeyDownTest, CtrlArrowsMoveByTenPixels) {
    struct {
        int key, dx, dy;
    } cases[] = {{vk::kLeft, -10, 0}, {vk::kRight, 10, 0}, {vk::kUp, 0, -10}, {vk::kDown, 0, 10}};
    for (const auto& c : cases) {
        const KeyDecision d = DecideKeyDown(c.key, kCtrl, kIdle, LookUp);
        EXPECT_EQ(d.command, KeyCommand::kMoveWindow) << c.key;
        EXPECT_EQ(d.dx, c.dx) << c.key;
        EXPECT_EQ(d.dy, c.dy) << c.key;
        EXPECT_FALSE(d.consumed) << c.key;
    }
}

TEST(KeyDownTest, OnlyF1ReleasesTheCheckTapeKeyAndOnlyLookupsSwitchTheInputMethodOff) {
    EXPECT_TRUE(DecideKeyDown(vk::kF1, kNone, kIdle, LookUp).releaseCheckKey);
    EXPECT_TRUE(DecideKeyDown(vk::kF1, kShift, kIdle, LookUp).releaseCheckKey);
    EXPECT_FALSE(DecideKeyDown(vk::kF2, kNone, kIdle, LookUp).releaseCheckKey);
    EXPECT_TRUE(DecideKeyDown(53, kNone, kIdle, LookUp).inputMethodOff);
    EXPECT_FALSE(DecideKeyDown(vk::kReturn, kNone, kIdle, LookUp).inputMethodOff);
}

TEST(KeyUpTest, ReleasesTheKeyTheKeyDownPressed) {
    struct {
        int key;
        bool shift;
        int code;
    } cases[] = {
        {vk::kReturn, false, 99},
        {vk::kBack, false, 13},
        {100, false, 30},
        {vk::kC, false, 0},
        {53, false, 31},
        {81, false, kUnassignedKey},
        {53, true, 31},
        {vk::kReturn, true, kUnassignedKey},
        {vk::kNumpad0, true, kUnassignedKey},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReleaseCodeOf(c.key, c.shift, LookUp), c.code) << c.key << " " << c.shift;
    }
}

}  // namespace
}  // namespace pemu::ui
