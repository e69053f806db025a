#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/file_lock.hpp"

namespace pemu::platform {

// flock belongs to the open file, not to the process: two handles in one process exclude
// each other, and the kernel drops it with the last descriptor when the holder dies.
struct FileLock::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0) ::close(fd);
    }
};

FileLock::FileLock() = default;
FileLock::FileLock(FileLock&& other) noexcept
    : handle_(std::move(other.handle_)),
      outcome_(std::exchange(other.outcome_, Outcome::kUnavailable)),
      what_(std::move(other.what_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::move(other.handle_);
        outcome_ = std::exchange(other.outcome_, Outcome::kUnavailable);
        what_ = std::move(other.what_);
    }
    return *this;
}

FileLock::~FileLock() {
    Release();
}

FileLock FileLock::Acquire(const std::string& path, int waitMs) {
    FileLock lock;
    auto handle = std::make_unique<Handle>();
    // Locking needs no write access, so a lock file another tool made read-only still serves.
    handle->fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (handle->fd < 0) {
        lock.what_ = "open " + path + ": " + std::strerror(errno);
        return lock;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (::flock(handle->fd, LOCK_EX | LOCK_NB) == 0) {
            lock.handle_ = std::move(handle);
            lock.outcome_ = Outcome::kHeld;
            return lock;
        }
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            lock.what_ = "lock " + path + ": " + std::strerror(errno);
            return lock;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) break;
        // The holder normally needs a few milliseconds; a longer hold is polled less often.
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    lock.outcome_ = Outcome::kTimedOut;
    lock.what_ = "lock " + path + ": held by another process for " + std::to_string(waitMs) + " ms";
    return lock;
}

void FileLock::Release() {
    if (handle_) ::flock(handle_->fd, LOCK_UN);
    handle_.reset();
}

}  // namespace pemu::platform
