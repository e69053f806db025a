#pragma once
// Conversion between the CP932 bytes every stored text uses and UTF-8, where text meets
// the terminal or Qt. Pure C++ over iconv; no locale is consulted.
#include <string>
#include <string_view>

namespace pemu::platform {

// CP932 bytes to UTF-8. Bytes that are not valid CP932 become U+FFFD; never fails.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932. Characters CP932 cannot hold become '?'; invalid UTF-8 bytes too.
std::string Utf8ToCp932(std::string_view utf8);

// A Japanese literal written in UTF-8 source, as CP932 bytes. Converts on every call:
// keep the result in a static where it is used often.
inline std::string Sjis(std::string_view utf8) { return Utf8ToCp932(utf8); }

}  // namespace pemu::platform
