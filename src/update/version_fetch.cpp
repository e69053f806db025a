#include "update/version_fetch.hpp"

namespace pemu::update {

FetchOutcome FetchVersion(HttpGetter& http, const std::string& endpoint) {
    return ReadVersionAnswer(
        http.Get({endpoint, std::string(kVersionAccept), std::string(kVersionAgent)}));
}

FetchOutcome ReadVersionAnswer(const std::optional<std::string>& body) {
    FetchOutcome outcome;
    if (body) outcome.record = ParseVersionRecord(NormalizeBody(*body));
    outcome.version =
        IsVersionText(outcome.record.version) ? outcome.record.version : std::string(kFetchFailed);
    return outcome;
}

CheckResult DecideCheck(std::string_view ownVersion, const FetchOutcome& outcome) {
    if (outcome.failed()) return CheckResult::kFailed;
    if (!IsNewer(ownVersion, outcome.version)) return CheckResult::kCurrent;
    const bool downloadable =
        !outcome.record.url.empty() && IsPlainFileName(outcome.record.fileName);
    return downloadable ? CheckResult::kNewer : CheckResult::kFailed;
}

}  // namespace pemu::update
