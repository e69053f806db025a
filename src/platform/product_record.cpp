#include "platform/product_record.hpp"

#include "platform/file_system.hpp"
#include "platform/product_info.hpp"

namespace pemu::platform {
namespace {

constexpr std::string_view kMarker = "\x01PemuVersionInfo\x01ProductName=";
// Kept in every binary that links this file, even when nothing reads it at run time.
[[gnu::used]] constexpr char kRecord[] =
    "\x01PemuVersionInfo\x01ProductName=" PEMU_PRODUCT_NAME_LITERAL;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string_view ProductRecord() {
    return {kRecord, sizeof kRecord - 1};
}

std::optional<std::string> FindProductName(std::string_view bytes) {
    std::size_t pos = 0;
    while ((pos = bytes.find(kMarker, pos)) != std::string_view::npos) {
        pos += kMarker.size();
        std::size_t end = pos;
        while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x20)
            ++end;
        std::string_view name = bytes.substr(pos, end - pos);
        while (!name.empty() && IsBlank(name.front()))
            name.remove_prefix(1);
        while (!name.empty() && IsBlank(name.back()))
            name.remove_suffix(1);
        if (!name.empty()) return std::string(name);
    }
    return std::nullopt;
}

std::optional<std::string> RecordedProductName(const std::string& programFile) {
    // The record of this very binary names the marker searched for.
    static_cast<void>(ProductRecord());
    std::optional<std::string> bytes = ReadWholeFile(programFile);
    if (!bytes) return std::nullopt;
    return FindProductName(*bytes);
}

}  // namespace pemu::platform
