#include "scaled_reference.hpp"

#include <algorithm>
#include <vector>

#include "arithmetic/decimal.hpp"

namespace pemu::arith::reference {

namespace big {

std::string Normalise(std::string digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

int Compare(const std::string& a, const std::string& b) {
    const std::string x = Normalise(a);
    const std::string y = Normalise(b);
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return x < y ? -1 : (x > y ? 1 : 0);
}

std::string Add(const std::string& a, const std::string& b) {
    std::string out;
    int carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry != 0; ++i) {
        const int da = i < a.size() ? a[a.size() - 1 - i] - '0' : 0;
        const int db = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
        const int s = da + db + carry;
        out.push_back(static_cast<char>('0' + s % 10));
        carry = s / 10;
    }
    std::reverse(out.begin(), out.end());
    return Normalise(out);
}

std::string Subtract(const std::string& a, const std::string& b) {
    std::string out;
    int borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const int db = i < b.size() ? b[b.size() - 1 - i] - '0' : 0;
        int d = a[a.size() - 1 - i] - '0' - db - borrow;
        borrow = d < 0 ? 1 : 0;
        out.push_back(static_cast<char>('0' + d + 10 * borrow));
    }
    std::reverse(out.begin(), out.end());
    return Normalise(out);
}

std::string Multiply(const std::string& a, const std::string& b) {
    std::vector<int> sum(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < b.size(); ++j)
            sum[i + j + 1] += (a[i] - '0') * (b[j] - '0');
    }
    for (std::size_t k = sum.size(); k-- > 1;) {
        sum[k - 1] += sum[k] / 10;
        sum[k] %= 10;
    }
    std::string out;
    for (const int d : sum)
        out.push_back(static_cast<char>('0' + d));
    return Normalise(out);
}

std::string Divide(const std::string& a, const std::string& b) {
    std::string quotient;
    std::string rest = "0";
    for (const char digit : a) {
        rest = Normalise(rest + digit);
        int q = 0;
        while (Compare(rest, b) >= 0) {
            rest = Subtract(rest, b);
            ++q;
        }
        quotient.push_back(static_cast<char>('0' + q));
    }
    return Normalise(quotient);
}

}  // namespace big

namespace {

struct Prepared {
    std::string digits;  // point removed
    int intLength = 0;
    int fracLength = 0;
};

// The steps every operand goes through; false on overflow.
bool Prepare(std::string& s, Prepared& out, const ArithContext& ctx) {
    RemoveSign(s);
    StripTrailingZeros(s);
    StripLeadingZeros(s);
    LimitDigits(s, ctx);
    if (s == "EF") return false;
    const std::size_t point = s.find('.');
    out.intLength = static_cast<int>(point == std::string::npos ? s.size() : point);
    out.fracLength = point == std::string::npos ? 0 : static_cast<int>(s.size() - point - 1);
    out.digits = s;
    if (point != std::string::npos) out.digits.erase(point, 1);
    return true;
}

// digits x 10^-fraction, in whole units of 10^-scale, truncated.
std::string InUnits(const Prepared& p, int scale) {
    if (scale >= p.fracLength) {
        return p.digits + std::string(static_cast<std::size_t>(scale - p.fracLength), '0');
    }
    const auto drop = static_cast<std::size_t>(p.fracLength - scale);
    return drop >= p.digits.size() ? "0" : p.digits.substr(0, p.digits.size() - drop);
}

bool StartsMinus(const std::string& s) {
    return !s.empty() && s[0] == '-';
}

}  // namespace

std::string ShiftPoint(std::string s, int n) {
    if (n == 0) return s;
    const std::size_t point = s.find('.');
    const int oldCount = static_cast<int>(point == std::string::npos ? s.size() : point);
    if (point != std::string::npos) s.erase(point, 1);
    const int count = oldCount + n;
    if (count <= 0) return "0." + std::string(static_cast<std::size_t>(-count), '0') + s;
    if (count >= static_cast<int>(s.size())) {
        return s + std::string(static_cast<std::size_t>(count) - s.size(), '0');
    }
    return s.substr(0, static_cast<std::size_t>(count)) + "." +
           s.substr(static_cast<std::size_t>(count));
}

std::string NormaliseResult(std::string s, int shift, bool negative, const ArithContext& ctx) {
    if (IsZero(s)) return "0";
    s = ShiftPoint(s, shift);
    StripTrailingZeros(s);
    StripLeadingZeros(s);
    if (negative) s.insert(0, 1, '-');
    LimitDigits(s, ctx);
    return s;
}

