#include "platform/file_system.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace pemu::platform {
namespace {

IoResult Fail(const char* step, const std::string& path) {
    int error = errno;
    return IoResult::Failed(error, std::string(step) + " " + path + ": " + std::strerror(error));
}

constexpr char kTemporarySuffix[] = ".tmp-";

// Writes all of `bytes`, retrying short writes and interrupts.
bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string ParentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Where a write to `path` goes: `path` itself, or the end of the chain of links it names (a
// relative link counts from the link's own folder), which may not exist yet. Nullopt, with
// errno set, for a chain that does not end or a link that cannot be read.
std::optional<std::string> WriteTargetOf(const std::string& path) {
    constexpr int kMostLinks = 40;
    std::string current = path;
    for (int hops = 0; hops < kMostLinks; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buffer) {
            errno = n < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        const std::string link(buffer, static_cast<std::size_t>(n));
        current = link.front() == '/' ? link : ParentOf(current) + "/" + link;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Makes a written rename durable: the folder entry itself is synced.
void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

IoResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    // A link stays a link: its target is replaced, in the target's own folder, so the rename
    // stays on one file system. A dangling link's target is made where the link points.
    const std::optional<std::string> resolved = WriteTargetOf(path);
    if (!resolved) return Fail("resolve the links of", path);
    const std::string& target = *resolved;
    std::string temp = target + kTemporarySuffix + "XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return Fail("create", temp);
    // Keep the permissions of the file it replaces, else the usual ones for user data.
    struct stat old {};
    mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);
    IoResult result;
    if (!WriteAll(fd, bytes)) {
        result = Fail("write", temp);
    } else if (::fsync(fd) != 0) {
        result = Fail("sync", temp);
    }
    if (::close(fd) != 0 && result.ok) result = Fail("close", temp);
    if (result.ok && ::rename(temp.c_str(), target.c_str()) != 0) result = Fail("rename", target);
    if (!result.ok) {
        ::unlink(temp.c_str());
        return result;
    }
    SyncFolder(ParentOf(target));
    return result;
}

void RemoveAbandonedTemporaries(const std::string& path) {
    const std::optional<std::string> target = WriteTargetOf(path);
    if (!target) return;
    const std::string folder = ParentOf(*target);
    const std::string prefix = target->substr(target->find_last_of('/') + 1) + kTemporarySuffix;
    for (const FolderEntry& entry : ReadFolder(folder)) {
        if (!entry.isFolder && entry.name.size() == prefix.size() + 6 &&
            entry.name.compare(0, prefix.size(), prefix) == 0) {
            ::unlink((folder + "/" + entry.name).c_str());
        }
    }
}

IoResult CreateNewFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return Fail("create", path);
    ::close(fd);
    return IoResult::Ok();
}

std::FILE* OpenNewFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) ::close(fd);
    return file;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    return errno == EEXIST && FolderExists(path);
}

namespace {

IoResult MakeFoldersWithMode(const std::string& path, mode_t mode) {
    if (path.empty()) return IoResult::Failed(ENOENT, "create an unnamed folder");
    if (FolderExists(path)) return IoResult::Ok();
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const std::string parent = ParentOf(trimmed);
    if (parent != trimmed && !FolderExists(parent)) {
        if (IoResult made = MakeFoldersWithMode(parent, mode); !made) return made;
    }
    if (::mkdir(trimmed.c_str(), mode) == 0) return IoResult::Ok();
    if (errno != EEXIST) return Fail("create", trimmed);
    if (FolderExists(trimmed)) return IoResult::Ok();
    errno = ENOTDIR;  // a file stands where the folder should be
    return Fail("create", trimmed);
}

}  // namespace

bool MakeFolders(const std::string& path) {
    return MakeFoldersWithMode(path, 0755).ok;
}

bool MakePrivateFolders(const std::string& path) {
    return MakeFoldersWithMode(path, 0700).ok;
}

