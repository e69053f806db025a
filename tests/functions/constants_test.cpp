// The stored constants against series summed here with the decimal operations at 510
// fraction digits, then rounded at the 500th.
#include <gtest/gtest.h>

#include <string>

#include "arithmetic/constants.hpp"
#include "arithmetic/decimal.hpp"

namespace pemu::arith {
namespace {

constexpr int kWorkDigits = 510;

ArithContext Wide() {
    ArithContext ctx;
    ctx.workIntDigits = 20;
    ctx.workFracDigits = kWorkDigits;
    return ctx;
}

// sum of x^(2k+1) / (2k+1) for x = 1 / q, alternating in sign for atan, not for atanh.
std::string OddPowerSeries(ArithContext& ctx, int q, bool alternate) {
    const std::string q2 = std::to_string(q * q);
    std::string power = DecimalDivide(ctx, "1", std::to_string(q));
    std::string sum = power;
    for (long long k = 1; !IsZero(power); ++k) {
        power = DecimalDivide(ctx, power, q2);
        const std::string term = DecimalDivide(ctx, power, std::to_string(2 * k + 1));
        // Added with its sign turned: the subtraction cuts its operands to 299 characters.
        sum = DecimalAdd(ctx, sum, (alternate && k % 2 == 1) ? "-" + term : term, 0);
    }
    return sum;
}

// x rounded half up after 500 fraction digits, written with all 500.
std::string RoundTo500(ArithContext& ctx, const std::string& x) {
    const std::size_t point = x.find('.');
    std::string cut = x.substr(0, point + 1 + kConstantFracDigits);
    if (x[point + 1 + kConstantFracDigits] >= '5') {
        ArithContext exact = ctx;
        exact.workFracDigits = kConstantFracDigits;
        cut = DecimalAdd(exact, cut, "0." + std::string(kConstantFracDigits - 1, '0') + "1", 0);
    }
    cut.resize(point + 1 + kConstantFracDigits, '0');
    return cut;
}

TEST(StoredConstants, AgreeWithSeriesRoundedAtTheLastDigit) {
    ArithContext ctx = Wide();
    // Machin: pi = 16 atan(1/5) - 4 atan(1/239).
    const std::string pi =
        DecimalAdd(ctx, DecimalMultiply(ctx, "16", OddPowerSeries(ctx, 5, true)),
                   DecimalMultiply(ctx, "-4", OddPowerSeries(ctx, 239, true)), 0);
    EXPECT_EQ(RoundTo500(ctx, pi), kPiText);
    EXPECT_EQ(RoundTo500(ctx, DecimalMultiply(ctx, "2", pi)), kTwoPiText);
    EXPECT_EQ(RoundTo500(ctx, DecimalDivide(ctx, pi, "2")), kHalfPiText);
    EXPECT_EQ(RoundTo500(ctx, DecimalSqrt(ctx, "2")), kSqrt2Text);
    // ln 2 = 2 atanh(1/3).
    EXPECT_EQ(RoundTo500(ctx, DecimalMultiply(ctx, "2", OddPowerSeries(ctx, 3, false))), kLn2Text);
}

TEST(StoredConstants, AreCutNeverRoundedToTheFractionDigits) {
    ArithContext ctx;
    EXPECT_EQ(ConstPi(ctx, 0), "3.14159265358979323846");
    EXPECT_EQ(ConstPi(ctx, 2), "6.28318530717958647692");
    EXPECT_EQ(ConstPi(ctx, -2), "1.57079632679489661923");
    EXPECT_EQ(ConstPi(ctx, 1), "0");
    EXPECT_EQ(ConstSqrt2(ctx), "1.41421356237309504880");
    EXPECT_EQ(ConstLn2(ctx), "0.69314718055994530941");
    ctx.workFracDigits = 4;
    EXPECT_EQ(ConstPi(ctx, 0), "3.1415");  // the fifth digit is 9: cut, not rounded
    EXPECT_EQ(ConstLn2(ctx), "0.6931");
    ctx.workFracDigits = 32;
    EXPECT_EQ(ConstPi(ctx, 0), "3.14159265358979323846264338327950");
    ctx.workFracDigits = kConstantFracDigits;
    EXPECT_EQ(ConstPi(ctx, 0), kPiText);
}

}  // namespace
}  // namespace pemu::arith
