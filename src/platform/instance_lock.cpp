#include "platform/instance_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace pemu::platform {

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), held_(std::exchange(other.held_, false)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        held_ = std::exchange(other.held_, false);
    }
    return *this;
}

InstanceLock::~InstanceLock() {
    Release();
}

InstanceLock InstanceLock::TryAcquire(const std::string& folder, const std::string& name) {
    InstanceLock lock;
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += name + ".lock";
    lock.fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock.fd_ < 0) {
        lock.held_ = true;  // cannot coordinate: be the primary rather than fail
        return lock;
    }
    int rc;
    do {
        rc = ::flock(lock.fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        lock.held_ = true;
    } else {
        lock.held_ = errno != EWOULDBLOCK;  // an unusable lock counts as primary too
        ::close(lock.fd_);
        lock.fd_ = -1;
    }
    return lock;
}

void InstanceLock::Release() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }
    fd_ = -1;
    held_ = false;
}

}  // namespace pemu::platform
