#pragma once
// The role of this running copy and the messages between copies. The first copy holds the
// lock named after the mutex "Ostrivel_PEMU" and listens on a socket of that name; every
// later copy is a child and listens on the name + its process id. A crashed copy's lock is
// released by the kernel, its stale socket file replaced by the next listener.
#include <optional>
#include <string>
#include <vector>

#include "platform/instance_lock.hpp"
#include "platform/local_socket.hpp"
#include "shell/named_paths.hpp"

namespace pemu::shell {

inline constexpr char kInstanceMutexName[] = "Ostrivel_PEMU";

enum class InstanceMessage {
    kRestoreAndShow,  // to the primary: show all windows when it is hidden in the tray
    kMoveToOrigin,    // to the primary: move the main window to left 10, top 10, restore
    kClose,           // to a child: close the main window
};

class InstanceChannel {
  public:
    // Decides the role once; `runtimeFolder` holds the lock and the sockets (tests pass a
    // private one). A failure to take or create the lock counts as primary. A child tells
    // the primary to restore and show its windows (the primary ignores it when visible).
    static InstanceChannel Start(const std::string& runtimeFolder, int pid);

    InstanceRole role() const { return role_; }
    int pid() const { return pid_; }

    // What the event loop waits on before TakeMessages (platform::kNoReadyHandle when the
    // channel could not be opened).
    platform::ReadyHandle readiness() const { return listener_.readiness(); }
    // Messages that arrived since the last call; never blocks.
    std::vector<InstanceMessage> TakeMessages();
    // Waits up to timeoutMs for a message (for tests and helpers without event loop).
    std::vector<InstanceMessage> WaitForMessages(int timeoutMs);

    bool SendToPrimary(InstanceMessage message) const;
    // False when no child with that pid listens (it crashed or never ran).
    bool SendToChild(int childPid, InstanceMessage message) const;

    // Removes the socket file a child left when it died; nothing while it still runs.
    void ForgetDeadChild(int childPid) const;

    // Releases the lock and closes the socket (the primary's end of the message loop).
    void Shutdown();

  private:
    std::string SocketPath(std::optional<int> childPid) const;

    std::string folder_;
    InstanceRole role_ = InstanceRole::kPrimary;
    int pid_ = 0;
    platform::InstanceLock lock_;
    platform::LocalListener listener_;
};

// Where the copies of one data root meet: a folder named after the data root below the
// runtime folder, so copies on different data roots (tests, portable use) never coordinate.
// Created when missing.
std::string RuntimeFolderFor(const std::string& dataRoot);

// Text form of the messages on the wire.
const char* MessageText(InstanceMessage message);
std::optional<InstanceMessage> ParseMessage(const std::string& text);

}  // namespace pemu::shell
