#pragma once
// The edge between our text and Windows: UTF-8 to UTF-16 and back, '/' between folders in
// what we hand out, and Windows error codes as errno values with a readable reason.
#include <string>
#include <string_view>

namespace pemu::platform::windows {

// UTF-8 to UTF-16. Bytes that are not UTF-8 become U+FFFD, so a bad name fails to open
// instead of naming some other file.
std::wstring Wide(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view wide);
// A path as Windows gave it, with '/' between folders as every layer above writes them.
std::string PathFromWindows(std::wstring_view wide);

// The errno value closest to a Windows error code (EIO for the rest).
int ErrnoFor(unsigned long windowsError);
// The system's English-or-local message for a Windows error code, one line.
std::string ErrorText(unsigned long windowsError);

}  // namespace pemu::platform::windows
