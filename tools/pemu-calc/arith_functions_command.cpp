// The high-precision functions and stored constants as operations of `pemu-calc arith`.
#include <string>

#include "arith_ops.hpp"
#include "arithmetic/constants.hpp"
#include "arithmetic/decimal.hpp"
#include "arithmetic/functions.hpp"

namespace pemu::calc {

namespace {

using arith::ArithContext;
using Unary = std::string (*)(ArithContext&, const std::string&);
using Constant = std::string (*)(const ArithContext&);

void RegisterUnary(const char* name, Unary function) {
    RegisterArithOp(
        {name, 1, [function](ArithContext& ctx, const std::string& a, const std::string&, int) {
             return function(ctx, a);
         }});
}

void RegisterConstant(const char* name, Constant constant) {
    RegisterArithOp(
        {name, 0, [constant](ArithContext& ctx, const std::string&, const std::string&, int) {
             return constant(ctx);
         }});
}

// The series terms the formula evaluation gives sin, cos and tan.
int Terms(const ArithContext& ctx, const std::string& x) {
    return arith::IntegerPartLength(x) + ctx.workFracDigits;
}

const bool kRegistered = [] {
    RegisterConstant("pi", [](const ArithContext& c) { return arith::ConstPi(c, 0); });
    RegisterConstant("pi2", [](const ArithContext& c) { return arith::ConstPi(c, 2); });
    RegisterConstant("pihalf", [](const ArithContext& c) { return arith::ConstPi(c, -2); });
    RegisterConstant("sqrt2", [](const ArithContext& c) { return arith::ConstSqrt2(c); });
    RegisterConstant("ln2", [](const ArithContext& c) { return arith::ConstLn2(c); });
    RegisterUnary("exp", [](ArithContext& c, const std::string& x) { return arith::Exp(c, x); });
    RegisterUnary("ln", [](ArithContext& c, const std::string& x) { return arith::Ln(c, x); });
    RegisterUnary("log10",
                  [](ArithContext& c, const std::string& x) { return arith::Log10(c, x); });
    RegisterUnary(
        "sin", [](ArithContext& c, const std::string& x) { return arith::Sin(c, x, Terms(c, x)); });
    RegisterUnary(
        "cos", [](ArithContext& c, const std::string& x) { return arith::Cos(c, x, Terms(c, x)); });
    RegisterUnary(
        "tan", [](ArithContext& c, const std::string& x) { return arith::Tan(c, x, Terms(c, x)); });
    RegisterUnary("asin", [](ArithContext& c, const std::string& x) { return arith::Asin(c, x); });
    RegisterUnary("acos", [](ArithContext& c, const std::string& x) { return arith::Acos(c, x); });
    RegisterUnary("atan", [](ArithContext& c, const std::string& x) { return arith::Atan(c, x); });
    RegisterUnary("sinh", [](ArithContext& c, const std::string& x) { return arith::Sinh(c, x); });
    RegisterUnary("cosh", [](ArithContext& c, const std::string& x) { return arith::Cosh(c, x); });
    RegisterUnary("tanh", [](ArithContext& c, const std::string& x) { return arith::Tanh(c, x); });
    RegisterUnary("ceil", [](ArithContext&, const std::string& x) { return arith::Ceil(x); });
    RegisterUnary("floor", [](ArithContext&, const std::string& x) { return arith::Floor(x); });
    RegisterUnary("fabs", [](ArithContext&, const std::string& x) { return arith::Fabs(x); });
    RegisterArithOp(
        {"pow", 2, [](ArithContext& ctx, const std::string& a, const std::string& b, int) {
             return arith::Power(ctx, a, b);
         }});
    return true;
}();

}  // namespace

}  // namespace pemu::calc