std::string Add(ArithContext& ctx, std::string a, std::string b, int limit) {
    a = a.substr(0, kOperandMax);
    b = b.substr(0, kOperandMax);
    if (IsZero(a) && IsZero(b)) return "0";
    if (IsZero(a)) a = "0";
    if (IsZero(b)) b = "0";
    const bool aMinus = StartsMinus(a);
    const bool bMinus = StartsMinus(b);
    Prepared pa;
    Prepared pb;
    if (!Prepare(a, pa, ctx) || !Prepare(b, pb, ctx)) return "EF";
    const char order = CompareMagnitude(a, b);
    const int fraction = std::max(pa.fracLength, pb.fracLength);
    const int width = std::max(pa.intLength, pb.intLength) + fraction;
    int scale = fraction;
    if (limit != 0 && width > limit) scale -= width - limit;
    const std::string ua = InUnits(pa, scale);
    const std::string ub = InUnits(pb, scale);
    std::string sum;
    bool negative = false;
    if (aMinus == bMinus) {
        sum = big::Add(ua, ub);
        negative = aMinus;
    } else {
        const bool bLarger = order == '<';
        const std::string& x = bLarger ? ub : ua;
        const std::string& y = bLarger ? ua : ub;
        if (big::Compare(x, y) < 0) return "reference: larger operand lost to the limit";
        sum = big::Subtract(x, y);
        negative = (bMinus && order == '<') || (aMinus && order == '>');
    }
    return NormaliseResult(sum, -scale, negative, ctx);
}

void FlipForSubtract(std::string& a, std::string& b) {
    a = a.substr(0, kSubtractOperandMax);
    b = b.substr(0, kSubtractOperandMax);
    if (StartsMinus(b)) {
        b.erase(0, 1);
    } else {
        b = ("-" + b).substr(0, kSubtractOperandMax);
    }
}

std::string Subtract(ArithContext& ctx, std::string a, std::string b, int limit) {
    FlipForSubtract(a, b);
    return Add(ctx, a, b, limit);
}

// Both operands of a product or quotient; "" when they are ready, else the result.
static std::string PreparePair(std::string a, std::string b, Prepared& pa, Prepared& pb,
                               bool& negative, const ArithContext& ctx) {
    a = a.substr(0, kOperandMax);
    b = b.substr(0, kOperandMax);
    if (IsZero(a) || IsZero(b)) return "0";
    negative = StartsMinus(a) != StartsMinus(b);
    if (!Prepare(a, pa, ctx) || !Prepare(b, pb, ctx)) return "EF";
    return {};
}

std::string Multiply(ArithContext& ctx, std::string a, std::string b) {
    Prepared pa;
    Prepared pb;
    bool negative = false;
    if (std::string early = PreparePair(a, b, pa, pb, negative, ctx); !early.empty()) return early;
    return NormaliseResult(big::Multiply(pa.digits, pb.digits), -(pa.fracLength + pb.fracLength),
                           negative, ctx);
}

std::string Divide(ArithContext& ctx, std::string a, std::string b) {
    if (IsZero(b)) {
        ctx.divideError = true;
        return "0";
    }
    Prepared pa;
    Prepared pb;
    bool negative = false;
    if (std::string early = PreparePair(a, b, pa, pb, negative, ctx); !early.empty()) return early;
    if (big::Normalise(pb.digits) == "0") {
        ctx.divideError = true;
        return "0";
    }
    // The quotient of the runs, written with D + 1 fraction digits.
    const int shift = pb.fracLength - pa.fracLength;
    const int digitsAfterPoint = ctx.workFracDigits + std::max(shift, 0) + 1;
    const std::string scaled =
        big::Divide(pa.digits + std::string(static_cast<std::size_t>(digitsAfterPoint), '0'),
                    big::Normalise(pb.digits));
    std::string quotient =
        std::string(static_cast<std::size_t>(digitsAfterPoint) + 1, '0') + scaled;
    quotient.insert(quotient.size() - static_cast<std::size_t>(digitsAfterPoint), ".");
    return NormaliseResult(quotient, shift, negative, ctx);
}

std::string Sqrt(ArithContext& ctx, const std::string& a) {
    std::string x = Divide(ctx, a, "2");
    if (x[0] == 'E' || x[0] == '-') return "EF";
    if (IsZero(x)) {
        if (x == "0") return x;
        x = Divide(ctx, a, "1");
    }
    std::string previous = "0";
    std::string beforePrevious;
    while (x != previous) {
        beforePrevious = previous;
        previous = x;
        x = Divide(ctx, Add(ctx, Divide(ctx, a, previous), previous, 0), "2");
        if (x == beforePrevious) {
            return Subtract(ctx, x, previous, 0)[0] == '-' ? x : previous;
        }
    }
    return x;
}

}  // namespace pemu::arith::reference
