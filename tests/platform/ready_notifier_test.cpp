#include "platform/qt/ready_notifier.hpp"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace pemu::platform {
namespace {

QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "ready_notifier_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}

std::string SocketPath() {
    std::random_device random;
    return (std::filesystem::temp_directory_path() /
            ("pemu-notify-" + std::to_string(random() % 1000000000u) + ".sock"))
        .string();
}

// Runs the event loop until `done` or the guard runs out; only the notifier
// makes the listener do anything meanwhile.
bool RunUntil(const std::function<bool()>& done, int guardMs = 10000) {
    QTimer tick;  // wakes the loop to look at `done`; takes nothing from the listener
    tick.start(50);
    QElapsedTimer guard;
    guard.start();
    while (!done() && guard.elapsed() < guardMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

class ReadyNotifierTest : public ::testing::Test {
  protected:
    void Listen(const ListenerLimits& limits) {
        Application();
        path_ = SocketPath();
        listener_ = LocalListener::Listen(path_, limits);
        ASSERT_TRUE(listener_.listening());
        notifier_ = std::make_unique<ReadyNotifier>(listener_.readiness(), nullptr);
        QObject::connect(notifier_.get(), &ReadyNotifier::ready, [this] {
            for (std::string& m : listener_.TakeMessages())
                taken_.push_back(m);
        });
    }
    void TearDown() override {
        notifier_.reset();
        listener_ = LocalListener();
    }

    std::string path_;
    LocalListener listener_;
    std::unique_ptr<ReadyNotifier> notifier_;
    std::vector<std::string> taken_;
};

TEST_F(ReadyNotifierTest, MessagesReachTheEventLoop) {
    Listen({});
    ASSERT_TRUE(SendLocalMessage(path_, "close"));
    ASSERT_TRUE(SendLocalMessage(path_, "move-to-10-10"));
    EXPECT_TRUE(RunUntil([this] { return taken_.size() >= 2; }));
    EXPECT_EQ(taken_, (std::vector<std::string>{"close", "move-to-10-10"}));
}

TEST_F(ReadyNotifierTest, AnIdleLoopStillDropsASilentConnection) {
    ListenerLimits limits;
    limits.connectionLifetimeMs = 100;
    Listen(limits);
    LocalConnection silent = LocalConnection::Connect(path_, 5000);
    ASSERT_TRUE(silent.connected());
    EXPECT_TRUE(RunUntil([&silent] { return silent.WaitForHangUp(0); }));
    EXPECT_EQ(listener_.openConnections(), 0u);
    EXPECT_TRUE(taken_.empty());
}

TEST(ReadyNotifier, NoHandleNeverSignals) {
    Application();
    ReadyNotifier notifier(kNoReadyHandle, nullptr);
    bool signalled = false;
    QObject::connect(&notifier, &ReadyNotifier::ready, [&signalled] { signalled = true; });
    RunUntil([] { return false; }, 200);
    EXPECT_FALSE(signalled);
}

}  // namespace
}  // namespace pemu::platform
