#pragma once
// One-line messages between running copies: AF_UNIX stream sockets on Linux, named pipes on
// Windows (the pipe's name is derived from the socket path, so callers name both the same
// way). The receiving side never blocks: every connection is read as far as it has come,
// a half-sent line waits for the next wake-up, and a connection that sends nothing or too
// much is dropped without holding up the others. The event loop waits on `readiness()`.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pemu::platform {

// What the event loop waits on: a file descriptor on Linux, an event HANDLE on Windows.
using ReadyHandle = std::intptr_t;
inline constexpr ReadyHandle kNoReadyHandle = -1;

// The longest path an AF_UNIX socket takes; Windows keeps the same rule, so a name works on
// both systems or on neither.
inline constexpr std::size_t kMaxLocalPathBytes = 107;

struct ListenerLimits {
    // A connection is closed this long after it was accepted, finished or not. Senders
    // write one line and close at once, so only a stuck or hostile peer ever reaches it.
    int connectionLifetimeMs = 2000;
    // A line longer than this ends its connection; our messages are a few bytes.
    std::size_t maxLineBytes = 256;
    // Beyond this many open connections the oldest one is dropped.
    std::size_t maxConnections = 32;
};

class LocalListener {
  public:
    // Closing (destruction, assignment) ends every connection and removes the socket file.
    LocalListener() = default;

    // Binds `path`, replacing a stale socket file a dead process left behind. Returns an
    // unbound listener (listening() false) when the path is too long or cannot be bound.
    static LocalListener Listen(const std::string& path, const ListenerLimits& limits = {});

    bool listening() const;
    const std::string& path() const { return path_; }
    // Becomes ready when a connection, data, a hang-up or a connection's end of life waits;
    // TakeMessages clears it. kNoReadyHandle when not listening.
    ReadyHandle readiness() const;

    // Complete lines that arrived since the last call, connection by connection in the
    // order they were accepted. Never blocks.
    std::vector<std::string> TakeMessages();
    // Waits up to `timeoutMs` for at least one complete line (for tests and helpers
    // without an event loop).
    std::vector<std::string> WaitForMessages(int timeoutMs);

    // Connections accepted and not yet closed; all accepted since listening.
    std::size_t openConnections() const;
    std::size_t acceptedConnections() const;

    struct State;  // one per system
    struct Free {
        void operator()(State* state) const noexcept;
    };

  private:
    std::unique_ptr<State, Free> state_;
    std::string path_;
};

// The sending end of one connection. Every operation is bounded by its timeout.
class LocalConnection {
  public:
    LocalConnection() = default;

    // Not connected() when nobody listens at `path` or it stays busy for `timeoutMs`.
    static LocalConnection Connect(const std::string& path, int timeoutMs);

    bool connected() const;
    // Writes all of `bytes`; false when the peer is gone or does not take them in time.
    bool Write(const std::string& bytes, int timeoutMs);
    // True once the listener has closed its end (within `timeoutMs`).
    bool WaitForHangUp(int timeoutMs);
    void Close();

    struct State;
    struct Free {
        void operator()(State* state) const noexcept;
    };

  private:
    std::unique_ptr<State, Free> state_;
};

// Connects, sends one message as a line and closes; connecting and sending are each bounded
// by `timeoutMs`.
// False when nobody listens at `path`.
bool SendLocalMessage(const std::string& path, const std::string& message, int timeoutMs = 1000);

// Lines cut from the bytes a connection has delivered so far. Shared by both systems.
class LineBuffer {
  public:
    explicit LineBuffer(std::size_t maxLineBytes) : maxLineBytes_(maxLineBytes) {}
    // Appends `bytes` and moves every complete non-empty line to `out`. False once a line
    // grew past the limit: the connection is to be dropped, that line is lost.
    bool Append(const char* bytes, std::size_t size, std::vector<std::string>& out);
    // Bytes of an unfinished line: lost when the connection ends before its newline.
    std::size_t pending() const { return partial_.size(); }

  private:
    std::size_t maxLineBytes_;
    std::string partial_;
};

}  // namespace pemu::platform
