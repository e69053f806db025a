#include "shell/named_paths.hpp"

#include "platform/file_system.hpp"

namespace pemu::shell {
namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// The version script on the update server; tests point PEMU_UPDATE_URL at a local one.
constexpr char kVersionEndpoint[] = "http://update.pemu.invalid/pemu/AppVer.php";

}  // namespace

std::string ChooseDataRoot() {
    using platform::Environment;
    std::string root;
    if (auto own = Environment("PEMU_DATA_ROOT")) {
        root = WithSlash(*own);
    } else {
        std::string base = Environment("XDG_DATA_HOME")
                               .value_or(Environment("HOME").value_or("/tmp") + "/.local/share");
        root = WithSlash(base) + "Pemu/";
    }
    root = WithSlash(platform::CanonicalPath(root));
    platform::MakeFolders(root);
    return root;
}

std::string FindTemplateFolder(const std::string& programFolder) {
    std::string beside = WithSlash(programFolder) + "PemuFiles/";
    if (platform::FolderExists(beside)) return beside;
    std::string installed = WithSlash(programFolder) + "../share/pemu/PemuFiles/";
    if (platform::FolderExists(installed)) {
        return WithSlash(platform::CanonicalPath(installed));
    }
    return {};
}

NamedPaths::NamedPaths(std::string dataRoot, std::string programFolder)
    : dataRoot_(WithSlash(std::move(dataRoot))),
      programFolder_(WithSlash(std::move(programFolder))) {}

void NamedPaths::BecomeChild(int pid) {
    role_ = InstanceRole::kChild;
    pid_ = pid;
}

std::string NamedPaths::PathOf(PathKind kind, bool main) const {
    const std::string files = dataRoot_ + "PemuFiles/";
    const std::string sys = files + "_sys/";
    const std::string pidFolder = sys + "PID/";
    const std::string child = pidFolder + "PID" + std::to_string(pid_);
    const bool isChild = role_ == InstanceRole::kChild;
    switch (kind) {
        case PathKind::kFilesFolder:
            return files;
        case PathKind::kSkinPackageFolder:
            return files + "Skin/T8/";
        case PathKind::kPreviewFolder:
            return sys + "prvpic/";
        case PathKind::kUserSkinFolder:
            return isChild ? child + "UserCustumSkin/" : sys + "UserCustumSkin/";
        case PathKind::kDefaultsFolder:
            return sys + "Default/";
        case PathKind::kSkinFolder:
            return files + "Skin/";
        case PathKind::kPidFolder:
            return pidFolder;
        case PathKind::kSysFolder:
            return sys;
        case PathKind::kManualFolder:
            return sys + "manual/";
        case PathKind::kProgramFolder:
            return programFolder_;
        case PathKind::kUpdaterFile:
            return files + "Update.exe";
        case PathKind::kNoImageFile:
            return sys + "Default/NoImage.jpg";
        case PathKind::kVersionFile:
            return sys + "AppVer.csv";
        case PathKind::kTapeLogFile:
            return sys + "KenzanLog.txt";
        case PathKind::kSettingsFile:
            return isChild && !main ? child + ".ini" : sys + "Pemu.ini";
        case PathKind::kFormulaTextFile:
            return isChild ? child + "ST.txt" : sys + "SushikiText.txt";
        case PathKind::kAppDataFile:
            return sys + "_appdata.ini";
        case PathKind::kVersionEndpoint:
            return platform::Environment("PEMU_UPDATE_URL").value_or(kVersionEndpoint);
    }
    return {};
}

}  // namespace pemu::shell
