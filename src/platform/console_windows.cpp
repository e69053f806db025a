#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h:
#include <shellapi.h>

#include <cstdio>

#include "platform/console.hpp"
#include "platform/windows_text.hpp"

namespace pemu::platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(windows::Narrow(wide[i]));
    ::LocalFree(wide);
    return args;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace pemu::platform
