#include "shell/tax_rate.hpp"

#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "arithmetic/text.hpp"
#include "platform/codec.hpp"

namespace pemu::shell {
namespace {

std::string Multiply(std::string_view a, std::string_view b) {
    arith::ArithContext ctx;
    return arith::DecimalMultiply(ctx, a, b);
}

// A lone point or sign is no rate, even though the number syntax lets "." pass.
bool IsRateText(std::string_view text) {
    return arith::IsNumberText(text) &&
           std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string TaxPercentText(std::string_view taxRate) {
    return Multiply(taxRate, "100");
}

TaxEntryCheck CheckTaxEntry(std::string_view entry, std::string_view currentRate) {
    TaxEntryCheck check;
    check.entry = std::string(entry);
    arith::TrimSpaces(check.entry);
    if (!IsRateText(check.entry)) {
        check.message = platform::Sjis("税率の数値が正しくありません。");
        return check;
    }
    check.rate = Multiply(check.entry, "0.01");
    if (check.rate == currentRate) {
        check.outcome = TaxEntryOutcome::kSameRate;
        check.message = platform::Sjis("現在設定中の税率と同じです。");
        return check;
    }
    check.outcome = TaxEntryOutcome::kChanged;
    check.message = platform::Sjis("税率を ") + check.entry + platform::Sjis("% に設定しました。");
    return check;
}

std::string TaxDialogGreeting() {
    return platform::Sjis("税率の設定を行います。\r\n税率は％の値で入力してください。");
}

}  // namespace pemu::shell
