#pragma once
// What every HTTP client of the update check keeps to, whatever carries the bytes: the time
// bounds, the size limit of the version record, which answers count, and which redirects are
// followed. Both transports read these; neither decides them on its own.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pemu::http {

// Bounds of the version request: a missing network must never hold up the start for long.
struct GetLimits {
    long connectTimeoutMs = 2000;          // name lookup and connection
    long totalTimeoutMs = 5000;            // the whole request
    std::size_t maxBodyBytes = 64 * 1024;  // a longer answer is no version record
};

// Bounds of the download: the connection as the update program's server has always been
// asked (1 s), then a stall of 30 s without a byte ends it; there is no bound on the whole,
// the user sees the progress and can stop it with Esc.
struct DownloadLimits {
    long connectTimeoutMs = 1000;
    long stallSeconds = 30;
};

// Redirects followed one after another; the answer to the next one is taken as it is.
inline constexpr int kMaxRedirects = 5;
// The only schemes requested, first and after a redirect ("http,https" for libcurl).
inline constexpr std::string_view kAllowedSchemes = "http,https";
// A transport that waits looks at the abort flag at least this often.
inline constexpr int kWaitSliceMs = 100;

// An address with one of the allowed schemes (any case) and something after "//".
bool IsAllowedAddress(std::string_view address);

// 301, 302, 303, 307 and 308 lead elsewhere when they name a place.
bool IsRedirectStatus(long status);

bool IsSuccessStatus(long status);

// The address a redirect leads to when it may be followed: `followed` redirects came before,
// `location` is what the answer named (absolute, or relative to `from`). Nothing for a
// redirect past the limit, to another scheme, or without a usable place.
std::optional<std::string> NextAddress(std::string_view from, std::string_view location,
                                       int followed);

// Appends `size` bytes to `body` unless that makes it longer than `limit`; false then, and
// the body is left as it was.
bool AppendWithin(std::string& body, const char* data, std::size_t size, std::size_t limit);

}  // namespace pemu::http
