#pragma once
// Subcommands of pemu-calc register themselves here, one source file each.
#include <charconv>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace pemu::calc {

struct Command {
    std::string name;   // first argument that selects it, e.g. "arith"
    std::string usage;  // one or more usage lines for --help and errors
    // Runs with the arguments after the name; returns the exit status.
    std::function<int(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err)>
        run;
};

// Called from a static object in each subcommand's file.
bool RegisterCommand(Command command);
const std::vector<Command>& Commands();

// Exit status for bad arguments, shared by every subcommand.
inline constexpr int kUsageError = 2;

// A whole decimal number from low to high, nothing else in the text; out is set only then.
inline bool ParseInt(std::string_view text, int low, int high, int& out) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

}  // namespace pemu::calc
