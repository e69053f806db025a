// pemu-calc: the calculator's engines without a window, for scripts and tests.
#include <iostream>
#include <string>
#include <vector>

#include "command.hpp"
#include "platform/console.hpp"

namespace pemu::calc {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

bool RegisterCommand(Command command) {
    Registry().push_back(std::move(command));
    return true;
}

const std::vector<Command>& Commands() {
    return Registry();
}

}  // namespace pemu::calc

namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: pemu-calc COMMAND [ARGS...]\n\ncommands:\n";
    for (const auto& command : pemu::calc::Commands())
        out << command.usage << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    pemu::platform::UseBinaryStandardStreams();
    std::vector<std::string> args = pemu::platform::CommandLineArguments(argc, argv);
    if (args.empty()) {
        PrintUsage(std::cerr);
        return pemu::calc::kUsageError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    for (const auto& command : pemu::calc::Commands()) {
        if (command.name == args[0]) {
            std::vector<std::string> rest(args.begin() + 1, args.end());
            return command.run(rest, std::cin, std::cout, std::cerr);
        }
    }
    std::cerr << "pemu-calc: unknown command '" << args[0] << "'\n";
    PrintUsage(std::cerr);
    return pemu::calc::kUsageError;
}
