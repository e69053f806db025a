#include "core/paste_entry.hpp"

#include <algorithm>
#include <string>

#include "core/calculator.hpp"
#include "core/key_codes.hpp"

namespace pemu::core {
namespace {

// A clipboard text longer than this is no number the display could show.
constexpr std::size_t kLongestText = 256;

// What a character of the clipboard text counts as.
enum class Kind { kDigit, kPoint, kMinus, kGroup, kBlank, kOther };

struct Symbol {
    Kind kind;
    char digit = 0;
};

// One code point from the front of `text` (invalid UTF-8 gives 0xFFFD and one byte).
char32_t NextCodePoint(std::string_view& text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 0;
    if (length == 0 || length > text.size()) {
        text.remove_prefix(1);
        return 0xFFFD;
    }
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            text.remove_prefix(1);
            return 0xFFFD;
        }
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    text.remove_prefix(length);
    return cp;
}

Symbol SymbolOf(char32_t cp) {
    if (cp >= U'0' && cp <= U'9') return {Kind::kDigit, static_cast<char>(cp)};
    if (cp >= U'０' && cp <= U'９') return {Kind::kDigit, static_cast<char>('0' + (cp - U'０'))};
    switch (cp) {
        case U'.':
        case U'．':
            return {Kind::kPoint};
        case U'-':
        case U'－':
        case U'\u2212':  // minus sign
            return {Kind::kMinus};
        case U',':
        case U'，':
            return {Kind::kGroup};
        case U' ':
        case U'\t':
        case U'\r':
        case U'\n':
        case U'\u00A0':  // no-break space
        case U'\u2009':  // thin space
        case U'\u202F':  // narrow no-break space
        case U'\u3000':  // full-width space
            return {Kind::kBlank};
        default:
            return {Kind::kOther};
    }
}

// The integer digits between the separators: the first group of one to three digits, every
// later one of exactly three.
bool GroupsOfThree(const std::vector<std::string>& groups) {
    if (groups.size() == 1) return !groups[0].empty();
    if (groups[0].empty() || groups[0].size() > 3) return false;
    return std::all_of(groups.begin() + 1, groups.end(),
                       [](const std::string& g) { return g.size() == 3; });
}

}  // namespace

std::optional<std::vector<int>> PasteKeys(std::string_view utf8, int panelDigit) {
    if (utf8.size() > kLongestText) return std::nullopt;
    std::vector<Symbol> symbols;
    while (!utf8.empty())
        symbols.push_back(SymbolOf(NextCodePoint(utf8)));
    // Blanks at both ends go; a blank after the minus too.
    const auto blank = [](const Symbol& s) { return s.kind == Kind::kBlank; };
    auto begin = std::find_if_not(symbols.begin(), symbols.end(), blank);
    auto end = std::find_if_not(symbols.rbegin(), std::make_reverse_iterator(begin), blank).base();
    bool negative = false;
    if (begin != end && begin->kind == Kind::kMinus) {
        negative = true;
        begin = std::find_if_not(begin + 1, end, blank);
    }

    std::vector<std::string> groups(1);
    std::string fraction;
    bool point = false;
    Kind separator = Kind::kOther;  // the kind that separates the groups, once seen
    for (auto it = begin; it != end; ++it) {
        switch (it->kind) {
            case Kind::kDigit:
                (point ? fraction : groups.back()) += it->digit;
                break;
            case Kind::kPoint:
                if (point) return std::nullopt;
                point = true;
                break;
            case Kind::kGroup:
            case Kind::kBlank:
                // Only between integer digits, always the same kind.
                if (point || groups.back().empty() || it + 1 == end ||
                    (it + 1)->kind != Kind::kDigit)
                    return std::nullopt;
                if (separator != Kind::kOther && separator != it->kind) return std::nullopt;
                separator = it->kind;
                groups.emplace_back();
                break;
            default:
                return std::nullopt;
        }
    }
    std::string integer;
    for (const std::string& g : groups)
        integer += g;
    if (integer.empty() && fraction.empty()) return std::nullopt;
    if (!integer.empty() && !GroupsOfThree(groups)) return std::nullopt;
    // Leading zeros are no digits of the number; the display shows one 0 before a point.
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    if (integer.empty()) integer = "0";
    if (static_cast<int>(integer.size() + fraction.size()) > panelDigit) return std::nullopt;

    std::vector<int> keys;
    const auto digitKey = [](char d) { return d == '0' ? kKeyDigit0 : kKeyDigit1 + (d - '1'); };
    for (char d : integer)
        keys.push_back(digitKey(d));
    if (point) keys.push_back(kKeyPoint);
    for (char d : fraction)
        keys.push_back(digitKey(d));
    if (negative) keys.push_back(kKeySignChange);
    return keys;
}

bool Calculator::PasteNumber(std::string_view utf8) {
    const auto keys = PasteKeys(utf8, state_.panelDigit);
    if (!keys || state_.errorCode != kNoError) return false;
    // The pasted number replaces one being keyed, as CE and the keys would.
    if (state_.entering != 0 && state_.lastFunction == 0) ExecuteKey(kKeyClearEntry);
    for (int code : *keys)
        ExecuteKey(code);
    // Every key went down and up again.
    shell_.RefreshKeys();
    return true;
}

}  // namespace pemu::core
