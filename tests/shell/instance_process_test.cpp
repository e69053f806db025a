// Real running copies: the helper executable started more than once over one data root.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "../platform/temp_folder.hpp"
#include "helper_process.hpp"

namespace pemu::shell {
namespace {

using testing::Exists;
using testing::HelperProcess;
using testing::TempFolder;

class RunningCopies : public ::testing::Test {
  protected:
    std::unique_ptr<HelperProcess> Start() {
        return std::make_unique<HelperProcess>(
            PEMU_INSTANCE_HELPER, std::vector<std::string>{},
            std::vector<std::string>{"PEMU_DATA_ROOT=" + data.path(),
                                     "PEMU_RUNTIME_DIR=" + runtime.path()});
    }
    std::string Pid(const std::string& name) { return data / ("PemuFiles/_sys/PID/" + name); }
    std::size_t PidEntries() {
        std::error_code ignored;
        auto it = std::filesystem::directory_iterator(data / "PemuFiles/_sys/PID", ignored);
        return static_cast<std::size_t>(std::distance(it, std::filesystem::directory_iterator()));
    }

    // Files of that name anywhere below the runtime folder.
    int RuntimeFiles(const std::string& name) {
        int count = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(runtime.path())) {
            count += entry.path().filename() == name;
        }
        return count;
    }

