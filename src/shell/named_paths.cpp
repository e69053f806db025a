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

DataRootChoice DataRootFrom(const std::optional<std::string>& ownRoot,
                            const std::optional<std::string>& userDataFolder,
                            const std::string& programFolder) {
    if (ownRoot) return {WithSlash(*ownRoot), {}};
    if (userDataFolder) return {WithSlash(*userDataFolder) + "Pemu/", {}};
    // No folder of the user's own: the program's folder, as on a portable installation, but
    // never one where another user could plant or read the files.
    if (programFolder.empty()) return {{}, "no home folder for this user, and no program folder"};
    if (platform::OthersMayWrite(programFolder)) {
        return {{},
                "no home folder for this user, and every user may write into the program "
                "folder " +
                    programFolder};
    }
    return {WithSlash(programFolder), {}};
}

DataRootChoice ChooseDataRoot() {
    DataRootChoice choice = DataRootFrom(platform::Environment("PEMU_DATA_ROOT"),
                                         platform::UserDataFolder(), platform::ExecutableFolder());
    if (choice.root.empty()) return choice;
    choice.root = WithSlash(platform::CanonicalPath(choice.root));
    platform::MakePrivateFolders(choice.root);
    return choice;
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
