#include "platform/console.hpp"

namespace pemu::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// POSIX streams are bytes already.
void UseBinaryStandardStreams() {}

}  // namespace pemu::platform
