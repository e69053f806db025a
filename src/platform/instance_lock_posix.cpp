#include "platform/instance_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace pemu::platform {

InstanceLock InstanceLock::TryAcquire(const std::string& folder, const std::string& name) {
    InstanceLock lock;
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += name + ".lock";
    lock.native_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock.native_ < 0) {
        lock.held_ = true;  // cannot coordinate: be the primary rather than fail
        return lock;
    }
    int rc;
    do {
        rc = ::flock(static_cast<int>(lock.native_), LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        lock.held_ = true;
    } else {
        lock.held_ = errno != EWOULDBLOCK;  // an unusable lock counts as primary too
        ::close(static_cast<int>(lock.native_));
        lock.native_ = -1;
    }
    return lock;
}

void InstanceLock::Release() {
    if (native_ >= 0) {
        ::flock(static_cast<int>(native_), LOCK_UN);
        ::close(static_cast<int>(native_));
    }
    native_ = -1;
    held_ = false;
}

}  // namespace pemu::platform
