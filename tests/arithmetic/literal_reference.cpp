#include "literal_reference.hpp"

#include <algorithm>
#include <cstdint>

#include "arithmetic/decimal.hpp"
#include "scaled_reference.hpp"

namespace pemu::arith::literal {

namespace {

constexpr std::int64_t kChunk = 100000000;

struct Run {
    std::string digits;
    int fracLength = 0;
};

struct Prepared {
    int status = 1;  // 0 zero result, -1 overflow, 1 a is larger or equal, 99 b is larger
    bool negative = false;
    bool aMinus = false;
    bool bMinus = false;
    Run a;
    Run b;
};

Run SplitAtPoint(std::string s, bool stripLeading) {
    Run run;
    const std::size_t point = s.find('.');
    if (point != std::string::npos) {
        run.fracLength = static_cast<int>(s.size() - point - 1);
        s.erase(point, 1);
    }
    if (stripLeading) StripLeadingZeros(s);
    run.digits = s;
    return run;
}

Prepared PrepareOperands(std::string a, std::string b, int op, const ArithContext& ctx) {
    Prepared p;
    const bool aZero = IsZero(a);
    const bool bZero = IsZero(b);
    if (op == kOpAdd) {
        if (aZero && bZero) return p.status = 0, p;
        if (aZero) a = "0";
        if (bZero) b = "0";
    } else if (aZero || bZero) {
        return p.status = 0, p;
    }
    const bool aMinus = p.aMinus = a[0] == '-';
    const bool bMinus = p.bMinus = b[0] == '-';
    for (std::string* s : {&a, &b}) {
        RemoveSign(*s);
        StripTrailingZeros(*s);
        StripLeadingZeros(*s);
        LimitDigits(*s, ctx);
        if (*s == "EF") return p.status = -1, p;
    }
    const char order = CompareMagnitude(a, b);
    if (op == kOpAdd && aMinus != bMinus && order == '<') p.status = 99;
    if (op == kOpAdd) {
        p.negative =
            aMinus == bMinus ? aMinus : (bMinus && order == '<') || (aMinus && order == '>');
    } else {
        p.negative = aMinus != bMinus;
    }
    const bool strip = op != kOpAdd;
    p.a = SplitAtPoint(a, strip);
    p.b = SplitAtPoint(b, strip);
    return p;
}

// Eight digits ending `fromRight` digits before the end of run + zeros.
std::int64_t ChunkAt(const std::string& run, int zeros, int fromRight) {
    std::int64_t value = 0;
    const int length = static_cast<int>(run.size()) + std::max(zeros, 0);
    for (int k = 7; k >= 0; --k) {
        const int index = length - 1 - fromRight - k;  // position in run + zeros
        const int digit = index >= 0 && index < static_cast<int>(run.size()) ? run[index] - '0' : 0;
        value = value * 10 + digit;
    }
    return value;
}

std::string Pad8(std::int64_t v) {
    std::string s = std::to_string(v);
    return std::string(8 - s.size(), '0') + s;
}

std::string AddDigitRuns(const std::string& x, const std::string& y, int multiplier, int zerosX,
                         int zerosY, int op) {
    const int width = std::max(static_cast<int>(x.size()) + std::max(zerosX, 0),
                               static_cast<int>(y.size()) + std::max(zerosY, 0));
    std::string out;
    std::int64_t carry = 0;
    std::int64_t borrow = 0;
    std::int64_t multiplyCarry = 0;
    for (int fromRight = 0; fromRight < width; fromRight += 8) {
        const std::int64_t xl = ChunkAt(x, zerosX, fromRight);
        std::int64_t yl = ChunkAt(y, zerosY, fromRight);
        std::int64_t s = 0;
        if (op == kOpAdd) {
            s = xl + yl + carry;
            carry = 0;
            if (s > kChunk - 1) {
                s -= kChunk;
                carry = 1;
            }
        } else {
            if (multiplier >= 2) {
                yl = yl * multiplier + multiplyCarry;
                multiplyCarry = 0;
                if (yl > kChunk - 1) {
                    multiplyCarry = yl / kChunk;
                    yl %= kChunk;
                }
            }
            const std::int64_t xb = xl + borrow;
            if (xb >= yl) {
                s = xb - yl;
                borrow = 0;
            } else {
                s = kChunk - yl + xb;
                borrow = -1;
            }
        }
        out = Pad8(s) + out;
    }
    if (carry == 1) out = "1" + out;
    if (borrow != 0 || multiplyCarry != 0) out = "-" + out;
    StripLeadingZeros(out);
    return out;
}

// The lined-up run of an operand after `excess` digits left its right end.
std::string CutRun(std::string run, int& zeros, int excess) {
    const int fromZeros = std::min(zeros, excess);
    zeros -= fromZeros;
    const int fromDigits = excess - fromZeros;
    run.resize(run.size() > static_cast<std::size_t>(fromDigits) ? run.size() - fromDigits : 0);
    return run;
}

// The largest q with q * divisor <= rest, and rest - q * divisor.
int QuotientDigit(std::string& rest, const std::string& divisor) {
    if (divisor.size() <= 8) {
        const std::int64_t r = rest.empty() ? 0 : std::stoll(rest);
        const std::int64_t d = std::stoll(divisor);
        rest = std::to_string(r % d);
        return static_cast<int>(r / d);
    }
    if (rest.size() < divisor.size()) return 0;
    const std::int64_t d = std::stoll(divisor.substr(0, 8));
    const std::int64_t r = std::stoll(rest.substr(0, rest.size() > divisor.size() ? 9 : 8));
    int q = static_cast<int>(r / d);
    if (q == 0) return 0;
    std::string left = AddDigitRuns(rest, divisor, q, 0, 0, kOpSubtract);
    if (left[0] == '-') {
        --q;
        left = q == 0 ? rest : AddDigitRuns(rest, divisor, q, 0, 0, kOpSubtract);
    }
    rest = left;
    return q;
}

std::string LongDivision(const std::string& a, const std::string& b, int fracDigits) {
    const std::size_t n = b.size();
    std::string quotient;
    std::string rest;
    std::size_t next = 0;
    bool point = false;
    int written = 0;  // digits after the point
    if (a.size() >= n) {
        rest = a.substr(0, n);
        next = n;
    } else {
        rest = a + std::string(n - a.size(), '0');
        next = a.size();
        quotient = "0." + std::string(n - a.size() - 1, '0');
        point = true;
        written = static_cast<int>(n - a.size() - 1);
    }
    while (!point || written < fracDigits + 1) {
        const int q = QuotientDigit(rest, b);
        if (q != 0 || !quotient.empty() || point) quotient += static_cast<char>('0' + q);
        if (point) ++written;
        if (point && written >= fracDigits + 1) break;
        const bool restZero = IsZero(rest);
        if (restZero && next >= a.size()) break;
        if (restZero) rest.clear();
        if (next < a.size()) {
            rest += a[next++];
        } else {
            if (!point) {
                if (quotient.empty()) quotient = "0";
                quotient += '.';
                point = true;
            }
            rest += '0';
        }
    }
    return quotient;
}

}  // namespace

std::string Add(ArithContext& ctx, std::string a, std::string b, int limit) {
    a = a.substr(0, kOperandMax);
    b = b.substr(0, kOperandMax);
    const Prepared p = PrepareOperands(a, b, kOpAdd, ctx);
    if (p.status == 0) return "0";
    if (p.status == -1) return "EF";
    int zerosA = std::max(p.b.fracLength - p.a.fracLength, 0);
    int zerosB = std::max(p.a.fracLength - p.b.fracLength, 0);
    const int intA = static_cast<int>(p.a.digits.size()) - p.a.fracLength;
    const int intB = static_cast<int>(p.b.digits.size()) - p.b.fracLength;
    int fraction = std::max(p.a.fracLength, p.b.fracLength);
    const int width = std::max(intA, intB) + fraction;
    std::string runA = p.a.digits;
    std::string runB = p.b.digits;
    if (limit != 0 && width > limit) {
        const int excess = width - limit;
        runA = CutRun(runA, zerosA, excess);
        runB = CutRun(runB, zerosB, excess);
        fraction -= excess;
    }
    const int op = p.aMinus == p.bMinus ? kOpAdd : kOpSubtract;
    const std::string sum = p.status == 99 ? AddDigitRuns(runB, runA, 0, zerosB, zerosA, op)
                                           : AddDigitRuns(runA, runB, 0, zerosA, zerosB, op);
    return reference::NormaliseResult(sum, -fraction, p.negative, ctx);
}

std::string Subtract(ArithContext& ctx, std::string a, std::string b, int limit) {
    reference::FlipForSubtract(a, b);
    return Add(ctx, a, b, limit);
}

std::string Multiply(ArithContext& ctx, std::string a, std::string b) {
    a = a.substr(0, kOperandMax);
    b = b.substr(0, kOperandMax);
    const Prepared p = PrepareOperands(a, b, kOpMultiply, ctx);
    if (p.status == 0) return "0";
    if (p.status == -1) return "EF";
    const std::string& x = p.a.digits;
    const std::string& y = p.b.digits;
    std::string total = "0";
    for (int k = 0; 4 * k < static_cast<int>(y.size()); ++k) {
        const int end = static_cast<int>(y.size()) - 4 * k;
        const int begin = std::max(end - 4, 0);
        const int limb = std::stoi(y.substr(begin, end - begin));
        std::string partial;
        int carry = 0;
        for (int e = static_cast<int>(x.size()); e > 0; e -= 4) {
            const int s = std::max(e - 4, 0);
            int product = std::stoi(x.substr(s, e - s)) * limb + carry;
            carry = 0;
            if (product > 9999) {
                carry = product / 10000;
                product %= 10000;
            }
            const std::string text = std::to_string(product);
            partial = std::string(4 - text.size(), '0') + text + partial;
        }
        if (carry != 0) partial = std::to_string(carry) + partial;
        total = AddDigitRuns(total, partial, 0, 0, 4 * k, kOpAdd);
    }
    return reference::NormaliseResult(total, -(p.a.fracLength + p.b.fracLength), p.negative, ctx);
}

std::string Divide(ArithContext& ctx, std::string a, std::string b) {
    if (IsZero(b)) {
        ctx.divideError = true;
        return "0";
    }
    a = a.substr(0, kOperandMax);
    b = b.substr(0, kOperandMax);
    const Prepared p = PrepareOperands(a, b, kOpDivide, ctx);
    if (p.status == 0) return "0";
    if (p.status == -1) return "EF";
    if (IsZero(p.b.digits)) {
        ctx.divideError = true;
        return "0";
    }
    const int shift = p.b.fracLength - p.a.fracLength;
    const int digits = ctx.workFracDigits + std::max(shift, 0);
    const std::string quotient = LongDivision(p.a.digits, p.b.digits, digits);
    return reference::NormaliseResult(quotient, shift, p.negative, ctx);
}

}  // namespace pemu::arith::literal
