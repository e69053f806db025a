#include "shell/instance_channel.hpp"

#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "platform/file_system.hpp"

namespace pemu::shell {
namespace {

constexpr std::array<std::pair<InstanceMessage, const char*>, 3> kWire{{
    {InstanceMessage::kRestoreAndShow, "restore-and-show"},
    {InstanceMessage::kMoveToOrigin, "move-to-10-10"},
    {InstanceMessage::kClose, "close"},
}};

std::vector<InstanceMessage> Decode(const std::vector<std::string>& lines) {
    std::vector<InstanceMessage> messages;
    for (const std::string& line : lines) {
        if (auto message = ParseMessage(line)) messages.push_back(*message);
    }
    return messages;
}

}  // namespace

std::string RuntimeFolderFor(const std::string& dataRoot) {
    // FNV-1a of the canonical path: short enough for socket paths, stable across runs.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : platform::CanonicalPath(dataRoot)) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    char name[32];
    std::snprintf(name, sizeof name, "pemu-%016llx/", static_cast<unsigned long long>(hash));
    std::string folder = platform::RuntimeFolder() + name;
    platform::MakeFolders(folder);
    return folder;
}

const char* MessageText(InstanceMessage message) {
    for (const auto& [m, text] : kWire) {
        if (m == message) return text;
    }
    return "";
}

std::optional<InstanceMessage> ParseMessage(const std::string& text) {
    for (const auto& [m, wire] : kWire) {
        if (text == wire) return m;
    }
    return std::nullopt;
}

InstanceChannel InstanceChannel::Start(const std::string& runtimeFolder, int pid) {
    InstanceChannel channel;
    channel.folder_ = runtimeFolder;
    if (!channel.folder_.empty() && channel.folder_.back() != '/') channel.folder_ += '/';
    channel.pid_ = pid;
    channel.lock_ = platform::InstanceLock::TryAcquire(channel.folder_, kInstanceMutexName);
    channel.role_ = channel.lock_.held() ? InstanceRole::kPrimary : InstanceRole::kChild;
    if (channel.role_ == InstanceRole::kPrimary) {
        channel.listener_ = platform::LocalListener::Listen(channel.SocketPath(std::nullopt));
    } else {
        channel.listener_ = platform::LocalListener::Listen(channel.SocketPath(pid));
        channel.SendToPrimary(InstanceMessage::kRestoreAndShow);
    }
    return channel;
}

std::string InstanceChannel::SocketPath(std::optional<int> childPid) const {
    std::string path = folder_ + kInstanceMutexName;
    if (childPid) path += "." + std::to_string(*childPid);
    return path + ".sock";
}

std::vector<InstanceMessage> InstanceChannel::TakeMessages() {
    return Decode(listener_.TakeMessages());
}

std::vector<InstanceMessage> InstanceChannel::WaitForMessages(int timeoutMs) {
    return Decode(listener_.WaitForMessages(timeoutMs));
}

bool InstanceChannel::SendToPrimary(InstanceMessage message) const {
    return platform::SendLocalMessage(SocketPath(std::nullopt), MessageText(message));
}

bool InstanceChannel::SendToChild(int childPid, InstanceMessage message) const {
    return platform::SendLocalMessage(SocketPath(childPid), MessageText(message));
}

void InstanceChannel::ForgetDeadChild(int childPid) const {
    if (!platform::ProcessIsRunning(childPid)) platform::RemoveFile(SocketPath(childPid));
}

void InstanceChannel::Shutdown() {
    listener_ = platform::LocalListener();
    lock_.Release();
}

}  // namespace pemu::shell
