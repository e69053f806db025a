#include <windows.h>

#include "platform/instance_lock.hpp"
#include "platform/windows_text.hpp"

namespace pemu::platform {

InstanceLock InstanceLock::TryAcquire(const std::string& /*folder*/, const std::string& name) {
    InstanceLock lock;
    HANDLE mutex = ::CreateMutexW(nullptr, TRUE, windows::Wide(name).c_str());
    const DWORD error = ::GetLastError();
    if (mutex == nullptr) {
        // A mutex of that name that we may not open exists all the same: another copy runs.
        lock.held_ = error != ERROR_ACCESS_DENIED;
        return lock;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return lock;
    }
    lock.native_ = reinterpret_cast<std::intptr_t>(mutex);
    lock.held_ = true;
    return lock;
}

void InstanceLock::Release() {
    if (native_ != -1) {
        HANDLE mutex = reinterpret_cast<HANDLE>(native_);
        ::ReleaseMutex(mutex);
        ::CloseHandle(mutex);
    }
    native_ = -1;
    held_ = false;
}

}  // namespace pemu::platform
