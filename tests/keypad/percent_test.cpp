// The "CASIO" add-on and discount beyond the key file (tests/golden/keys/keypad_percent.txt):
// their tape lines and the registers they leave alone.
#include <gtest/gtest.h>

#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

// The add-on and discount are recorded as base, amount and sum after a separator.
TEST(PercentTape, AddOnRecordsBaseAmountAndSum) {
    const auto session = RunKeys("--family casio -- 1000 * 15 % +");
    EXPECT_TRUE(TapeEndsWith(*session,
                             " \n"
                             "= 1,000  　　 ‥\n"
                             "…TAX 150  　　 ‥\n"
                             "= 1,150  　　 ‥\n"));
}

TEST(PercentTape, DiscountRecordsTheAmountAsTaxExcluded) {
    const auto session = RunKeys("--family casio -- 1000 * 15 % -");
    EXPECT_TRUE(TapeEndsWith(*session,
                             "= 1,000  　　 ‥\n"
                             "…TAX 150-　 　 ‥\n"
                             "= 850  　　 ‥\n"));
}

// A number keyed after x % is an ordinary first operand: no add-on lines.
TEST(PercentTape, KeyedNumberAfterPercentStartsACalculation) {
    const auto session = RunKeys("--family casio -- 1000 * 15 % 5 + 3 =");
    EXPECT_TRUE(TapeEndsWith(*session,
                             "150 ＊+  　\n"
                             " \n"
                             "5 ＋　 　\n"
                             "3 ＝　 　\n"
                             "8 ＊+  　\n"));
}

// The add-on does not change the answer register and is not checked or totalled.
TEST(PercentState, AddOnLeavesAnswerAndTotals) {
    const auto session = RunKeys("--family casio -- 1000 * 15 % +");
    const core::CalculatorState& s = session->Calc().State();
    EXPECT_EQ(s.answerValue, "150");
    EXPECT_EQ(s.pendingOperator, 0);
    EXPECT_EQ(s.percentBase, "");
    EXPECT_EQ(s.grandTotalValue, "0");
    EXPECT_EQ(s.answerCheckValue, "150");
}

}  // namespace
}  // namespace pemu::keypad_test
