#include <windows.h>

#include <string>

#include "spawn.hpp"

namespace pemu::testing {
namespace {

std::wstring Wide(const std::string& text) {
    int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          size);
    return wide;
}

// Our arguments carry no quotes or trailing backslashes; quoting keeps spaces in paths.
std::wstring Quoted(const std::wstring& arg) {
    return L"\"" + arg + L"\"";
}

}  // namespace

struct Spawned::Process {
    PROCESS_INFORMATION info{};
    bool exited = false;
};

Spawned::Spawned() = default;
Spawned::Spawned(Spawned&&) noexcept = default;
Spawned& Spawned::operator=(Spawned&&) noexcept = default;

Spawned::~Spawned() {
    if (!process_) return;
    if (!process_->exited) {
        ::TerminateProcess(process_->info.hProcess, 1);
        ::WaitForSingleObject(process_->info.hProcess, 5000);
    }
    ::CloseHandle(process_->info.hThread);
    ::CloseHandle(process_->info.hProcess);
}

Spawned Spawned::Start(const std::string& program, const std::vector<std::string>& args) {
    Spawned spawned;
    wchar_t self[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + Wide(program) + L".exe";
    std::wstring commandLine = Quoted(path);
    for (const std::string& a : args)
        commandLine += L" " + Quoted(Wide(a));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    auto process = std::make_unique<Process>();
    if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process->info)) {
        return spawned;
    }
    spawned.process_ = std::move(process);
    return spawned;
}

bool Spawned::started() const {
    return process_ != nullptr;
}

std::optional<int> Spawned::WaitForExit(int timeoutMs) {
    if (!process_) return std::nullopt;
    if (::WaitForSingleObject(process_->info.hProcess, static_cast<DWORD>(timeoutMs)) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    process_->exited = true;
    DWORD code = 0;
    ::GetExitCodeProcess(process_->info.hProcess, &code);
    return static_cast<int>(code);
}

}  // namespace pemu::testing
