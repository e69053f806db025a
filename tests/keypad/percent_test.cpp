// The % key in both families, the "CASIO" guards and the add-on and discount after x ... %.
#include <gtest/gtest.h>

#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

class PercentKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(PercentKeys, ShowsTheResultAndMarks) {
    ExpectCase(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Sharp, PercentKeys,
    testing::Values(KeyCase{"IncreaseByPercentage", "-- 200 + 10 %", "220", "15,99"},
                    KeyCase{"DecreaseByPercentage", "-- 200 - 10 %", "180", "15,99"},
                    KeyCase{"PercentageOf", "-- 200 * 15 %", "30", "15,99"},
                    KeyCase{"AsPercentageOf", "-- 30 / 200 %", "15", "15,99"},
                    KeyCase{"TimesNothingKeyed", "-- 200 * %", "400", "15,99"},
                    KeyCase{"DivideNothingKeyed", "-- 200 / %", "0.5", "15,99"},
                    KeyCase{"PlusNothingKeyedIgnored", "-- 200 + %", "200", "17"},
                    KeyCase{"MinusNothingKeyedIgnored", "-- 200 - %", "200", "18"},
                    KeyCase{"AloneGivesZero", "-- 50 %", "0", "99"},
                    KeyCase{"AloneTwiceIgnored", "-- 50 % %", "0", "99"},
                    KeyCase{"NothingKeyedIgnored", "-- %", "0", "-"},
                    KeyCase{"ConstantIsMultiplicand", "-- 200 * 15 % 1000 %", "2000", "15,99"},
                    KeyCase{"ConstantIsPercentageOfDivide", "-- 30 / 200 % 50 %", "25", "15,99"},
                    KeyCase{"ConstantFirstOperandOfAdd", "-- 200 + 10 % 5 %", "15", "15,99"},
                    KeyCase{"ConstantAddNothingKeyedIgnored", "-- 200 + 10 % %", "220", "15,99"},
                    KeyCase{"NoAddOnAfterTimesPercent", "-- 1000 * 15 % + 5 =", "155", "15,99"},
                    KeyCase{"RoundedLikeEquals", "--decimal 2 --round 5/4 -- 2 / 3 %", "66.67",
                            "15,99"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Casio, PercentKeys,
    testing::Values(
        KeyCase{"MarkUp", "--family casio -- 1200 + 25 %", "1600", "99"},
        KeyCase{"ChangeInPercent", "--family casio -- 150 - 120 %", "25", "99"},
        KeyCase{"PercentageOf", "--family casio -- 200 * 15 %", "30", "99"},
        KeyCase{"AsPercentageOf", "--family casio -- 30 / 200 %", "15", "99"},
        KeyCase{"MarkUpOfHundredRefused", "--family casio -- 500 + 100 %", "0", "58", 801},
        KeyCase{"MarkUpOfHundredPointZeroDivides", "--family casio -- 500 + 100.0 %", "0", "58",
                801},
        KeyCase{"ChangeFromZeroRefused", "--family casio -- 500 - 0 %", "0", "58", 801},
        KeyCase{"ChangeFromZeroPointZeroDivides", "--family casio -- 500 - 0.00 %", "0", "58", 801},
        KeyCase{"MarkUpNearHundredIsNoGuard", "--family casio -- 50 + 99.5 %", "10000", "99"},
        KeyCase{"TimesNothingKeyed", "--family casio -- 200 * %", "400", "99"},
        KeyCase{"DivideNothingKeyed", "--family casio -- 200 / %", "100", "99"},
        KeyCase{"PlusNothingKeyed", "--family casio -- 200 + %", "200", "99"},
        KeyCase{"MinusNothingKeyed", "--family casio -- 200 - %", "200", "99"},
        KeyCase{"AloneShowsNumber", "--family casio -- 50 %", "50", "99"},
        KeyCase{"WithConstant", "--family casio -- 5 * * 200 %", "10", "59,99"},
        KeyCase{"AddOn", "--family casio -- 1000 * 15 % +", "1150", "-"},
        KeyCase{"Discount", "--family casio -- 1000 * 15 % -", "850", "-"},
        KeyCase{"AddOnThenContinue", "--family casio -- 1000 * 15 % + + 50 =", "1200", "15,99"},
        KeyCase{"ClearDropsAddOn", "--family casio -- 1000 * 15 % C 5 +", "5", "17"},
        KeyCase{"AddOnOverflow", "--family casio --digits 8 -- 99999999 * 50 % +", "1.4999999",
                "58", 802},
        KeyCase{"AddOnOnlyAfterTimes", "--family casio -- 1000 / 50 % +", "2000", "17"}),
    CaseName);

// The add-on and discount are recorded as base, amount and sum after a separator.
TEST(PercentTape, AddOnRecordsBaseAmountAndSum) {
    const auto session = RunKeys("--family casio -- 1000 * 15 % +");
    const std::string tape = session->TapeUtf8();
    const std::string addOn =
        " \n"
        "= 1,000  　　 ‥\n"
        "…TAX 150  　　 ‥\n"
        "= 1,150  　　 ‥\n";
    ASSERT_GE(tape.size(), addOn.size());
    EXPECT_EQ(tape.substr(tape.size() - addOn.size()), addOn) << tape;
}

TEST(PercentTape, DiscountRecordsTheAmountAsTaxExcluded) {
    const auto session = RunKeys("--family casio -- 1000 * 15 % -");
    const std::string tape = session->TapeUtf8();
    const std::string discount =
        "= 1,000  　　 ‥\n"
        "…TAX 150-　 　 ‥\n"
        "= 850  　　 ‥\n";
    ASSERT_GE(tape.size(), discount.size());
    EXPECT_EQ(tape.substr(tape.size() - discount.size()), discount) << tape;
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
