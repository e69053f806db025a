// Listener: a non-blocking AF_UNIX socket, its connections and a timerfd for the oldest
// connection's end of life, all in one epoll set whose descriptor is the readiness handle.
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>

#include "platform/local_socket.hpp"
#include "platform/local_socket_state.hpp"

namespace pemu::platform {
namespace {

using Clock = std::chrono::steady_clock;

// Bytes one connection may deliver per wake-up, so a flooding peer cannot hold the loop.
constexpr std::size_t kBytesPerWake = 4096;

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

// A listener that is alive takes the connection or has a full backlog; a stale socket file
// refuses it.
bool SomeoneListens(const sockaddr_un& address) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool alive = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 ||
                 errno == EAGAIN;
    ::close(fd);
    return alive;
}

void CloseFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

int Remaining(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// poll() that resumes after signals until the deadline; the revents, 0 on timeout.
short PollUntil(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        int rc = ::poll(&p, 1, Remaining(deadline));
        if (rc > 0) return p.revents;
        if (rc == 0 || errno != EINTR) return 0;
    }
}

struct Connection {
    int fd;
    Clock::time_point endOfLife;
    LineBuffer lines;
};

}  // namespace

struct LocalListener::State {
    int listenFd = -1;
    int pollFd = -1;
    int timerFd = -1;
    std::string path;
    ListenerLimits limits;
    std::size_t accepted = 0;
    std::deque<Connection> connections;  // oldest first

    ~State() {
        while (!connections.empty())
            Drop(connections.begin());
        CloseFd(timerFd);
        CloseFd(pollFd);
        if (listenFd >= 0) ::unlink(path.c_str());
        CloseFd(listenFd);
    }

    bool Watch(int fd) {
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.fd = fd;
        return ::epoll_ctl(pollFd, EPOLL_CTL_ADD, fd, &event) == 0;
    }

    std::deque<Connection>::iterator Drop(std::deque<Connection>::iterator it) {
        ::close(it->fd);  // also leaves the epoll set
        return connections.erase(it);
    }

    void AcceptWaiting() {
        for (std::size_t taken = 0; taken < limits.maxConnections; ++taken) {
            int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) {
                if (errno == EINTR) continue;
                return;  // EAGAIN: nothing more waiting
            }
            if (!Watch(fd)) {
                ::close(fd);
                continue;
            }
            ++accepted;
            if (connections.size() >= limits.maxConnections) Drop(connections.begin());
            connections.push_back(
                {fd, Clock::now() + std::chrono::milliseconds(limits.connectionLifetimeMs),
                 LineBuffer(limits.maxLineBytes)});
        }
    }

    // False when the connection is finished: hung up, broken or over a limit.
    static bool ReadAvailable(Connection& c, std::vector<std::string>& out) {
        char buffer[512];
        for (std::size_t read = 0; read < kBytesPerWake;) {
            ssize_t n = ::read(c.fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
            if (n == 0) return false;  // an unfinished line is lost with its sender
            if (!c.lines.Append(buffer, static_cast<std::size_t>(n), out)) return false;
            read += static_cast<std::size_t>(n);
        }
        return true;
    }

    void ArmTimer() {
        itimerspec due{};
        if (!connections.empty()) {
            Clock::time_point first = connections.front().endOfLife;
            for (const Connection& c : connections)
                first = std::min(first, c.endOfLife);
            auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(first - Clock::now());
            long long wait = std::max<long long>(ns.count(), 1);  // 0 would disarm
            due.it_value.tv_sec = static_cast<time_t>(wait / 1000000000);
            due.it_value.tv_nsec = static_cast<long>(wait % 1000000000);
        }
        ::timerfd_settime(timerFd, 0, &due, nullptr);
    }

    std::vector<std::string> Take() {
        std::uint64_t expirations;
        while (::read(timerFd, &expirations, sizeof expirations) > 0) {
        }
        AcceptWaiting();
        std::vector<std::string> messages;
        const Clock::time_point now = Clock::now();
        for (auto it = connections.begin(); it != connections.end();) {
            bool alive = ReadAvailable(*it, messages) && it->endOfLife > now;
            it = alive ? std::next(it) : Drop(it);
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
    sockaddr_un address;
    if (!FillAddress(path, address)) return listener;
    auto state = std::unique_ptr<State, Free>(new State);
    state->path = path;
    state->limits = limits;
    if (SomeoneListens(address)) return listener;
    state->listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (state->listenFd < 0) return listener;
    // A socket file left by a process that died: nobody owns the name any more.
    ::unlink(path.c_str());
    if (::bind(state->listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        CloseFd(state->listenFd);  // not ours: leave the file alone
        return listener;
    }
    state->pollFd = ::epoll_create1(EPOLL_CLOEXEC);
    state->timerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (::listen(state->listenFd, SOMAXCONN) != 0 || state->pollFd < 0 || state->timerFd < 0 ||
        !state->Watch(state->listenFd) || !state->Watch(state->timerFd)) {
        return listener;
    }
    listener.state_ = std::move(state);
    listener.path_ = path;
    return listener;
}

namespace local_socket {

ReadyHandle Readiness(const LocalListener::State& state) {
    return state.pollFd;
}
std::size_t AcceptedConnections(const LocalListener::State& state) {
    return state.accepted;
}
std::size_t OpenConnections(const LocalListener::State& state) {
    return state.connections.size();
}
std::vector<std::string> Take(LocalListener::State& state) {
    return state.Take();
}
void WaitReady(LocalListener::State& state, int timeoutMs) {
    PollUntil(state.pollFd, POLLIN, Clock::now() + std::chrono::milliseconds(timeoutMs));
}

}  // namespace local_socket

struct LocalConnection::State {
    int fd = -1;
    ~State() { CloseFd(fd); }
};

void LocalConnection::Free::operator()(State* state) const noexcept {
    delete state;
}

LocalConnection LocalConnection::Connect(const std::string& path, int timeoutMs) {
    LocalConnection connection;
    sockaddr_un address;
    if (!FillAddress(path, address)) return connection;
    auto state = std::unique_ptr<State, Free>(new State);
    state->fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (state->fd < 0) return connection;
    // A listener whose backlog is full makes connect() wait; the send timeout bounds that.
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    ::setsockopt(state->fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    int rc;
    do {
        rc = ::connect(state->fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) return connection;
    connection.state_ = std::move(state);
    return connection;
}

bool LocalConnection::Write(const std::string& bytes, int timeoutMs) {
    if (!state_) return false;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(state_->fd, bytes.data() + sent, bytes.size() - sent,
                           MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
            (PollUntil(state_->fd, POLLOUT, deadline) & POLLOUT)) {
            continue;
        }
        return false;
    }
    return true;
}

bool LocalConnection::WaitForHangUp(int timeoutMs) {
    if (!state_) return true;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (PollUntil(state_->fd, POLLIN, deadline) == 0) return false;
        char c;
        ssize_t n = ::recv(state_->fd, &c, 1, MSG_DONTWAIT);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return true;
    }
}

}  // namespace pemu::platform
