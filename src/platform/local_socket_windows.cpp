// Listener: named pipe instances with overlapped I/O. Every operation signals one manual-reset
// event, the readiness handle; a timer-queue timer signals it too when the oldest connection
// reaches its end of life. One instance always waits for the next client.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>

#include "platform/local_socket.hpp"

namespace pemu::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD kPipeBufferBytes = 4096;
// Reads one connection may complete per wake-up, so a flooding peer cannot hold the loop.
constexpr int kReadsPerWake = 8;

int Remaining(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Pipes share one flat namespace: "\\.\pipe\pemu-<hash of the path>-<file name>".
std::wstring PipeName(const std::string& path) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : path)
        hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    std::size_t slash = path.find_last_of("/\\");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    std::wstring name = L"\\\\.\\pipe\\pemu-";
    for (const char* h = hex; *h != '\0'; ++h)
        name += static_cast<wchar_t>(*h);
    name += L'-';
    for (char c : file.substr(0, 64)) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '.' || c == '_' || c == '-';
        name += plain ? static_cast<wchar_t>(c) : L'_';
    }
    return name;
}

bool UsablePath(const std::string& path) {
    return !path.empty() && path.size() <= kMaxLocalPathBytes;
}

// Waits for an operation that was cancelled: its OVERLAPPED and buffer must outlive it.
// False if it never finishes; the caller then leaves that memory to the system.
bool AwaitCancelled(HANDLE handle, OVERLAPPED& overlapped) {
    ::CancelIoEx(handle, &overlapped);
    for (int i = 0; i < 1000; ++i) {
        if (HasOverlappedIoCompleted(&overlapped)) return true;
        ::Sleep(1);
    }
    return false;
}

struct Pipe {
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED overlapped{};
    bool connected = false;  // false: still waiting for its client
    bool pending = false;    // an operation on `overlapped` is under way
    Clock::time_point endOfLife;
    LineBuffer lines{0};
    char buffer[512];
};

void Release(Pipe* pipe) {
    if (pipe == nullptr) return;
    bool finished = !pipe->pending || AwaitCancelled(pipe->handle, pipe->overlapped);
    if (pipe->connected) ::DisconnectNamedPipe(pipe->handle);
    ::CloseHandle(pipe->handle);
    if (finished) delete pipe;
}

struct PipeFree {
    void operator()(Pipe* pipe) const { Release(pipe); }
};
using PipePtr = std::unique_ptr<Pipe, PipeFree>;

VOID CALLBACK Ring(PVOID event, BOOLEAN) {
    ::SetEvent(static_cast<HANDLE>(event));
}

}  // namespace

struct LocalListener::State {
    std::wstring name;
    ListenerLimits limits;
    std::size_t accepted = 0;
    HANDLE event = nullptr;  // manual reset, signalled by every operation and the timer
    HANDLE timer = nullptr;
    PipePtr waiting;                  // the instance the next client connects to
    std::deque<PipePtr> connections;  // oldest first

    ~State() {
        DisarmTimer();
        connections.clear();
        waiting.reset();
        if (event != nullptr) ::CloseHandle(event);
    }

