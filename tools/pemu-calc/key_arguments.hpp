#pragma once
// The arguments of `pemu-calc keys` (and of the golden key files, which are written as its
// arguments): options up to "--", then key and tape edit tokens.
#include <string>
#include <vector>

#include "core/key_session.hpp"

namespace pemu::calc {

struct KeyArguments {
    core::KeySessionOptions options;
    std::vector<std::string> tokens;
    bool tape = false;     // --tape: the tape after the status lines
    bool tapeCsv = false;  // --tape-csv: only the tape, as CSV
};

// Options up to "--", then key and tape edit tokens. Returns "" when all are good, otherwise
// a message naming the first bad option, value or token; nothing is run either way.
std::string ParseKeyArguments(const std::vector<std::string>& args, KeyArguments& out);

// Runs the tokens once without output: "" when every edit names a line the tape has at that
// point, otherwise a message naming the first that does not.
std::string CheckTapeEditLines(const KeyArguments& arguments);

}  // namespace pemu::calc
