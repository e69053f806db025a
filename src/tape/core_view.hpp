#pragma once
// What the recording reads from the calculator while it writes a line: the tape never
// changes the calculator, it only asks.
#include <string>

#include "tape/key_family.hpp"

namespace pemu::tape {

class CoreView {
  public:
    virtual ~CoreView() = default;

    // A number is being keyed (`entering`).
    virtual bool Entering() const = 0;
    // The constant count (`repeatCount`) is exactly 1: the first step of a constant run.
    virtual bool RepeatCountIsOne() const = 0;
    virtual int ConstantOperator() const = 0;
    virtual std::string ConstantValue() const = 0;
    virtual int PendingOperator() const = 0;
    virtual int LastFunction() const = 0;
    // Results are accumulated into the grand total (`grandTotalOn`).
    virtual bool GrandTotalOn() const = 0;
    // The C line's label follows it.
    virtual KeyFamily MakerType() const = 0;
};

}  // namespace pemu::tape
