// The loopback server under Windows: python3 is a program of the Linux host (Wine starts it),
// so its paths are given as the host names them, and it is stopped through its folder.
#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "loopback_server.hpp"

namespace pemu::testing_support {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Wine's own names between its drives and the host's file system; outside Wine the names
// stay as they are.
std::string HostPath(const fs::path& path) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return path.string();
    char* unix = toUnix(fs::absolute(path).c_str());
    if (!unix) return path.string();
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

std::wstring ProgramPath(const char* hostPath) {
    using ToDos = wchar_t*(CDECL*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return fs::path(hostPath).wstring();
    wchar_t* dos = toDos(hostPath);
    if (!dos) return fs::path(hostPath).wstring();
    std::wstring out = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return out;
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

bool StartSockets() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// A socket bound to a free loopback port; its port in `port`.
SOCKET BindLoopback(int& port) {
    if (!StartSockets()) return INVALID_SOCKET;
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (s == INVALID_SOCKET || ::bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (s != INVALID_SOCKET) ::closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

std::string UrlOn(int port, std::string_view path) {
    return "http://127.0.0.1:" + std::to_string(port) + std::string(path);
}

}  // namespace

struct LoopbackServer::Child {
    PROCESS_INFORMATION process{};
};

LoopbackServer::LoopbackServer(fs::path root)
    : root_(fs::absolute(std::move(root))), child_(std::make_unique<Child>()) {
    fs::create_directories(root_ / "files");
    SetRecord("");
    std::error_code ignored;
    fs::remove(root_ / "port", ignored);
    fs::remove(root_ / "stop", ignored);
    std::wstring command = Quoted(ProgramPath(PEMU_PYTHON3)) + L" " +
                           Quoted(fs::path(PEMU_LOOPBACK_SERVER).wstring()) + L" " +
                           Quoted(fs::path(HostPath(root_)).wstring()) + L" --until-stopped";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child_->process))
        return;
    // It says where it listens once it does; a server that never does is no server.
    for (int i = 0; i < 400 && port_ == 0; ++i) {
        if (std::sscanf(ReadAll(root_ / "port").c_str(), "PORT %d", &port_) != 1) port_ = 0;
        if (port_ == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

LoopbackServer::~LoopbackServer() {
    if (!child_->process.hProcess) return;
    WriteFile(root_ / "stop", "");
    // Wine's stand-in for a host program may outlive it; the server itself is gone once its
    // port no longer answers.
    for (int i = 0; i < 100 && port_ > 0; ++i) {
        int probe = 0;
        const SOCKET s = BindLoopback(probe);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<u_short>(port_));
        const bool answered =
            s != INVALID_SOCKET &&
            ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (s != INVALID_SOCKET) ::closesocket(s);
        if (!answered) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    CloseHandle(child_->process.hThread);
    CloseHandle(child_->process.hProcess);
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
    return ReadAll(root_ / "requests.log");
}

SilentServer::SilentServer() {
    const SOCKET s = BindLoopback(port_);
    if (s != INVALID_SOCKET) ::listen(s, 8);
    socket_ = s == INVALID_SOCKET ? -1 : static_cast<std::intptr_t>(s);
}

SilentServer::~SilentServer() {
    if (socket_ >= 0) ::closesocket(static_cast<SOCKET>(socket_));
}

std::string SilentServer::Url(std::string_view path) const {
    return UrlOn(port_, path);
}

std::string ClosedPortUrl(std::string_view path) {
    // Bound but not listening: the port is ours and refuses every connection.
    static int port = 0;
    static const SOCKET held = BindLoopback(port);
    (void)held;
    return UrlOn(port, path);
}

}  // namespace pemu::testing_support
