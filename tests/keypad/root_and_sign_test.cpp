// Root and sign change records beyond the key file (tests/golden/keys/keypad_root_and_sign.txt).
#include <gtest/gtest.h>

#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

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

// Only a root of the shown root or tax amount replaces that record; the root of a number
// keyed since then is written after it.
TEST(RootTape, RootOfANewNumberKeepsTheEarlierRecords) {
    const auto session = RunKeys("--round CUT --decimal 0 -- 9 SQRT 1000 TAX+ 16 SQRT");
    EXPECT_EQ(session->TapeUtf8(),
              " \n"
              "√ 9  　　 ‥\n"
              "= 3  　　 ‥\n"
              "BASE 1,000  　　 ‥\n"
              "…TAX 80  　　 ‥\n"
              "= 1,080  　　 ‥\n"
              "√ 16  　　 ‥\n"
              "= 4  　　 ‥\n");
}

TEST(SignTape, ResultSignChangeKeepsOneLine) {
    const auto session = RunKeys("-- 2 * 3 = +/- +/- +/-");
    EXPECT_TRUE(TapeEndsWith(*session, "6 ＊+  　\n \n SC-  　\n"));
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
