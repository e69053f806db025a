#include "shell/first_run.hpp"

#include "platform/file_system.hpp"
#include "shell/file_helpers.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {
namespace {
constexpr char kSection[] = "AppData";
}  // namespace

FirstRunResult RunFirstRunCopy(const NamedPaths& paths, const std::string& templateFolder,
                               std::string_view versionText) {
    FirstRunResult result;
    SettingsStore marker(paths.PathOf(PathKind::kAppDataFile));
    if (marker.ReadBool(kSection, "Making", false)) {
        result.alreadyDone = true;
        return result;
    }
    const std::string source = templateFolder.empty() || templateFolder.back() == '/'
                                   ? templateFolder
                                   : templateFolder + "/";
    result.templateFound = !source.empty() && platform::FolderExists(source);
    if (result.templateFound) {
        bool ok = true;
        for (PathKind folder :
             {PathKind::kFilesFolder, PathKind::kSysFolder, PathKind::kUserSkinFolder,
              PathKind::kSkinFolder, PathKind::kSkinPackageFolder}) {
            ok = platform::MakeFolder(paths.PathOf(folder)) && ok;
        }
        // The whole template, so the manual and the default skin files arrive too; a file
        // the user already has is never replaced.
        ok = CopyMissing(source, paths.PathOf(PathKind::kFilesFolder)) && ok;
        result.copyComplete = ok;
    } else {
        // The marker needs its folder even when there is nothing to copy.
        platform::MakeFolders(paths.PathOf(PathKind::kSysFolder));
    }
    marker.WriteBool(kSection, "Making", true);
    marker.WriteString(kSection, "Ver", std::string(versionText.substr(0, 9)));
    result.marker = marker.UpdateFile();
    return result;
}

bool RefreshManual(const NamedPaths& paths, const std::string& templateFolder) {
    if (templateFolder.empty()) return true;
    const std::string source =
        templateFolder + (templateFolder.back() == '/' ? "" : "/") + "_sys/manual/";
    const std::string target = paths.PathOf(PathKind::kManualFolder);
    if (!platform::FolderExists(source)) return true;
    if (!platform::MakeFolders(target)) return false;
    bool ok = true;
    for (const platform::FolderEntry& entry : platform::ReadFolder(source)) {
        if (entry.isFolder || entry.name.front() == '.') continue;
        const auto page = platform::ReadWholeFile(source + entry.name);
        if (!page) continue;
        if (platform::ReadWholeFile(target + entry.name) == page) continue;
        ok = platform::WriteFileAtomically(target + entry.name, *page).ok && ok;
    }
    return ok;
}

}  // namespace pemu::shell
