#include "shell/tax_rate.hpp"

#include <gtest/gtest.h>

#include "platform/codec.hpp"

namespace pemu::shell {
namespace {

TEST(TaxRate, PercentShownIsTheRateTimesHundred) {
    EXPECT_EQ(TaxPercentText("0.08"), "8");
    EXPECT_EQ(TaxPercentText("0.1"), "10");
    EXPECT_EQ(TaxPercentText("0.055"), "5.5");
}

TEST(TaxRate, EntryChecks) {
    const std::string invalid = platform::Sjis("税率の数値が正しくありません。");
    const std::string same = platform::Sjis("現在設定中の税率と同じです。");
    using O = TaxEntryOutcome;
    struct Case {
        const char* entry;
        const char* current;
        O outcome;
        const char* trimmed;
        const char* rate;
    };
    const Case cases[] = {
        {"8", "0.08", O::kSameRate, "8", "0.08"},
        {"10", "0.08", O::kChanged, "10", "0.1"},
        {" 5 ", "0.08", O::kChanged, "5", "0.05"},  // trimmed before the check
        {"8%", "0.08", O::kInvalid, "8%", ""},
        {"1.2.3", "0.08", O::kInvalid, "1.2.3", ""},
        {"", "0.08", O::kInvalid, "", ""},
        {"  ", "0.08", O::kInvalid, "", ""},
        {".", "0.08", O::kInvalid, ".", ""},  // no digit: no rate
        {"-", "0.08", O::kInvalid, "-", ""},
        {"5.5", "0.08", O::kChanged, "5.5", "0.055"},
        {"08", "0.08", O::kSameRate, "08", "0.08"},
        // The comparison is of texts: a stored "0.080" is not the product "0.08".
        {"8", "0.080", O::kChanged, "8", "0.08"},
    };
    for (const Case& c : cases) {
        const TaxEntryCheck check = CheckTaxEntry(c.entry, c.current);
        EXPECT_EQ(check.outcome, c.outcome) << "'" << c.entry << "'";
        EXPECT_EQ(check.entry, c.trimmed) << "'" << c.entry << "'";
        std::string message = invalid;
        if (c.outcome == O::kSameRate) message = same;
        if (c.outcome == O::kChanged)
            message = platform::Sjis("税率を ") + c.trimmed + platform::Sjis("% に設定しました。");
        EXPECT_EQ(check.message, message) << "'" << c.entry << "'";
        if (c.outcome != O::kInvalid) {
            EXPECT_EQ(check.rate, c.rate) << "'" << c.entry << "'";
        }
    }
}

}  // namespace
}  // namespace pemu::shell
