#include "shell/ini_document.hpp"

#include <algorithm>

#include "arithmetic/text.hpp"

namespace pemu::shell {
namespace {

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Control bytes other than tab mean the line is not text a user wrote.
bool HasControlBytes(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        auto u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t') || u == 0x7F;
    });
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

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (arith::IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            // a double-byte character: its trail byte may look like an ASCII letter
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

IniDocument IniDocument::Parse(std::string_view text, ParseReport* report) {
    IniDocument doc;
    ParseReport local;
    std::vector<std::string> pending;  // comments waiting for the entry below them
    Section* current = nullptr;
    // An editor may have put a UTF-8 byte order mark in front of the first section.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (HasControlBytes(line)) {
            local.binary = true;
            ++local.droppedLines;
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
                ++local.droppedLines;
                continue;
            }
            std::string_view name = TrimBlanks(trimmed.substr(1, close - 1));
            current = doc.FindSection(name);
            if (current == nullptr) {
                doc.sections_.push_back({std::move(pending), std::string(name), {}});
                current = &doc.sections_.back();
            } else {
                current->comments.insert(current->comments.end(), pending.begin(), pending.end());
            }
            pending.clear();
            continue;
        }
        std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) {
            ++local.droppedLines;
            continue;
        }
        std::string_view ident = TrimBlanks(line.substr(0, equals));
        std::string_view value = line.substr(equals + 1);
        if (ident.empty()) {
            ++local.droppedLines;
            continue;
        }
        auto same = std::find_if(current->entries.begin(), current->entries.end(),
                                 [&](const Entry& e) { return SameName(e.ident, ident); });
        if (same != current->entries.end()) {
            same->value = std::string(value);  // a repeated key: the last one counts
            continue;
        }
        current->entries.push_back({std::move(pending), std::string(ident), std::string(value)});
        pending.clear();
    }
    doc.trailingComments_ = std::move(pending);
    if (report != nullptr) *report = local;
    return doc;
}

std::string IniDocument::Serialise() const {
    std::string out;
    for (const Section& section : sections_) {
        for (const std::string& c : section.comments)
            out += c + "\r\n";
        out += "[" + section.name + "]\r\n";
        for (const Entry& entry : section.entries) {
            for (const std::string& c : entry.comments)
                out += c + "\r\n";
            out += entry.ident + "=" + entry.value + "\r\n";
        }
        out += "\r\n";
    }
    for (const std::string& c : trailingComments_)
        out += c + "\r\n";
    return out;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    for (Section& s : sections_) {
        if (SameName(s.name, name)) return &s;
    }
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

std::optional<std::string> IniDocument::Get(std::string_view section,
                                            std::string_view ident) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return std::nullopt;
    for (const Entry& e : s->entries) {
        if (SameName(e.ident, ident)) return e.value;
    }
    return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view ident, std::string_view value) {
    Section* s = FindSection(section);
    if (s == nullptr) {
        sections_.push_back({{}, std::string(section), {}});
        s = &sections_.back();
    }
    for (Entry& e : s->entries) {
        if (SameName(e.ident, ident)) {
            e.value = std::string(value);
            return;
        }
    }
    s->entries.push_back({{}, std::string(ident), std::string(value)});
}

bool IniDocument::Erase(std::string_view section, std::string_view ident) {
    Section* s = FindSection(section);
    if (s == nullptr) return false;
    auto it = std::find_if(s->entries.begin(), s->entries.end(),
                           [&](const Entry& e) { return SameName(e.ident, ident); });
    if (it == s->entries.end()) return false;
    // A user's comment above the key stays, with the key below it.
    if (auto next = std::next(it); next != s->entries.end()) {
        next->comments.insert(next->comments.begin(), it->comments.begin(), it->comments.end());
    }
    s->entries.erase(it);
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
