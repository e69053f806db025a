#pragma once
// Small helpers the fuzz targets share: a failed expectation aborts (libFuzzer keeps the
// input), and a private scratch folder for targets that go through real files.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace pemu::fuzz {

inline void Require(bool condition) {
    if (!condition) std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process, on memory when the system has one (the stores sync every
// file they write), removed at exit. With a trailing '/'.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "pemu-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr);
        static const std::string made = pattern;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return pattern + "/";
    }();
    return folder;
}

}  // namespace pemu::fuzz
