#include <windows.h>

#include "platform/file_lock.hpp"
#include "platform/windows_text.hpp"

namespace pemu::platform {

// LockFileEx belongs to the handle: two handles in one process exclude each other, and the
// system drops the lock when the holder's handle closes, at its end or its crash.
struct FileLock::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
};

void FileLock::CloseHandle::operator()(Handle* handle) const {
    if (handle->file != INVALID_HANDLE_VALUE) ::CloseHandle(handle->file);
    delete handle;
}

FileLock::HandlePtr FileLock::Open(const std::string& path, std::string& what) {
    HandlePtr handle(new Handle);
    // Read access is enough to lock, so a lock file made read-only still serves; every other
    // opener is let in, the lock alone excludes.
    handle->file = ::CreateFileW(windows::Wide(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle->file == INVALID_HANDLE_VALUE) {
        what = "open " + path + ": " + windows::ErrorText(::GetLastError());
        return nullptr;
    }
    return handle;
}

FileLock::Try FileLock::TryLock(Handle& handle, const std::string& path, std::string& what) {
    OVERLAPPED at{};
    if (::LockFileEx(handle.file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                     &at))
        return Try::kLocked;
    const DWORD error = ::GetLastError();
    if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return Try::kBusy;
    what = "lock " + path + ": " + windows::ErrorText(error);
    return Try::kFailed;
}

void FileLock::Unlock(Handle& handle) {
    OVERLAPPED at{};
    ::UnlockFileEx(handle.file, 0, 1, 0, &at);
}

}  // namespace pemu::platform
