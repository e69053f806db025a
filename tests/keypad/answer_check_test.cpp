// The answer check beyond the key file (tests/golden/keys/keypad_answer_check.txt): texts
// compared after padding, and the switch panel's reset event.
#include <gtest/gtest.h>

#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

// Texts after rounding and padding are compared: 6 and 6.00 are different answers.
TEST(AnswerCheckText, PaddingMakesADifferentAnswer) {
    auto session = RunKeys("--round CUT --decimal 0 -- 2 * 3 =");
    core::Calculator& calc = session->Calc();
    calc.SetDecimalSelector(2);
    PressAll(*session, "2 * 3 =");
    EXPECT_EQ(calc.State().displayValue, "6.00");
    EXPECT_FALSE(calc.State().markOn[core::kMarkAnswerCheck]);
    PressAll(*session, "2 * 3 =");
    EXPECT_TRUE(calc.State().markOn[core::kMarkAnswerCheck]);
}

// The switch panel's answer check setting: a change forgets the last answer.
TEST(AnswerCheckSwitch, ChangeForgetsTheLastAnswer) {
    auto session = RunKeys("-- 2 * 3 =");
    core::Calculator& calc = session->Calc();
    calc.SwitchAnswerCheck(true);
    EXPECT_EQ(calc.State().answerCheckValue, "6");
    calc.SwitchAnswerCheck(false);
    PressAll(*session, "2 * 3 =");
    EXPECT_FALSE(calc.State().markOn[core::kMarkAnswerCheck]);
    EXPECT_EQ(calc.State().answerCheckValue, "CLEAR");
    calc.SwitchAnswerCheck(true);
    PressAll(*session, "2 * 3 =");
    EXPECT_FALSE(calc.State().markOn[core::kMarkAnswerCheck]);
    PressAll(*session, "2 * 3 =");
    EXPECT_TRUE(calc.State().markOn[core::kMarkAnswerCheck]);
}

}  // namespace
}  // namespace pemu::keypad_test
