#include "platform/local_socket.hpp"

#include <chrono>

#include "platform/local_socket_state.hpp"

namespace pemu::platform {

bool LineBuffer::Append(const char* bytes, std::size_t size, std::vector<std::string>& out) {
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] != '\n') {
            if (partial_.size() == maxLineBytes_) return false;
            partial_.push_back(bytes[i]);
            continue;
        }
        if (!partial_.empty()) out.push_back(std::move(partial_));
        partial_.clear();
    }
    return true;
}

bool LocalListener::listening() const {
    return state_ != nullptr;
}

ReadyHandle LocalListener::readiness() const {
    return state_ ? local_socket::Readiness(*state_) : kNoReadyHandle;
}

std::size_t LocalListener::acceptedConnections() const {
    return state_ ? local_socket::AcceptedConnections(*state_) : 0;
}

std::size_t LocalListener::openConnections() const {
    return state_ ? local_socket::OpenConnections(*state_) : 0;
}

std::vector<std::string> LocalListener::TakeMessages() {
    return state_ ? local_socket::Take(*state_) : std::vector<std::string>{};
}

std::vector<std::string> LocalListener::WaitForMessages(int timeoutMs) {
    if (!state_) return {};
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        std::vector<std::string> messages = local_socket::Take(*state_);
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (!messages.empty() || left.count() <= 0) return messages;
        local_socket::WaitReady(*state_, static_cast<int>(left.count()));
    }
}

bool LocalConnection::connected() const {
    return state_ != nullptr;
}

void LocalConnection::Close() {
    state_.reset();
}

bool SendLocalMessage(const std::string& path, const std::string& message, int timeoutMs) {
    LocalConnection connection = LocalConnection::Connect(path, timeoutMs);
    return connection.connected() && connection.Write(message + "\n", timeoutMs);
}

}  // namespace pemu::platform
