// The square root and sign change keys: results, marks, errors and their tape records.
#include <gtest/gtest.h>

#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

class RootAndSignKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(RootAndSignKeys, ShowsTheResultAndMarks) {
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Root, RootAndSignKeys,
    testing::Values(KeyCase{"OfZero", "-- 0 SQRT", "0", "9"},
                    KeyCase{"CutToTheWidth", "--digits 8 -- 2 SQRT", "1.4142135", "9"},
                    KeyCase{"NeverRounded", "--digits 8 --decimal 2 --round 5/4 -- 2 SQRT",
                            "1.4142135", "9"},
                    KeyCase{"Repeated", "--digits 8 -- 2 SQRT SQRT", "1.189207", "9"},
                    KeyCase{"OfNegativeRefused", "-- 4 +/- SQRT", "0", "58", 807},
                    KeyCase{"RefusesKeysInError", "-- 4 +/- SQRT SQRT 5 +", "0", "58", 807},
                    KeyCase{"ReleasedByClear", "-- 4 +/- SQRT C 16 SQRT", "4", "9"},
                    KeyCase{"OfNegativeZeroIsZero", "-- 0 +/- SQRT", "0", "9"},
                    KeyCase{"IsTheOperand", "-- 10 + 9 SQRT =", "13", "15,99"},
                    KeyCase{"DigitStartsNewNumber", "-- 9 SQRT 5", "5", "-"},
                    KeyCase{"OfAResult", "-- 8 * 2 = SQRT", "4", "9,15"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Sign, RootAndSignKeys,
    testing::Values(KeyCase{"WhileKeying", "-- 5 +/- 3", "-53", "-"},
                    KeyCase{"OfZero", "-- 0 +/-", "-0", "-"},
                    KeyCase{"OfZeroThenDigit", "-- 0 +/- 5", "-5", "-"},
                    KeyCase{"OfOperandWhileKeying", "-- 10 + 4 +/- =", "6", "15,99"},
                    KeyCase{"OfResult", "-- 2 * 3 = +/-", "-6", "15"},
                    KeyCase{"OfResultTwice", "-- 2 * 3 = +/- +/-", "6", "15"},
                    KeyCase{"OfResultThenDigit", "-- 2 * 3 = +/- 5", "5", "15"},
                    KeyCase{"OfResultIsTheAnswer", "-- 2 * 3 = +/- + 1 =", "-5", "15,99"},
                    KeyCase{"RefusedInError", "-- 4 +/- SQRT +/-", "0", "58", 807}),
    CaseName);

TEST(RootTape, RepeatedRootKeepsOneRecord) {
    const auto session = RunKeys("--digits 8 -- 2 SQRT SQRT");
    EXPECT_EQ(session->TapeUtf8(),
              " \n"
              "√ 1.4142135  　　 ‥\n"
              "= 1.189207  　　 ‥\n");
}

TEST(RootTape, NegativeOperandThenError) {
    const auto session = RunKeys("-- 4 +/- SQRT");
    EXPECT_EQ(session->TapeUtf8(),
              " \n"
              "√ -4  　　 ‥\n"
              "0 Ｅ０ 　\n");
}

TEST(RootTape, RootReplacesTheTaxRecord) {
    const auto session = RunKeys("--round CUT --decimal 0 -- 1000 TAX+ SQRT");
    EXPECT_EQ(session->TapeUtf8(),
              " \n"
              "√ 1,080  　　 ‥\n"
              "= 32.863353450309  　　 ‥\n");
}

TEST(SignTape, ResultSignChangeKeepsOneLine) {
    const auto session = RunKeys("-- 2 * 3 = +/- +/- +/-");
    const std::string tape = session->TapeUtf8();
    const std::string tail = "6 ＊+  　\n \n SC-  　\n";
    ASSERT_GE(tape.size(), tail.size());
    EXPECT_EQ(tape.substr(tape.size() - tail.size()), tail) << tape;
}

TEST(SignTape, SignChangeWhileKeyingWritesNothing) {
    const auto session = RunKeys("-- 5 +/- 3");
    EXPECT_EQ(session->TapeUtf8(), "");
}

TEST(SignState, ResultSignChangeIsTheNewAnswer) {
    const auto session = RunKeys("-- 2 * 3 = +/-");
    const core::CalculatorState& s = session->Calc().State();
    EXPECT_EQ(s.answerValue, "-6");
    EXPECT_EQ(s.lastFunction, core::kSignToNegative);
    EXPECT_EQ(s.entering, 0);
}

}  // namespace
}  // namespace pemu::keypad_test
