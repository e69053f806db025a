#pragma once
// One-line messages between running copies over AF_UNIX stream sockets. Non-blocking on the
// receiving side, so a window can poll `fd()` from its event loop (QSocketNotifier).
#include <string>
#include <vector>

namespace pemu::platform {

class LocalListener {
  public:
    LocalListener() = default;
    LocalListener(const LocalListener&) = delete;
    LocalListener& operator=(const LocalListener&) = delete;
    LocalListener(LocalListener&& other) noexcept;
    LocalListener& operator=(LocalListener&& other) noexcept;
    ~LocalListener();  // closes and removes the socket file

    // Binds `path`, replacing a stale socket file a dead process left behind. Returns an
    // unbound listener (fd() < 0) when the path is too long or cannot be bound.
    static LocalListener Listen(const std::string& path);

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool listening() const { return fd_ >= 0; }

    // Accepts every waiting connection and returns the messages they carried, in order.
    std::vector<std::string> TakeMessages();
    // Waits up to `timeoutMs` for a connection, then as TakeMessages.
    std::vector<std::string> WaitForMessages(int timeoutMs);

  private:
    void Close();
    int fd_ = -1;
    std::string path_;
};

// Connects, sends one message and closes. False when nobody listens at `path`.
bool SendLocalMessage(const std::string& path, const std::string& message);

}  // namespace pemu::platform
