#include "shell/settings_store.hpp"

#include <charconv>
#include <climits>

namespace pemu::shell {

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
        platform::IoResult kept = platform::CopyFileAtomically(path_, path_ + ".damaged");
        if (!kept) return kept;
        status_ = LoadStatus::kLoaded;
    }
    return platform::WriteFileAtomically(path_, document_.Serialise());
}

}  // namespace pemu::shell
