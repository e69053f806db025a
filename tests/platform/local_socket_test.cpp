#include "platform/local_socket.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "spawn.hpp"

namespace pemu::platform {
namespace {

// Every wait below only guards against a hang; no result depends on how fast anything is.
constexpr int kGuardMs = 10000;

// A folder of its own per test, short enough for socket paths, on both systems.
class SocketFolder {
  public:
    SocketFolder() {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() /
                  ("pemu-sock-" + std::to_string(random() % 1000000000u));
        std::filesystem::create_directories(folder_);
    }
    ~SocketFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::string operator/(const std::string& name) const { return (folder_ / name).string(); }

  private:
    std::filesystem::path folder_;
};

// Takes messages until `count` have come or the guard runs out.
std::vector<std::string> Collect(LocalListener& listener, std::size_t count) {
    std::vector<std::string> all;
    for (int round = 0; round < 100 && all.size() < count; ++round) {
        for (std::string& m : listener.WaitForMessages(kGuardMs / 100))
            all.push_back(m);
    }
    return all;
}

// A connection the listener has accepted; it stays as its test leaves it.
LocalConnection Accepted(LocalListener& listener, const std::string& path) {
    const std::size_t before = listener.acceptedConnections();
    LocalConnection connection = LocalConnection::Connect(path, kGuardMs);
    for (int round = 0; round < 100 && listener.acceptedConnections() == before; ++round) {
        listener.WaitForMessages(kGuardMs / 100);
    }
    return connection;
}

TEST(LineBuffer, CutsCompleteLinesAndRefusesOverlongOnes) {
    const std::string longest(16, 'x');
    struct Case {
        const char* name;
        std::vector<std::string> pieces;
        std::vector<std::string> lines;
        bool ok;
        std::size_t pending;
    };
    const Case cases[] = {
        {"one line", {"close\n"}, {"close"}, true, 0},
        {"split anywhere", {"clo", "se\nmove-", "to-10-10\n"}, {"close", "move-to-10-10"}, true, 0},
        {"empty lines skipped", {"\n\na\n\n"}, {"a"}, true, 0},
        {"unfinished tail kept", {"a\nrest"}, {"a"}, true, 4},
        {"at the limit", {longest + "\n"}, {longest}, true, 0},
        {"limit reached in pieces",
         {longest.substr(0, 9), longest.substr(9) + "\n"},
         {longest},
         true,
         0},
        {"one past the limit", {"a\n" + longest + "y\n"}, {"a"}, false, 16},
        {"past the limit without newline", {longest, "y"}, {}, false, 16},
    };
    for (const Case& c : cases) {
        LineBuffer buffer(longest.size());
        std::vector<std::string> lines;
        bool ok = true;
        for (const std::string& piece : c.pieces) {
            ok = buffer.Append(piece.data(), piece.size(), lines) && ok;
        }
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(ok, c.ok) << c.name;
        EXPECT_EQ(buffer.pending(), c.pending) << c.name;
    }
}

TEST(LocalSocket, SilentConnectionDoesNotHoldUpOthers) {
    SocketFolder dir;
    const std::string path = dir / "s.sock";
    ListenerLimits limits;
    limits.connectionLifetimeMs = 60000;
    LocalListener listener = LocalListener::Listen(path, limits);
    ASSERT_TRUE(listener.listening());
    LocalConnection silent = Accepted(listener, path);
    ASSERT_TRUE(silent.connected());
    ASSERT_EQ(listener.openConnections(), 1u);
    EXPECT_TRUE(listener.TakeMessages().empty());
    for (const char* m : {"close", "move-to-10-10", "restore-and-show"}) {
        ASSERT_TRUE(SendLocalMessage(path, m));
        EXPECT_EQ(Collect(listener, 1), std::vector<std::string>{m});
    }
    // The silent one was neither waited for nor given up on.
    EXPECT_FALSE(silent.WaitForHangUp(0));
    EXPECT_TRUE(listener.openConnections() >= 1u);
}

TEST(LocalSocket, HalfSentLineIsKeptUntilItsRestComes) {
    SocketFolder dir;
    const std::string path = dir / "s.sock";
    LocalListener listener = LocalListener::Listen(path);
    ASSERT_TRUE(listener.listening());
    LocalConnection slow = Accepted(listener, path);
    ASSERT_TRUE(slow.Write("restore-", kGuardMs));
    EXPECT_TRUE(listener.WaitForMessages(200).empty());
    ASSERT_TRUE(slow.Write("and-show\nclo", kGuardMs));
    EXPECT_EQ(Collect(listener, 1), std::vector<std::string>{"restore-and-show"});
    ASSERT_TRUE(slow.Write("se\n", kGuardMs));
    EXPECT_EQ(Collect(listener, 1), std::vector<std::string>{"close"});
}

TEST(LocalSocket, LineCutOffByItsSenderIsNotDelivered) {
    SocketFolder dir;
    const std::string path = dir / "s.sock";
    LocalListener listener = LocalListener::Listen(path);
    ASSERT_TRUE(listener.listening());
    {
        LocalConnection dying = Accepted(listener, path);
        ASSERT_TRUE(dying.Write("close\nmove-to", kGuardMs));
    }
    ASSERT_TRUE(SendLocalMessage(path, "restore-and-show"));
    EXPECT_EQ(Collect(listener, 2), (std::vector<std::string>{"close", "restore-and-show"}));
    EXPECT_TRUE(listener.WaitForMessages(200).empty());
}

TEST(LocalSocket, OverlongLineEndsOnlyItsOwnConnection) {
    SocketFolder dir;
    const std::string path = dir / "s.sock";
    ListenerLimits limits;
    limits.maxLineBytes = 64;
    limits.connectionLifetimeMs = 60000;
    LocalListener listener = LocalListener::Listen(path, limits);
    ASSERT_TRUE(listener.listening());
    LocalConnection flood = Accepted(listener, path);
    LocalConnection other = Accepted(listener, path);
    ASSERT_TRUE(flood.Write("close\n" + std::string(65, 'x') + "\nclose\n", kGuardMs));
    ASSERT_TRUE(other.Write("move-to-10-10\n", kGuardMs));
    EXPECT_EQ(Collect(listener, 2), (std::vector<std::string>{"close", "move-to-10-10"}));
    EXPECT_TRUE(flood.WaitForHangUp(kGuardMs)) << "the flooding peer is dropped";
    EXPECT_TRUE(listener.WaitForMessages(200).empty()) << "nothing after the overlong line";
    EXPECT_FALSE(other.WaitForHangUp(0));
    ASSERT_TRUE(other.Write("close\n", kGuardMs));
    EXPECT_EQ(Collect(listener, 1), std::vector<std::string>{"close"});
}

TEST(LocalSocket, SilentConnectionIsDroppedAtTheEndOfItsLife) {
    SocketFolder dir;
    const std::string path = dir / "s.sock";
    ListenerLimits limits;
    limits.connectionLifetimeMs = 100;
    LocalListener listener = LocalListener::Listen(path, limits);
    ASSERT_TRUE(listener.listening());
    LocalConnection silent = Accepted(listener, path);
    ASSERT_TRUE(silent.connected());
    bool dropped = false;
    for (int round = 0; round < 100 && !dropped; ++round) {
        listener.WaitForMessages(kGuardMs / 100);
        dropped = silent.WaitForHangUp(0);
    }
    EXPECT_TRUE(dropped);
    EXPECT_EQ(listener.openConnections(), 0u);
    EXPECT_FALSE(silent.Write("close\n", kGuardMs)) << "nobody reads a dropped connection";
}

TEST(LocalSocket, ManyConnectionsAtOnceAndTheOldestGivesWayBeyondTheLimit) {
    SocketFolder dir;
    const std::string path = dir / "s.sock";
    ListenerLimits limits;
    limits.maxConnections = 8;
    limits.connectionLifetimeMs = 60000;
    LocalListener listener = LocalListener::Listen(path, limits);
    ASSERT_TRUE(listener.listening());
    std::vector<LocalConnection> open;
    for (int i = 0; i < 12; ++i)
        open.push_back(Accepted(listener, path));
    EXPECT_EQ(listener.openConnections(), 8u);
    EXPECT_TRUE(open.front().WaitForHangUp(kGuardMs)) << "the oldest made room";
    EXPECT_FALSE(open.back().WaitForHangUp(0));
    // Every connection still open is read; all lines come, in the order of acceptance.
    std::vector<std::string> expected;
    for (int i = 4; i < 12; ++i) {
        ASSERT_TRUE(
            open[static_cast<std::size_t>(i)].Write("m" + std::to_string(i) + "\n", kGuardMs));
        expected.push_back("m" + std::to_string(i));
    }
    EXPECT_EQ(Collect(listener, expected.size()), expected);
}

TEST(LocalSocket, TwoProcessesExchangeMessages) {
    SocketFolder dir;
    const std::string mine = dir / "test.sock";
    const std::string peers = dir / "peer.sock";
    LocalListener listener = LocalListener::Listen(mine);
    ASSERT_TRUE(listener.listening());
    testing::Spawned peer = testing::Spawned::Start("local-socket-peer", {mine, peers});
    ASSERT_TRUE(peer.started());
    ASSERT_EQ(Collect(listener, 1), std::vector<std::string>{"hello"});
    ASSERT_TRUE(SendLocalMessage(peers, "close"));
    EXPECT_EQ(Collect(listener, 1), std::vector<std::string>{"got close"});
    EXPECT_EQ(peer.WaitForExit(kGuardMs), 0);
    EXPECT_FALSE(SendLocalMessage(peers, "close")) << "its listener ended with it";
}

TEST(LocalSocket, ALiveNameIsNotTakenOver) {
    SocketFolder dir;
    const std::string path = dir / "s.sock";
    LocalListener first = LocalListener::Listen(path);
    ASSERT_TRUE(first.listening());
    EXPECT_FALSE(LocalListener::Listen(path).listening());
    ASSERT_TRUE(SendLocalMessage(path, "close"));
    EXPECT_EQ(Collect(first, 1), std::vector<std::string>{"close"});
    first = LocalListener();
    LocalListener next = LocalListener::Listen(path);
    ASSERT_TRUE(next.listening()) << "free again once its holder closed";
    ASSERT_TRUE(SendLocalMessage(path, "close"));
    EXPECT_EQ(Collect(next, 1), std::vector<std::string>{"close"});
}

TEST(LocalSocket, RefusedPathsAndAnUnboundListener) {
    SocketFolder dir;
    EXPECT_FALSE(LocalListener::Listen("").listening());
    const std::string tooLong =
        (dir / std::string(kMaxLocalPathBytes, 'x')).substr(0, kMaxLocalPathBytes + 1);
    EXPECT_FALSE(LocalListener::Listen(tooLong).listening());
    EXPECT_FALSE(LocalConnection::Connect(tooLong, 100).connected());
    EXPECT_FALSE(SendLocalMessage(dir / "nobody.sock", "close"));
    LocalListener unbound;
    EXPECT_EQ(unbound.readiness(), kNoReadyHandle);
    EXPECT_TRUE(unbound.TakeMessages().empty());
    EXPECT_TRUE(unbound.WaitForMessages(0).empty());
}

}  // namespace
}  // namespace pemu::platform
