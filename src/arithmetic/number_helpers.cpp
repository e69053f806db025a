// Helpers that normalise, compare and classify decimal texts.
#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "arithmetic/operand.hpp"
#include "arithmetic/text.hpp"

namespace pemu::arith {

namespace {

bool IsLeadingStripChar(char ch) {
    return ch == '0' || ch == '+' || ch == '-';
}

}  // namespace

char CompareMagnitude(std::string_view a, std::string_view b) {
    const std::size_t ia = std::min(a.find('.'), a.size());
    const std::size_t ib = std::min(b.find('.'), b.size());
    if (ia != ib) return ia > ib ? '>' : '<';
    for (std::size_t i = 0; i < ia; ++i) {
        if (a[i] != b[i]) return a[i] > b[i] ? '>' : '<';
    }
    const std::string_view fa = ia < a.size() ? a.substr(ia + 1) : std::string_view();
    const std::string_view fb = ib < b.size() ? b.substr(ib + 1) : std::string_view();
    const std::size_t common = std::min(fa.size(), fb.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (fa[i] != fb[i]) return fa[i] > fb[i] ? '>' : '<';
    }
    if (fa.size() != fb.size()) return fa.size() > fb.size() ? '>' : '<';
    return '=';
}

bool IsZero(std::string_view s) {
    return std::none_of(s.begin(), s.end(), [](char ch) { return ch >= '1' && ch <= '9'; });
}

void StripTrailingZeros(std::string& s) {
    const std::size_t point = s.find('.');
    if (point == std::string::npos) return;
    std::size_t end = s.size();
    while (end > point + 1 && s[end - 1] == '0')
        --end;
    if (end == point + 1) end = point;
    s.resize(end);
    if (std::all_of(s.begin(), s.end(), [](char ch) { return ch == '0'; })) s = "0";
}

void StripFractionZeros(std::string& s) {
    StripTrailingZeros(s);
}

int StripLeadingZeros(std::string& s) {
    std::size_t count = 0;
    bool minus = false;
    while (count < s.size() && IsLeadingStripChar(s[count]))
        minus |= s[count++] == '-';
    s.erase(0, count);
    if (s.empty()) {
        s = "0";
    } else if (s.front() == '.') {
        s.insert(0, 1, '0');
    }
    if (minus) s.insert(0, 1, '-');
    return static_cast<int>(count);
}

void RemoveSign(std::string& s) {
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.erase(0, 1);
}

bool IsMinus(char ch) {
    return ch == '-';
}

int IntegerPartLength(std::string_view s) {
    return static_cast<int>(std::min(s.find('.'), s.size()));
}

int CompareWithOne(std::string& s) {
    const bool negative = !s.empty() && s.front() == '-';
    RemoveSign(s);
    StripLeadingZeros(s);
    const int result = CompareMagnitude(s, "1") == '>' ? (negative ? -1 : 1) : 0;
    if (negative) s.insert(0, 1, '-');
    return result;
}

void LimitDigits(std::string& s, const ArithContext& ctx) {
    const long long signed_ = !s.empty() && (s.front() == '-' || s.front() == '+') ? 1 : 0;
    const std::size_t point = s.find('.');
    const long long n = static_cast<long long>(std::min(point, s.size()));
    if (n > 2LL * ctx.workIntDigits + signed_) {
        s = "EF";
        return;
    }
    if (point == std::string::npos) return;
    const auto keep = static_cast<std::size_t>(detail::FracDigitsOf(ctx));
    if (s.size() - point - 1 > keep) s.resize(point + 1 + keep);
}

void NormaliseNumberText(std::string& s, std::size_t size) {
    std::size_t count = 0;
    bool negative = false;
    while (count < s.size() && IsLeadingStripChar(s[count]))
        negative |= s[count++] == '-';
    if (count == 0 && (s.empty() || s.front() != '.')) return;
    s.erase(0, count);
    if (negative) s.insert(0, 1, '-');
    if (s.empty() || s == "-") {
        s = "0";
        return;
    }
    const std::size_t first = negative ? 1 : 0;
    if (s.size() > first && s[first] == '.') InsertText(s, "0", static_cast<int>(first) + 1, size);
}

bool IsNumberText(std::string_view s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    if (s.empty()) return false;
    bool point = false;
    for (const char ch : s) {
        if (ch == '.' && !point) {
            point = true;
        } else if (!IsDigit(ch)) {
            return false;
        }
    }
    return true;
}

std::string GroupThousands(std::string_view s, std::size_t max) {
    if (s.empty()) return std::string(std::min<std::size_t>(max, 1), '0');
    if (s.back() == '.') s.remove_suffix(1);
    const std::size_t point = std::min(s.find('.'), s.size());
    std::string out;
    int count = 0;
    for (std::size_t i = s.size(); i-- > 0 && out.size() < max;) {
        out.push_back(s[i]);
        if (i >= point) continue;
        if (++count < 3) continue;
        count = 0;
        const bool room = out.size() < max;
        if (room && (i >= 2 || (i == 1 && (IsDigit(s[0]) || s[0] == '.')))) out.push_back(',');
    }
    std::reverse(out.begin(), out.end());
    return out;
}

bool IsOperatorChar(char ch) {
    return ch == '*' || ch == '+' || ch == '-' || ch == '/' || ch == '^';
}

bool IsLowerLetter(char ch) {
    return ch >= 'a' && ch <= 'z';
}

bool IsNumberChar(char ch) {
    return IsDigit(ch) || ch == '.';
}

const char* RoundSelectorName(int value, bool longName) {
    switch (value) {
        case 2:
            return longName ? "CUT" : "CT";
        case 3:
            return "UP";
        case 4:
            return "5/4";
        default:
            return "F";
    }
}

const char* DecimalSelectorName(int value, bool longName) {
    static constexpr const char* kDigits[] = {"0", "1", "2", "3", "4", "5"};
    if (value >= 0 && value <= 5) return kDigits[value];
    if (value == 22) return longName ? "ADD2" : "A";
    return "F";
}

const char* MakerName(int type) {
    return type == 1 ? "SHARP" : "CASIO";
}

const char* OnOffName(bool on, bool padded) {
    if (!on) return "OFF";
    return padded ? "ON " : "ON";
}

}  // namespace pemu::arith
