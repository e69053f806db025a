#pragma once
// Conversion between the CP932 bytes every stored text uses and UTF-8, where text meets
// the terminal or Qt. Pure C++ over iconv; no locale is consulted.
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace pemu::platform {

// CP932 bytes to UTF-8. Bytes that are not valid CP932 become U+FFFD; never fails.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932. Characters CP932 cannot hold become '?'; invalid UTF-8 bytes too.
std::string Utf8ToCp932(std::string_view utf8);

// A Japanese literal written in UTF-8 source, as CP932 bytes: converted at its first use
// and kept for the run (literals are a fixed set, so the store stays small). Safe from any
// thread. Text that is not a literal goes through Utf8ToCp932.
inline const std::string& Sjis(std::string_view utf8) {
    static std::mutex mutex;
    static std::map<std::string, std::string, std::less<>> converted;
    const std::lock_guard lock(mutex);
    auto it = converted.find(utf8);
    if (it == converted.end()) it = converted.emplace(std::string(utf8), Utf8ToCp932(utf8)).first;
    return it->second;
}

}  // namespace pemu::platform
