#include "shell/popup_file.hpp"

#include <cerrno>
#include <charconv>
#include <cstdio>

#include "platform/program_file.hpp"

namespace pemu::shell {
namespace {

constexpr std::string_view kPrefix = "zp0_";
constexpr std::string_view kExtension = ".txt";

// A "%04d" field: four characters, digits with an optional leading '-'.
std::optional<int> FieldValue(std::string_view field) {
    int value = 0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace

std::string PopupFileName(std::int64_t secondsSince1970, int left, int top) {
    char position[32];
    std::snprintf(position, sizeof position, "%04d%04d", left, top);
    return std::string(kPrefix) + std::to_string(secondsSince1970) + position +
           std::string(kExtension);
}

std::optional<platform::Point> PopupFilePosition(std::string_view fileName) {
    if (!fileName.starts_with(kPrefix) || !fileName.ends_with(kExtension)) return std::nullopt;
    std::string_view stem = fileName.substr(0, fileName.size() - kExtension.size());
    if (const std::size_t underscore = stem.rfind('_'); underscore >= kPrefix.size())
        stem = stem.substr(0, underscore);  // "_2": a second file of the same second
    stem.remove_prefix(kPrefix.size());
    if (stem.size() < 9) return std::nullopt;  // at least one digit of the time
    const auto left = FieldValue(stem.substr(stem.size() - 8, 4));
    const auto top = FieldValue(stem.substr(stem.size() - 4, 4));
    if (!left || !top) return std::nullopt;
    return platform::Point{*left, *top};
}

PopupFile WritePopupFile(const std::string& pidFolder, std::string_view text,
                         std::int64_t secondsSince1970, int left, int top) {
    PopupFile file;
    if (!platform::MakeFolders(pidFolder)) {
        file.io = platform::IoResult::Failed(errno, "create folder " + pidFolder);
        return file;
    }
    const std::string name = PopupFileName(secondsSince1970, left, top);
    const std::string stem = name.substr(0, name.size() - kExtension.size());
    file.path = pidFolder + name;
    for (int n = 2; platform::PathExists(file.path); ++n)
        file.path = pidFolder + stem + "_" + std::to_string(n) + std::string(kExtension);
    file.io = platform::WriteFileAtomically(file.path, text);
    return file;
}

std::string PopupViewerPath(const std::string& programFolder) {
    return programFolder + platform::ProgramFileName("pemu-popup");
}

}  // namespace pemu::shell
