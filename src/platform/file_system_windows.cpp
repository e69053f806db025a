// Files, folders and processes over the Win32 API. Every path is converted to UTF-16 here,
// so a data folder under a Japanese user name works whatever the system's code page is.
#include <windows.h>
// After windows.h:
#include <aclapi.h>
#include <shlobj.h>

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/file_system.hpp"
#include "platform/windows_text.hpp"

namespace pemu::platform {
namespace {

using windows::Wide;

IoResult Fail(const char* step, const std::string& path, DWORD error = ::GetLastError()) {
    return IoResult::Failed(windows::ErrnoFor(error),
                            std::string(step) + " " + path + ": " + windows::ErrorText(error));
}

constexpr char kTemporarySuffix[] = ".tmp-";

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }
    bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    bool Close() {
        const bool closed = !ok() || ::CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE h_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

DWORD Attributes(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str());
}

// Six characters that make the temporary name unique among the writers of one file.
std::string UniqueTail() {
    static std::atomic<unsigned> counter{0};
    const unsigned long long mixed =
        (static_cast<unsigned long long>(::GetCurrentProcessId()) << 20) ^
        (static_cast<unsigned long long>(counter.fetch_add(1)) * 2654435761u) ^
        static_cast<unsigned long long>(::GetTickCount64());
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string tail;
    unsigned long long v = mixed;
    for (int i = 0; i < 6; ++i) {
        tail += kChars[v % 36];
        v /= 36;
    }
    return tail;
}

// A virus scanner or the search indexer may hold a file open for a moment: a replace that
// meets one is tried again a few times before it fails.
bool MoveReplacing(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = ::GetLastError();
        if (attempt >= 20 || (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION))
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::SetLastError(error);
    }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    Handle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) {
        errno = windows::ErrnoFor(::GetLastError());
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr)) {
            // A folder opens (with backup semantics only), but never reads.
            errno = windows::ErrnoFor(::GetLastError());
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, n);
    }
    return bytes;
}

IoResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temp = path + kTemporarySuffix + UniqueTail();
    const std::wstring wideTemp = Wide(temp);
    Handle file(::CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return Fail("create", temp);
    IoResult result;
    if (!WriteAll(file.get(), bytes)) {
        result = Fail("write", temp);
    } else if (!::FlushFileBuffers(file.get())) {
        result = Fail("sync", temp);
    }
    if (!file.Close() && result.ok) result = Fail("close", temp);
    if (result.ok && !MoveReplacing(wideTemp, Wide(path))) result = Fail("replace", path);
    if (!result.ok) ::DeleteFileW(wideTemp.c_str());
    return result;
}

void RemoveAbandonedTemporaries(const std::string& path) {
    const std::string folder = ParentOf(path);
    const std::string prefix = NameOf(path) + kTemporarySuffix;
    for (const FolderEntry& entry : ReadFolder(folder)) {
        if (!entry.isFolder && entry.name.size() == prefix.size() + 6 &&
            entry.name.compare(0, prefix.size(), prefix) == 0) {
            ::DeleteFileW(Wide(folder + "/" + entry.name).c_str());
        }
    }
}

IoResult CreateNewFile(const std::string& path) {
    Handle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) return Fail("create", path);
    return IoResult::Ok();
}

std::FILE* OpenNewFile(const std::string& path) {
    const HANDLE file = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    // From here the descriptor owns the handle, then the stream the descriptor.
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(file);
        return nullptr;
    }
    std::FILE* stream = ::_fdopen(fd, "wb");
    if (!stream) ::_close(fd);
    return stream;
}

bool FileExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool PathExists(const std::string& path) {
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool MakeFolder(const std::string& path) {
    if (::CreateDirectoryW(Wide(path).c_str(), nullptr)) return true;
    return ::GetLastError() == ERROR_ALREADY_EXISTS && FolderExists(path);
}

namespace {

IoResult MakeFoldersFrom(const std::string& path) {
    if (path.empty()) return IoResult::Failed(ENOENT, "create an unnamed folder");
    if (FolderExists(path)) return IoResult::Ok();
    std::string trimmed = path;
    while (trimmed.size() > 1 && (trimmed.back() == '/' || trimmed.back() == '\\'))
        trimmed.pop_back();
    const std::string parent = ParentOf(trimmed);
    if (parent != trimmed && parent != "." && !FolderExists(parent)) {
        if (IoResult made = MakeFoldersFrom(parent); !made) return made;
    }
    if (::CreateDirectoryW(Wide(trimmed).c_str(), nullptr)) return IoResult::Ok();
    const DWORD error = ::GetLastError();
    if (error != ERROR_ALREADY_EXISTS) return Fail("create", trimmed, error);
    if (FolderExists(trimmed)) return IoResult::Ok();
    return IoResult::Failed(ENOTDIR, "create " + trimmed + ": a file has that name");
}

}  // namespace

bool MakeFolders(const std::string& path) {
    return MakeFoldersFrom(path).ok;
}

bool MakePrivateFolders(const std::string& path) {
    // A new folder takes the permissions of the folder it is made in; under the user's own
    // application-data folder those let only this user (and the administrators) in.
    return MakeFoldersFrom(path).ok;
}

IoResult EnsureWritableFolder(const std::string& path) {
    if (IoResult made = MakeFoldersFrom(path); !made) return made;
    std::string probe = path;
    if (probe.back() != '/' && probe.back() != '\\') probe += '/';
    probe += ".pemu-probe-" + UniqueTail();
    Handle file(::CreateFileW(Wide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!file.ok()) return Fail("create a file in", path);
    return IoResult::Ok();
}

bool OthersMayWrite(const std::string& folder) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::wstring wide = Wide(folder);
    if (::GetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    // No list at all lets everybody in.
    bool others = dacl == nullptr;
    // Everyone, the authenticated users, the local users and the guests.
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID groups[4] = {};
    ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &groups[0]);
    ::AllocateAndInitializeSid(&nt, 1, SECURITY_AUTHENTICATED_USER_RID, 0, 0, 0, 0, 0, 0, 0,
                               &groups[1]);
    ::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0,
                               0, 0, 0, &groups[2]);
    ::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_GUESTS, 0, 0,
                               0, 0, 0, 0, &groups[3]);
    constexpr DWORD kMakesFiles = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | GENERIC_WRITE |
                                  GENERIC_ALL | WRITE_DAC | WRITE_OWNER;
    for (DWORD i = 0; !others && dacl != nullptr && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!::GetAce(dacl, i, &ace)) continue;
        const auto* header = static_cast<ACE_HEADER*>(ace);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        if ((allowed->Mask & kMakesFiles) == 0) continue;
        PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        for (PSID group : groups) {
            if (group != nullptr && ::EqualSid(sid, group)) others = true;
        }
    }
    for (PSID group : groups) {
        if (group != nullptr) ::FreeSid(group);
    }
    ::LocalFree(descriptor);
    return others;
}