    PipePtr NewInstance(bool first) {
        DWORD open = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED;
        if (first) open |= FILE_FLAG_FIRST_PIPE_INSTANCE;  // a name someone holds is not ours
        HANDLE handle = ::CreateNamedPipeW(
            name.c_str(), open, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_REJECT_REMOTE_CLIENTS,
            PIPE_UNLIMITED_INSTANCES, kPipeBufferBytes, kPipeBufferBytes, 0, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return nullptr;
        PipePtr pipe(new Pipe);
        pipe->handle = handle;
        pipe->lines = LineBuffer(limits.maxLineBytes);
        pipe->overlapped.hEvent = event;
        if (::ConnectNamedPipe(handle, &pipe->overlapped)) {
            pipe->pending = true;  // finished at once; its result is read as any other
        } else if (::GetLastError() == ERROR_IO_PENDING) {
            pipe->pending = true;
        } else if (::GetLastError() == ERROR_PIPE_CONNECTED) {
            pipe->connected = true;  // the client came before the wait
            ::SetEvent(event);
        } else {
            return nullptr;
        }
        return pipe;
    }

    void DisarmTimer() {
        if (timer != nullptr) ::DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
        timer = nullptr;
    }

    void ArmTimer() {
        DisarmTimer();
        if (connections.empty()) return;
        Clock::time_point first = connections.front()->endOfLife;
        for (const PipePtr& c : connections)
            first = std::min(first, c->endOfLife);
        DWORD due = static_cast<DWORD>(Remaining(first) + 1);
        if (!::CreateTimerQueueTimer(&timer, nullptr, Ring, event, due, 0, WT_EXECUTEONLYONCE)) {
            timer = nullptr;
        }
    }

    // True when the waiting instance has its client.
    bool WaitingConnected() {
        if (!waiting) waiting = NewInstance(false);
        if (!waiting) return false;
        if (waiting->connected) return true;
        DWORD ignored;
        if (::GetOverlappedResult(waiting->handle, &waiting->overlapped, &ignored, FALSE)) {
            waiting->pending = false;
            waiting->connected = true;
            return true;
        }
        if (::GetLastError() != ERROR_IO_INCOMPLETE) {
            waiting->pending = false;
            waiting = NewInstance(false);  // a client that came and went at once
        }
        return false;
    }

    void AcceptWaiting() {
        for (std::size_t taken = 0; taken < limits.maxConnections && WaitingConnected(); ++taken) {
            ++accepted;
            if (connections.size() >= limits.maxConnections) connections.pop_front();
            waiting->endOfLife =
                Clock::now() + std::chrono::milliseconds(limits.connectionLifetimeMs);
            connections.push_back(std::move(waiting));
            waiting = NewInstance(false);
        }
    }

    // False when the connection is finished: hung up, broken or over a limit.
    bool ReadAvailable(Pipe& c, std::vector<std::string>& out) {
        for (int reads = 0;; ++reads) {
            if (c.pending) {
                DWORD got = 0;
                if (!::GetOverlappedResult(c.handle, &c.overlapped, &got, FALSE)) {
                    return ::GetLastError() == ERROR_IO_INCOMPLETE;  // else hung up or broken
                }
                c.pending = false;
                if (!c.lines.Append(c.buffer, got, out)) return false;
            }
            if (reads == kReadsPerWake) {
                ::SetEvent(event);  // come back for the rest after other events
                return true;
            }
            c.overlapped = OVERLAPPED{};
            c.overlapped.hEvent = event;
            if (!::ReadFile(c.handle, c.buffer, sizeof c.buffer, nullptr, &c.overlapped) &&
                ::GetLastError() != ERROR_IO_PENDING) {
                return false;  // an unfinished line is lost with its sender
            }
            c.pending = true;
        }
    }

    std::vector<std::string> Take() {
        ::ResetEvent(event);  // before looking, so nothing finishing meanwhile is missed
        AcceptWaiting();
        std::vector<std::string> messages;
        const Clock::time_point now = Clock::now();
        for (auto it = connections.begin(); it != connections.end();) {
            bool alive = ReadAvailable(**it, messages) && (*it)->endOfLife > now;
            it = alive ? std::next(it) : connections.erase(it);
        }
        ArmTimer();
        return messages;
    }
};

void LocalListener::Free::operator()(State* state) const noexcept {
    delete state;
}

LocalListener LocalListener::Listen(const std::string& path, const ListenerLimits& limits) {
    LocalListener listener;
    if (!UsablePath(path)) return listener;
    auto state = std::unique_ptr<State, Free>(new State);
    state->name = PipeName(path);
    // Wine does not refuse a first instance of a name in use; ask whether it is there.
    if (::WaitNamedPipeW(state->name.c_str(), 1) || ::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return listener;
    }
    state->limits = limits;
    state->event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (state->event == nullptr) return listener;
    state->waiting = state->NewInstance(true);
    if (!state->waiting) return listener;
    listener.state_ = std::move(state);
    listener.path_ = path;
    return listener;
}

ReadyHandle LocalListener::readiness() const {
    return state_ ? reinterpret_cast<ReadyHandle>(state_->event) : kNoReadyHandle;
}

std::size_t LocalListener::acceptedConnections() const {
    return state_ ? state_->accepted : 0;
}

std::size_t LocalListener::openConnections() const {
    return state_ ? state_->connections.size() : 0;
}

std::vector<std::string> LocalListener::TakeMessages() {
    return state_ ? state_->Take() : std::vector<std::string>{};
}

std::vector<std::string> LocalListener::WaitForMessages(int timeoutMs) {
    if (!state_) return {};
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        std::vector<std::string> messages = state_->Take();
        if (!messages.empty() || Remaining(deadline) == 0) return messages;
        ::WaitForSingleObject(state_->event, static_cast<DWORD>(Remaining(deadline)));
    }
}

