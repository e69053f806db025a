#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "spawn.hpp"

namespace pemu::testing {

struct Spawned::Process {
    pid_t pid = -1;
    bool exited = false;
};

Spawned::Spawned() = default;
Spawned::Spawned(Spawned&&) noexcept = default;
Spawned& Spawned::operator=(Spawned&&) noexcept = default;

Spawned::~Spawned() {
    if (process_ && !process_->exited) {
        ::kill(process_->pid, SIGKILL);
        ::waitpid(process_->pid, nullptr, 0);
    }
}

Spawned Spawned::Start(const std::string& program, const std::vector<std::string>& args) {
    Spawned spawned;
    const std::string path =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / program).string();
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid < 0) return spawned;
    if (pid == 0) {
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    spawned.process_ = std::make_unique<Process>();
    spawned.process_->pid = pid;
    return spawned;
}

bool Spawned::started() const {
    return process_ != nullptr;
}

std::optional<int> Spawned::WaitForExit(int timeoutMs) {
    if (!process_) return std::nullopt;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        if (::waitpid(process_->pid, &status, WNOHANG) == process_->pid) {
            process_->exited = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace pemu::testing
