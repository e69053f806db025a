// Square root by Newton's iteration on the truncating operations.
#include "arithmetic/decimal.hpp"

namespace pemu::arith {

namespace {

// The halving from a/2 down to the root takes about 3.4 steps per integer digit, so even
// 2 x 105 digits stay far below this; it only guards against a cycle longer than two.
constexpr int kMaxSteps = 10000;

bool IsBelow(ArithContext& ctx, const std::string& x, const std::string& y) {
    return DecimalSubtract(ctx, x, y, 0).front() == '-';
}

}  // namespace

std::string DecimalSqrt(ArithContext& ctx, std::string_view a) {
    std::string x = DecimalDivide(ctx, a, "2");
    if (x.front() == 'E' || x.front() == '-') return "EF";  // no root to give
    if (IsZero(x)) {
        if (x == "0") return x;
        // a/2 vanished in the fraction cut although a did not: start from a itself rather
        // than divide by that zero.
        x = DecimalDivide(ctx, a, "1");
    }
    std::string previous = "0";
    std::string beforePrevious;
    for (int step = 0; x != previous; ++step) {
        beforePrevious = std::move(previous);
        previous = std::move(x);
        x = DecimalDivide(ctx, a, previous);
        x = DecimalAdd(ctx, x, previous, 0);
        x = DecimalDivide(ctx, x, "2");
        // Truncation can make the iteration alternate between two neighbours: the smaller
        // one is the root.
        if (x == beforePrevious || step == kMaxSteps) {
            return IsBelow(ctx, x, previous) ? x : previous;
        }
    }
    return x;
}

}  // namespace pemu::arith