// Callers read errno for the reason, as after unlink and rmdir.
bool RemoveFile(const std::string& path) {
    if (::DeleteFileW(Wide(path).c_str())) return true;
    errno = windows::ErrnoFor(::GetLastError());
    return false;
}

bool RemoveFolder(const std::string& path) {
    if (::RemoveDirectoryW(Wide(path).c_str())) return true;
    errno = windows::ErrnoFor(::GetLastError());
    return false;
}

IoResult RenamePath(const std::string& from, const std::string& to) {
    const std::wstring wideFrom = Wide(from);
    const std::wstring wideTo = Wide(to);
    // A folder cannot be moved over another; an empty one at `to` goes first, as on POSIX.
    if (FolderExists(from) && FolderExists(to)) ::RemoveDirectoryW(wideTo.c_str());
    if (!MoveReplacing(wideFrom, wideTo)) return Fail("rename", from + " to " + to);
    return IoResult::Ok();
}

std::string CanonicalPath(const std::string& path) {
    if (path.empty()) return {};
    const std::wstring wide = Wide(path);
    DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    size = ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    full.resize(size);
    // The folders that exist are asked for their own spelling (case, links resolved).
    Handle folder(::CreateFileW(full.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (folder.ok()) {
        std::wstring resolved(MAX_PATH, L'\0');
        DWORD n = ::GetFinalPathNameByHandleW(folder.get(), resolved.data(),
                                              static_cast<DWORD>(resolved.size()), 0);
        if (n >= resolved.size()) {
            resolved.resize(n + 1);
            n = ::GetFinalPathNameByHandleW(folder.get(), resolved.data(),
                                            static_cast<DWORD>(resolved.size()), 0);
        }
        if (n > 0 && n < resolved.size()) {
            resolved.resize(n);
            if (resolved.rfind(L"\\\\?\\UNC\\", 0) == 0) {
                resolved = L"\\\\" + resolved.substr(8);
            } else if (resolved.rfind(L"\\\\?\\", 0) == 0) {
                resolved = resolved.substr(4);
            }
            full = resolved;
        }
    }
    std::string text = windows::PathFromWindows(full);
    while (text.size() > 3 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string ExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return windows::PathFromWindows(buffer);
        }
        if (buffer.size() > 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

int CurrentProcessId() {
    return static_cast<int>(::GetCurrentProcessId());
}

bool ProcessIsRunning(int pid) {
    if (pid <= 0) return false;
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                   static_cast<DWORD>(pid));
    if (process == nullptr) {
        // No such process is the only answer that says it is gone: another user's process
        // refuses to be opened but runs.
        return ::GetLastError() != ERROR_INVALID_PARAMETER;
    }
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return running;
}

std::optional<std::string> Environment(const char* name) {
    const std::wstring wideName = Wide(name);
    const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size <= 1) return std::nullopt;
    std::wstring value(size, L'\0');
    const DWORD n = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (n == 0 || n >= size) return std::nullopt;
    value.resize(n);
    return windows::Narrow(value);
}

std::optional<std::string> UserDataFolder() {
    PWSTR folder = nullptr;
    std::optional<std::string> result;
    if (SUCCEEDED(
            ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder)) &&
        folder != nullptr && folder[0] != L'\0') {
        std::string text = windows::PathFromWindows(folder);
        while (text.size() > 3 && text.back() == '/')
            text.pop_back();
        result = std::move(text);
    }
    ::CoTaskMemFree(folder);
    return result;
}

std::string RuntimeFolder() {
    std::optional<std::string> folder = Environment("PEMU_RUNTIME_DIR");
    if (!folder) {
        // The user's own temporary folder: other users cannot reach into it.
        wchar_t buffer[MAX_PATH + 2] = {};
        const DWORD n = ::GetTempPathW(MAX_PATH + 1, buffer);
        std::string base = n > 0 ? windows::PathFromWindows(std::wstring_view(buffer, n)) : ".";
        if (base.back() != '/') base += '/';
        folder = base + "pemu";
        MakeFolders(*folder);
    }
    if (folder->back() != '/' && folder->back() != '\\') *folder += '/';
    return *folder;
}

bool IsFolderSeparator(char c) {
    return c == '/' || c == '\\';
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}

}  // namespace pemu::platform
