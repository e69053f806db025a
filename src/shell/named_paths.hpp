#pragma once
// Where every file of the data folder lives. Paths use '/' and folders end with '/'.
#include <optional>
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

// Where the data folder goes, or why it has no place.
struct DataRootChoice {
    std::string root;     // with a trailing '/'; empty when there is no place
    std::string problem;  // why there is none (English)
};

// $PEMU_DATA_ROOT when set, else the user's application-data folder + "/Pemu/", else (the
// platform knows no such folder for this user) the program folder itself. Never a folder
// every user may write into: when the program folder is one, there is no place.
DataRootChoice DataRootFrom(const std::optional<std::string>& ownRoot,
                            const std::optional<std::string>& userDataFolder,
                            const std::string& programFolder);

// DataRootFrom for this process, made absolute; the folders it needs are made when missing,
// open to this user only (a failure is not reported here: the start checks the data folder
// and every write reports its own).
DataRootChoice ChooseDataRoot();

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
