#pragma once
// The precision settings and the divide flag that bound every decimal operation.

namespace pemu::arith {

struct ArithContext {
    // An integer part longer than 2 x workIntDigits digits is an overflow ("EF").
    int workIntDigits = 20;
    // Every operand and result has its fraction cut (never rounded) to this many digits.
    // Values below 0 act as 0 and above 1000 as 1000 (the working buffers' bound).
    int workFracDigits = 20;
    // Set by a division by zero; the arithmetic never clears it.
    bool divideError = false;
};

}  // namespace pemu::arith
