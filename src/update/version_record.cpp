#include "update/version_record.hpp"

#include <algorithm>
#include <array>

namespace pemu::update {
namespace {

constexpr std::string_view kRecordStart = "[PemuAppVer]";
constexpr std::string_view kRecordEnd = "[End]";
constexpr std::array<std::string_view, 5> kTags{"[Ver]", "[Url]", "[Fil]", "[Siz]", "[Last]"};

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The value of tag `index`: from the end of its tag to the next tag in the order above.
std::string_view FieldOf(std::string_view record, std::size_t index) {
    const std::size_t tag = record.find(kTags[index]);
    if (tag == std::string_view::npos || index + 1 >= kTags.size()) return {};
    const std::size_t from = tag + kTags[index].size();
    const std::size_t to = record.find(kTags[index + 1], from);
    if (to == std::string_view::npos) return {};
    return record.substr(from, to - from);
}

std::string Cut(std::string_view text, std::size_t limit) {
    return std::string(text.substr(0, limit));
}

}  // namespace

std::string NormalizeBody(std::string_view body) {
    // Lines end with CR LF, LF or a lone CR; they are joined again with CR LF.
    std::string joined;
    joined.reserve(body.size() + body.size() / 8);
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ++i;
            joined += "\r\n";
        } else {
            joined += c;
        }
    }
    std::string_view text = joined;
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return Cut(text, kBodyLimit);
}

VersionRecord ParseVersionRecord(std::string_view normalizedBody) {
    VersionRecord record;
    const std::size_t start = normalizedBody.find(kRecordStart);
    if (start == std::string_view::npos) return record;
    const std::size_t from = start + kRecordStart.size();
    const std::size_t end = normalizedBody.find(kRecordEnd, from);
    if (end == std::string_view::npos) return record;
    const std::string_view text = normalizedBody.substr(from, end - from).substr(0, kRecordLimit);
    record.version = Cut(FieldOf(text, 0), kVersionLimit);
    record.url = Cut(FieldOf(text, 1), kUrlLimit);
    record.fileName = std::string(FieldOf(text, 2));
    return record;
}

bool IsVersionText(std::string_view version) {
    if (version.empty() || version.size() > kVersionLimit) return false;
    bool digit = false;
    for (const char c : version) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '.')
            return false;
    }
    return digit;
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name.size() > kFileNameLimit || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || c == ':' || u < 0x20 || u == 0x7F;
    });
}

bool IsNewer(std::string_view own, std::string_view server) {
    // std::string_view compares as unsigned char, byte by byte.
    return own.compare(server) < 0;
}

std::string DownloadAddress(const VersionRecord& record) {
    return record.url + record.fileName;
}

}  // namespace pemu::update
