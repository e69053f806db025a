#include "platform/local_socket.hpp"

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
