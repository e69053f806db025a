// The high-precision functions and stored constants as operations of `pemu-calc arith`.
#include <string>
#include <string_view>

#include "arith_ops.hpp"
#include "arithmetic/constants.hpp"
#include "arithmetic/decimal.hpp"
#include "arithmetic/functions.hpp"

namespace pemu::calc {

namespace {

using arith::ArithContext;
using Unary = arith::FunctionValue (*)(ArithContext&, std::string_view);
using Constant = std::string (*)(const ArithContext&);

void RegisterUnary(const char* name, Unary function) {
    RegisterArithOp(
        {name, 1, [function](ArithContext& ctx, const std::string& a, const std::string&, int) {
             return arith::ResultText(function(ctx, a));
         }});
}

void RegisterConstant(const char* name, Constant constant) {
    RegisterArithOp(
        {name, 0, [constant](ArithContext& ctx, const std::string&, const std::string&, int) {
             return constant(ctx);
         }});
}

template <std::string (*kRounding)(std::string_view)>
arith::FunctionValue WithoutContext(ArithContext&, std::string_view x) {
    return {kRounding(x)};
}

const bool kRegistered = [] {
    RegisterConstant("pi", [](const ArithContext& c) { return arith::ConstPi(c, 0); });
    RegisterConstant("pi2", [](const ArithContext& c) { return arith::ConstPi(c, 2); });
    RegisterConstant("pihalf", [](const ArithContext& c) { return arith::ConstPi(c, -2); });
    RegisterConstant("sqrt2", arith::ConstSqrt2);
    RegisterConstant("ln2", arith::ConstLn2);
    RegisterUnary("exp", arith::Exp);
    RegisterUnary("ln", arith::Ln);
    RegisterUnary("log10", arith::Log10);
    RegisterUnary("sin", arith::Sin);
    RegisterUnary("cos", arith::Cos);
    RegisterUnary("tan", arith::Tan);
    RegisterUnary("asin", arith::Asin);
    RegisterUnary("acos", arith::Acos);
    RegisterUnary("atan", arith::Atan);
    RegisterUnary("sinh", arith::Sinh);
    RegisterUnary("cosh", arith::Cosh);
    RegisterUnary("tanh", arith::Tanh);
    RegisterUnary("ceil", WithoutContext<arith::Ceil>);
    RegisterUnary("floor", WithoutContext<arith::Floor>);
    RegisterUnary("fabs", WithoutContext<arith::Fabs>);
    RegisterArithOp(
        {"pow", 2, [](ArithContext& ctx, const std::string& a, const std::string& b, int) {
             return arith::ResultText(arith::Power(ctx, a, b));
         }});
    return true;
}();

}  // namespace

}  // namespace pemu::calc
