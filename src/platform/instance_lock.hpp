#pragma once
// A named, process-wide lock: on Windows the named mutex itself, elsewhere an flock on a file
// in the runtime folder. The system releases it when the holder dies, so a crashed holder
// never blocks later starts.
#include <cstdint>
#include <string>

namespace pemu::platform {

class InstanceLock {
  public:
    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    ~InstanceLock();

    // Tries once, without waiting. `held()` tells whether this process got it. When the lock
    // cannot even be created it counts as held: a failure never makes a child. The mutex of
    // Windows is named `name` alone; `folder` holds the lock file elsewhere.
    static InstanceLock TryAcquire(const std::string& folder, const std::string& name);

    bool held() const { return held_; }
    void Release();

  private:
    std::intptr_t native_ = -1;  // the lock file's descriptor, or the mutex handle
    bool held_ = false;
};

}  // namespace pemu::platform