struct LocalConnection::State {
    HANDLE handle = INVALID_HANDLE_VALUE;
    HANDLE event = nullptr;  // this connection's own operations only
    ~State() {
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
        if (event != nullptr) ::CloseHandle(event);
    }

    enum class Outcome { kDone, kFailed, kTimedOut };

    // Runs one started operation to its end within `timeoutMs`; cancels it otherwise.
    Outcome Finish(BOOL started, OVERLAPPED& overlapped, DWORD& bytes, int timeoutMs) {
        if (!started && ::GetLastError() != ERROR_IO_PENDING) return Outcome::kFailed;
        if (::WaitForSingleObject(event, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
            ::CancelIoEx(handle, &overlapped);
            ::GetOverlappedResult(handle, &overlapped, &bytes, TRUE);
            return Outcome::kTimedOut;
        }
        return ::GetOverlappedResult(handle, &overlapped, &bytes, FALSE) ? Outcome::kDone
                                                                         : Outcome::kFailed;
    }
};

void LocalConnection::Free::operator()(State* state) const noexcept {
    delete state;
}

LocalConnection LocalConnection::Connect(const std::string& path, int timeoutMs) {
    LocalConnection connection;
    if (!UsablePath(path)) return connection;
    const std::wstring name = PipeName(path);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto state = std::unique_ptr<State, Free>(new State);
    for (;;) {
        state->handle = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (state->handle != INVALID_HANDLE_VALUE) break;
        // Busy: every instance has a client; the listener makes a new one when it wakes.
        if (::GetLastError() != ERROR_PIPE_BUSY || Remaining(deadline) == 0) return connection;
        ::WaitNamedPipeW(name.c_str(), static_cast<DWORD>(std::max(1, Remaining(deadline))));
    }
    state->event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (state->event == nullptr) return connection;
    connection.state_ = std::move(state);
    return connection;
}

bool LocalConnection::Write(const std::string& bytes, int timeoutMs) {
    if (!state_) return false;
    OVERLAPPED overlapped{};
    overlapped.hEvent = state_->event;
    DWORD written = 0;
    BOOL started = ::WriteFile(state_->handle, bytes.data(), static_cast<DWORD>(bytes.size()),
                               nullptr, &overlapped);
    return state_->Finish(started, overlapped, written, timeoutMs) == State::Outcome::kDone &&
           written == bytes.size();
}

bool LocalConnection::WaitForHangUp(int timeoutMs) {
    if (!state_) return true;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = state_->event;
        char c;
        DWORD got = 0;
        BOOL started = ::ReadFile(state_->handle, &c, 1, nullptr, &overlapped);
        switch (state_->Finish(started, overlapped, got, Remaining(deadline))) {
            case State::Outcome::kDone:
                continue;  // the listener never writes; whatever came is not a hang-up
            case State::Outcome::kFailed:
                return true;
            case State::Outcome::kTimedOut:
                return false;
        }
    }
}

}  // namespace pemu::platform
