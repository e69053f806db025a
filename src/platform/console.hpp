#pragma once
// What a command-line program gets from the system: its arguments as UTF-8, and standard
// streams that carry bytes unchanged (no CR added before LF, no code page in between), so
// a script sees the same output on every system.
#include <string>
#include <vector>

namespace pemu::platform {

// The arguments after the program's name. On Windows they are read as UTF-16 from the
// system, so text in any script reaches the program intact whatever the code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard input, output and error in binary mode; a console shows UTF-8.
void UseBinaryStandardStreams();

}  // namespace pemu::platform
