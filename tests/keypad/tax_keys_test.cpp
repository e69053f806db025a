// The tax included and tax excluded keys: the sequence table at rate 0.08 with decimal 0 and
// CUT, add mode, overflow, and the tape record that keeps only the latest press.
#include <gtest/gtest.h>

#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

class TaxKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(TaxKeys, ShowsTheAmountAndMarks) {
    ExpectCase(GetParam());
}

#define TAX_0_CUT "--rate 0.08 --decimal 0 --round CUT -- "

INSTANTIATE_TEST_SUITE_P(
    Sequences, TaxKeys,
    testing::Values(
        KeyCase{"Included", TAX_0_CUT "1000 TAX+", "1080", "11"},
        KeyCase{"IncludedTwiceShowsTax", TAX_0_CUT "1000 TAX+ TAX+", "80", "48"},
        KeyCase{"IncludedThriceBackToGross", TAX_0_CUT "1000 TAX+ TAX+ TAX+", "1080", "11"},
        KeyCase{"IncludedThenExcluded", TAX_0_CUT "1000 TAX+ TAX-", "1000", "12"},
        KeyCase{"Excluded", TAX_0_CUT "1000 TAX-", "926", "12"},
        KeyCase{"ExcludedTwiceShowsTax", TAX_0_CUT "1000 TAX- TAX-", "74", "49"},
        KeyCase{"ExcludedThenIncludedIsBase", TAX_0_CUT "1000 TAX- TAX+", "1000", "11"},
        KeyCase{"ExcludedThenIncludedTwice", TAX_0_CUT "1000 TAX- TAX+ TAX+", "74", "48"},
        KeyCase{"TaxAmountStartsNewSequence", TAX_0_CUT "1000 TAX+ TAX+ TAX-", "75", "12"},
        KeyCase{"ExcludedAmountThenIncluded", TAX_0_CUT "1000 TAX- TAX- TAX+", "79", "11"}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Context, TaxKeys,
    testing::Values(
        KeyCase{"AddModeBase", "--decimal A --round CUT -- 1000 TAX+", "10.80", "11"},
        KeyCase{"AddModeNotAfterRoot", "--decimal A --round CUT -- 16 SQRT TAX+", "4.32", "11"},
        KeyCase{"ShownAmountIsOperand", TAX_0_CUT "1000 TAX+ + 5 =", "1085", "15,99"},
        KeyCase{"AnswerUntouched", TAX_0_CUT "2 + 1000 TAX+ =", "1082", "15,99"},
        KeyCase{"DigitReplacesAmount", TAX_0_CUT "1000 TAX+ 5", "5", "-"},
        KeyCase{"AfterResult", TAX_0_CUT "500 * 2 = TAX+", "1080", "11,15"},
        KeyCase{"OtherRate", "--rate 0.1 -- 1000 TAX+", "1100", "11"},
        KeyCase{"RoundingOffKeepsFraction", "--rate 0.08 -- 1001 TAX+", "1081.08", "11"},
        KeyCase{"PaddedWhenRounding", "--rate 0.1 --decimal 2 --round CUT -- 1000 TAX+", "1100.00",
                "11"},
        KeyCase{"Overflow", "--digits 8 " TAX_0_CUT "99999999 TAX+", "0", "58", 801},
        KeyCase{"OverflowThenKeyRefused", "--digits 8 " TAX_0_CUT "99999999 TAX+ TAX+", "0", "58",
                801},
        KeyCase{"ZeroDivisorRateDoesNotLinger", "--rate -1 -- 1000 TAX- C 6 / 3 =", "2", "15,99"}),
    CaseName);

struct TapeCase {
    const char* name;
    const char* keys;
    const char* tape;  // UTF-8, "\n" per line
};

class TaxTape : public testing::TestWithParam<TapeCase> {};

TEST_P(TaxTape, KeepsOnlyTheLatestPress) {
    const auto session = RunKeys(GetParam().keys);
    EXPECT_EQ(session->TapeUtf8(), GetParam().tape) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(
    Presses, TaxTape,
    testing::Values(TapeCase{"Included", TAX_0_CUT "1000 TAX+",
                             " \n"
                             "BASE 1,000  　　 ‥\n"
                             "…TAX 80  　　 ‥\n"
                             "= 1,080  　　 ‥\n"},
                    TapeCase{"IncludedTwice", TAX_0_CUT "1000 TAX+ TAX+",
                             " \n"
                             "BASE 1,000  　　 ‥\n"
                             "…TAX 80  　　 ‥\n"},
                    TapeCase{"IncludedThrice", TAX_0_CUT "1000 TAX+ TAX+ TAX+",
                             " \n"
                             "BASE 1,000  　　 ‥\n"
                             "…TAX 80  　　 ‥\n"
                             "= 1,080  　　 ‥\n"},
                    TapeCase{"IncludedThenExcluded", TAX_0_CUT "1000 TAX+ TAX-",
                             " \n"
                             "BASE 1,080  　　 ‥\n"
                             "…TAX 80-　 　 ‥\n"
                             "= 1,000 　 　 ‥\n"},
                    TapeCase{"Excluded", TAX_0_CUT "1000 TAX-",
                             " \n"
                             "BASE 1,000  　　 ‥\n"
                             "…TAX 74-　 　 ‥\n"
                             "= 926 　 　 ‥\n"},
                    TapeCase{"ExcludedTwice", TAX_0_CUT "1000 TAX- TAX-",
                             " \n"
                             "BASE 1,000  　　 ‥\n"
                             "…TAX 74-　 　 ‥\n"},
                    TapeCase{"ExcludedThenIncluded", TAX_0_CUT "1000 TAX- TAX+",
                             " \n"
                             "BASE 926  　　 ‥\n"
                             "…TAX 74  　　 ‥\n"
                             "= 1,000  　　 ‥\n"},
                    TapeCase{"NewSequenceOnTheAmount", TAX_0_CUT "1000 TAX+ TAX+ TAX-",
                             " \n"
                             "BASE 80  　　 ‥\n"
                             "…TAX 5-　 　 ‥\n"
                             "= 75 　 　 ‥\n"},
                    TapeCase{"RootRecordReplaced", TAX_0_CUT "16 SQRT TAX+",
                             " \n"
                             "BASE 4  　　 ‥\n"
                             "…TAX 0  　　 ‥\n"
                             "= 4  　　 ‥\n"},
                    TapeCase{"BaseIsThePriceWithoutTax", TAX_0_CUT "1001 TAX+",
                             " \n"
                             "BASE 1,001  　　 ‥\n"
                             "…TAX 80  　　 ‥\n"
                             "= 1,081  　　 ‥\n"},
                    TapeCase{"BackFromTheShownGross", TAX_0_CUT "1001 TAX+ TAX-",
                             " \n"
                             "BASE 1,081  　　 ‥\n"
                             "…TAX 80-　 　 ‥\n"
                             "= 1,001 　 　 ‥\n"},
                    TapeCase{"OverflowStillRecorded", "--digits 8 " TAX_0_CUT "99999999 TAX+",
                             "0 Ｅ０ 　\n"
                             " \n"
                             // net: the subtraction takes only the display width of digits
                             "BASE 100,000,000  　　 ‥\n"
                             "…TAX 7,999,999  　　 ‥\n"
                             "= 107,999,998  　　 ‥\n"}),
    [](const testing::TestParamInfo<TapeCase>& info) { return info.param.name; });

// The tax keys leave the answer register and the pending operator alone.
TEST(TaxState, AnswerAndOperatorUntouched) {
    const auto session = RunKeys(TAX_0_CUT "2 + 1000 TAX+");
    const core::CalculatorState& s = session->Calc().State();
    EXPECT_EQ(s.answerValue, "2");
    EXPECT_EQ(s.pendingOperator, core::kKeyAdd);
    EXPECT_EQ(s.taxBaseValue, "1000");
    EXPECT_EQ(s.taxBaseKey, core::kKeyTaxIncluded);
    EXPECT_EQ(s.entering, 1);
}

}  // namespace
}  // namespace pemu::keypad_test
