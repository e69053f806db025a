// Helpers on the text, integer and fractional powers with their domain, overflow that
// must not turn into zero, and the rounding functions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arithmetic/decimal.hpp"
#include "arithmetic/functions.hpp"

namespace pemu::arith {
namespace {

TEST(FunctionHelpers, WorkOnTheText) {
    EXPECT_EQ(Negate("-2.5"), "2.5");
    EXPECT_EQ(Negate("+2.5"), "-2.5");
    EXPECT_EQ(Negate("2.5"), "-2.5");
    EXPECT_EQ(IntegerPart("-2.75"), "-2");
    EXPECT_EQ(IntegerPart("12"), "12");
    EXPECT_EQ(IntegerPart("-.5"), "0");
    EXPECT_TRUE(IsPositive("0.1"));
    EXPECT_FALSE(IsPositive("0.000"));
    EXPECT_FALSE(IsPositive("-3"));
    EXPECT_EQ(ToBinary("0"), "");
    EXPECT_EQ(ToBinary("1"), "1");
    EXPECT_EQ(ToBinary("10"), "1010");
    EXPECT_EQ(ToBinary("-6"), "110");
    EXPECT_EQ(ToBinary("18446744073709551617"), "1" + std::string(63, '0') + "1");
}

TEST(FunctionHelpers, BinaryExponentPutsTheValueIntoHalfToOne) {
    const std::vector<std::pair<const char*, int>> cases = {
        {"0.5", 0}, {"0.75", 0},  {"1", 1},       {"-1", 1}, {"7.9", 3},
        {"8", 4},   {"0.25", -1}, {"0.2499", -2}, {"0", 0},  {"0.0000001", -23},
    };
    for (const auto& [x, k] : cases) {
        ArithContext ctx;
        EXPECT_EQ(BinaryExponent(ctx, x), k) << x;
    }
}

TEST(Powers, IntegerPowersAreExactAndScalingTakesPowersOfTwo) {
    ArithContext ctx;
    EXPECT_EQ(IntPower(ctx, "2", "100"), "1267650600228229401496703205376");
    EXPECT_EQ(IntPower(ctx, "-3", "3"), "-27");
    EXPECT_EQ(IntPower(ctx, "1.5", "2"), "2.25");
    EXPECT_EQ(IntPower(ctx, "7", "0"), "1");
    EXPECT_EQ(ScaleByPowerOfTwo(ctx, "3", "4"), "48");
    EXPECT_EQ(ScaleByPowerOfTwo(ctx, "3", "-2"), "0.75");
    EXPECT_EQ(ScaleByPowerOfTwo(ctx, "3", "0"), "3");
}

TEST(Powers, AnOverflowStaysAnOverflowInsteadOfBecomingZero) {
    // 10^16 has 17 digits, beyond 2 x 6: the later squares would count it as zero.
    ArithContext ctx;
    ctx.workIntDigits = 6;
    EXPECT_EQ(IntPower(ctx, "10", "100"), "EF");
    EXPECT_EQ(IntPower(ctx, "10", "11"), "100000000000");
    EXPECT_EQ(ScaleByPowerOfTwo(ctx, "1", "100"), "EF");
    EXPECT_EQ(ResultText(Exp(ctx, "1000")), "EF");
    EXPECT_EQ(ResultText(Sinh(ctx, "1000")), "EF");
    EXPECT_EQ(ResultText(Cosh(ctx, "-1000")), "EF");
    // Below 1 by far less than the kept digits show: all nines, cut not rounded.
    EXPECT_EQ(ResultText(Tanh(ctx, "1000")), "0.99999999999999999999");
    EXPECT_EQ(ResultText(Tanh(ctx, "-1000")), "-0.99999999999999999999");
    EXPECT_EQ(ResultText(Exp(ctx, "-1000")), "0");
}

TEST(Powers, NegativeExponentsOfWideOrVanishingPowers) {
    ArithContext ctx;
    ctx.workIntDigits = 6;
    ctx.workFracDigits = 30;
    // 2^50 is wider than 12 digits, its reciprocal is still within 30 fraction digits.
    EXPECT_EQ(ResultText(Power(ctx, "2", "-50")), "0.000000000000000888178419700125");
    EXPECT_EQ(ResultText(Power(ctx, "2", "-200")), "0");
    // 0.5^200 vanishes below the fraction digits; its reciprocal overflows.
    EXPECT_EQ(ResultText(Power(ctx, "0.5", "-200")), "EF");
    EXPECT_FALSE(ctx.divideError);
}

// An operand longer than the working buffer is cut to its 599 characters before anything
// is worked out: a 20,000-digit exponent costs no more than a 599-digit one.
TEST(Powers, OperandsBeyondTheWorkingBufferAreCutFirst) {
    ArithContext ctx;
    const std::string nines(20000, '9');
    EXPECT_EQ(ResultText(Power(ctx, "2", nines)), "EF");  // 599 integer digits: wider than 2 x 20
    EXPECT_EQ(ResultText(Power(ctx, "2", "-" + nines)), "EF");
    // 2.000...0001 with the 1 beyond the cut is 2.
    EXPECT_EQ(ResultText(Power(ctx, "1.5", "2." + std::string(20000, '0') + "1")), "2.25");
    EXPECT_EQ(ResultText(Power(ctx, "1." + std::string(20000, '0') + "1", "3")), "1");
    EXPECT_EQ(IntPower(ctx, "1", nines), "1");
    EXPECT_FALSE(ctx.divideError);
}

struct DomainCase {
    const char* base;
    const char* exponent;
    PowerDomain domain;
    const char* power;  // at I = F = 20
};

TEST(Powers, ZeroAndNegativeBasesWithFractionalExponents) {
    const std::vector<DomainCase> cases = {
        {"-8", "0.5", PowerDomain::kNegativeBaseFraction, "E817"},
        {"-8", "-0.5", PowerDomain::kNegativeBaseFraction, "E817"},
        {"0", "0.5", PowerDomain::kZeroResult, "0"},
        {"0", "-0.5", PowerDomain::kZeroBaseNegativeFraction, "E815"},
        {"-2", "3", PowerDomain::kComputable, "-8"},
        {"-2", "2.0", PowerDomain::kComputable, "4"},
        {"0", "3", PowerDomain::kComputable, "0"},
    };
    for (const DomainCase& c : cases) {
        ArithContext ctx;
        EXPECT_EQ(ClassifyPower(c.base, c.exponent), c.domain) << c.base << "^" << c.exponent;
        EXPECT_EQ(ResultText(Power(ctx, c.base, c.exponent)), c.power)
            << c.base << "^" << c.exponent;
    }
    ArithContext ctx;
    EXPECT_EQ(ClassifyPower("4", "0.5"), PowerDomain::kComputable);
    EXPECT_EQ(ResultText(Power(ctx, "4", "0.5")), "2");
}

TEST(Domains, FunctionsOutsideTheirDomainNameTheMessage) {
    ArithContext ctx;
    EXPECT_EQ(ResultText(Ln(ctx, "-1")), "E824");
    EXPECT_EQ(ResultText(Ln(ctx, "0")), "E825");
    EXPECT_EQ(ResultText(Log10(ctx, "0")), "E825");
    EXPECT_EQ(ResultText(Asin(ctx, "1.5")), "E822");
    EXPECT_EQ(ResultText(Acos(ctx, "-2")), "E823");
    EXPECT_FALSE(ctx.divideError);
}

struct FaultCase {
    const char* function;
    FunctionValue value;
    FunctionFault fault;
};

// The fault comes beside the value, and no digits come with it.
TEST(Domains, AFaultComesWithoutDigits) {
    ArithContext ctx;
    const std::vector<FaultCase> cases = {
        {"ln -1", Ln(ctx, "-1"), FunctionFault::kLogarithmOfNegative},
        {"log10 0", Log10(ctx, "0"), FunctionFault::kLogarithmOfZero},
        {"asin 1.5", Asin(ctx, "1.5"), FunctionFault::kArcSineArgument},
        {"acos -2", Acos(ctx, "-2"), FunctionFault::kArcCosineArgument},
        {"-8^0.5", Power(ctx, "-8", "0.5"), FunctionFault::kNegativeBaseFraction},
        {"0^-0.5", Power(ctx, "0", "-0.5"), FunctionFault::kZeroBaseNegativeFraction},
        {"exp 1000", Exp(ctx, "1000"), FunctionFault::kOverflow},
        {"tan of an overflowing argument", Tan(ctx, std::string(41, '9')),
         FunctionFault::kOverflow},
        {"ln 2", Ln(ctx, "2"), FunctionFault::kNone},
    };
    for (const FaultCase& c : cases) {
        EXPECT_EQ(c.value.fault, c.fault) << c.function;
        EXPECT_EQ(c.value.Ok(), c.fault == FunctionFault::kNone) << c.function;
        EXPECT_EQ(c.value.text.empty(), !c.value.Ok()) << c.function;
    }
}

TEST(Domains, ArgumentsAreSeenAsTheOperationsSeeThem) {
    ArithContext ctx;
    ctx.workIntDigits = 6;
    ctx.workFracDigits = 6;
    EXPECT_EQ(ResultText(Ln(ctx, "0.0000005")), "E825");  // nothing left within six fraction digits
    EXPECT_EQ(ResultText(Ln(ctx, "2411111100900000556501952")), "EF");
    EXPECT_EQ(BinaryExponent(ctx, "0.0000005"), 0);
}

TEST(Domains, TheSmallestPositiveValueHasALogarithm) {
    // x = 10^-F: x / sqrt2 vanishes, k comes from x itself.
    ArithContext ctx;
    const std::string ln = ResultText(Ln(ctx, "0.00000000000000000001"));
    EXPECT_EQ(ln.substr(0, 18), "-46.05170185988091") << ln;
}

struct RoundingCase {
    const char* x;
    const char* floor;
    const char* ceil;
};

// Floor cuts toward zero; ceil is the integer at or above x.
TEST(Rounding, FloorCutsTowardZeroAndCeilRoundsUp) {
    const std::vector<RoundingCase> cases = {
        {"2.5", "2", "3"},     {"-2.5", "-2", "-2"},    {"3", "3", "3"},     {"-3", "-3", "-3"},
        {"0.5", "0", "1"},     {"-0.5", "0", "0"},      {"2.000", "2", "2"}, {"-0.000", "0", "0"},
        {"99.9", "99", "100"}, {"-99.9", "-99", "-99"},
    };
    for (const RoundingCase& c : cases) {
        EXPECT_EQ(Floor(c.x), c.floor) << c.x;
        EXPECT_EQ(Ceil(c.x), c.ceil) << c.x;
    }
    EXPECT_EQ(Fabs("-2.5"), "2.5");
    EXPECT_EQ(Fabs("+2.5"), "2.5");
    EXPECT_EQ(Fabs("2.5"), "2.5");
}

}  // namespace
}  // namespace pemu::arith
