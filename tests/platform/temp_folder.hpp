#pragma once
// Test support: a private folder removed afterwards and small file helpers, on every system.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace pemu::testing {

class TempFolder {
  public:
    TempFolder() {
        std::random_device seed;
        std::mt19937_64 draw(seed());
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::filesystem::path candidate =
                base / ("pemu-test-" + std::to_string(draw() % 1000000000000ull));
            std::error_code error;
            // create_directory is false for a folder that was there: that one is not ours.
            if (std::filesystem::create_directory(candidate, error)) {
                path_ = candidate.generic_string() + "/";
            }
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // With a trailing '/'.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + relative; }

  private:
    std::string path_;
};

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool Exists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

}  // namespace pemu::testing
