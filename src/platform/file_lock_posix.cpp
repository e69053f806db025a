#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file_lock.hpp"

namespace pemu::platform {

// flock belongs to the open file, not to the process: two handles in one process exclude
// each other, and the kernel drops it with the last descriptor when the holder dies.
struct FileLock::Handle {
    int fd = -1;
};

void FileLock::CloseHandle::operator()(Handle* handle) const {
    if (handle->fd >= 0) ::close(handle->fd);
    delete handle;
}

FileLock::HandlePtr FileLock::Open(const std::string& path, std::string& what) {
    HandlePtr handle(new Handle);
    // Locking needs no write access, so a lock file another tool made read-only still serves.
    handle->fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (handle->fd < 0) {
        what = "open " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return handle;
}

FileLock::Try FileLock::TryLock(Handle& handle, const std::string& path, std::string& what) {
    for (;;) {
        if (::flock(handle.fd, LOCK_EX | LOCK_NB) == 0) return Try::kLocked;
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) return Try::kBusy;
        what = "lock " + path + ": " + std::strerror(errno);
        return Try::kFailed;
    }
}

void FileLock::Unlock(Handle& handle) {
    ::flock(handle.fd, LOCK_UN);
}

}  // namespace pemu::platform
