#include "arithmetic/limbs.hpp"

#include <cstring>

namespace pemu::arith::detail {

namespace {

constexpr std::uint64_t kBase = kLimbBase;

void Trim(Limbs& x) {
    while (x.n > 0 && x.v[x.n - 1] == 0)
        --x.n;
}

// x = x * m + add, m < kBase; may grow by one limb.
void MultiplySmall(Limbs& x, std::uint32_t m) {
    std::uint64_t carry = 0;
    for (int i = 0; i < x.n; ++i) {
        const std::uint64_t t = static_cast<std::uint64_t>(x.v[i]) * m + carry;
        x.v[i] = static_cast<std::uint32_t>(t % kBase);
        carry = t / kBase;
    }
    if (carry != 0) x.v[x.n++] = static_cast<std::uint32_t>(carry);
    Trim(x);
}

void DivideShort(const Limbs& num, std::uint32_t den, Limbs& quotient) {
    std::uint64_t rest = 0;
    for (int i = num.n - 1; i >= 0; --i) {
        const std::uint64_t t = rest * kBase + num.v[i];
        quotient.v[i] = static_cast<std::uint32_t>(t / den);
        rest = t % den;
    }
    quotient.n = num.n;
    Trim(quotient);
}

}  // namespace

void LimbsFromRun(const Operand& op, Limbs& out) {
    out.n = 0;
    std::uint32_t limb = 0;
    std::uint32_t scale = 1;
    const auto take = [&](std::string_view digits) {
        for (std::size_t i = digits.size(); i-- > 0;) {
            limb += static_cast<std::uint32_t>(DigitOf(digits[i])) * scale;
            scale *= 10;
            if (scale == kLimbBase) {
                out.v[out.n++] = limb;
                limb = 0;
                scale = 1;
            }
        }
    };
    take(op.fracDigits);  // from the least significant digit up
    take(op.intDigits);
    if (scale != 1) out.v[out.n++] = limb;
    Trim(out);
}

int LimbsToDigits(const Limbs& x, char* out) {
    if (x.n == 0) {
        out[0] = '0';
        return 1;
    }
    int count = 0;
    char top[kLimbDigits];
    int topLength = 0;
    for (std::uint32_t t = x.v[x.n - 1]; t != 0; t /= 10)
        top[topLength++] = static_cast<char>('0' + t % 10);
    while (topLength > 0)
        out[count++] = top[--topLength];
    for (int i = x.n - 2; i >= 0; --i) {
        std::uint32_t t = x.v[i];
        for (int k = kLimbDigits - 1; k >= 0; --k) {
            out[count + k] = static_cast<char>('0' + t % 10);
            t /= 10;
        }
        count += kLimbDigits;
    }
    return count;
}

void MultiplyLimbs(const Limbs& a, const Limbs& b, Limbs& out) {
    out.n = a.n + b.n;
    std::memset(out.v, 0, sizeof(std::uint32_t) * static_cast<std::size_t>(out.n));
    for (int i = 0; i < a.n; ++i) {
        std::uint64_t carry = 0;
        const std::uint64_t ai = a.v[i];
        for (int j = 0; j < b.n; ++j) {
            const std::uint64_t t = out.v[i + j] + ai * b.v[j] + carry;
            out.v[i + j] = static_cast<std::uint32_t>(t % kBase);
            carry = t / kBase;
        }
        out.v[i + b.n] = static_cast<std::uint32_t>(carry);
    }
    Trim(out);
}

void ShiftLimbs(Limbs& x, int digits) {
    if (x.n == 0 || digits <= 0) return;
    static constexpr std::uint32_t kPowers[kLimbDigits] = {
        1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    MultiplySmall(x, kPowers[digits % kLimbDigits]);
    const int whole = digits / kLimbDigits;
    if (whole == 0) return;
    std::memmove(x.v + whole, x.v, sizeof(std::uint32_t) * static_cast<std::size_t>(x.n));
    std::memset(x.v, 0, sizeof(std::uint32_t) * static_cast<std::size_t>(whole));
    x.n += whole;
}

// Knuth's algorithm D in base 10^9.
void DivideLimbs(const Limbs& num, const Limbs& den, Limbs& quotient) {
    if (num.n < den.n) {
        quotient.n = 0;
        return;
    }
    if (den.n == 1) {
        DivideShort(num, den.v[0], quotient);
        return;
    }
    const auto factor = static_cast<std::uint32_t>(kBase / (den.v[den.n - 1] + 1ULL));
    Limbs u = num;
    Limbs v = den;
    MultiplySmall(u, factor);
    MultiplySmall(v, factor);
    const int vn = v.n;
    if (u.n == num.n) u.v[u.n] = 0;  // room for the top limb of the first step
    const int m = num.n - vn;
    const std::uint64_t vTop = v.v[vn - 1];
    const std::uint64_t vNext = v.v[vn - 2];
    for (int j = m; j >= 0; --j) {
        const std::uint64_t top = static_cast<std::uint64_t>(u.v[j + vn]) * kBase + u.v[j + vn - 1];
        std::uint64_t qhat = top / vTop;
        std::uint64_t rhat = top % vTop;
        while (qhat >= kBase || qhat * vNext > rhat * kBase + u.v[j + vn - 2]) {
            --qhat;
            rhat += vTop;
            if (rhat >= kBase) break;
        }
        std::int64_t borrow = 0;
        std::uint64_t carry = 0;
        for (int i = 0; i < vn; ++i) {
            const std::uint64_t p = qhat * v.v[i] + carry;
            carry = p / kBase;
            std::int64_t t = static_cast<std::int64_t>(u.v[i + j]) -
                             static_cast<std::int64_t>(p % kBase) - borrow;
            borrow = t < 0 ? 1 : 0;
            u.v[i + j] = static_cast<std::uint32_t>(t + borrow * static_cast<std::int64_t>(kBase));
        }
        std::int64_t t =
            static_cast<std::int64_t>(u.v[j + vn]) - static_cast<std::int64_t>(carry) - borrow;
        if (t < 0) {
            // qhat was one too large: add the divisor back.
            --qhat;
            std::uint64_t c = 0;
            for (int i = 0; i < vn; ++i) {
                const std::uint64_t s = static_cast<std::uint64_t>(u.v[i + j]) + v.v[i] + c;
                u.v[i + j] = static_cast<std::uint32_t>(s % kBase);
                c = s / kBase;
            }
            t += static_cast<std::int64_t>(kBase) + static_cast<std::int64_t>(c);
            t %= static_cast<std::int64_t>(kBase);
        }
        u.v[j + vn] = static_cast<std::uint32_t>(t);
        quotient.v[j] = static_cast<std::uint32_t>(qhat);
    }
    quotient.n = m + 1;
    Trim(quotient);
}

}  // namespace pemu::arith::detail
