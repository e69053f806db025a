// What each line of the tape is, as the recalculation and the CSV export read it.
#include "tape/tape_lines.hpp"

#include <gtest/gtest.h>

#include "platform/codec.hpp"

namespace pemu::tape {
namespace {

using platform::Sjis;

TEST(ClassifyLine, EveryLineOfTheTapeHasItsKind) {
    struct Case {
        const char* line;  // UTF-8
        LineKind kind;
    };
    const Case cases[] = {
        {"1,234.5 ＋　 同", LineKind::kStep},
        {"50 Ｍ-  　", LineKind::kStep},
        {" SC-  　", LineKind::kSignChange},
        {"1,300 ＊+  　", LineKind::kResult},
        {"100 小計 　", LineKind::kSubtotal},
        {"0. Ｅ０ 　", LineKind::kError},
        {"12345678 ＭＦ 　", LineKind::kError},  // not an M step
        {"0 ＊Ｆ 　", LineKind::kError},         // not a result
        {" ＡＣ 　", LineKind::kClear},
        {" ～　 　", LineKind::kCarried},
        {"C  ◆Ｍ ‥", LineKind::kMemory},
        {"1,300  ◇＊ ‥", LineKind::kGrandTotal},
        {"√ 9  　　 ‥", LineKind::kRoot},
        {"BASE 1,000  　　 ‥", LineKind::kTaxBase},
        {"…TAX 80-　 　 ‥", LineKind::kTax},
        {"= 1,080  　　 ‥", LineKind::kTaxResult},
        {"SHARP      ‥", LineKind::kNote},
        {"1st:-4 ＊+  <<", LineKind::kNote},
        {"[2026/12/10 15:00]", LineKind::kDate},
        {" ", LineKind::kSeparator},
        {"On ", LineKind::kRunEnd},
        {"hello", LineKind::kOther},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyLine(Sjis(c.line)), c.kind) << c.line;
}

TEST(ClassifyLine, TheLineBeforeTellsARootResultFromATaxResult) {
    const std::string result = Sjis("= 3  　　 ‥");
    EXPECT_EQ(ClassifyLine(result, LineKind::kRoot), LineKind::kRoot);
    EXPECT_EQ(ClassifyLine(result, LineKind::kTax), LineKind::kTaxResult);
}

}  // namespace
}  // namespace pemu::tape
