#pragma once
// The version record the update server answers with, and the comparison with the running
// version. Texts are bytes as the server sent them (CP932 or ASCII).
#include <cstddef>
#include <string>
#include <string_view>

namespace pemu::update {

// Limits of the record and of each field, in bytes.
inline constexpr std::size_t kBodyLimit = 999;
inline constexpr std::size_t kRecordLimit = 299;
inline constexpr std::size_t kVersionLimit = 9;
inline constexpr std::size_t kUrlLimit = 299;
inline constexpr std::size_t kFileNameLimit = 29;

struct VersionRecord {
    std::string version;   // "[Ver]", cut to 9
    std::string url;       // "[Url]", cut to 299
    std::string fileName;  // "[Fil]" as sent (checked by IsPlainFileName, never cut)
};

// The body as lines joined again with CR LF, trimmed of leading and trailing blanks and
// control characters, cut to kBodyLimit.
std::string NormalizeBody(std::string_view body);

// The fields between "[PemuAppVer]" and "[End]" (that text cut to kRecordLimit): each value
// runs from its tag to the next tag of "[Ver]", "[Url]", "[Fil]", "[Siz]", "[Last]"; a field
// whose tag or following tag is missing is empty. `normalizedBody` is NormalizeBody's text.
VersionRecord ParseVersionRecord(std::string_view normalizedBody);

// A version text worth comparing: 1 to 9 bytes of digits and points with at least one digit.
bool IsVersionText(std::string_view version);

// A name that stays inside the folder it is joined to: 1 to 29 bytes, no '/', '\', ':',
// no control character, not "." or "..".
bool IsPlainFileName(std::string_view name);

// True when `own` sorts below `server` byte by byte (a text comparison, not a numeric one:
// "10.00.00" is not newer than "3.69.03").
bool IsNewer(std::string_view own, std::string_view server);

// Where the update program is downloaded from: the "[Url]" value followed by the "[Fil]" one.
std::string DownloadAddress(const VersionRecord& record);

}  // namespace pemu::update
