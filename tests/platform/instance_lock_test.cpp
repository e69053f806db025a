#include "platform/instance_lock.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/local_socket.hpp"
#include "temp_folder.hpp"

namespace pemu::platform {
namespace {

using testing::TempFolder;

TEST(InstanceLock, OnlyOneHolderUntilReleased) {
    TempFolder dir;
    InstanceLock first = InstanceLock::TryAcquire(dir.path(), "Ostrivel_PEMU");
    ASSERT_TRUE(first.held());
    EXPECT_FALSE(InstanceLock::TryAcquire(dir.path(), "Ostrivel_PEMU").held());
    EXPECT_TRUE(InstanceLock::TryAcquire(dir.path(), "Other").held()) << "names are separate";
    first.Release();
    EXPECT_TRUE(InstanceLock::TryAcquire(dir.path(), "Ostrivel_PEMU").held());
}

TEST(InstanceLock, KilledHolderLeavesNoStaleLock) {
    TempFolder dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        InstanceLock lock = InstanceLock::TryAcquire(dir.path(), "Ostrivel_PEMU");
        char c = lock.held() ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        ::pause();  // killed below, never releases
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    EXPECT_EQ(c, 'y');
    EXPECT_FALSE(InstanceLock::TryAcquire(dir.path(), "Ostrivel_PEMU").held());
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(InstanceLock::TryAcquire(dir.path(), "Ostrivel_PEMU").held());
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(InstanceLock, UncreatableLockFileCountsAsHeld) {
    TempFolder dir;
    testing::WriteFile(dir / "file", "");
    EXPECT_TRUE(InstanceLock::TryAcquire(dir / "file", "Ostrivel_PEMU").held());
}

TEST(LocalSocket, DeliversMessagesInOrderAndRemovesItsFile) {
    TempFolder dir;
    const std::string path = dir / "s.sock";
    {
        LocalListener listener = LocalListener::Listen(path);
        ASSERT_TRUE(listener.listening());
        EXPECT_TRUE(listener.TakeMessages().empty()) << "never blocks";
        EXPECT_TRUE(SendLocalMessage(path, "close"));
        EXPECT_TRUE(SendLocalMessage(path, "move-to-10-10"));
        EXPECT_EQ(listener.WaitForMessages(1000),
                  (std::vector<std::string>{"close", "move-to-10-10"}));
    }
    EXPECT_FALSE(testing::Exists(path));
    EXPECT_FALSE(SendLocalMessage(path, "close")) << "nobody listens";
}

TEST(LocalSocket, StaleSocketFileIsReplaced) {
    TempFolder dir;
    const std::string path = dir / "s.sock";
    pid_t owner = ::fork();
    if (owner == 0) {
        LocalListener listener = LocalListener::Listen(path);
        ::_exit(listener.listening() ? 0 : 1);  // dies without removing its file
    }
    int status = 0;
    ::waitpid(owner, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(testing::Exists(path));
    EXPECT_FALSE(SendLocalMessage(path, "close"));
    LocalListener listener = LocalListener::Listen(path);
    ASSERT_TRUE(listener.listening());
    EXPECT_TRUE(SendLocalMessage(path, "close"));
    EXPECT_EQ(listener.WaitForMessages(1000), std::vector<std::string>{"close"});
}

TEST(LocalSocket, OverlongPathIsRefused) {
    std::string path = "/tmp/" + std::string(200, 'x');
    EXPECT_FALSE(LocalListener::Listen(path).listening());
    EXPECT_FALSE(SendLocalMessage(path, "close"));
}

}  // namespace
}  // namespace pemu::platform
