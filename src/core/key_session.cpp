#include "core/key_session.hpp"

#include <map>

#include "arithmetic/decimal.hpp"
#include "platform/codec.hpp"

namespace pemu::core {
namespace {

const std::map<std::string_view, int>& NamedKeys() {
    static const std::map<std::string_view, int> keys = {
        {"00", kKeyDoubleZero},   {".", kKeyPoint},          {"+", kKeyAdd},
        {"-", kKeySubtract},      {"*", kKeyMultiply},       {"/", kKeyDivide},
        {"=", kKeyEquals},        {"%", kKeyPercent},        {"CE", kKeyClearEntry},
        {"C", kKeyClear},         {"CA", kKeyClearAll},      {"BS", kKeyBackSpace},
        {"+/-", kKeySignChange},  {"SQRT", kKeyRoot},        {"MC", kKeyMemoryClear},
        {"MR", kKeyMemoryRecall}, {"M+", kKeyMemoryPlus},    {"M-", kKeyMemoryMinus},
        {"GT", kKeyGrandTotal},   {"TAX+", kKeyTaxIncluded}, {"TAX-", kKeyTaxExcluded},
    };
    return keys;
}

}  // namespace

bool KeyCodesOfToken(std::string_view token, std::vector<int>& codes) {
    codes.clear();
    const auto& named = NamedKeys();
    if (const auto it = named.find(token); it != named.end()) {
        codes.push_back(it->second);
        return true;
    }
    if (token.empty()) return false;
    for (char ch : token) {
        if (ch == '.') {
            codes.push_back(kKeyPoint);
        } else if (ch == '0') {
            codes.push_back(kKeyDigit0);
        } else if (ch >= '1' && ch <= '9') {
            codes.push_back(kKeyDigit1 + (ch - '1'));
        } else {
            codes.clear();
            return false;
        }
    }
    return true;
}

KeySession::KeySession(const KeySessionOptions& options)
    : calc_(display_, shell_, tape_, options.family),
      view_(tape_),
      correction_(tape_, view_, calc_) {
    view_.SetOpen(true);
    view_.SetVisibleRows(kKeySessionRows);
    calc_.FirstShow();
    calc_.ApplyStartupSettings(options.settings, nullptr);
}

bool KeySession::Press(std::string_view token) {
    std::vector<int> codes;
    if (!KeyCodesOfToken(token, codes)) return false;
    for (int code : codes)
        calc_.ExecuteKey(code);
    return true;
}

std::string KeySession::LitMarks() const {
    std::string marks;
    const auto& on = calc_.State().markOn;
    // Lit marks by their codes, as pemu-calc prints them.
    for (int code = 0; code < kMarkCount; ++code) {
        if (!on[static_cast<Mark>(code)]) continue;
        if (!marks.empty()) marks += ',';
        marks += std::to_string(code);
    }
    return marks.empty() ? "-" : marks;
}

std::string KeySession::StatusLine(std::string_view token) const {
    const CalculatorState& s = calc_.State();
    return std::string(token) + '\t' + platform::Cp932ToUtf8(s.displayValue) + '\t' + LitMarks() +
           '\t' + std::to_string(CodeOf(s.errorCode));
}

std::string KeySession::TapeUtf8() const {
    std::string text = platform::Cp932ToUtf8(tape_.Log().TapeText());
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        lines += text[i];
    }
    return lines;
}

}  // namespace pemu::core
