#include "arithmetic/fixed_point.hpp"

#include <cmath>
#include <cstring>

namespace pemu::arith::detail {

namespace {

void ShiftUpByLimbs(Limbs& x, int count) {
    if (x.n == 0 || count <= 0) return;
    std::memmove(x.v + count, x.v, sizeof(std::uint32_t) * static_cast<std::size_t>(x.n));
    std::memset(x.v, 0, sizeof(std::uint32_t) * static_cast<std::size_t>(count));
    x.n += count;
}

int DigitValue(char ch) {
    return ch >= '0' && ch <= '9' ? ch - '0' : 0;
}

}  // namespace

Fixed FixedInteger(std::uint64_t value, int scale) {
    Fixed x;
    SetLimbs(x.mag, value);
    ShiftUpByLimbs(x.mag, scale);
    return x;
}

bool FixedFromText(std::string_view text, int scale, Fixed& out) {
    out = Fixed();
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        out.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    if (whole.size() > static_cast<std::size_t>(kMaxIntegerLimbs * kLimbDigits)) return false;
    const std::size_t fractionDigits = static_cast<std::size_t>(scale) * kLimbDigits;
    if (fraction.size() > fractionDigits) fraction = fraction.substr(0, fractionDigits);
    // Limbs from the least significant digit up: the fraction padded to whole limbs.
    Limbs& m = out.mag;
    m.n = 0;
    std::uint32_t limb = 0;
    std::uint32_t unit = 1;
    const auto push = [&](int digit) {
        limb += static_cast<std::uint32_t>(digit) * unit;
        unit *= 10;
        if (unit == kLimbBase) {
            m.v[m.n++] = limb;
            limb = 0;
            unit = 1;
        }
    };
    for (std::size_t pad = fraction.size(); pad < fractionDigits; ++pad)
        push(0);
    for (std::size_t i = fraction.size(); i-- > 0;)
        push(DigitValue(fraction[i]));
    for (std::size_t i = whole.size(); i-- > 0;)
        push(DigitValue(whole[i]));
    if (unit != 1) m.v[m.n++] = limb;
    while (m.n > 0 && m.v[m.n - 1] == 0)
        --m.n;
    if (m.n == 0) out.negative = false;
    return true;
}

std::string FixedToText(const Fixed& x, int scale) {
    char digits[kMaxLimbDigits + 1];
    const int count = LimbsToDigits(x.mag, digits);
    const int fraction = scale * kLimbDigits;
    std::string out;
    out.reserve(static_cast<std::size_t>(count + fraction + 3));
    if (x.negative && x.mag.n != 0) out.push_back('-');
    if (count <= fraction) {
        out += "0.";
        out.append(static_cast<std::size_t>(fraction - count), '0');
        out.append(digits, static_cast<std::size_t>(count));
    } else {
        out.append(digits, static_cast<std::size_t>(count - fraction));
        if (fraction > 0) {
            out.push_back('.');
            out.append(digits + (count - fraction), static_cast<std::size_t>(fraction));
        }
    }
    return out;
}

Fixed Negated(Fixed x) {
    if (x.mag.n != 0) x.negative = !x.negative;
    return x;
}

int CompareMagnitude(const Fixed& a, const Fixed& b) {
    return CompareLimbs(a.mag, b.mag);
}

Fixed Add(const Fixed& a, const Fixed& b) {
    Fixed out;
    if (a.negative == b.negative) {
        AddLimbs(a.mag, b.mag, out.mag);
        out.negative = a.negative;
    } else if (CompareLimbs(a.mag, b.mag) >= 0) {
        SubtractLimbs(a.mag, b.mag, out.mag);
        out.negative = a.negative;
    } else {
        SubtractLimbs(b.mag, a.mag, out.mag);
        out.negative = b.negative;
    }
    if (out.mag.n == 0) out.negative = false;
    return out;
}

Fixed Subtract(const Fixed& a, const Fixed& b) {
    return Add(a, Negated(b));
}

Fixed Multiply(const Fixed& a, const Fixed& b, int scale) {
    Fixed out;
    if (a.mag.n + b.mag.n > kMaxLimbs) return out;  // beyond every working width
    MultiplyLimbsHigh(a.mag, b.mag, scale, out.mag);
    out.negative = out.mag.n != 0 && a.negative != b.negative;
    return out;
}

Fixed MultiplySmall(Fixed x, std::uint32_t m) {
    MultiplySmallLimbs(x.mag, m);
    if (x.mag.n == 0) x.negative = false;
    return x;
}

Fixed DivideSmall(Fixed x, std::uint32_t d) {
    DivideSmallLimbs(x.mag, d);
    if (x.mag.n == 0) x.negative = false;
    return x;
}

Fixed Divide(const Fixed& a, const Fixed& b, int scale) {
    Fixed out;
    if (b.mag.n == 0 || a.mag.n + scale >= kMaxLimbs) return out;
    Limbs numerator = a.mag;
    ShiftUpByLimbs(numerator, scale);
    DivideLimbs(numerator, b.mag, out.mag);
    out.negative = out.mag.n != 0 && a.negative != b.negative;
    return out;
}

Fixed SquareRoot(const Fixed& a, int shift) {
    Fixed out;
    if (a.mag.n + shift >= kMaxLimbs) return out;
    Limbs wide = a.mag;
    ShiftUpByLimbs(wide, shift);
    SquareRootLimbs(wide, out.mag);
    return out;
}

Fixed Rescale(Fixed x, int from, int to) {
    if (to < from) {
        DropLimbs(x.mag, from - to);
    } else if (x.mag.n + (to - from) < kMaxLimbs) {
        ShiftUpByLimbs(x.mag, to - from);
    }
    if (x.mag.n == 0) x.negative = false;
    return x;
}

Fixed ScaleByTwo(Fixed x, int n) {
    constexpr int kStep = 29;  // 2^29 and its products with a limb stay in 64 bits
    for (; n >= kStep; n -= kStep)
        MultiplySmallLimbs(x.mag, std::uint32_t{1} << kStep);
    if (n > 0) MultiplySmallLimbs(x.mag, std::uint32_t{1} << n);
    for (; n <= -kStep; n += kStep)
        DivideSmallLimbs(x.mag, std::uint32_t{1} << kStep);
    if (n < 0) DivideSmallLimbs(x.mag, std::uint32_t{1} << -n);
    if (x.mag.n == 0) x.negative = false;
    return x;
}

namespace {

// The top three limbs as a number, and the power of ten of the lowest of them.
double TopLimbs(const Fixed& x, int scale, int& tens) {
    double top = 0;
    const int high = x.mag.n - 1;
    for (int i = high; i >= 0 && i >= high - 2; --i)
        top = top * kLimbBase + x.mag.v[i];
    tens = ((high >= 2 ? high - 2 : 0) - scale) * kLimbDigits;
    return top;
}

}  // namespace

double ApproximateValue(const Fixed& x, int scale) {
    int tens = 0;
    const double value = TopLimbs(x, scale, tens) * std::pow(10.0, tens);
    return x.negative ? -value : value;
}

double ApproximateLog10(const Fixed& x, int scale) {
    int tens = 0;
    return std::log10(TopLimbs(x, scale, tens)) + tens;
}

Fixed ErrorBound(double ulps) {
    if (!(ulps < 1e300)) ulps = 1e300;
    int tens = 0;
    while (ulps > 1e15) {
        ulps /= 10;
        ++tens;
    }
    Fixed bound;
    SetLimbs(bound.mag, static_cast<std::uint64_t>(std::ceil(ulps)) + 1);
    ShiftLimbs(bound.mag, tens);
    return bound;
}

}  // namespace pemu::arith::detail
