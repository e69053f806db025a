#pragma once
// Our program files as this system names and marks them.
#include <optional>
#include <string>
#include <string_view>

namespace pemu::platform {

// The file name of one of our programs: the stem, with ".exe" on Windows.
std::string ProgramFileName(std::string_view stem);

// The product name a program file declares about itself: the "ProductName" of its version
// resource on Windows, else the record that product_record.hpp compiles into our binaries.
// Trimmed; nullopt when the file is missing, unreadable or declares no product name.
std::optional<std::string> ProgramProductName(const std::string& programFile);

}  // namespace pemu::platform
