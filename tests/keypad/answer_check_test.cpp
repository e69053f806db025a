// The answer check: lit by the second identical result of = or %, off at the next key, and
// its reset points.
#include <gtest/gtest.h>

#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

class AnswerCheckKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(AnswerCheckKeys, ShowsTheResultAndMarks) {
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Both, AnswerCheckKeys,
    testing::Values(
        KeyCase{"FirstResultUnlit", "-- 2 * 3 =", "6", "15,99"},
        KeyCase{"SecondIdenticalResultLit", "-- 2 * 3 = 2 * 3 =", "6", "15,57,99"},
        KeyCase{"OffAtTheNextKey", "-- 2 * 3 = 2 * 3 = 5", "5", "15"},
        KeyCase{"OffAtAnOperator", "-- 2 * 3 = 2 * 3 = +", "6", "15,17"},
        KeyCase{"DifferentResultUnlit", "-- 2 * 3 = 2 * 4 =", "8", "15,99"},
        KeyCase{"SameResultOtherWayLit", "-- 2 * 3 = 3 * 2 =", "6", "15,57,99"},
        KeyCase{"ThirdComparesWithSecond", "-- 2 * 3 = 4 = 4 =", "8", "15,57,99"},
        KeyCase{"PercentChecked", "-- 200 * 15 % 200 * 15 %", "30", "15,57,99"},
        KeyCase{"CasioPercentChecked", "--family casio -- 200 * 15 % 200 * 15 %", "30", "57,99"},
        KeyCase{"OperatorNotChecked", "-- 2 + 4 = 2 + 4 +", "6", "15,17"},
        KeyCase{"MemoryPlusNotChecked", "-- 6 = 6 M+", "6", "5,15,52,99"},
        KeyCase{"SharpClearKeeps", "-- 2 * 3 = C 2 * 3 =", "6", "15,57,99"},
        KeyCase{"CasioClearClears", "--family casio -- 2 * 3 = C 2 * 3 =", "6", "15,99"},
        KeyCase{"ClearAllClears", "-- 2 * 3 = CA 2 * 3 =", "6", "15,99"},
        KeyCase{"SettingOff", "--no-answer-check -- 2 * 3 = 2 * 3 =", "6", "15,99"},
        KeyCase{"ErrorNotChecked", "-- 5 / 0 = C 5 / 0 =", "0", "58", 801}),
    CaseName);

// Texts after rounding and padding are compared: 6 and 6.00 are different answers.
TEST(AnswerCheckText, PaddingMakesADifferentAnswer) {
    auto session = RunKeys("--round CUT --decimal 0 -- 2 * 3 =");
    core::Calculator& calc = session->Calc();
    calc.SetDecimalSelector(2);
    for (const char* token : {"2", "*", "3", "="})
        session->Press(token);
    EXPECT_EQ(calc.State().displayValue, "6.00");
    EXPECT_FALSE(calc.State().markOn[core::kMarkAnswerCheck]);
    for (const char* token : {"2", "*", "3", "="})
        session->Press(token);
    EXPECT_TRUE(calc.State().markOn[core::kMarkAnswerCheck]);
}

// The switch panel's answer check setting: a change forgets the last answer.
TEST(AnswerCheckSwitch, ChangeForgetsTheLastAnswer) {
    auto session = RunKeys("-- 2 * 3 =");
    core::Calculator& calc = session->Calc();
    calc.SwitchAnswerCheck(true);
    EXPECT_EQ(calc.State().answerCheckValue, "6");
    calc.SwitchAnswerCheck(false);
    for (const char* token : {"2", "*", "3", "="})
        session->Press(token);
    EXPECT_FALSE(calc.State().markOn[core::kMarkAnswerCheck]);
    EXPECT_EQ(calc.State().answerCheckValue, "CLEAR");
    calc.SwitchAnswerCheck(true);
    for (const char* token : {"2", "*", "3", "="})
        session->Press(token);
    EXPECT_FALSE(calc.State().markOn[core::kMarkAnswerCheck]);
    for (const char* token : {"2", "*", "3", "="})
        session->Press(token);
    EXPECT_TRUE(calc.State().markOn[core::kMarkAnswerCheck]);
}

}  // namespace
}  // namespace pemu::keypad_test
