// Operators typed as characters work on every keyboard layout: the character the key
// produces decides, not the key's number in the (Japanese) key table.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <vector>

#include "main_window_fixture.hpp"
#include "ui/key_dispatch.hpp"

namespace pemu::ui::testing_support {
namespace {

struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
};

struct LayoutCase {
    const char* name;
    std::vector<Stroke> strokes;  // as the layout's keyboard delivers them
    const char* shown;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Stroke kSix{Qt::Key_6}, kTwo{Qt::Key_2}, kThree{Qt::Key_3}, kEight{Qt::Key_8},
    kNine{Qt::Key_9}, kEnter{Qt::Key_Return};

class TypedOperatorTest : public MainWindowTest,
                          public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(TypedOperatorTest, TheTypedCharacterIsTheOperator) {
    Start();
    for (const Stroke& s : GetParam().strokes)
        Type(s.key, s.mods);
    EXPECT_EQ(Shown(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TypedOperatorTest,
    ::testing::Values(
        // US: "=" unshifted, "+" is Shift+"=", "*" is Shift+8.
        LayoutCase{"UsPlus", {kSix, {Qt::Key_Plus, kShift}, kTwo, {Qt::Key_Equal}}, "8"},
        LayoutCase{"UsTimes", {kNine, {Qt::Key_Asterisk, kShift}, kThree, {Qt::Key_Equal}}, "27"},
        LayoutCase{"UsMinus", {kEight, {Qt::Key_Minus}, kThree, {Qt::Key_Equal}}, "5"},
        LayoutCase{"UsDivide", {kEight, {Qt::Key_Slash}, kTwo, kEnter}, "4"},
        // "=" was the Japanese minus key: 6 = 2 Enter showed 4.
        LayoutCase{"UsEqualsIsNotMinus", {kSix, {Qt::Key_Equal}, kTwo, kEnter}, "2"},
        // JIS: "+" is Shift+";", "*" is Shift+":", "=" is Shift+"-".
        LayoutCase{"JisPlus", {kSix, {Qt::Key_Plus, kShift}, kTwo, {Qt::Key_Equal, kShift}}, "8"},
        LayoutCase{
            "JisTimes", {kNine, {Qt::Key_Asterisk, kShift}, kThree, {Qt::Key_Equal, kShift}}, "27"},
        // The table keeps every other key: ";" and ":" unshifted are + and x by default.
        LayoutCase{"JisSemicolonIsPlusByTable", {kSix, {Qt::Key_Semicolon}, kTwo, kEnter}, "8"},
        LayoutCase{"JisColonIsTimesByTable", {kSix, {Qt::Key_Colon}, kTwo, kEnter}, "12"},
        // "%" is Shift+5 on both layouts; it is the percent key as the others are operators.
        LayoutCase{"PercentTyped",
                   {{Qt::Key_5},
                    {Qt::Key_0},
                    {Qt::Key_Asterisk, kShift},
                    kTwo,
                    {Qt::Key_0},
                    {Qt::Key_Percent, kShift}},
                   "10"},
        // Ctrl with "-" is no operator.
        LayoutCase{"CtrlMinusIsNothing",
                   {kEight, {Qt::Key_Minus, Qt::ControlModifier}, kThree, kEnter},
                   "83"}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ATypedOperatorsKeyGoesUpEvenWhenShiftIsLetGoFirst) {
    Start();
    QTest::keyPress(window_->FocusField(), Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_TRUE(window_->Keys().IsPressed(17));
    // Shift released first: the key comes up as "=".
    QTest::keyRelease(window_->FocusField(), Qt::Key_Equal, Qt::NoModifier);
    EXPECT_FALSE(window_->Keys().IsPressed(17));
    EXPECT_FALSE(window_->Keys().IsPressed(99));
}

TEST(TypedOperator, OnlyTheFiveCharactersAndNeverThePadOrCtrl) {
    const auto none = [](int) { return kUnassignedKey; };
    EXPECT_EQ(TypedOperatorOf(U'+'), 17);
    EXPECT_EQ(TypedOperatorOf(U'='), 99);
    EXPECT_EQ(TypedOperatorOf(U'x'), 0);
    EXPECT_EQ(TypedOperatorOf(U'＋'), 0) << "full-width characters come from an input method";
    // The pad keeps its own keys, passed on as before.
    const KeyDecision pad = DecideKeyDown(vk::kAdd, {}, {}, none, U'+');
    EXPECT_EQ(pad.value, 17);
    EXPECT_FALSE(pad.consumed);
    EXPECT_EQ(DecideKeyDown(189, {false, false, true}, {}, none, U'-').command, KeyCommand::kNone)
        << "Alt";
    // The switch panel takes every key while it is open.
    EXPECT_EQ(DecideKeyDown(187, {true, false, false}, {false, true, false}, none, U'+').command,
              KeyCommand::kSwitchPanel);
}

}  // namespace
}  // namespace pemu::ui::testing_support
