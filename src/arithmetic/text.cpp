#include "arithmetic/text.hpp"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "platform/file_system.hpp"

namespace pemu::arith {

namespace {

constexpr std::string_view kSpaces = " \t\v\r\n\f";
constexpr std::string_view kBadFileChars = "\"*,./;<>?\\_|";

// Cuts s to what a buffer of size bytes holds (size 0 holds nothing).
void CutTo(std::string& s, std::size_t size) {
    const std::size_t room = size == 0 ? 0 : size - 1;
    if (s.size() > room) s.resize(room);
}

// Calls visit(index) for every byte that stands alone, skipping double-byte characters;
// stops early when visit returns true and gives that index (npos otherwise).
template <typename Visit>
std::size_t ForEachSingleByte(std::string_view s, std::size_t from, Visit visit) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            ++i;
        } else if (i >= from && visit(i)) {
            return i;
        }
    }
    return std::string_view::npos;
}

int Position(std::size_t index) {
    return index == std::string_view::npos ? 0 : static_cast<int>(index) + 1;
}

bool IsSeparator(char ch) {
    return ch == '\\' || ch == '/';
}

}  // namespace

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string CutWholeChars(std::string_view s, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < s.size()) {
        const std::size_t step =
            IsLeadByte(static_cast<unsigned char>(s[end])) && end + 1 < s.size() ? 2 : 1;
        if (end + step > maxBytes) break;
        end += step;
    }
    return std::string(s.substr(0, end));
}

bool IsInDoubleByteChar(std::string_view s, std::size_t pos) {
    for (std::size_t i = 0; i < s.size() && i <= pos; ++i) {
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            if (pos <= i + 1) return true;
            ++i;
        }
    }
    return false;
}

int FindChar(std::string_view s, char ch) {
    return Position(ForEachSingleByte(s, 0, [&](std::size_t i) { return s[i] == ch; }));
}

int FindText(std::string_view s, std::string_view sub) {
    return sub.empty() ? 0 : Position(s.find(sub));
}

std::string& CopyBounded(std::string& dst, std::string_view src, std::size_t size) {
    std::string out(size == 0 ? src : src.substr(0, size - 1));
    dst = std::move(out);
    return dst;
}

std::string& AppendBounded(std::string& dst, std::string_view src, std::size_t size) {
    const std::size_t room = size < 2 ? 0 : size - 2;
    if (dst.size() < room) {
        const std::string piece(src.substr(0, room - dst.size()));
        dst += piece;
    }
    return dst;
}

std::string& JoinBounded(std::string& dst, std::string_view s1, std::string_view s2,
                         std::size_t size) {
    return Join5Bounded(dst, s1, s2, {}, {}, {}, size);
}

std::string& Join5Bounded(std::string& dst, std::string_view s1, std::string_view s2,
                          std::string_view s3, std::string_view s4, std::string_view s5,
                          std::size_t size) {
    std::string out;
    for (const std::string_view piece : {s1, s2, s3, s4, s5})
        out += piece;
    CutTo(out, size);
    dst = std::move(out);
    return dst;
}

std::string& Append5Bounded(std::string& dst, std::string_view s1, std::string_view s2,
                            std::string_view s3, std::string_view s4, std::string_view s5,
                            std::size_t size) {
    std::string out = dst;
    for (const std::string_view piece : {s1, s2, s3, s4, s5})
        out += piece;
    CutTo(out, size);
    dst = std::move(out);
    return dst;
}

std::string& DeleteChars(std::string& s, int pos, int count, std::size_t size) {
    if (pos >= 1 && static_cast<std::size_t>(pos) <= s.size() && count > 0) {
        s.erase(static_cast<std::size_t>(pos) - 1, static_cast<std::size_t>(count));
    }
    CutTo(s, size);
    return s;
}

std::string CopyMid(std::string_view src, int pos, std::size_t size, int count) {
    if (pos < 1 || static_cast<std::size_t>(pos) > src.size() || count <= 0 || size == 0) {
        return {};
    }
    const std::size_t n = std::min(static_cast<std::size_t>(count), size - 1);
    return std::string(src.substr(static_cast<std::size_t>(pos) - 1, n));
}

