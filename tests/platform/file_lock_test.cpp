// The file lock between real processes: exclusion, a bounded wait, release by the kernel.
#include "platform/file_lock.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/file_system.hpp"
#include "temp_folder.hpp"

namespace pemu::platform {
namespace {

using testing::TempFolder;

// A process that takes the lock, says so on a pipe and then waits for one byte: 'r' releases
// the lock and ends, anything else (or the pipe closing) ends without releasing first.
class Holder {
  public:
    explicit Holder(const std::string& path) {
        int up[2];
        int down[2];
        if (::pipe(up) != 0 || ::pipe(down) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            FileLock lock = FileLock::Acquire(path, 0);
            char said = lock.held() ? 'y' : 'n';
            (void)!::write(up[1], &said, 1);
            char order = 0;
            (void)!::read(down[0], &order, 1);
            if (order == 'r') lock.Release();
            ::_exit(0);
        }
        ::close(up[1]);
        ::close(down[0]);
        fromHolder_ = up[0];
        toHolder_ = down[1];
    }
    ~Holder() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(fromHolder_);
        ::close(toHolder_);
    }
    bool Holds() {
        char said = 0;
        return ::read(fromHolder_, &said, 1) == 1 && said == 'y';
    }
    void Order(char order) { (void)!::write(toHolder_, &order, 1); }
    void Kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
    int fromHolder_ = -1;
    int toHolder_ = -1;
};

TEST(FileLock, AnotherProcessWaitsInVainUntilTheHolderEndsOrReleases) {
    TempFolder dir;
    const std::string path = dir / "log.lock";
    {
        Holder holder(path);
        ASSERT_TRUE(holder.Holds());
        FileLock waited = FileLock::Acquire(path, 100);
        EXPECT_FALSE(waited.held());
        EXPECT_EQ(waited.outcome(), FileLock::Outcome::kTimedOut);
        EXPECT_NE(waited.what().find(path), std::string::npos) << waited.what();
        holder.Kill();  // a crash: nothing released by the program itself
        FileLock after = FileLock::Acquire(path, 10000);
        EXPECT_TRUE(after.held()) << after.what();
    }
    Holder holder(path);
    ASSERT_TRUE(holder.Holds());
    holder.Order('r');
    FileLock after = FileLock::Acquire(path, 10000);
    EXPECT_EQ(after.outcome(), FileLock::Outcome::kHeld);
    EXPECT_TRUE(PathExists(path)) << "the lock file stays for the next holder";
}

TEST(FileLock, TwoLocksInOneProcessExcludeEachOther) {
    TempFolder dir;
    FileLock first = FileLock::Acquire(dir / "a.lock", 0);
    ASSERT_TRUE(first.held());
    EXPECT_FALSE(FileLock::Acquire(dir / "a.lock", 0).held());
    EXPECT_TRUE(FileLock::Acquire(dir / "b.lock", 0).held()) << "paths are separate";
    FileLock moved = std::move(first);
    EXPECT_TRUE(moved.held());
    EXPECT_FALSE(FileLock::Acquire(dir / "a.lock", 0).held()) << "a move keeps holding it";
    moved.Release();
    EXPECT_FALSE(moved.held());
    EXPECT_EQ(moved.outcome(), FileLock::Outcome::kHeld) << "it still tells how it began";
    EXPECT_TRUE(FileLock::Acquire(dir / "a.lock", 0).held());
}

TEST(FileLock, LockFileThatCannotBeMadeIsUnavailable) {
    TempFolder dir;
    testing::WriteFile(dir / "plain", "");
    for (const std::string& path : {dir / "missing/x.lock", dir / "plain/x.lock"}) {
        FileLock lock = FileLock::Acquire(path, 1000);
        EXPECT_FALSE(lock.held()) << path;
        EXPECT_EQ(lock.outcome(), FileLock::Outcome::kUnavailable) << path;
        EXPECT_NE(lock.what().find(path), std::string::npos) << lock.what();
    }
}

// Read, add one, write back: without exclusion processes running it at once lose updates.
TEST(FileLock, ProcessesCountingTogetherLoseNoUpdate) {
    TempFolder dir;
    const std::string counter = dir / "counter";
    const std::string lockPath = dir / "counter.lock";
    testing::WriteFile(counter, "0");
    constexpr int kProcesses = 6;
    constexpr int kRounds = 60;
    std::vector<pid_t> workers;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (int round = 0; round < kRounds; ++round) {
                FileLock lock = FileLock::Acquire(lockPath, 30000);
                if (!lock.held()) ::_exit(2);
                const int seen = std::stoi(ReadWholeFile(counter).value_or("0"));
                ::usleep(100);  // widens the window a missing lock would leave open
                if (!WriteFileAtomically(counter, std::to_string(seen + 1))) ::_exit(3);
            }
            ::_exit(0);
        }
        workers.push_back(pid);
    }
    for (pid_t pid : workers) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    EXPECT_EQ(ReadWholeFile(counter).value_or(""), std::to_string(kProcesses * kRounds));
}

}  // namespace
}  // namespace pemu::platform
