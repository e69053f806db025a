#include "shell/instance_channel.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "spawn.hpp"

namespace pemu::shell {
namespace {

constexpr int kGuardMs = 10000;  // against a hang only

class RunFolder {
  public:
    RunFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("pemu-run-" + std::to_string(random() % 1000000000u));
        std::filesystem::create_directories(path_);
    }
    ~RunFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

std::vector<InstanceMessage> Collect(InstanceChannel& channel, std::size_t count) {
    std::vector<InstanceMessage> all;
    for (int round = 0; round < 20 && all.size() < count; ++round) {
        for (InstanceMessage m : channel.WaitForMessages(kGuardMs / 20))
            all.push_back(m);
    }
    return all;
}

// Another process: the named lock makes it the child, it asks the primary to show itself,
// and the primary's close order reaches it.
TEST(InstanceChannel, ASecondProcessIsAChildAndFollowsThePrimary) {
    RunFolder run;
    InstanceChannel primary = InstanceChannel::Start(run.path(), 1111);
    ASSERT_EQ(primary.role(), InstanceRole::kPrimary);
    testing::Spawned copy = testing::Spawned::Start("channel-copy", {run.path(), "4321"});
    ASSERT_TRUE(copy.started());
    ASSERT_EQ(Collect(primary, 1), std::vector<InstanceMessage>{InstanceMessage::kRestoreAndShow});
    EXPECT_TRUE(primary.SendToChild(4321, InstanceMessage::kClose));
    EXPECT_EQ(copy.WaitForExit(kGuardMs), 0);
    EXPECT_FALSE(primary.SendToChild(4321, InstanceMessage::kClose)) << "it ended";
}

}  // namespace
}  // namespace pemu::shell
