#pragma once
// An exclusive lock shared by the processes of this user, named by the path of a lock file.
// Waiting for it is bounded, and the operating system releases it when its holder ends, a
// crash included, so a dead holder never blocks anyone. Two locks on one path exclude each
// other also within one process. The lock file is made when missing and never removed:
// removing it would let a waiter and a newcomer lock two different files.
#include <memory>
#include <string>

namespace pemu::platform {

class FileLock {
  public:
    enum class Outcome {
        kHeld,         // this object holds the lock until Release() or its end
        kTimedOut,     // another holder kept it for the whole wait
        kUnavailable,  // the lock file cannot be made or locked at all: see what()
    };

    // Takes the lock, waiting up to `waitMs` milliseconds for another holder (0: one try).
    static FileLock Acquire(const std::string& path, int waitMs);

    FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // How Acquire ended; a released lock still tells it.
    Outcome outcome() const { return outcome_; }
    bool held() const { return handle_ != nullptr; }
    // Why the lock is not held, e.g. "lock /x/KenzanLog.txt.lock: Permission denied".
    const std::string& what() const { return what_; }
    void Release();

  private:
    struct Handle;  // the open lock file, per operating system
    struct CloseHandle {
        void operator()(Handle* handle) const;  // per operating system
    };
    using HandlePtr = std::unique_ptr<Handle, CloseHandle>;
    enum class Try { kLocked, kBusy, kFailed };
    // Per operating system: open (or make) the lock file, one try to lock it, unlock.
    static HandlePtr Open(const std::string& path, std::string& what);
    static Try TryLock(Handle& handle, const std::string& path, std::string& what);
    static void Unlock(Handle& handle);
    HandlePtr handle_;
    Outcome outcome_ = Outcome::kUnavailable;
    std::string what_;
};

}  // namespace pemu::platform
