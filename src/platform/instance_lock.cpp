#include "platform/instance_lock.hpp"

#include <utility>

namespace pemu::platform {

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : native_(std::exchange(other.native_, -1)), held_(std::exchange(other.held_, false)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        Release();
        native_ = std::exchange(other.native_, -1);
        held_ = std::exchange(other.held_, false);
    }
    return *this;
}

InstanceLock::~InstanceLock() {
    Release();
}

}  // namespace pemu::platform
