#include "loopback_server.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

extern char** environ;

namespace pemu::testing_support {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A socket bound to a free loopback port; its port in `port`.
int BindLoopback(int& port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (s >= 0) ::close(s);
        return -1;
    }
    port = ntohs(address.sin_port);
    return s;
}

std::string UrlOn(int port, std::string_view path) {
    return "http://127.0.0.1:" + std::to_string(port) + std::string(path);
}

}  // namespace

struct LoopbackServer::Child {
    pid_t pid = -1;
};

LoopbackServer::LoopbackServer(fs::path root)
    : root_(std::move(root)), child_(std::make_unique<Child>()) {
    fs::create_directories(root_ / "files");
    SetRecord("");
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string script = PEMU_LOOPBACK_SERVER;
    const std::string folder = root_.string();
    char* argv[] = {const_cast<char*>("python3"), const_cast<char*>(script.c_str()),
                    const_cast<char*>(folder.c_str()), nullptr};
    const int spawned = ::posix_spawnp(&child_->pid, "python3", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        child_->pid = -1;
        ::close(out[0]);
        return;
    }
    // The first line says where it listens.
    if (FILE* from = ::fdopen(out[0], "r")) {
        if (std::fscanf(from, "PORT %d", &port_) != 1) port_ = 0;
        std::fclose(from);
    }
}

LoopbackServer::~LoopbackServer() {
    if (child_->pid > 0) {
        ::kill(child_->pid, SIGTERM);
        ::waitpid(child_->pid, nullptr, 0);
    }
}

std::string LoopbackServer::Url(std::string_view path) const {
    return UrlOn(port_, path);
}

void LoopbackServer::SetRecord(std::string_view body, int status) {
    WriteFile(root_ / "AppVer.txt", body);
    WriteFile(root_ / "AppVer.status", std::to_string(status));
}

void LoopbackServer::SetRecordFor(std::string_view version, std::string_view fileName) {
    SetRecord("[PemuAppVer][Ver]" + std::string(version) + "[Url]" + Url("/files/") + "[Fil]" +
              std::string(fileName) + "[Siz]100[Last][End]");
}

void LoopbackServer::AddFile(std::string_view name, std::string_view bytes) {
    WriteFile(root_ / "files" / std::string(name), bytes);
}

std::string LoopbackServer::RequestLog() const {
    std::ifstream in(root_ / "requests.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

SilentServer::SilentServer() {
    socket_ = BindLoopback(port_);
    if (socket_ >= 0) ::listen(static_cast<int>(socket_), 8);
}

SilentServer::~SilentServer() {
    if (socket_ >= 0) ::close(static_cast<int>(socket_));
}

std::string SilentServer::Url(std::string_view path) const {
    return UrlOn(port_, path);
}

std::string ClosedPortUrl(std::string_view path) {
    // Bound but not listening: the port is ours and refuses every connection.
    static int port = 0;
    static const int held = BindLoopback(port);
    (void)held;
    return UrlOn(port, path);
}

}  // namespace pemu::testing_support
