#pragma once
// Windows only: the "ProductName" string of a program file's version resource, looked up
// under the first language and code page its translation table lists, trimmed. nullopt
// when the file has no version resource or no such string.
#include <optional>
#include <string>

namespace pemu::platform {

std::optional<std::string> VersionResourceProductName(const std::string& programFile);

}  // namespace pemu::platform
