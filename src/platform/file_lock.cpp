#include "platform/file_lock.hpp"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace pemu::platform {

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
    HandlePtr handle = Open(path, lock.what_);
    if (!handle) return lock;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        switch (TryLock(*handle, path, lock.what_)) {
            case Try::kLocked:
                lock.handle_ = std::move(handle);
                lock.outcome_ = Outcome::kHeld;
                return lock;
            case Try::kFailed:
                return lock;
            case Try::kBusy:
                break;
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
    if (handle_) Unlock(*handle_);
    handle_.reset();
}

}  // namespace pemu::platform
