#include "shell/shell_session.hpp"

#include "calclog/calculation_log.hpp"
#include "platform/codec.hpp"
#include "platform/product_info.hpp"
#include "shell/child_instance.hpp"
#include "shell/settings_keys.hpp"
#include "update/update_steps.hpp"

namespace pemu::shell {

ShellSession::ShellSession(std::string dataRoot, std::string programFolder,
                           std::unique_ptr<InstanceChannel> channel)
    : paths_(std::move(dataRoot), std::move(programFolder)),
      dataFolder_(paths_.dataRoot()),
      channel_(std::move(channel)),
      pid_(channel_ ? channel_->pid() : platform::CurrentProcessId()) {
    if (channel_ && channel_->role() == InstanceRole::kChild) paths_.BecomeChild(pid_);
}

std::unique_ptr<ShellSession> ShellSession::StartForThisProcess(std::string dataRoot) {
    auto channel = std::make_unique<InstanceChannel>(
        InstanceChannel::Start(RuntimeFolderFor(dataRoot), platform::CurrentProcessId()));
    return std::make_unique<ShellSession>(std::move(dataRoot), platform::ExecutableFolder(),
                                          std::move(channel));
}

ConstructionSettings ShellSession::Construct() {
    const std::string templateFolder = FindTemplateFolder(paths_.programFolder());
    firstRun_ = RunFirstRunCopy(paths_, templateFolder, platform::kVersionText);
    RefreshManual(paths_, templateFolder);
    dataFolderCheck_ = platform::EnsureWritableFolder(paths_.PathOf(PathKind::kSysFolder));
    if (role() == InstanceRole::kPrimary) {
        // Only a primary downloads, and no other primary runs on this data folder now.
        update::ClearDownloadTarget(
            update::DownloadTargetIn(paths_.PathOf(PathKind::kFilesFolder)));
    }
    store_ = std::make_unique<SettingsStore>(paths_.PathOf(PathKind::kSettingsFile, true));
    const SettingsStore& s = *store_;
    ConstructionSettings c;
    c.keyPanelOn = Read(s, keys::kKeyPanelOn);
    c.keyButtonOn = Read(s, keys::kKeyButtonOn);
    c.dentakuType = core::FamilyOfStored(ReadDentakuType(s));
    c.keyNaviOn = Read(s, keys::kKeyNaviOn);
    c.custumSkinType = Read(s, keys::kCustumSkinType);
    c.startUpEndOn = Read(s, keys::kStartUpEndOn);
    if (role() == InstanceRole::kPrimary && c.startUpEndOn) {
        c.placeWindow = true;
        c.left = Read(s, keys::kStartUpLeft);
        c.top = Read(s, keys::kStartUpTop);
    }
    c.frontSideOn = Read(s, keys::kFrontSideOn);
    c.versionText = std::string(platform::kVersionText).substr(0, 9);
    return c;
}

void ShellSession::FirstActivate(ActivationHost& host) {
    if (activated_ || !store_) return;
    SettingsStore& s = *store_;
    if (Exists(s, keys::kPerType) && Read(s, keys::kPerType) == 2) {
        host.ShowPerTypeMessage(
            platform::Sjis("以前の設定でパーセント計算がカシオ式で選択されていますので、カシオ式と"
                           "して起動します。"));
    }
    host.ReadSettings(s);
    keyTable_.SetActiveSet(ReadKeySetType(s));

    if (role() == InstanceRole::kChild) {
        SetUpChild(host);
    } else if (Read(*store_, keys::kStartUpEndOn)) {
        for (char code : openWindows_.TakeForReopen(Read(*store_, keys::kKasaneAwase))) {
            host.OpenWindow(code);
        }
    }
    LoadKeyTable(keyTable_, *store_);
    host.KeyTableLoaded(keyTable_);
    activated_ = true;
}

void ShellSession::SetUpChild(ActivationHost& host) {
    openWindows_.Clear();
    store_ = SetUpChildFiles(*store_, paths_, &childCopy_);
    host.BecomeChildWindow(MainWindowCaption(InstanceRole::kChild, pid_), ChildCaptionSuffix(pid_));
}

void ShellSession::SaveOpenWindowList(bool startUpEndOn) {
    if (!store_) return;
    Write(*store_, keys::kKasaneAwase, startUpEndOn ? openWindows_.text() : std::string());
}

platform::IoResult ShellSession::AppendTapesToLog(FinalSaveHost& host) {
    host.FlushSettingNotes();
    const std::string cleared = host.ClearedText();
    const std::string tape = host.TapeText();
    return calclog::WriteCalculationLog(paths_.PathOf(PathKind::kTapeLogFile), cleared, tape,
                                        Read(*store_, keys::kLogHozon))
        .io;
}

FinalSaveReport ShellSession::FinalSave(FinalSaveHost& host) {
    FinalSaveReport report;
    const std::string settingsFile = paths_.PathOf(PathKind::kSettingsFile);
    // Without a settings file yet (no template, first run) the run is still saved: only a
    // data folder that vanished during the run is not recreated.
    const bool dataFolderThere =
        store_ && (platform::FileExists(settingsFile) ||
                   platform::FolderExists(paths_.PathOf(PathKind::kSysFolder)));
    if (role() == InstanceRole::kChild) {
        // A child's tapes join the shared log as the primary's do; its settings never do.
        report.saved = dataFolderThere;
        if (report.saved) report.log = AppendTapesToLog(host);
        RemoveChildFiles(paths_, dataFolder_);
        if (channel_) channel_->Shutdown();
        return report;
    }
    host.RemoveTrayIcon();
    report.saved = dataFolderThere;
    if (report.saved) {
        SettingsStore& s = *store_;
        Write(s, keys::kKenzanAutoScroll, true);
        Write(s, keys::kKenzanLock, true);
        host.WriteSettings(s);
        Delete(s, keys::kPerType);

        // Only the primary writes it: what a crashed earlier run left half-written goes.
        platform::RemoveAbandonedTemporaries(settingsFile);
        report.log = AppendTapesToLog(host);
        dataFolder_.DeleteTree(paths_.PathOf(PathKind::kPreviewFolder));
        platform::MakeFolder(paths_.PathOf(PathKind::kPreviewFolder));
        if (!keepUpdaterFile_) dataFolder_.DeleteDataFile(paths_.PathOf(PathKind::kUpdaterFile));
        const std::string oldUpdater = paths_.programFolder() + "Update.exe";
        if (platform::FileExists(oldUpdater)) {
            std::string product;
            ReadProductName(product, oldUpdater, 300);
            if (product == "Pemu") platform::RemoveFile(oldUpdater);
        }
        if (channel_) report.closedChildren = CloseChildInstances(paths_, dataFolder_, *channel_);
        report.settings = s.UpdateFile();
    }
    ResetPidFolder(paths_, dataFolder_);
    if (channel_) channel_->Shutdown();
    return report;
}

}  // namespace pemu::shell
