#include "platform/local_socket.hpp"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace pemu::platform {
namespace {

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

// Reads one connection to its end (a sender closes at once; a silent one is dropped after
// a short wait so a stuck peer cannot hang the event loop).
std::string ReadConnection(int fd) {
    std::string text;
    char buffer[512];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        int ready = ::poll(&p, 1, 500);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > 4096) break;  // messages are a few bytes
    }
    return text;
}

void SplitLines(const std::string& text, std::vector<std::string>& out) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

LocalListener::LocalListener(LocalListener&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

LocalListener& LocalListener::operator=(LocalListener&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

LocalListener::~LocalListener() {
    Close();
}

void LocalListener::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(path_.c_str());
    }
    fd_ = -1;
}

LocalListener LocalListener::Listen(const std::string& path) {
    LocalListener listener;
    sockaddr_un address;
    if (!FillAddress(path, address)) return listener;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return listener;
    // A socket file left by a process that died: nobody can own the name but us now.
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 16) != 0) {
        ::close(fd);
        return listener;
    }
    listener.fd_ = fd;
    listener.path_ = path;
    return listener;
}

std::vector<std::string> LocalListener::TakeMessages() {
    std::vector<std::string> messages;
    if (fd_ < 0) return messages;
    for (;;) {
        int connection = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            if (errno == EINTR) continue;
            break;  // EAGAIN: nothing more waiting
        }
        SplitLines(ReadConnection(connection), messages);
        ::close(connection);
    }
    return messages;
}

std::vector<std::string> LocalListener::WaitForMessages(int timeoutMs) {
    if (fd_ < 0) return {};
    pollfd p{fd_, POLLIN, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return TakeMessages();
}

bool SendLocalMessage(const std::string& path, const std::string& message) {
    sockaddr_un address;
    if (!FillAddress(path, address)) return false;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (ok) {
        std::string line = message + "\n";
        ok =
            ::send(fd, line.data(), line.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(line.size());
    }
    ::close(fd);
    return ok;
}

}  // namespace pemu::platform