std::string& InsertText(std::string& dst, std::string_view src, int pos, std::size_t size) {
    if (src.empty()) return dst;
    if (pos >= 1 && static_cast<std::size_t>(pos) > dst.size()) {
        return AppendBounded(dst, src, size);
    }
    const std::size_t at = pos < 1 ? 0 : static_cast<std::size_t>(pos) - 1;
    std::string out = dst.substr(0, at);
    out += src;
    out.append(dst, at, std::string::npos);
    CutTo(out, size);
    dst = std::move(out);
    return dst;
}

std::string FillChars(char ch, int count, std::size_t size) {
    if (count <= 0 || size == 0) return {};
    return std::string(std::min(static_cast<std::size_t>(count), size - 1), ch);
}

std::string ReverseCopy(std::string_view src) {
    return std::string(src.rbegin(), src.rend());
}

void ReverseInPlace(std::string& s) {
    std::reverse(s.begin(), s.end());
}

void TrimSpaces(std::string& s) {
    s = TrimSet(s, kSpaces);
}

std::string TrimSet(std::string_view text, std::string_view set) {
    return std::string(TrimmedView(text, set));
}

std::string_view TrimmedView(std::string_view text, std::string_view set) {
    const std::size_t first = text.find_first_not_of(set);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(set);
    return text.substr(first, last - first + 1);
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const auto upper = [](std::string_view s, std::size_t i) -> int {
        if (i >= s.size()) return 0;
        const int ch = static_cast<unsigned char>(s[i]);
        return ch >= 'a' && ch <= 'z' ? ch - 'a' + 'A' : ch;
    };
    for (std::size_t i = 0;; ++i) {
        const int ca = upper(a, i);
        const int cb = upper(b, i);
        if (ca != cb) return ca - cb;
        if (ca == 0) return 0;
    }
}

bool SameFirstTwo(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < 2; ++i) {
        const char ca = i < a.size() ? a[i] : '\0';
        const char cb = i < b.size() ? b[i] : '\0';
        if (ca != cb) return false;
        if (ca == '\0') return true;
    }
    return true;
}

std::string IntToText(int n) {
    return std::to_string(n);
}

std::string TimeStamp(const std::tm& time) {
    char text[64];
    std::snprintf(text, sizeof text, "[%04d/%02d/%02d %02d:%02d:%02d]", time.tm_year + 1900,
                  time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    return text;
}

std::string TimeStamp() {
    return TimeStamp(platform::LocalTime(std::time(nullptr)));
}

std::string LastPathElement(std::string_view path, int mode) {
    if (mode != 1) return {};
    std::size_t end = path.size();
    for (int i = 0; i < 2 && end > 0; ++i) {
        if (!IsSeparator(path[end - 1]) || IsInDoubleByteChar(path, end - 1)) break;
        --end;
    }
    const std::string_view kept = path.substr(0, end);
    std::size_t last = 0;
    ForEachSingleByte(kept, 1, [&](std::size_t i) {
        if (IsSeparator(kept[i])) last = i;
        return false;
    });
    return end > last + 1 ? std::string(kept.substr(last + 1)) : std::string();
}

std::string CopyUpToThirdSlash(std::string_view src) {
    constexpr std::size_t kMax = 280;
    std::size_t end = src.size();
    std::size_t from = 0;
    for (int slash = 0; slash < 3; ++slash) {
        const std::size_t at = src.find('/', from);
        if (at == std::string_view::npos) break;
        from = at + 1;
        if (slash == 2) end = from;
    }
    return std::string(src.substr(0, std::min(end, kMax)));
}

std::string& ReplaceChar(std::string& s, int start, char from, char to) {
    const std::size_t first = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
    ForEachSingleByte(s, first, [&](std::size_t i) {
        if (s[i] == from) s[i] = to;
        return false;
    });
    return s;
}

bool HasBadFileChar(std::string_view s) {
    return ForEachSingleByte(s, 0, [&](std::size_t i) {
               return kBadFileChars.find(s[i]) != std::string_view::npos;
           }) != std::string_view::npos;
}

}  // namespace pemu::arith
