#include "shell/ini_document.hpp"

#include <algorithm>
#include <utility>

#include "arithmetic/text_lines.hpp"

namespace pemu::shell {
namespace {

bool IsControlByte(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t') || u == 0x7F;
}

// Control bytes other than tab mean the line is not text a user wrote.
bool HasControlBytes(std::string_view line) {
    return std::any_of(line.begin(), line.end(), IsControlByte);
}

// A damaged line that was meant as a section header: its keys belong to no section we know.
bool LooksLikeSectionHeader(std::string_view line) {
    const auto first = std::find_if(line.begin(), line.end(), [](char c) {
        return c != ' ' && c != '\t' && !IsControlByte(c);
    });
    return first != line.end() && *first == '[';
}

bool IsComment(std::string_view trimmed) {
    return trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#';
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

IniDocument IniDocument::Parse(std::string_view text, ParseReport* report) {
    IniDocument doc;
    ParseReport local;
    std::vector<std::string> pending;  // comments waiting for the entry below them
    Section* current = nullptr;        // null before the first header and after a broken one
    const auto dropLine = [&local] { ++local.droppedLines; };
    // An editor may have put a UTF-8 byte order mark in front of the first section.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    // CR LF, LF and CR alone all end a line: a file from another editor is not one long line.
    for (std::string_view line : arith::SplitLines(text)) {
        if (HasControlBytes(line)) {
            local.binary = true;
            dropLine();
            if (LooksLikeSectionHeader(line)) current = nullptr;
            continue;
        }
        std::string_view trimmed = TrimBlanks(line);
        if (IsComment(trimmed)) {
            // Blank lines are written anew after each section; only comments are kept.
            if (!trimmed.empty()) pending.emplace_back(line);
            continue;
        }
        if (trimmed.front() == '[') {
            std::size_t close = trimmed.find(']');
            if (close == std::string_view::npos) {
                dropLine();
                current = nullptr;
                continue;
            }
            std::string_view name = TrimBlanks(trimmed.substr(1, close - 1));
            current = doc.FindSection(name);
            if (current == nullptr) {
                current = &doc.AddSection(std::move(pending), name);
            } else {
                current->comments.insert(current->comments.end(), pending.begin(), pending.end());
            }
            pending.clear();
            continue;
        }
        std::size_t equals = line.find('=');
        std::string_view ident = TrimBlanks(line.substr(0, std::min(equals, line.size())));
        if (current == nullptr || equals == std::string_view::npos || ident.empty()) {
            dropLine();
            continue;
        }
        std::string_view value = line.substr(equals + 1);
        if (Entry* same = current->Find(ident)) {
            same->value = std::string(value);  // a repeated key: the last one counts
            continue;
        }
        current->Add(std::move(pending), ident, value);
        pending.clear();
    }
    doc.trailingComments_ = std::move(pending);
    if (report != nullptr) *report = local;
    return doc;
}

std::string IniDocument::Serialise() const {
    std::string out;
    const auto line = [&out](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
        out.append(a).append(b).append(c).append("\r\n");
    };
    for (const Section& section : sections_) {
        for (const std::string& c : section.comments)
            line(c);
        line("[", section.name, "]");
        for (const Entry& entry : section.entries) {
            for (const std::string& c : entry.comments)
                line(c);
            line(entry.ident, "=", entry.value);
        }
        line({});
    }
    for (const std::string& c : trailingComments_)
        line(c);
    return out;
}

const IniDocument::Entry* IniDocument::Section::Find(std::string_view ident) const {
    const std::size_t at = index.Find(ident, [this](std::size_t i) { return entries[i].ident; });
    return at == NameIndex::npos ? nullptr : &entries[at];
}

IniDocument::Entry* IniDocument::Section::Find(std::string_view ident) {
    return const_cast<Entry*>(std::as_const(*this).Find(ident));
}

IniDocument::Entry& IniDocument::Section::Add(std::vector<std::string> entryComments,
                                              std::string_view ident, std::string_view value) {
    index.Insert(ident, entries.size());
    return entries.emplace_back(
        Entry{std::move(entryComments), std::string(ident), std::string(value)});
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    const std::size_t at =
        sectionIndex_.Find(name, [this](std::size_t i) { return sections_[i].name; });
    return at == NameIndex::npos ? nullptr : &sections_[at];
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

IniDocument::Section& IniDocument::AddSection(std::vector<std::string> comments,
                                              std::string_view name) {
    sectionIndex_.Insert(name, sections_.size());
    return sections_.emplace_back(Section{std::move(comments), std::string(name), {}, {}});
}

std::optional<std::string> IniDocument::Get(std::string_view section,
                                            std::string_view ident) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return std::nullopt;
    const Entry* e = s->Find(ident);
    return e == nullptr ? std::nullopt : std::optional<std::string>(e->value);
}

void IniDocument::Set(std::string_view section, std::string_view ident, std::string_view value) {
    Section* s = FindSection(section);
    if (s == nullptr) s = &AddSection({}, section);
    if (Entry* e = s->Find(ident)) {
        e->value = std::string(value);
        return;
    }
    s->Add({}, ident, value);
}

bool IniDocument::Erase(std::string_view section, std::string_view ident) {
    Section* s = FindSection(section);
    if (s == nullptr) return false;
    const Entry* found = s->Find(ident);
    if (found == nullptr) return false;
    const auto it = s->entries.begin() + (found - s->entries.data());
    // A user's comment above the key stays, with the key below it.
    if (auto next = std::next(it); next != s->entries.end()) {
        next->comments.insert(next->comments.begin(), it->comments.begin(), it->comments.end());
    }
    s->entries.erase(it);
    // The keys after it moved up by one; deleting is rare, so the index is simply rebuilt.
    s->index.Clear();
    for (std::size_t i = 0; i < s->entries.size(); ++i)
        s->index.Insert(s->entries[i].ident, i);
    return true;
}

std::vector<std::string> IniDocument::Idents(std::string_view section) const {
    std::vector<std::string> idents;
    if (const Section* s = FindSection(section)) {
        for (const Entry& e : s->entries)
            idents.push_back(e.ident);
    }
    return idents;
}

}  // namespace pemu::shell
