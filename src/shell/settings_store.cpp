#include "shell/settings_store.hpp"

#include <algorithm>
#include <charconv>
#include <climits>
#include <filesystem>
#include <vector>

namespace pemu::shell {
namespace {

constexpr std::string_view kDamagedSuffix = ".damaged.";
constexpr long kHighestCopyNumber = 999999999;  // a stranger name is not one of ours

// The numbers N of the copies "<name>.damaged.N" beside path, in ascending order.
std::vector<long> DamagedCopyNumbers(const std::string& folder, const std::string& name) {
    const std::string prefix = name + std::string(kDamagedSuffix);
    std::vector<long> numbers;
    for (const platform::FolderEntry& entry : platform::ReadFolder(folder)) {
        if (entry.isFolder || !entry.name.starts_with(prefix)) continue;
        const std::string_view digits = std::string_view(entry.name).substr(prefix.size());
        long n = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (error == std::errc() && end == digits.data() + digits.size() && n > 0 &&
            n <= kHighestCopyNumber)
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// Copies a damaged file beside itself under the next free number, then removes the oldest
// copies beyond the newest `kept`: each damaged start keeps its own, and they cannot pile up.
platform::IoResult KeepDamagedCopy(const std::string& path, int kept) {
    const std::filesystem::path p(path);
    const std::string folder = p.parent_path().empty() ? "." : p.parent_path().string();
    const std::string name = p.filename().string();
    std::vector<long> numbers = DamagedCopyNumbers(folder, name);
    const long next = numbers.empty() ? 1 : numbers.back() + 1;
    const std::string base = folder + "/" + name + std::string(kDamagedSuffix);
    platform::IoResult copied = platform::CopyFileAtomically(path, base + std::to_string(next));
    if (!copied) return copied;
    numbers.push_back(next);
    for (std::size_t i = 0; i + static_cast<std::size_t>(kept) < numbers.size(); ++i)
        platform::RemoveFile(base + std::to_string(numbers[i]));
    return copied;
}

}  // namespace

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {
    if (!platform::PathExists(path_)) {
        status_ = LoadStatus::kMissing;
        return;
    }
    std::optional<std::string> text = platform::ReadWholeFile(path_);
    if (!text) {
        status_ = LoadStatus::kUnreadable;
        return;
    }
    IniDocument::ParseReport report;
    document_ = IniDocument::Parse(*text, &report);
    status_ =
        (report.binary || report.droppedLines > 0) ? LoadStatus::kDamaged : LoadStatus::kLoaded;
}

std::string SettingsStore::ReadString(std::string_view section, std::string_view ident,
                                      std::string_view def) const {
    std::optional<std::string> value = document_.Get(section, ident);
    return value ? *value : std::string(def);
}

void SettingsStore::WriteString(std::string_view section, std::string_view ident,
                                std::string_view value) {
    document_.Set(section, ident, value);
}

int SettingsStore::ReadInteger(std::string_view section, std::string_view ident, int def) const {
    std::optional<std::string> value = document_.Get(section, ident);
    if (!value) return def;
    std::string_view text = TrimBlanks(*value);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int result = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return def;
    return result;
}

void SettingsStore::WriteInteger(std::string_view section, std::string_view ident, int value) {
    document_.Set(section, ident, std::to_string(value));
}

bool SettingsStore::ReadBool(std::string_view section, std::string_view ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void SettingsStore::WriteBool(std::string_view section, std::string_view ident, bool value) {
    document_.Set(section, ident, value ? "1" : "0");
}

bool SettingsStore::ValueExists(std::string_view section, std::string_view ident) const {
    return document_.Get(section, ident).has_value();
}

void SettingsStore::DeleteKey(std::string_view section, std::string_view ident) {
    document_.Erase(section, ident);
}

platform::IoResult SettingsStore::UpdateFile() {
    if (status_ == LoadStatus::kDamaged) {
        // What could not be parsed is not lost: the original stays beside the new file.
        platform::IoResult kept = KeepDamagedCopy(path_, kDamagedCopiesKept);
        if (!kept) return kept;
        status_ = LoadStatus::kLoaded;
    }
    return platform::WriteFileAtomically(path_, document_.Serialise());
}

}  // namespace pemu::shell
