#pragma once
// Test support: a real child process with pipes to its stdin and stdout, read line by line.
// The waits only guard against a hung helper; no test depends on how fast it is.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

namespace pemu::testing {

class HelperProcess {
  public:
    // `env` holds "NAME=value" entries added to this process's environment for the helper.
    HelperProcess(const std::string& program, const std::vector<std::string>& args,
                  const std::vector<std::string>& env = {}) {
        int in[2];
        int out[2];
        if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], STDIN_FILENO);
            ::dup2(out[1], STDOUT_FILENO);
            for (const std::string& e : env)
                ::putenv(const_cast<char*>(e.c_str()));
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(program.c_str()));
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
    }
    ~HelperProcess() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (toChild_ >= 0) ::close(toChild_);
        if (fromChild_ >= 0) ::close(fromChild_);
    }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    int pid() const { return pid_; }

    void Send(const std::string& line) {
        std::string text = line + "\n";
        (void)!::write(toChild_, text.data(), text.size());
    }

    // The next line of output; nullopt when the helper ended or stayed silent too long.
    std::optional<std::string> ReadLine(int guardMs = 10000) {
        for (;;) {
            std::size_t lf = buffer_.find('\n');
            if (lf != std::string::npos) {
                std::string line = buffer_.substr(0, lf);
                buffer_.erase(0, lf + 1);
                return line;
            }
            pollfd p{fromChild_, POLLIN, 0};
            if (::poll(&p, 1, guardMs) <= 0) return std::nullopt;
            char chunk[512];
            ssize_t n = ::read(fromChild_, chunk, sizeof chunk);
            if (n <= 0) return std::nullopt;
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // Reads lines until one begins with `prefix`.
    std::optional<std::string> ReadUntil(const std::string& prefix) {
        while (std::optional<std::string> line = ReadLine()) {
            if (line->rfind(prefix, 0) == 0) return line;
        }
        return std::nullopt;
    }

    // Exit status, or -1 when it had to be killed.
    int Wait(int guardMs = 10000) {
        for (int waited = 0; waited < guardMs; waited += 10) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            ::usleep(10000);
        }
        return -1;
    }

  private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
    bool exited_ = false;
    std::string buffer_;
};

}  // namespace pemu::testing
