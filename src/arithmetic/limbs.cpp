#include "arithmetic/limbs.hpp"

#include <cstring>

namespace pemu::arith::detail {

namespace {

constexpr std::uint64_t kBase = kLimbBase;

void Trim(Limbs& x) {
    while (x.n > 0 && x.v[x.n - 1] == 0)
        --x.n;
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

// floor(sqrt(x)) of a machine word, bit by bit.
std::uint64_t SquareRootOfWord(std::uint64_t x) {
    std::uint64_t root = 0;
    std::uint64_t bit = std::uint64_t{1} << 62;
    while (bit > x)
        bit >>= 2;
    while (bit != 0) {
        if (x >= root + bit) {
            x -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
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

void SetLimbs(Limbs& x, std::uint64_t value) {
    x.v[0] = static_cast<std::uint32_t>(value % kBase);
    x.v[1] = static_cast<std::uint32_t>(value / kBase);
    x.n = 2;
    Trim(x);
}

int CompareLimbs(const Limbs& a, const Limbs& b) {
    if (a.n != b.n) return a.n < b.n ? -1 : 1;
    for (int i = a.n - 1; i >= 0; --i) {
        if (a.v[i] != b.v[i]) return a.v[i] < b.v[i] ? -1 : 1;
    }
    return 0;
}

void AddLimbs(const Limbs& a, const Limbs& b, Limbs& out) {
    const Limbs& longer = a.n >= b.n ? a : b;
    const Limbs& shorter = a.n >= b.n ? b : a;
    const int n = longer.n;
    const int m = shorter.n;
    std::uint32_t carry = 0;
    for (int i = 0; i < n; ++i) {
        std::uint32_t s = longer.v[i] + (i < m ? shorter.v[i] : 0) + carry;
        carry = s >= kLimbBase ? 1 : 0;
        out.v[i] = s - carry * kLimbBase;
    }
    out.n = n;
    if (carry != 0 && n < kMaxLimbs) out.v[out.n++] = carry;
}

void SubtractLimbs(const Limbs& a, const Limbs& b, Limbs& out) {
    std::int64_t borrow = 0;
    for (int i = 0; i < a.n; ++i) {
        std::int64_t d = static_cast<std::int64_t>(a.v[i]) - (i < b.n ? b.v[i] : 0) - borrow;
        borrow = d < 0 ? 1 : 0;
        out.v[i] = static_cast<std::uint32_t>(d + borrow * static_cast<std::int64_t>(kBase));
    }
    out.n = a.n;
    Trim(out);
}

// Products are summed per column in 64 bits. Up to eighteen products of two limbs fit
// one 64-bit sum, so short operands are summed column by column in a register; longer
// ones row by row into memory, carried once per block of sixteen rows. Columns below
// `first` are not formed.
void MultiplyColumns(const Limbs& a, const Limbs& b, int first, Limbs& out) {
    constexpr int kRowsPerCarry = 16;
    const Limbs& rows = a.n <= b.n ? a : b;
    const Limbs& columns = a.n <= b.n ? b : a;
    const int n = a.n + b.n;
    if (rows.n <= kRowsPerCarry) {
        std::uint32_t product[kMaxLimbs];  // out may be a or b
        std::uint64_t carry = 0;
        int kept = 0;
        for (int c = first; c < n - 1; ++c) {
            const int iLow = c - (columns.n - 1) > 0 ? c - (columns.n - 1) : 0;
            const int iHigh = c < rows.n - 1 ? c : rows.n - 1;
            std::uint64_t sum = carry;
            for (int i = iLow; i <= iHigh; ++i)
                sum += static_cast<std::uint64_t>(rows.v[i]) * columns.v[c - i];
            product[kept++] = static_cast<std::uint32_t>(sum % kBase);
            carry = sum / kBase;
        }
        product[kept++] = static_cast<std::uint32_t>(carry);  // below 10^9: the top limb
        std::memcpy(out.v, product, sizeof(std::uint32_t) * static_cast<std::size_t>(kept));
        out.n = kept;
        Trim(out);
        return;
    }
    std::uint64_t sum[kMaxLimbs + 1];
    std::memset(sum, 0, sizeof(std::uint64_t) * static_cast<std::size_t>(n));
    const auto carryFrom = [&](int start) {
        std::uint64_t carry = 0;
        for (int c = start; c < n; ++c) {
            const std::uint64_t t = sum[c] + carry;
            sum[c] = t % kBase;
            carry = t / kBase;
        }
    };
    for (int top = 0; top < rows.n; top += kRowsPerCarry) {
        const int end = top + kRowsPerCarry < rows.n ? top + kRowsPerCarry : rows.n;
        for (int i = top; i < end; ++i) {
            const std::uint64_t factor = rows.v[i];
            const int j0 = first - i > 0 ? first - i : 0;
            std::uint64_t* column = sum + i;
            for (int j = j0; j < columns.n; ++j)
                column[j] += factor * columns.v[j];
        }
        carryFrom(top > first ? top : first);
    }
    const int kept = n - first;
    for (int c = 0; c < kept; ++c)
        out.v[c] = static_cast<std::uint32_t>(sum[first + c]);
    out.n = kept > 0 ? kept : 0;
    Trim(out);
}

void MultiplyLimbs(const Limbs& a, const Limbs& b, Limbs& out) {
    if (a.n == 0 || b.n == 0) {
        out.n = 0;
        return;
    }
    MultiplyColumns(a, b, 0, out);
}

// The columns three limbs below the drop are formed too: what lies below them adds less
// than one unit of those columns' top, so at most one unit is lost at the drop.
void MultiplyLimbsHigh(const Limbs& a, const Limbs& b, int drop, Limbs& out) {
    if (a.n == 0 || b.n == 0) {
        out.n = 0;
        return;
    }
    constexpr int kGuardColumns = 3;
    const int first = drop > kGuardColumns ? drop - kGuardColumns : 0;
    MultiplyColumns(a, b, first, out);
    DropLimbs(out, drop - first);
}

void MultiplySmallLimbs(Limbs& x, std::uint32_t m) {
    std::uint64_t carry = 0;
    for (int i = 0; i < x.n; ++i) {
        const std::uint64_t t = static_cast<std::uint64_t>(x.v[i]) * m + carry;
        x.v[i] = static_cast<std::uint32_t>(t % kBase);
        carry = t / kBase;
    }
    while (carry != 0 && x.n < kMaxLimbs) {
        x.v[x.n++] = static_cast<std::uint32_t>(carry % kBase);
        carry /= kBase;
    }
    Trim(x);
}

std::uint32_t DivideSmallLimbs(Limbs& x, std::uint32_t d) {
    std::uint64_t rest = 0;
    for (int i = x.n - 1; i >= 0; --i) {
        const std::uint64_t t = rest * kBase + x.v[i];
        x.v[i] = static_cast<std::uint32_t>(t / d);
        rest = t % d;
    }
    Trim(x);
    return static_cast<std::uint32_t>(rest);
}

void DropLimbs(Limbs& x, int count) {
    if (count <= 0) return;
    if (count >= x.n) {
        x.n = 0;
        return;
    }
    std::memmove(x.v, x.v + count, sizeof(std::uint32_t) * static_cast<std::size_t>(x.n - count));
    x.n -= count;
}

void ShiftLimbs(Limbs& x, int digits) {
    if (x.n == 0 || digits <= 0) return;
    static constexpr std::uint32_t kPowers[kLimbDigits] = {
        1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    MultiplySmallLimbs(x, kPowers[digits % kLimbDigits]);
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
    MultiplySmallLimbs(u, factor);
    MultiplySmallLimbs(v, factor);
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
        // u -= qhat v: each product is split on its own, so that only the borrow runs
        // from limb to limb; the high part of one product is taken off the next limb.
        std::int64_t borrow = 0;
        std::uint64_t carry = 0;
        for (int i = 0; i < vn; ++i) {
            const std::uint64_t p = qhat * v.v[i];
            const std::uint64_t high = p / kBase;
            std::int64_t t = static_cast<std::int64_t>(u.v[i + j]) -
                             static_cast<std::int64_t>(p - high * kBase) -
                             static_cast<std::int64_t>(carry) - borrow;
            borrow = t < 0 ? (t < -static_cast<std::int64_t>(kBase) ? 2 : 1) : 0;
            u.v[i + j] = static_cast<std::uint32_t>(t + borrow * static_cast<std::int64_t>(kBase));
            carry = high;
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

// Newton's iteration from above, started from the root of the upper half of the limbs:
// that start is good to half the digits, so one step mostly lands on the root, which a
// square shows without another division.
void SquareRootLimbs(const Limbs& x, Limbs& root) {
    if (x.n <= 2) {
        const std::uint64_t word = x.n == 0 ? 0 : x.v[0] + (x.n == 2 ? x.v[1] * kBase : 0);
        SetLimbs(root, SquareRootOfWord(word));
        return;
    }
    // Pairs of limbs left out of the start: few enough that the start's root has more limbs
    // than are appended to it, so that the first step overshoots by less than one.
    const int half = x.n >= 6 ? (x.n - 2) / 4 : 1;
    Limbs upper = x;
    DropLimbs(upper, 2 * half);
    Limbs y;
    SquareRootLimbs(upper, y);
    Limbs one;
    SetLimbs(one, 1);
    AddLimbs(y, one, y);  // (s + 1)^2 > upper: y B^half lies above the root
    std::memmove(y.v + half, y.v, sizeof(std::uint32_t) * static_cast<std::size_t>(y.n));
    std::memset(y.v, 0, sizeof(std::uint32_t) * static_cast<std::size_t>(half));
    y.n += half;
    for (;;) {
        // A step from above stays at or above the root; one unit above it shows in the
        // square and is taken off without another division.
        Limbs next;
        DivideLimbs(x, y, next);
        AddLimbs(next, y, next);
        DivideSmallLimbs(next, 2);
        Limbs square;
        MultiplyLimbs(next, next, square);
        if (CompareLimbs(square, x) > 0) {
            Limbs below;
            SubtractLimbs(next, one, below);
            MultiplyLimbs(below, below, square);
            if (CompareLimbs(square, x) > 0) {
                y = below;
                continue;
            }
            next = below;
        }
        root = next;
        return;
    }
}

}  // namespace pemu::arith::detail
