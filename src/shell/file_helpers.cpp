#include "shell/file_helpers.hpp"

#include "platform/file_system.hpp"
#include "platform/program_file.hpp"

namespace pemu::shell {
namespace {

using platform::FolderEntry;

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// The walk shared by CopyTree and CopyMissing.
bool CopyFolder(const std::string& source, const std::string& target, bool overwrite) {
    for (const FolderEntry& entry : platform::ReadFolder(source)) {
        if (entry.name.front() == '.') continue;
        std::string from = Join(source, entry.name);
        std::string to = Join(target, entry.name);
        if (entry.isFolder) {
            if (!platform::MakeFolder(to) || !CopyFolder(from, to, overwrite)) return false;
            continue;
        }
        if (!overwrite && platform::PathExists(to)) continue;
        if (!platform::CopyFileAtomically(from, to)) return false;
    }
    return true;
}

}  // namespace

DataFolder::DataFolder(std::string dataRoot)
    : dataRoot_(std::move(dataRoot)), canonicalRoot_(platform::CanonicalPath(dataRoot_)) {}

bool DataFolder::IsInsideDataRoot(const std::string& path) const {
    if (canonicalRoot_.empty() || path.empty()) return false;
    std::string canonical = platform::CanonicalPath(path);
    if (canonical == canonicalRoot_) return true;
    std::string root = canonicalRoot_ == "/" ? "/" : canonicalRoot_ + "/";
    return canonical.compare(0, root.size(), root) == 0;
}

bool DataFolder::DeleteDataFile(const std::string& path) const {
    if (!IsInsideDataRoot(path) || platform::FolderExists(path)) return false;
    return platform::RemoveFile(path);
}

bool DataFolder::RemoveContents(const std::string& folder) const {
    bool ok = true;
    // Files (and links, never followed) first, then the emptied sub-folders.
    for (const FolderEntry& entry : platform::ReadFolder(folder)) {
        std::string path = Join(folder, entry.name);
        if (entry.isFolder) {
            ok = RemoveContents(path) && ok;
            ok = platform::RemoveFolder(path) && ok;
        } else {
            ok = platform::RemoveFile(path) && ok;
        }
    }
    return ok;
}

bool DataFolder::DeleteTree(const std::string& folder) const {
    if (!IsInsideDataRoot(folder) || !platform::FolderExists(folder)) return false;
    if (platform::CanonicalPath(folder) == canonicalRoot_) return false;  // never the root
    bool ok = RemoveContents(folder);
    return platform::RemoveFolder(folder) && ok;
}

bool DataFolder::EmptyTree(const std::string& folder) const {
    if (!IsInsideDataRoot(folder) || !platform::FolderExists(folder)) return false;
    return RemoveContents(folder);
}

bool FileExistsOrCreate(const std::string& path, bool create) {
    if (platform::FileExists(path)) return true;
    if (create && !platform::PathExists(path)) platform::CreateNewFile(path);
    return false;
}

bool CopyTree(const std::string& source, const std::string& target) {
    return CopyFolder(source, target, true);
}

bool CopyMissing(const std::string& source, const std::string& target) {
    return CopyFolder(source, target, false);
}

int ListEntries(std::string& out, std::size_t outSize, const std::string& folder, int skip,
                bool folders, std::string_view prefix) {
    if (!prefix.empty() && prefix.back() == '*') prefix.remove_suffix(1);
    const std::size_t limit = outSize > 2 ? outSize - 2 : 0;
    int matched = 0;
    int listed = 0;
    for (const FolderEntry& entry : platform::ReadFolder(folder)) {
        if (entry.isFolder != folders) continue;
        if (entry.name.compare(0, prefix.size(), prefix) != 0) continue;
        if (matched++ < skip) continue;
        if (out.size() + entry.name.size() + 1 > limit) return skip + listed;
        out += entry.name + ":";
        ++listed;
    }
    return 0;
}

void ReadProductName(std::string& out, const std::string& programFile, std::size_t size) {
    std::optional<std::string> name = platform::ProgramProductName(programFile);
    if (!name || size == 0) return;
    out = name->substr(0, size - 1);
}

}  // namespace pemu::shell
