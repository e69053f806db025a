#include "update/update_steps.hpp"

#include <filesystem>

#include "platform/codec.hpp"
#include "platform/file_system.hpp"
#include "platform/native_path.hpp"
#include "update/download.hpp"

namespace pemu::update {
namespace {

namespace fs = std::filesystem;

// Moves the download over the updater file (in one step: the old one is replaced) and lets
// it run.
bool PlaceUpdater(const std::string& target, const std::string& updaterFile) {
    if (!platform::RenamePath(target, updaterFile)) return false;
    std::error_code error;
    fs::permissions(platform::NativePath(updaterFile),
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace, error);
    return !error;
}

}  // namespace

std::string IntroText() {
    return platform::Sjis(
        "インターネットに接続して更新をチェックします。\r\n[確認] ボタンを押してください。");
}

std::string ConnectingText() {
    return platform::Sjis("接続中です。 [ESC]キーで中断");
}

std::string AutoCheckQuestion() {
    return platform::Sjis("現在お使いのPemuより、最新版が見つかりました。アップデートしますか？");
}

StageReport AfterCheck(std::string_view ownVersion, const FetchOutcome& outcome) {
    switch (DecideCheck(ownVersion, outcome)) {
        case CheckResult::kFailed:
            return {platform::Sjis("接続に失敗しました。"), kStageCheck};
        case CheckResult::kNewer:
            return {platform::Sjis("最新バージョン ") + outcome.version +
                        platform::Sjis(
                            " が見つかりました。\r\n[ダウンロード] ボタンを押してください。"),
                    kStageDownload};
        case CheckResult::kCurrent:
            break;
    }
    return {platform::Sjis("現在最新バージョンをお使いです。"), kStageCheck};
}

CheckCells CheckCellsOf(std::string_view endpoint, bool failed) {
    return {std::string(endpoint.substr(0, 280)), failed ? platform::Sjis("接続の失敗") : ""};
}

std::string DownloadTargetIn(const std::string& filesFolder) {
    return filesFolder + ".pemu-update.part";
}

bool ClearDownloadTarget(const std::string& target) {
    std::error_code error;
    const fs::path path = platform::NativePath(target);
    const fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status)) return true;
    if (fs::is_directory(status)) return false;
    return fs::remove(path, error);
}

DownloadReport AfterDownload(int code, const std::string& target, const std::string& updaterFile) {
    DownloadReport report;
    report.status = DownloadStatusText(code);
    if (code == kDownloadComplete && PlaceUpdater(target, updaterFile)) {
        report.message = platform::Sjis(
            "ダウンロードに成功しました。\r\n[アップデート] ボタンを押してください。");
        report.stage = kStageUpdate;
    } else {
        if (code == kDownloadComplete) report.status = DownloadStatusText(kDownloadWrongLength);
        report.message = platform::Sjis("ダウンロードに失敗しました。");
    }
    ClearDownloadTarget(target);
    return report;
}

}  // namespace pemu::update