    TempFolder runtime;
    TempFolder data;
};

TEST_F(RunningCopies, ChildGetsItsOwnFilesAndIsClosedByThePrimary) {
    auto primary = Start();
    ASSERT_EQ(primary->ReadLine().value_or(""),
              "role primary pid " + std::to_string(primary->pid()) + " caption Pemu");
    auto child = Start();
    const std::string childPid = std::to_string(child->pid());
    EXPECT_EQ(child->ReadLine().value_or(""),
              "role child pid " + childPid + " caption Pemu *子起動* PID" + childPid);
    EXPECT_EQ(primary->ReadLine().value_or(""), "message restore-and-show");
    EXPECT_TRUE(Exists(Pid("PID" + childPid + ".ini")));
    EXPECT_TRUE(Exists(Pid("PID" + childPid + "UserCustumSkin")));

    child->Send("move");
    EXPECT_EQ(child->ReadLine().value_or(""), "sent 1");
    EXPECT_EQ(primary->ReadLine().value_or(""), "message move-to-10-10");

    primary->Send("quit");
    EXPECT_EQ(primary->ReadLine().value_or(""), "saved ok closed=" + childPid);
    EXPECT_EQ(child->ReadLine().value_or(""), "message close");
    EXPECT_EQ(child->ReadLine().value_or(""), "saved ok closed=");
    EXPECT_EQ(primary->Wait(), 0);
    EXPECT_EQ(child->Wait(), 0);
    EXPECT_EQ(PidEntries(), 0u);
    EXPECT_TRUE(Exists(data / "PemuFiles/_sys/Pemu.ini")) << "the primary saved its settings";
}

TEST_F(RunningCopies, EndingThePrimaryClosesEveryChild) {
    auto primary = Start();
    ASSERT_TRUE(primary->ReadUntil("role primary"));
    auto first = Start();
    auto second = Start();
    ASSERT_TRUE(first->ReadUntil("role child"));
    ASSERT_TRUE(second->ReadUntil("role child"));
    primary->Send("quit");
    std::optional<std::string> saved = primary->ReadUntil("saved");
    ASSERT_TRUE(saved);
    const std::string a = std::to_string(first->pid());
    const std::string b = std::to_string(second->pid());
    EXPECT_TRUE(*saved == "saved ok closed=" + a + "," + b ||
                *saved == "saved ok closed=" + b + "," + a)
        << *saved;
    EXPECT_EQ(first->Wait(), 0);
    EXPECT_EQ(second->Wait(), 0);
    EXPECT_EQ(primary->Wait(), 0);
    EXPECT_EQ(PidEntries(), 0u);
}

TEST_F(RunningCopies, CrashedPrimaryDoesNotMakeTheNextStartAChild) {
    auto crashed = Start();
    ASSERT_TRUE(crashed->ReadUntil("role primary"));
    crashed->Send("crash");
    EXPECT_EQ(crashed->Wait(), 3);
    auto next = Start();
    EXPECT_TRUE(next->ReadUntil("role primary"));
    next->Send("quit");
    EXPECT_EQ(next->Wait(), 0);
}

TEST_F(RunningCopies, CrashedChildsFilesAreRemovedAtThePrimarysEnd) {
    auto primary = Start();
    ASSERT_TRUE(primary->ReadUntil("role primary"));
    auto child = Start();
    ASSERT_TRUE(child->ReadUntil("role child"));
    const std::string copy = Pid("PID" + std::to_string(child->pid()) + ".ini");
    child->Send("crash");
    EXPECT_EQ(child->Wait(), 3);
    EXPECT_TRUE(Exists(copy)) << "a crash leaves the copy behind";
    const std::string socket = "Ostrivel_PEMU." + std::to_string(child->pid()) + ".sock";
    EXPECT_EQ(RuntimeFiles(socket), 1) << "and its socket";
    primary->Send("quit");
    EXPECT_EQ(primary->ReadUntil("saved").value_or(""), "saved ok closed=");
    EXPECT_EQ(primary->Wait(), 0);
    EXPECT_EQ(PidEntries(), 0u);
    EXPECT_EQ(RuntimeFiles(socket), 0) << "both are removed";
}

TEST_F(RunningCopies, TwoCopiesStartingAtTheSameMomentGetOneRoleEach) {
    for (int round = 0; round < 5; ++round) {
        auto a = Start();
        auto b = Start();
        std::string roleA = a->ReadLine().value_or("").substr(0, 10);
        std::string roleB = b->ReadLine().value_or("").substr(0, 10);
        EXPECT_NE(roleA, roleB) << "round " << round;
        EXPECT_TRUE(roleA == "role child" || roleB == "role child") << roleA << " / " << roleB;
        HelperProcess& primary = roleA == "role prima" ? *a : *b;
        HelperProcess& child = roleA == "role prima" ? *b : *a;
        primary.Send("quit");
        EXPECT_EQ(primary.Wait(), 0);
        EXPECT_EQ(child.ReadUntil("saved").value_or(""), "saved ok closed=");
        EXPECT_EQ(child.Wait(), 0);
        EXPECT_EQ(PidEntries(), 0u);
    }
}

TEST_F(RunningCopies, RunsTapeReachesTheLogAcrossRuns) {
    for (const char* line : {"1+", "2="}) {
        auto copy = Start();
        ASSERT_TRUE(copy->ReadUntil("role primary"));
        copy->Send(std::string("note ") + line);
        ASSERT_TRUE(copy->ReadUntil("noted"));
        copy->Send("quit");
        EXPECT_EQ(copy->ReadUntil("saved").value_or(""), "saved ok closed=");
        EXPECT_EQ(copy->Wait(), 0);
    }
    EXPECT_EQ(testing::ReadFile(data / "PemuFiles/_sys/KenzanLog.txt"),
              " \r\n1+\r\n \r\nOn \r\n2=\r\n \r\nOn");
}

TEST_F(RunningCopies, EveryCopysTapeReachesTheLogWhenThePrimaryEndsThemAll) {
    auto primary = Start();
    ASSERT_TRUE(primary->ReadUntil("role primary"));
    auto first = Start();
    ASSERT_TRUE(first->ReadUntil("role child"));
    auto second = Start();
    ASSERT_TRUE(second->ReadUntil("role child"));
    const std::pair<HelperProcess*, const char*> notes[] = {
        {primary.get(), "11+1="}, {first.get(), "22+2="}, {second.get(), "33+3="}};
    for (const auto& [copy, line] : notes) {
        copy->Send(std::string("note ") + line);
        ASSERT_TRUE(copy->ReadUntil("noted"));
    }
    primary->Send("quit");
    EXPECT_TRUE(primary->ReadUntil("saved ok"));
    EXPECT_EQ(first->ReadUntil("saved").value_or(""), "saved ok closed=");
    EXPECT_EQ(second->ReadUntil("saved").value_or(""), "saved ok closed=");
    for (HelperProcess* copy : {primary.get(), first.get(), second.get()})
        EXPECT_EQ(copy->Wait(), 0);
    const std::string log = testing::ReadFile(data / "PemuFiles/_sys/KenzanLog.txt");
    EXPECT_TRUE(log.starts_with(" \r\n11+1=\r\n \r\nOn")) << "the primary ends first: " << log;
    for (const char* line : {"On \r\n22+2=\r\n \r\n", "On \r\n33+3=\r\n \r\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " missing in " << log;
    EXPECT_EQ(log.size(), 3 * std::string(" \r\n11+1=\r\n \r\nOn").size()) << log;
}

}  // namespace
}  // namespace pemu::shell
