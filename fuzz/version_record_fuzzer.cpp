// Any bytes as the update server's answer: the record is read within its limits, and a
// check that offers a download names a plain file in the files folder and an address.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "update/download.hpp"
#include "update/update_steps.hpp"
#include "update/version_fetch.hpp"
#include "update/version_record.hpp"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pemu::update;
    const std::string body(reinterpret_cast<const char*>(data), size);

    const std::string text = NormalizeBody(body);
    Require(text.size() <= kBodyLimit);
    // Trimmed, then cut: only a text within the limit ends on a non-blank.
    Require(text.empty() || !IsBlank(text.front()));
    Require(text.empty() || text.size() == kBodyLimit || !IsBlank(text.back()));

    const VersionRecord record = ParseVersionRecord(text);
    Require(record.version.size() <= kVersionLimit);
    Require(record.url.size() <= kUrlLimit);
    Require(record.fileName.size() <= kRecordLimit);

    const FetchOutcome outcome = ReadVersionAnswer(body);
    Require(outcome.failed() || IsVersionText(outcome.version));
    const StageReport report = AfterCheck("3.69.03", outcome);
    switch (DecideCheck("3.69.03", outcome)) {
        case CheckResult::kNewer:
            Require(report.stage == kStageDownload);
            Require(IsNewer("3.69.03", outcome.version));
            Require(IsPlainFileName(outcome.record.fileName));
            Require(outcome.record.fileName.find('/') == std::string::npos);
            Require(!outcome.record.url.empty());
            Require(AddressCell(DownloadAddress(outcome.record)).size() <= 280);
            break;
        case CheckResult::kCurrent:
        case CheckResult::kFailed:
            Require(report.stage == kStageCheck);
            break;
    }
    return 0;
}
