// The five operations on chosen operands: the cases where truncation, limits, overflow and
// the working-buffer cuts show.
#include <gtest/gtest.h>

#include <string>

#include "arithmetic/decimal.hpp"

namespace pemu::arith {
namespace {

struct BinaryCase {
    std::string a;
    std::string b;
    std::string want;
    int limit = 0;
};

const std::string kNines20(20, '9');
const std::string kNines40(40, '9');

TEST(DecimalAddTest, SumsWithSignsCarriesLimitsAndOverflow) {
    const BinaryCase cases[] = {
        {"1.5", "2.25", "3.75"},
        {"-1.5", "2.25", "0.75"},
        {"1.5", "-2.25", "-0.75"},
        {"5", "-5", "0"},
        {"-2.50", "2.5", "0"},
        {"99999999", "1", "100000000"},
        {"123.456", "0.0001", "123.456", 6},
        {"123.456", "0.0001", "123.4561", 7},
        {"123.456", "0.0001", "123.45", 5},
        {"-123.456", "-0.0009", "-123.45", 5},
        {"123.456", "-0.0009", "123.45", 5},  // each operand is cut before subtracting
        {kNines40, "1", "EF"},
        {"0.1111111111111111111111111", "0", "0.11111111111111111111"},
        {"EF", "5", "5"},
        {"+7", "+.5", "7.5"},
        {"-0", "-3", "-3"},
        {"0.00000000000000000000001", "0", "0"},
        {"1" + std::string(39, '0'), "-1", std::string(39, '9')},
        {"1" + std::string(40, '0'), "-1", "EF"},  // the operand itself overflows
        {std::string(41, '1'), "0", "EF"},
        {"-" + kNines40, "-0.5", "-" + kNines40 + ".5"},
    };
    for (const BinaryCase& c : cases) {
        ArithContext ctx;
        EXPECT_EQ(DecimalAdd(ctx, c.a, c.b, c.limit), c.want) << c.a << " + " << c.b;
        EXPECT_FALSE(ctx.divideError);
    }
}

TEST(DecimalAddTest, OperandsLongerThanTheWorkingBufferAreCut) {
    ArithContext ctx;
    // 598 zeros leave room for the 1 only: "0...01" is kept, "0...001" is cut to zero.
    EXPECT_EQ(DecimalAdd(ctx, std::string(598, '0') + "1", "0", 0), "1");
    EXPECT_EQ(DecimalAdd(ctx, std::string(599, '0') + "1", "2", 0), "2");
    // The subtraction's buffers are 299 bytes, and the '-' put in front of the subtrahend
    // pushes its last character out.
    EXPECT_EQ(DecimalSubtract(ctx, std::string(298, '0') + "1", "0", 0), "1");
    EXPECT_EQ(DecimalSubtract(ctx, std::string(299, '0') + "1", "0", 0), "0");
    EXPECT_EQ(DecimalSubtract(ctx, "5", std::string(297, '0') + "1", 0), "4");
    EXPECT_EQ(DecimalSubtract(ctx, "5", std::string(298, '0') + "1", 0), "5");
    EXPECT_EQ(DecimalSubtract(ctx, "5", "-" + std::string(297, '0') + "1", 0), "6");
}

TEST(DecimalSubtractTest, FlipsTheSubtrahend) {
    const BinaryCase cases[] = {
        {"5", "3", "2"},          {"3", "5", "-2"},
        {"-3", "-5", "2"},        {"0.1", "0.1", "0"},
        {"10", "0.001", "9.999"}, {"1", "+2", "-1"},
        {"0", "7", "-7"},         {"100.5", "0.25", "100.3", 4},
    };
    for (const BinaryCase& c : cases) {
        ArithContext ctx;
        EXPECT_EQ(DecimalSubtract(ctx, c.a, c.b, c.limit), c.want) << c.a << " - " << c.b;
    }
}

TEST(DecimalMultiplyTest, ProductsAreExactThenCut) {
    const BinaryCase cases[] = {
        {"123456789", "987654321", "121932631112635269"},
        {"0.1", "0.1", "0.01"},
        {"-0.5", "-4", "2"},
        {"-0.5", "4", "-2"},
        {kNines20, kNines20, std::string(19, '9') + "8" + std::string(19, '0') + "1"},
        {kNines20 + "9", kNines20, "EF"},
        {"0.00000000001", "0.00000000001", "0." + std::string(20, '0')},
        {"1.0000000000000000001", "1.01", "1.01000000000000000010"},
        {"EF", "5", "0"},
        {"0.000000000000000000001", "5", "0"},  // the operand's digit lies past the cut
        {"2.5", "0.4", "1"},
    };
    for (const BinaryCase& c : cases) {
        ArithContext ctx;
        EXPECT_EQ(DecimalMultiply(ctx, c.a, c.b), c.want) << c.a << " * " << c.b;
    }
}

TEST(DecimalDivideTest, QuotientsAreTruncatedNeverRounded) {
    const BinaryCase cases[] = {
        {"1", "3", "0.33333333333333333333"},
        {"1", "7", "0.14285714285714285714"},
        {"2", "3", "0.66666666666666666666"},
        {"-1", "3", "-0.33333333333333333333"},
        {"10", "4", "2.5"},
        {"3", "0.004", "750"},
        {"1", "0.0008", "1250"},
        {"1", "0.25", "4"},
        {"9999999999999999", "3333333333333334", "2.9999999999999991"},
        {"0", "3", "0"},
        {"-6", "-0.3", "20"},
        {"123456789012345678901234567890", "987654321987654321",
         "124999998748.43750115314453008671"},
        // Digits past the kept fraction decide between "0" and the cut "0." + zeros form.
        {"1", "1" + std::string(20, '0'), "0.00000000000000000001"},
        {"1", "1" + std::string(21, '0'), "0." + std::string(20, '0')},
        {"1", "1" + std::string(22, '0'), "0"},
        // A divisor with fewer fraction digits than the dividend keeps more quotient digits.
        {"0.00000000000000000001", "20", "0." + std::string(20, '0')},
        {"0.5", "0.00000000000000000001", "50000000000000000000"},
    };
    for (const BinaryCase& c : cases) {
        ArithContext ctx;
        EXPECT_EQ(DecimalDivide(ctx, c.a, c.b), c.want) << c.a << " / " << c.b;
        EXPECT_FALSE(ctx.divideError) << c.a << " / " << c.b;
    }
}

TEST(DecimalDivideTest, ZeroDivisorSetsTheFlagAndGivesZero) {
    const BinaryCase cases[] = {
        {"5", "0", "0"},
        {"5", "-0.000", "0"},
        {"5", "EF", "0"},
        {"5", "0.000000000000000000001", "0"},  // nonzero text, zero after the fraction cut
    };
    for (const BinaryCase& c : cases) {
        ArithContext ctx;
        EXPECT_EQ(DecimalDivide(ctx, c.a, c.b), c.want) << c.b;
        EXPECT_TRUE(ctx.divideError) << c.b;
    }
    ArithContext ctx;
    ctx.divideError = true;
    EXPECT_EQ(DecimalDivide(ctx, "6", "3"), "2");
    EXPECT_TRUE(ctx.divideError) << "the arithmetic never clears the flag";
}

TEST(DecimalDivideTest, FracDigitsReplacesTheQuotientLength) {
    ArithContext ctx;
    EXPECT_EQ(DecimalDivide(ctx, "1", "3", 5), "0.33333");
    EXPECT_EQ(DecimalDivide(ctx, "2", "3", 30), "0.66666666666666666666");
    ctx.workFracDigits = 3;
    EXPECT_EQ(DecimalDivide(ctx, "1", "7"), "0.142");
}

TEST(DecimalOperationsTest, OtherPrecisionSettings) {
    ArithContext ctx;
    ctx.workIntDigits = 2;
    ctx.workFracDigits = 3;
    EXPECT_EQ(DecimalAdd(ctx, "9999", "1", 0), "EF");
    EXPECT_EQ(DecimalAdd(ctx, "9998", "1", 0), "9999");
    EXPECT_EQ(DecimalAdd(ctx, "12345", "0", 0), "EF");
    EXPECT_EQ(DecimalMultiply(ctx, "1.2345", "2"), "2.468");
    EXPECT_EQ(DecimalDivide(ctx, "2", "3"), "0.666");
    ctx.workIntDigits = 105;
    ctx.workFracDigits = 105;
    EXPECT_EQ(DecimalDivide(ctx, "1", "3"), "0." + std::string(105, '3'));
    const std::string big(210, '9');
    EXPECT_EQ(DecimalAdd(ctx, big, "0.5", 0), big + ".5");
    EXPECT_EQ(DecimalAdd(ctx, big, "1", 0), "EF");
}

TEST(DecimalSqrtTest, NewtonIterationToTheKeptFraction) {
    struct Case {
        const char* a;
        const char* want;
    };
    const Case cases[] = {
        {"2", "1.4142135623730950488"},
        {"3", "1.73205080756887729352"},
        {"0", "0"},
        {"4", "2"},
        {"EF", "0"},
        {"1", "1"},
        {"0.01", "0.1"},
        {"100000000000000000000000000000000000000", "10000000000000000000"},
        // The truncated iteration alternates between 0.5 and the next value up here.
        {"0.25000000000000000001", "0.50000000000000000000"},
    };
    for (const Case& c : cases) {
        ArithContext ctx;
        EXPECT_EQ(DecimalSqrt(ctx, c.a), c.want) << c.a;
        EXPECT_FALSE(ctx.divideError) << c.a;
    }
}

TEST(DecimalSqrtTest, InputsWithNoRootGiveEfWithoutTheDivideFlag) {
    for (const char* a : {"-4", "-0.5",
                          "1"
                          "0000000000"
                          "0000000000"
                          "0000000000"
                          "0000000000"
                          "0"}) {
        ArithContext ctx;
        EXPECT_EQ(DecimalSqrt(ctx, a), "EF") << a;
        EXPECT_FALSE(ctx.divideError) << a;
    }
}

TEST(DecimalSqrtTest, SmallestKeptValueStillHasARoot) {
    // a / 2 vanishes in the fraction cut; the iteration starts from a instead of dividing
    // by that zero.
    ArithContext ctx;
    EXPECT_EQ(DecimalSqrt(ctx, "0.00000000000000000001"), "0.0000000001");
    EXPECT_FALSE(ctx.divideError);
}

}  // namespace
}  // namespace pemu::arith
