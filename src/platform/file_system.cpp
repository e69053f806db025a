// The parts of the file operations that are the same on every system.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/file_system.hpp"
#include "platform/native_path.hpp"

namespace pemu::platform {

IoResult IoResult::Failed(int errorNumber, std::string what) {
    IoResult r;
    r.ok = false;
    r.errorNumber = errorNumber;
    r.what = std::move(what);
    return r;
}

IoResult CopyFileAtomically(const std::string& from, const std::string& to) {
    errno = 0;
    std::optional<std::string> bytes = ReadWholeFile(from);
    if (!bytes) {
        const int error = errno != 0 ? errno : EIO;
        return IoResult::Failed(error, "read " + from + ": " + std::strerror(error));
    }
    return WriteFileAtomically(to, *bytes);
}

std::vector<FolderEntry> ReadFolder(const std::string& path) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    std::filesystem::directory_iterator it(NativePath(path), error), end;
    for (; !error && it != end; it.increment(error)) {
        std::error_code kindError;
        // symlink_status: a link to a folder is listed as a file, never followed.
        const bool isFolder =
            it->symlink_status(kindError).type() == std::filesystem::file_type::directory;
        entries.push_back({PathText(it->path().filename()), isFolder && !kindError});
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

}  // namespace pemu::platform
