#pragma once
// The three stages of the update dialog without the window: what each step reports, and
// what becomes of the downloaded file. Texts are CP932.
#include <string>
#include <string_view>

#include "update/version_fetch.hpp"

namespace pemu::update {

inline constexpr int kStageCheck = 1;
inline constexpr int kStageDownload = 2;
inline constexpr int kStageUpdate = 3;

// The message area when the dialog opens, and while a download connects.
std::string IntroText();
std::string ConnectingText();
// Asked at start-up when a newer version answers.
std::string AutoCheckQuestion();

struct StageReport {
    std::string message;
    int stage = kStageCheck;
};

// After the check: failure, a newer version (stage 2) or the newest in use.
StageReport AfterCheck(std::string_view ownVersion, const FetchOutcome& outcome);

// The grid's address and status cells of a check: the address asked, whole (at most 280
// bytes), so that a failure shows what was tried; the status "接続の失敗" when it failed,
// else nothing.
struct CheckCells {
    std::string address;
    std::string status;
};
CheckCells CheckCellsOf(std::string_view endpoint, bool failed);

// The file a download is written to: a name of our own in the files folder, so nothing the
// server names is ever written, and no file of the user's is ever replaced.
std::string DownloadTargetIn(const std::string& filesFolder);

// Before a download: what an interrupted earlier run left at `target` (a file or a link,
// never a folder) is removed. False when something still stands there.
bool ClearDownloadTarget(const std::string& target);

struct DownloadReport {
    std::string message;
    std::string status;  // the result code's status text
    int stage = kStageDownload;
};

// After a download with result `code`: on success the file replaces `updaterFile` and is made
// executable (stage 3); on any failure, or when it cannot be put there, nothing is left at
// `target` and the stage stays 2 so the user can retry.
DownloadReport AfterDownload(int code, const std::string& target, const std::string& updaterFile);

}  // namespace pemu::update
