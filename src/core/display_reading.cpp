#include "core/display_reading.hpp"

#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "core/key_codes.hpp"
#include "platform/codec.hpp"

namespace pemu::core {
namespace {

struct MarkName {
    int code;
    const char* word;  // UTF-8
};

// In the order the marks stand on the display, left to right; the panel's K last.
constexpr MarkName kMarkNames[] = {
    {kKeyAdd, "プラス"},
    {kKeySubtract, "マイナス"},
    {kKeyMultiply, "かける"},
    {kKeyDivide, "わる"},
    {kKeyEquals, "イコール"},
    {kMarkCopy, "コピー"},
    {kMarkGrandTotal, "GT"},
    {kMarkMemory, "メモリー"},
    {kMarkGrandTotalRecall, "GT呼び出し"},
    {kKeyMemoryRecall, "メモリー呼び出し"},
    {kKeyMemoryPlus, "メモリープラス"},
    {kKeyMemoryMinus, "メモリーマイナス"},
    {kKeyRoot, "ルート"},
    {kKeyTaxIncluded, "税込"},
    {kMarkTaxIncludedAmount, "税込の税額"},
    {kKeyTaxExcluded, "税抜"},
    {kMarkTaxExcludedAmount, "税抜の税額"},
    {kMarkAnswerCheck, "アンサーチェック"},
    {kMarkMemoryOverflow, "メモリーあふれ"},
    {kMarkGrandTotalOverflow, "GTあふれ"},
    {kMarkRegisterOverflow, "桁あふれ"},
    {kMarkConstant, "定数"},
};

constexpr const char* kErrorWord = "エラー";
constexpr const char* kSeparator = "、";

bool Lit(const std::vector<int>& marks, int code) {
    const int shown = code == kKeyPercent ? kKeyEquals : code;
    return std::any_of(marks.begin(), marks.end(),
                       [shown](int m) { return (m == kKeyPercent ? kKeyEquals : m) == shown; });
}

}  // namespace

std::string MarkWord(int code) {
    if (code == kMarkError) return platform::Sjis(kErrorWord);
    if (code == kKeyPercent) code = kKeyEquals;
    for (const MarkName& m : kMarkNames) {
        if (m.code == code) return platform::Sjis(m.word);
    }
    return {};
}

std::string DisplayReading(std::string_view shownText, const std::vector<int>& litMarks) {
    std::vector<std::string> parts;
    if (Lit(litMarks, kMarkError)) parts.push_back(platform::Sjis(kErrorWord));
    std::string number = arith::GroupThousands(shownText, 40);
    parts.push_back(number.empty() ? "0" : number);
    for (const MarkName& m : kMarkNames) {
        if (Lit(litMarks, m.code)) parts.push_back(platform::Sjis(m.word));
    }
    std::string reading;
    const std::string separator = platform::Sjis(kSeparator);
    for (const std::string& part : parts) {
        if (!reading.empty()) reading += separator;
        reading += part;
    }
    return reading;
}

std::string LabelReading(DisplayLabel label, std::string_view text) {
    const char* what = "";
    switch (label) {
        case DisplayLabel::kLabAns:
            what = "答え ";
            break;
        case DisplayLabel::kLabIpt:
            what = "入力 ";
            break;
        case DisplayLabel::kLabRs:
            what = "ラウンドセレクター ";
            if (text == "CT") text = "CUT";
            break;
        case DisplayLabel::kLabDc:
            what = "小数点セレクター ";
            break;
    }
    return platform::Sjis(what) + std::string(text);
}

}  // namespace pemu::core
