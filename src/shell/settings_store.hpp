#pragma once
// The settings store: one CP932 INI file held in memory for the whole run. Every access
// names the section first and the ident second; nothing reaches the disk until UpdateFile.
#include <string>
#include <string_view>

#include "platform/file_system.hpp"
#include "shell/ini_document.hpp"

namespace pemu::shell {

enum class LoadStatus {
    kLoaded,      // read and parsed completely
    kMissing,     // no file: an empty store
    kUnreadable,  // exists but could not be read: an empty store
    kDamaged,     // binary bytes or unusable lines: what could be parsed is kept
};

class SettingsStore {
  public:
    // Reads the whole file now; never fails (see loadStatus()).
    explicit SettingsStore(std::string path);

    const std::string& path() const { return path_; }
    LoadStatus loadStatus() const { return status_; }

    // A text as stored, or `def` when the key is missing.
    std::string ReadString(std::string_view section, std::string_view ident,
                           std::string_view def) const;
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);

    // Decimal text with optional blanks and sign; `def` when missing, not a number or out of
    // the int range.
    int ReadInteger(std::string_view section, std::string_view ident, int def) const;
    void WriteInteger(std::string_view section, std::string_view ident, int value);

    // Written "1"/"0"; read as an integer, 0 false and any other number true.
    bool ReadBool(std::string_view section, std::string_view ident, bool def) const;
    void WriteBool(std::string_view section, std::string_view ident, bool value);

    bool ValueExists(std::string_view section, std::string_view ident) const;
    void DeleteKey(std::string_view section, std::string_view ident);

    // Rewrites the whole file atomically. On failure the old file stays as it was and the
    // store keeps its contents, so a later flush can still succeed. A damaged file is kept
    // beside it before its first rewrite, as "<name>.damaged.N" with N one above the
    // highest copy there; only the kDamagedCopiesKept newest copies stay.
    platform::IoResult UpdateFile();
    static constexpr int kDamagedCopiesKept = 5;

    // Takes the other store's keys, keeping this store's own file.
    void TakeContentsOf(const SettingsStore& other) { document_ = other.document_; }

    // The text UpdateFile would write.
    std::string Text() const { return document_.Serialise(); }

  private:
    std::string path_;
    LoadStatus status_ = LoadStatus::kMissing;
    IniDocument document_;
};

}  // namespace pemu::shell
