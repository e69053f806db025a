#pragma once
// Subcommands of pemu-calc register themselves here, one source file each.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace pemu::calc {

struct Command {
    std::string name;     // first argument that selects it, e.g. "arith"
    std::string usage;    // one or more usage lines for --help and errors
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

}  // namespace pemu::calc