IoResult EnsureWritableFolder(const std::string& path) {
    if (IoResult made = MakeFoldersWithMode(path, 0755); !made) return made;
    std::string probe = path;
    if (probe.back() != '/') probe += '/';
    probe += ".pemu-probe-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return Fail("create a file in", path);
    ::close(fd);
    ::unlink(probe.c_str());
    return IoResult::Ok();
}

bool OthersMayWrite(const std::string& folder) {
    struct stat st {};
    return ::stat(folder.c_str(), &st) == 0 && (st.st_mode & S_IWOTH) != 0;
}

bool RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool RemoveFolder(const std::string& path) {
    return ::rmdir(path.c_str()) == 0;
}

IoResult RenamePath(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return Fail("rename", from + " to " + to);
    return IoResult::Ok();
}

std::string CanonicalPath(const std::string& path) {
    if (path.empty()) return {};
    std::string absolute = path;
    if (absolute.front() != '/') {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd) == nullptr) return {};
        absolute = std::string(cwd) + "/" + absolute;
    }
    // Split into parts, resolving "." and ".." lexically only after the existing prefix has
    // been resolved through realpath (so links are followed where they exist).
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= absolute.size()) {
        std::size_t next = absolute.find('/', pos);
        if (next == std::string::npos) next = absolute.size();
        std::string part = absolute.substr(pos, next - pos);
        if (!part.empty()) parts.push_back(part);
        pos = next + 1;
    }
    std::string resolved = "/";
    std::size_t i = 0;
    for (; i < parts.size(); ++i) {
        if (parts[i] == ".") continue;
        std::string candidate;
        if (parts[i] == "..") {
            candidate = ParentOf(resolved);
        } else {
            candidate = resolved == "/" ? "/" + parts[i] : resolved + "/" + parts[i];
        }
        char buffer[PATH_MAX];
        if (::realpath(candidate.c_str(), buffer) == nullptr) break;
        resolved = buffer;
    }
    // The rest does not exist: join it lexically.
    for (; i < parts.size(); ++i) {
        if (parts[i] == ".") continue;
        if (parts[i] == "..") {
            resolved = ParentOf(resolved);
        } else {
            resolved = resolved == "/" ? "/" + parts[i] : resolved + "/" + parts[i];
        }
    }
    return resolved;
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

int CurrentProcessId() {
    return static_cast<int>(::getpid());
}

bool ProcessIsRunning(int pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH);
}

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

namespace {

// The home the user database gives this user (HOME may be unset: a service, `env -i`).
std::optional<std::string> AccountHome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr)
        return std::nullopt;
    return std::string(found->pw_dir);
}

bool IsAbsolute(const std::optional<std::string>& path) {
    return path && !path->empty() && path->front() == '/';
}

}  // namespace

std::optional<std::string> UserDataFolder() {
    if (std::optional<std::string> xdg = Environment("XDG_DATA_HOME"); IsAbsolute(xdg)) return xdg;
    for (std::optional<std::string> home : {Environment("HOME"), AccountHome()}) {
        if (!IsAbsolute(home) || OthersMayWrite(*home)) continue;
        while (home->size() > 1 && home->back() == '/')
            home->pop_back();
        return (*home == "/" ? std::string() : *home) + "/.local/share";
    }
    return std::nullopt;
}

std::string RuntimeFolder() {
    std::optional<std::string> folder = Environment("PEMU_RUNTIME_DIR");
    if (!folder) folder = Environment("XDG_RUNTIME_DIR");
    if (!folder) {
        // Not the shared /tmp itself: another user's files there must not be ours to replace.
        folder = "/tmp/pemu-" + std::to_string(::getuid());
        ::mkdir(folder->c_str(), 0700);
    }
    if (folder->back() != '/') *folder += '/';
    return *folder;
}

bool IsFolderSeparator(char c) {
    return c == '/';
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

}  // namespace pemu::platform
