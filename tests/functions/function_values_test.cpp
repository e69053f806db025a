// Function values: the exact values cut at I = F = 20, relations that hold to the last
// digit, and values at 50 and 100 fraction digits against bc (reference_values.txt,
// written by make_reference.sh).
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "arithmetic/decimal.hpp"
#include "arithmetic/functions.hpp"

namespace pemu::arith {
namespace {

using Function = std::function<std::string(ArithContext&, const std::string&)>;

const std::map<std::string, Function>& Functions() {
    static const std::map<std::string, Function> functions = {
        {"exp", [](ArithContext& c, const std::string& x) { return ResultText(Exp(c, x)); }},
        {"ln", [](ArithContext& c, const std::string& x) { return ResultText(Ln(c, x)); }},
        {"log10", [](ArithContext& c, const std::string& x) { return ResultText(Log10(c, x)); }},
        {"sin", [](ArithContext& c, const std::string& x) { return ResultText(Sin(c, x)); }},
        {"cos", [](ArithContext& c, const std::string& x) { return ResultText(Cos(c, x)); }},
        {"tan", [](ArithContext& c, const std::string& x) { return ResultText(Tan(c, x)); }},
        {"atan", [](ArithContext& c, const std::string& x) { return ResultText(Atan(c, x)); }},
        {"asin", [](ArithContext& c, const std::string& x) { return ResultText(Asin(c, x)); }},
        {"acos", [](ArithContext& c, const std::string& x) { return ResultText(Acos(c, x)); }},
        {"sinh", [](ArithContext& c, const std::string& x) { return ResultText(Sinh(c, x)); }},
        {"cosh", [](ArithContext& c, const std::string& x) { return ResultText(Cosh(c, x)); }},
        {"tanh", [](ArithContext& c, const std::string& x) { return ResultText(Tanh(c, x)); }},
        {"pow",
         [](ArithContext& c, const std::string& x) {
             const std::size_t comma = x.find(',');
             return ResultText(Power(c, x.substr(0, comma), x.substr(comma + 1)));
         }},
    };
    return functions;
}

struct Digits20 {
    const char* function;
    const char* x;
    const char* value;
};

// The cut, never rounded, of the exact value: e = 2.71828182845904523536|028...,
// sin 1 = 0.84147098480789650665|250...
TEST(FunctionValues, AreTheExactValuesCutAt20) {
    const std::vector<Digits20> cases = {
        {"exp", "1", "2.71828182845904523536"},
        {"exp", "-2.5", "0.08208499862389879516"},
        {"exp", "0", "1"},
        {"ln", "2", "0.69314718055994530941"},
        {"ln", "1", "0"},
        {"atan", "1", "0.78539816339744830961"},
        {"atan", "0", "0"},
        {"sin", "1", "0.84147098480789650665"},
        {"sin", "0", "0"},
        {"asin", "1", "1.57079632679489661923"},
        {"asin", "-1", "-1.57079632679489661923"},
        {"acos", "1", "0"},
        {"acos", "-1", "3.14159265358979323846"},
        {"pow", "2,10", "1024"},
        {"pow", "2,-2", "0.25"},
        {"pow", "2,100", "1267650600228229401496703205376"},
    };
    for (const Digits20& c : cases) {
        ArithContext ctx;
        EXPECT_EQ(Functions().at(c.function)(ctx, c.x), c.value) << c.function << " " << c.x;
    }
}

TEST(FunctionValues, RelationsHoldToTheLastDigits) {
    ArithContext ctx;
    // Odd functions cut toward zero alike on both sides.
    for (const char* f : {"atan", "sin", "tan", "sinh", "tanh", "asin"}) {
        EXPECT_EQ(Functions().at(f)(ctx, "-0.75"), Negate(Functions().at(f)(ctx, "0.75"))) << f;
    }
    // Exact decimals come out as such; 2^0.5 is the square root cut at the same digit.
    EXPECT_EQ(ResultText(Log10(ctx, "1000")), "3");
    EXPECT_EQ(ResultText(Log10(ctx, "0.01")), "-2");
    std::string root = ResultText(Power(ctx, "2", "0.5"));
    StripTrailingZeros(root);  // the cut keeps a zero in the last place; the root drops it
    EXPECT_EQ(root, DecimalSqrt(ctx, "2"));
    EXPECT_EQ(ResultText(Power(ctx, "1.44", "1.5")), "1.728");
    EXPECT_EQ(ResultText(Power(ctx, "0.0625", "-0.25")), "2");
    EXPECT_EQ(ResultText(Cos(ctx, "0")), "1");
    EXPECT_EQ(ResultText(Ln(ctx, "1")), "0");
    EXPECT_FALSE(ctx.divideError);
}

struct Reference {
    std::string function;
    std::string x;
    std::string value;
};

std::vector<Reference> LoadReference() {
    std::vector<Reference> references;
    std::ifstream in(PEMU_FUNCTION_REFERENCE);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line.front() == '#') continue;
        std::istringstream fields(line);
        Reference r;
        fields >> r.function >> r.x >> r.value;
        references.push_back(r);
    }
    return references;
}

// |a - b| below 10^-(digits - slack) times the integer part of b when that is above 1:
// every step keeps F fraction digits, so a large value carries its error scaled up.
bool Close(const std::string& a, const std::string& b, int digits, int slack) {
    ArithContext wide;
    wide.workIntDigits = 60;
    wide.workFracDigits = 130;
    std::string difference = DecimalAdd(wide, a, Negate(b), 0);
    RemoveSign(difference);
    std::string scale = IntegerPart(Fabs(b));
    if (IsZero(scale)) scale = "1";
    const std::string bound =
        DecimalMultiply(wide, scale, "0." + std::string(digits - slack - 1, '0') + "1");
    return CompareMagnitude(difference, bound) == '<';
}

TEST(FunctionValues, AgreeWithAnIndependentReferenceAt50And100Digits) {
    const std::vector<Reference> references = LoadReference();
    ASSERT_GT(references.size(), 40u);
    for (const int digits : {50, 100}) {
        for (const Reference& r : references) {
            ArithContext ctx;
            ctx.workIntDigits = 20;
            ctx.workFracDigits = digits;
            const std::string value = Functions().at(r.function)(ctx, r.x);
            EXPECT_TRUE(Close(value, r.value, digits, 3))
                << r.function << "(" << r.x << ") at " << digits << " digits:\n  got " << value
                << "\n  bc  " << r.value.substr(0, r.value.find('.') + digits + 1);
        }
    }
}

}  // namespace
}  // namespace pemu::arith
