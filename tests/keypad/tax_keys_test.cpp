// Tax key records beyond the sequence table (tests/golden/keys/keypad_tax.txt): a tax press
// after a root, figures that the rounding touches, an overflowing amount, and the registers
// the keys leave alone.
#include <gtest/gtest.h>

#include "key_run.hpp"

namespace pemu::keypad_test {
namespace {

#define TAX_0_CUT "--rate 0.08 --decimal 0 --round CUT -- "

struct TapeCase {
    const char* name;
    const char* keys;
    const char* tape;  // UTF-8, "\n" per line
};

class TaxTape : public testing::TestWithParam<TapeCase> {};

TEST_P(TaxTape, RecordsTheLatestPress) {
    const auto session = RunKeys(GetParam().keys);
    EXPECT_EQ(session->TapeUtf8(), GetParam().tape) << GetParam().keys;
}

INSTANTIATE_TEST_SUITE_P(
    Presses, TaxTape,
    testing::Values(TapeCase{"RootRecordReplaced", TAX_0_CUT "16 SQRT TAX+",
                             " \n"
                             "BASE 4  　　 ‥\n"
                             "…TAX 0  　　 ‥\n"
                             "= 4  　　 ‥\n"},
                    // The rounded tax and the shown gross agree with the base: 1001 + 80 = 1081.
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
                    // A number keyed since the last press starts a record of its own.
                    TapeCase{"NewNumberKeepsTheEarlierRecord", TAX_0_CUT "1000 TAX+ 500 TAX+",
                             " \n"
                             "BASE 1,000  　　 ‥\n"
                             "…TAX 80  　　 ‥\n"
                             "= 1,080  　　 ‥\n"
                             "BASE 500  　　 ‥\n"
                             "…TAX 40  　　 ‥\n"
                             "= 540  　　 ‥\n"},
                    TapeCase{"NewNumberKeepsTheRootRecord", TAX_0_CUT "16 SQRT 1000 TAX-",
                             " \n"
                             "√ 16  　　 ‥\n"
                             "= 4  　　 ‥\n"
                             "BASE 1,000  　　 ‥\n"
                             "…TAX 74-　 　 ‥\n"
                             "= 926 　 　 ‥\n"},
                    // The error line comes first; the press is recorded after it with the computed
                    // figures (net is computed within the display width).
                    TapeCase{"OverflowStillRecorded", "--digits 8 " TAX_0_CUT "99999999 TAX+",
                             "0 Ｅ０ 　\n"
                             " \n"
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
