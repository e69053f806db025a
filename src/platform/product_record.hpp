#pragma once
// A marked record with the product name, compiled into every binary that links the
// platform layer, so one of our executables can be recognised by its bytes (the Linux
// counterpart of a version resource's "ProductName").
#include <optional>
#include <string>
#include <string_view>

namespace pemu::platform {

// The record as it lies in the binary: a marker, then "ProductName=" and the name.
std::string_view ProductRecord();

// The product name of the first non-empty record found in `bytes`, trimmed.
std::optional<std::string> FindProductName(std::string_view bytes);

// FindProductName over a whole file; nullopt when it cannot be read.
std::optional<std::string> RecordedProductName(const std::string& programFile);

}  // namespace pemu::platform
