#pragma once
// A named, process-wide lock: the stand-in for a named mutex. It is an flock on a file in
// the runtime folder, so the kernel releases it when the holder dies and a crashed holder
// never blocks later starts.
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
    // file cannot even be created the lock counts as held: a failure never makes a child.
    static InstanceLock TryAcquire(const std::string& folder, const std::string& name);

    bool held() const { return held_; }
    void Release();

  private:
    int fd_ = -1;
    bool held_ = false;
};

}  // namespace pemu::platform
