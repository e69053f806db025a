#pragma once
// Where every file of the data folder lives. Paths use '/' and folders end with '/'.
#include <string>

namespace pemu::shell {

enum class InstanceRole { kPrimary, kChild };

enum class PathKind {
    kFilesFolder,
    kSkinPackageFolder,
    kPreviewFolder,
    kUserSkinFolder,
    kDefaultsFolder,
    kSkinFolder,
    kPidFolder,
    kSysFolder,
    kManualFolder,
    kProgramFolder,
    kUpdaterFile,
    kNoImageFile,
    kVersionFile,
    kTapeLogFile,
    kSettingsFile,
    kFormulaTextFile,
    kAppDataFile,
    kVersionEndpoint,
};

// $PEMU_DATA_ROOT when set, else $XDG_DATA_HOME (default ~/.local/share) + "/Pemu/". Always
// absolute and with a trailing '/'; the folder is created when missing (failure is not
// reported here: the first-run copy and every write report their own).
std::string ChooseDataRoot();

// The installed template: "PemuFiles/" beside the executable, else
// <prefix>/share/pemu/PemuFiles/ for an executable in <prefix>/bin. Empty when neither
// exists.
std::string FindTemplateFolder(const std::string& programFolder);

class NamedPaths {
  public:
    // dataRoot and programFolder get a trailing '/' when they lack one.
    NamedPaths(std::string dataRoot, std::string programFolder);

    const std::string& dataRoot() const { return dataRoot_; }
    const std::string& programFolder() const { return programFolder_; }

    // A child's settings, formula text and user skin paths carry its process id.
    void BecomeChild(int pid);
    InstanceRole role() const { return role_; }
    bool isChild() const { return role_ == InstanceRole::kChild; }
    int childPid() const { return pid_; }

    // Full path of a named file or folder; `main` gives the shared settings file also in a
    // child. versionEndpoint is a web address ($PEMU_UPDATE_URL overrides it).
    std::string PathOf(PathKind kind, bool main = false) const;

  private:
    std::string dataRoot_;
    std::string programFolder_;
    InstanceRole role_ = InstanceRole::kPrimary;
    int pid_ = 0;
};

}  // namespace pemu::shell
