#include "http/transfer_rules.hpp"

#include <algorithm>
#include <cctype>
#include <vector>

namespace pemu::http {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The scheme of an absolute address ("" for a relative one).
std::string_view SchemeOf(std::string_view address) {
    const std::size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0) return {};
    if (!std::isalpha(static_cast<unsigned char>(address[0]))) return {};
    for (std::size_t i = 0; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(address[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
    }
    return address.substr(0, colon);
}

// Where the path of an absolute address begins ("scheme://authority" before it).
std::size_t PathStart(std::string_view address) {
    const std::size_t authority = address.find("//");
    const std::size_t path = address.find_first_of("/?#", authority + 2);
    return path == std::string_view::npos ? address.size() : path;
}

// Resolves "." and ".." segments of an absolute path; ".." never climbs above the root.
std::string WithoutDotSegments(std::string_view path) {
    std::vector<std::string_view> kept;
    std::size_t at = 1;  // after the leading '/'
    bool endsInFolder = false;
    while (at <= path.size()) {
        std::size_t end = path.find('/', at);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view segment = path.substr(at, end - at);
        endsInFolder = segment == "." || segment == "..";
        if (segment == "..") {
            if (!kept.empty()) kept.pop_back();
        } else if (segment != ".") {
            kept.push_back(segment);
        }
        at = end + 1;
    }
    std::string out;
    for (const std::string_view segment : kept) {
        out += '/';
        out += segment;
    }
    if (out.empty() || endsInFolder) out += '/';
    return out;
}

// The reference a Location header names, without its fragment, spaces escaped; nothing when
// it holds control characters.
std::optional<std::string> CleanReference(std::string_view location) {
    const std::size_t hash = location.find('#');
    if (hash != std::string_view::npos) location = location.substr(0, hash);
    std::string out;
    for (const char c : location) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return std::nullopt;
        if (c == ' ')
            out += "%20";
        else
            out += c;
    }
    return out;
}

}  // namespace

bool IsAllowedAddress(std::string_view address) {
    const std::string scheme = Lower(SchemeOf(address));
    if (scheme.empty()) return false;
    std::string_view allowed = kAllowedSchemes;
    bool listed = false;
    while (!allowed.empty()) {
        const std::size_t comma = allowed.find(',');
        listed = listed || allowed.substr(0, comma) == scheme;
        allowed = comma == std::string_view::npos ? "" : allowed.substr(comma + 1);
    }
    const std::string_view rest = address.substr(scheme.size() + 1);
    return listed && rest.size() > 2 && rest.substr(0, 2) == "//" && rest[2] != '/';
}

bool IsRedirectStatus(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool IsSuccessStatus(long status) {
    return status >= 200 && status <= 299;
}

std::optional<std::string> NextAddress(std::string_view from, std::string_view location,
                                       int followed) {
    if (followed >= kMaxRedirects || !IsAllowedAddress(from)) return std::nullopt;
    const std::optional<std::string> reference = CleanReference(location);
    if (!reference || reference->empty()) return std::nullopt;
    const std::string_view ref = *reference;
    std::string next;
    if (!SchemeOf(ref).empty()) {
        next = ref;
    } else if (ref.substr(0, 2) == "//") {
        next = std::string(SchemeOf(from)) + ":" + std::string(ref);
    } else {
        const std::size_t pathAt = PathStart(from);
        const std::string base(from.substr(0, pathAt));
        std::string_view basePath = from.substr(pathAt);
        basePath = basePath.substr(0, basePath.find_first_of("?#"));
        if (ref.front() == '?') {
            next = base + (basePath.empty() ? "/" : std::string(basePath)) + std::string(ref);
        } else {
            std::string path;
            if (ref.front() == '/') {
                path = ref;
            } else {
                const std::size_t slash = basePath.rfind('/');
                path =
                    (slash == std::string_view::npos ? "/"
                                                     : std::string(basePath.substr(0, slash + 1))) +
                    std::string(ref);
            }
            const std::size_t query = path.find('?');
            const std::string tail = query == std::string::npos ? "" : path.substr(query);
            next = base + WithoutDotSegments(path.substr(0, query)) + tail;
        }
    }
    if (!IsAllowedAddress(next)) return std::nullopt;
    return next;
}

bool AppendWithin(std::string& body, const char* data, std::size_t size, std::size_t limit) {
    if (size > limit || body.size() > limit - size) return false;
    body.append(data, size);
    return true;
}

}  // namespace pemu::http
