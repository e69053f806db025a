#include "arithmetic/operand.hpp"

namespace pemu::arith::detail {

namespace {

bool IsLeadingStripChar(char ch) {
    return ch == '0' || ch == '+' || ch == '-';
}

long long IntAllowance(const ArithContext& ctx) {
    return 2LL * ctx.workIntDigits;
}

}  // namespace

bool ReadOperand(std::string_view text, bool minusPrefix, const ArithContext& ctx, Operand& out) {
    out.negative = minusPrefix || (!text.empty() && text.front() == '-');
    if (!minusPrefix && !text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    // Trailing fraction zeros and a point left at the end go first...
    std::size_t point = text.find('.');
    if (point != std::string_view::npos) {
        std::size_t end = text.size();
        while (end > point + 1 && text[end - 1] == '0')
            --end;
        if (end == point + 1) end = point;
        text = text.substr(0, end);
    }
    // ...then leading zeros (and stray signs), so ".5" reads as 0.5.
    std::size_t start = 0;
    while (start < text.size() && IsLeadingStripChar(text[start]))
        ++start;
    text.remove_prefix(start);
    point = text.find('.');
    out.intDigits = text.substr(0, point);
    out.fracDigits = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (out.IntLength() > IntAllowance(ctx)) return false;
    const auto frac = static_cast<std::size_t>(FracDigitsOf(ctx));
    if (out.fracDigits.size() > frac) out.fracDigits = out.fracDigits.substr(0, frac);
    return true;
}

std::string FinishResult(const ArithContext& ctx, std::string_view digits, int fracLength,
                         bool negative) {
    const long long n = static_cast<long long>(digits.size());
    long long first = 0;
    while (first < n && DigitOf(digits[first]) == 0)
        ++first;
    if (first == n) return "0";

    // Integer digits are [first, intEnd) followed by appended zeros when fracLength < 0;
    // fraction digits are `padding` zeros followed by [fracBegin, fracEnd).
    const long long intEnd = n - fracLength;
    const long long intCount = intEnd > first ? (intEnd > n ? n : intEnd) - first : 0;
    const long long appendedZeros = fracLength < 0 ? -static_cast<long long>(fracLength) : 0;
    const long long fracBegin = intEnd > 0 ? intEnd : 0;
    const long long padding = intEnd < 0 ? -intEnd : 0;
    long long fracEnd = n;
    while (fracEnd > fracBegin && digits[fracEnd - 1] == '0')
        --fracEnd;

    const long long intLength = intCount + appendedZeros;
    if ((intLength == 0 ? 1 : intLength) > IntAllowance(ctx)) return "EF";
    const long long fracDigits = fracEnd > fracBegin ? padding + (fracEnd - fracBegin) : 0;
    const long long keep = fracDigits < FracDigitsOf(ctx) ? fracDigits : FracDigitsOf(ctx);

    std::string out;
    out.reserve(static_cast<std::size_t>(intLength + keep + 3));
    if (negative) out.push_back('-');
    if (intLength == 0) {
        out.push_back('0');
    } else {
        out.append(
            digits.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(intCount)));
        out.append(static_cast<std::size_t>(appendedZeros), '0');
    }
    if (fracDigits > 0) {
        out.push_back('.');
        const long long zeros = padding < keep ? padding : keep;
        out.append(static_cast<std::size_t>(zeros), '0');
        out.append(digits.substr(static_cast<std::size_t>(fracBegin),
                                 static_cast<std::size_t>(keep - zeros)));
    }
    return out;
}

}  // namespace pemu::arith::detail
