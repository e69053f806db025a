#pragma once
// An INI text held in memory: sections and keys in the order they were first created, names
// matched without regard to ASCII letter case (double-byte CP932 characters compared
// exactly), comment lines of a hand-edited file kept with the entry they precede. Names are
// found through an index, so reading and every lookup take time in proportion to the text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/name_index.hpp"

namespace pemu::shell {

class IniDocument {
  public:
    // How much of a loaded text could be used.
    struct ParseReport {
        std::size_t droppedLines = 0;  // lines neither section, key, comment nor blank
        bool binary = false;           // NUL or other control bytes were found
    };

    // A section header that cannot be read (a control byte in it, no closing bracket) drops
    // the keys below it up to the next good header: they never join the section above.
    static IniDocument Parse(std::string_view text, ParseReport* report = nullptr);
    // CR LF line ends; a blank line after each section.
    std::string Serialise() const;

    std::optional<std::string> Get(std::string_view section, std::string_view ident) const;
    void Set(std::string_view section, std::string_view ident, std::string_view value);
    bool Erase(std::string_view section, std::string_view ident);
    bool empty() const { return sections_.empty() && trailingComments_.empty(); }

    // Idents of a section in their order (empty when the section is missing).
    std::vector<std::string> Idents(std::string_view section) const;

  private:
    struct Entry {
        std::vector<std::string> comments;  // lines above it, kept verbatim
        std::string ident;
        std::string value;
    };
    struct Section {
        std::vector<std::string> comments;
        std::string name;
        std::vector<Entry> entries;
        NameIndex index;

        const Entry* Find(std::string_view ident) const;
        Entry* Find(std::string_view ident);
        Entry& Add(std::vector<std::string> comments, std::string_view ident,
                   std::string_view value);
    };
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    Section& AddSection(std::vector<std::string> comments, std::string_view name);

    std::vector<Section> sections_;
    NameIndex sectionIndex_;
    std::vector<std::string> trailingComments_;
};

// Without leading and trailing blanks and tabs.
std::string_view TrimBlanks(std::string_view s);

}  // namespace pemu::shell
