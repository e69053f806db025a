#pragma once
// Our path text (UTF-8, '/' between folders; on POSIX whatever bytes the system handed us)
// as the standard library's path and back. On Windows this is where UTF-8 becomes UTF-16.
#include <filesystem>
#include <string>

namespace pemu::platform {

inline std::filesystem::path NativePath(const std::string& text) {
#ifdef _WIN32
    return std::filesystem::path(
        std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
#else
    return std::filesystem::path(text);
#endif
}

inline std::string PathText(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::u8string text = path.generic_u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
#else
    return path.string();
#endif
}

}  // namespace pemu::platform
