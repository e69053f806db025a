#pragma once
// Operations of `pemu-calc arith`, looked up by name at run time. Each file that adds
// operations registers them from a static initialiser:
//   const bool registered = pemu::calc::RegisterArithOp({"exp", 1, [](auto&...) {...}});
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "arithmetic/context.hpp"
#include "arithmetic/decimal.hpp"

namespace pemu::calc {

struct ArithOp {
    std::string name;  // first argument, e.g. "add"
    int operands;      // 2 for a binary operation, 1 for a unary one, 0 for a constant
    // Returns the result text. b is "" for unary operations; limit is 0 when none was given
    // (only add and subtract use it).
    std::function<std::string(pemu::arith::ArithContext& ctx, const std::string& a,
                              const std::string& b, int limit)>
        run;
    // The longest operand the operation reads whole (it would cut a longer one).
    std::size_t maxOperandLength = pemu::arith::kOperandMax;
    // The operation lines its operands up to a display width of `limit` digits; a caller
    // that gives one guarantees no operand has more integer digits than that.
    bool takesLimit = false;
};

// False (and nothing registered) when the name is already taken.
bool RegisterArithOp(ArithOp op);
// Null when no operation has that name.
const ArithOp* FindArithOp(const std::string& name);
const std::vector<ArithOp>& ArithOps();

}  // namespace pemu::calc
