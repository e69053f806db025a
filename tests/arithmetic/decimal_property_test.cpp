// The five operations against the scaled big-integer reference, over random operands of
// every shape the callers can hand in.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "arithmetic/decimal.hpp"
#include "literal_reference.hpp"
#include "scaled_reference.hpp"

namespace pemu::arith {
namespace {

class OperandMaker {
  public:
    explicit OperandMaker(std::uint64_t seed) : rng_(seed) {}

    int Below(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

    std::string Digits(int count) {
        std::string s;
        const int pattern = Below(6);
        for (int i = 0; i < count; ++i) {
            if (pattern == 0) {
                s += '9';
            } else if (pattern == 1) {
                s += i == 0 ? '1' : '0';
            } else {
                s += static_cast<char>('0' + Below(10));
            }
        }
        return s;
    }

    // A length biased towards short runs, with the overflow boundary 2I, 2I + 1 and the
    // fraction boundary F, F + 1 visited often.
    int Length(int boundary) {
        switch (Below(8)) {
            case 0:
                return boundary + Below(2);
            case 1:
                return Below(boundary + 3);
            default:
                return Below(12);
        }
    }

    std::string Operand(const ArithContext& ctx) {
        static const char* const kZeros[] = {"0", "-0", "0.000", ".", "-.0", "+0", "EF", "", "00."};
        if (Chance(6)) return kZeros[Below(9)];
        std::string s;
        const int sign = Below(10);
        if (sign < 4) s += '-';
        if (sign == 4) s += '+';
        if (Chance(15)) s += std::string(static_cast<std::size_t>(Below(4) + 1), '0');
        if (Chance(2)) s += std::string(300 + static_cast<std::size_t>(Below(320)), '0');
        s += Digits(Length(2 * ctx.workIntDigits));
        const int point = Below(10);
        if (point < 6) {
            s += '.';
            if (Chance(10)) {
                s += std::string(static_cast<std::size_t>(Below(ctx.workFracDigits + 3)), '0');
            }
            s += Digits(Chance(3) ? 250 + Below(400) : Length(ctx.workFracDigits));
            if (Chance(15)) s += std::string(static_cast<std::size_t>(Below(5) + 1), '0');
        } else if (point == 6) {
            s += '.';
        }
        if (Chance(4)) PadToBufferEdge(s);
        return s;
    }

    // Leading zeros up to one side or the other of a working-buffer size, so that the cut
    // of the operand falls on its last digits.
    void PadToBufferEdge(std::string& s) {
        static const std::size_t kEdges[] = {
            kSubtractOperandMax - 1, kSubtractOperandMax, kSubtractOperandMax + 1,
            kOperandMax - 1,         kOperandMax,         kOperandMax + 1};
        const std::size_t target = kEdges[Below(6)];
        if (s.size() >= target) return;
        const std::size_t at = !s.empty() && (s[0] == '-' || s[0] == '+') ? 1 : 0;
        s.insert(at, target - s.size(), '0');
    }

    ArithContext Context() {
        ArithContext ctx;
        if (Chance(35)) {
            ctx.workIntDigits = Chance(50) ? 1 + Below(6) : 1 + Below(105);
            ctx.workFracDigits = Chance(50) ? 1 + Below(6) : 1 + Below(105);
        }
        return ctx;
    }

    int Limit() { return Chance(70) ? 0 : 1 + Below(25); }

  private:
    std::mt19937_64 rng_;
};

std::string Describe(const ArithContext& ctx, const std::string& a, const std::string& b,
                     int limit) {
    return "I=" + std::to_string(ctx.workIntDigits) + " F=" + std::to_string(ctx.workFracDigits) +
           " limit=" + std::to_string(limit) + "\na=" + a + "\nb=" + b;
}

TEST(DecimalPropertyTest, FourOperationsMatchBothReferences) {
    OperandMaker maker(20261210);
    int failures = 0;
    for (int i = 0; i < 6000 && failures < 10; ++i) {
        ArithContext ctx = maker.Context();
        const std::string a = maker.Operand(ctx);
        const std::string b = maker.Operand(ctx);
        const int limit = maker.Limit();
        SCOPED_TRACE(Describe(ctx, a, b, limit));
        ArithContext fast = ctx;
        ArithContext slow = ctx;
        const auto check = [&](const std::string& got, const std::string& want, const char* op) {
            if (got != want) ++failures;
            EXPECT_EQ(got, want) << op;
        };
        check(DecimalAdd(fast, a, b, limit), reference::Add(slow, a, b, limit), "add");
        check(DecimalSubtract(fast, a, b, limit), reference::Subtract(slow, a, b, limit), "sub");
        check(DecimalMultiply(fast, a, b), reference::Multiply(slow, a, b), "mul");
        check(DecimalDivide(fast, a, b), reference::Divide(slow, a, b), "div");
        EXPECT_EQ(fast.divideError, slow.divideError) << "divide flag";
        ArithContext text = ctx;
        check(DecimalAdd(fast, a, b, limit), literal::Add(text, a, b, limit), "literal add");
        check(DecimalSubtract(fast, a, b, limit), literal::Subtract(text, a, b, limit),
              "literal sub");
        check(DecimalMultiply(fast, a, b), literal::Multiply(text, a, b), "literal mul");
        check(DecimalDivide(fast, a, b), literal::Divide(text, a, b), "literal div");
    }
}

TEST(DecimalPropertyTest, SqrtMatchesReferenceIteration) {
    OperandMaker maker(7);
    for (int i = 0; i < 300; ++i) {
        ArithContext ctx = maker.Context();
        ctx.workIntDigits = std::min(ctx.workIntDigits, 20);
        ctx.workFracDigits = std::min(ctx.workFracDigits, 30);
        std::string a = maker.Digits(1 + maker.Below(12));
        if (maker.Chance(60)) a += "." + maker.Digits(1 + maker.Below(ctx.workFracDigits + 2));
        SCOPED_TRACE(Describe(ctx, a, "", 0));
        ArithContext fast = ctx;
        ArithContext slow = ctx;
        EXPECT_EQ(DecimalSqrt(fast, a), reference::Sqrt(slow, a));
        EXPECT_FALSE(fast.divideError);
    }
}

}  // namespace
}  // namespace pemu::arith

namespace pemu::arith {
namespace {

bool IsResultText(const std::string& s) {
    return s == "EF" || IsNumberText(s);
}

TEST(DecimalPropertyTest, MalformedTextStillGivesANumberOrEf) {
    static const char kAlphabet[] = "0123456789..--++eE ,x\x95\x5C";
    std::mt19937_64 rng(99);
    const auto junk = [&] {
        std::string s;
        const std::size_t length = rng() % 12;
        for (std::size_t i = 0; i < length; ++i)
            s += kAlphabet[rng() % (sizeof kAlphabet - 1)];
        return s;
    };
    for (int i = 0; i < 3000; ++i) {
        const std::string a = junk();
        const std::string b = junk();
        SCOPED_TRACE("a=" + a + " b=" + b);
        ArithContext ctx;
        EXPECT_TRUE(IsResultText(DecimalAdd(ctx, a, b, static_cast<int>(rng() % 10))));
        EXPECT_TRUE(IsResultText(DecimalSubtract(ctx, a, b, 0)));
        EXPECT_TRUE(IsResultText(DecimalMultiply(ctx, a, b)));
        EXPECT_TRUE(IsResultText(DecimalDivide(ctx, a, b)));
        if (i % 20 == 0) {
            EXPECT_TRUE(IsResultText(DecimalSqrt(ctx, a)));
        }
    }
}

}  // namespace
}  // namespace pemu::arith
