#pragma once
// Asking the update server for its version record: one GET into memory through an HTTP
// client the caller provides, and what the answer means for the running version.
#include <optional>
#include <string>
#include <string_view>

#include "update/version_record.hpp"

namespace pemu::update {

// The request the update check sends for the version record.
struct GetRequest {
    std::string url;
    std::string accept;
    std::string userAgent;
};

// What the update check needs of an HTTP client.
class HttpGetter {
  public:
    virtual ~HttpGetter() = default;
    // The body of a 2xx answer; nullopt for every failure (connection, status, reading).
    virtual std::optional<std::string> Get(const GetRequest& request) = 0;
};

inline constexpr std::string_view kFetchFailed = "err";
inline constexpr std::string_view kVersionAccept = "text/html, */*";
inline constexpr std::string_view kVersionAgent = "Mozilla/3.0 (compatible; Indy Library)";

struct FetchOutcome {
    std::string version;  // the "[Ver]" value, or "err"
    VersionRecord record;
    bool failed() const { return version == kFetchFailed; }
};

// GET of `endpoint` with the Accept header and agent above, read by ReadVersionAnswer.
FetchOutcome FetchVersion(HttpGetter& http, const std::string& endpoint);

// The answer's body (nothing for a failed request) as a version and record. A failure, and
// an answer without a usable "[Ver]" (no record, not a version text), give "err": a server
// that answers nonsense must not read as "you have the newest version".
FetchOutcome ReadVersionAnswer(const std::optional<std::string>& body);

enum class CheckResult {
    kFailed,  // reported as a failed connection
    kNewer,   // a newer version that can be downloaded
    kCurrent  // the running version is the newest
};

// A newer version whose record names no plain file name or no address counts as a failure:
// nothing the server names may be written outside the files folder.
CheckResult DecideCheck(std::string_view ownVersion, const FetchOutcome& outcome);

}  // namespace pemu::update
