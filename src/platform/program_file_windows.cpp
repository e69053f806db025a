#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/product_record.hpp"
#include "platform/program_file.hpp"
#include "platform/version_resource.hpp"
#include "platform/windows_text.hpp"

namespace pemu::platform {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

}  // namespace

std::string ProgramFileName(std::string_view stem) {
    return std::string(stem) + ".exe";
}

std::optional<std::string> VersionResourceProductName(const std::string& programFile) {
    const std::wstring path = windows::Wide(programFile);
    if (path.empty()) return std::nullopt;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;

    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* table = nullptr;
    UINT tableBytes = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &table, &tableBytes) ||
        tableBytes < sizeof(Translation))
        return std::nullopt;
    const auto* first = static_cast<const Translation*>(table);
    wchar_t query[64];
    std::swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\ProductName", first->language,
                  first->codePage);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query, &value, &length) || length == 0) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(value);
    std::size_t begin = 0;
    std::size_t end = wcsnlen(text, length);
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    if (begin == end) return std::nullopt;
    return windows::Narrow(std::wstring_view(text + begin, end - begin));
}

std::optional<std::string> ProgramProductName(const std::string& programFile) {
    if (std::optional<std::string> name = VersionResourceProductName(programFile)) return name;
    // A program without a version resource may still be one of ours built without it.
    return RecordedProductName(programFile);
}

}  // namespace pemu::platform
