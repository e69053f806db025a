#include "shell/shell_session.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <csignal>
#include <filesystem>

#include "../platform/temp_folder.hpp"
#include "../platform/posix_limits.hpp"
#include "platform/codec.hpp"
#include "platform/product_record.hpp"
#include "shell/calculator_settings.hpp"
#include "shell/ini_document.hpp"
#include "shell/settings_keys.hpp"

namespace pemu::shell {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// Records what the shell asks of the window, in order.
class RecordingHost : public ActivationHost, public FinalSaveHost {
  public:
    void ShowPerTypeMessage(const std::string& text) override {
        calls.push_back("message " + text);
    }
    void ReadSettings(const SettingsStore& s) override {
        applied = ReadCalculatorSettings(s);
        memory = Read(s, keys::kMemory);
        calls.push_back("apply");
    }
    void BecomeChildWindow(const std::string& caption, const std::string& suffix) override {
        calls.push_back("child " + caption + "|" + suffix);
    }
    void OpenWindow(char code) override { calls.push_back(std::string("open ") + code); }
    void KeyTableLoaded(const KeyTable& table) override {
        calls.push_back("keys " + std::to_string(table.KeyOf(17)));
    }
    void RemoveTrayIcon() override { calls.push_back("tray"); }
    void WriteSettings(SettingsStore& s) override {
        calls.push_back("collect");
        Write(s, keys::kMemory, "-5");
    }
    void FlushSettingNotes() override { calls.push_back("notes"); }
    std::string ClearedText() override {
        calls.push_back("cleared");
        return " \r\n1+\r\n";
    }
    std::string TapeText() override {
        calls.push_back("tape");
        return " \r\n2=\r\n";
    }

    std::vector<std::string> calls;
    core::StartupSettings applied;
    std::string memory;
};

class SessionTest : public ::testing::Test {
  protected:
    std::string Sys(const std::string& name) { return dir / ("data/PemuFiles/_sys/" + name); }
    std::unique_ptr<ShellSession> Session(std::unique_ptr<InstanceChannel> channel = nullptr) {
        return std::make_unique<ShellSession>(dir / "data/", dir / "bin/", std::move(channel));
    }
    std::unique_ptr<InstanceChannel> Channel(int pid) {
        return std::make_unique<InstanceChannel>(InstanceChannel::Start(dir / "run/", pid));
    }
    void SetUp() override {
        platform::MakeFolders(dir / "data");
        platform::MakeFolders(dir / "run");
    }
    TempFolder dir;
    RecordingHost host;
};

TEST_F(SessionTest, ConstructionOnAFreshDataFolderWithoutTemplate) {
    auto session = Session();
    ConstructionSettings c = session->Construct();
    EXPECT_TRUE(session->firstRun().marker.ok);
    EXPECT_FALSE(session->firstRun().templateFound);
    EXPECT_EQ(session->store().loadStatus(), LoadStatus::kMissing);
    EXPECT_EQ(session->store().path(), Sys("Pemu.ini"));
    EXPECT_TRUE(c.keyButtonOn);
    EXPECT_TRUE(c.placeWindow);
    EXPECT_EQ(c.left, 100);
    EXPECT_EQ(c.versionText, "3.69.03");
}

// A download cut off by a crash leaves its part file; the next primary removes it at the
// start, a child never (the primary may be downloading right now).
TEST_F(SessionTest, ThePrimaryRemovesAnInterruptedDownloadAtTheStart) {
    const std::string part = dir / "data/PemuFiles/.pemu-update.part";
    WriteFile(part, "half of an update program");
    auto primaryChannel = Channel(1000);
    auto child = Session(Channel(4321));
    ASSERT_EQ(child->role(), InstanceRole::kChild);
    child->Construct();
    EXPECT_TRUE(Exists(part));
    auto primary = Session();
    primary->Construct();
    EXPECT_TRUE(primary->dataFolderCheck().ok);
    EXPECT_FALSE(Exists(part));
}

TEST_F(SessionTest, FirstActivationOrderPerTypeAndReopenedWindows) {
    WriteFile(
        Sys("Pemu.ini"),
        "[Value]\r\nPerType=2\r\nPanelDigit=10\r\nMemory=12\r\nMemoryOn=1\r\nKenzanIsColor=0\r\n"
        "[StartUp]\r\nKasaneAwase=;2471\r\n[Tax]\r\nZeiritu=abc\r\n");
    auto session = Session();
    session->Construct();
    session->FirstActivate(host);
    session->FirstActivate(host);  // later activations change nothing
    const std::string message = platform::Sjis(
        "以前の設定でパーセント計算がカシオ式で選択されていますので、カシオ式として起動します。");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"message " + message, "apply", "open ;",
                                                    "open 4", "open 7", "open 1", "keys 187"}));
    EXPECT_EQ(host.applied.panelDigit, 10);
    EXPECT_EQ(host.memory, "12");
    EXPECT_EQ(host.applied.zeiritu, "0.08");
    EXPECT_FALSE(host.applied.kenzanIsColor);
    EXPECT_EQ(session->store().ReadInteger("KeySet", "Plus", -1), 187);
}

TEST_F(SessionTest, NoReopeningWithoutStartUpEndOn) {
    WriteFile(Sys("Pemu.ini"), "[StartUp]\r\nStartUpEndOn=0\r\nKasaneAwase=14\r\n");
    auto session = Session();
    ConstructionSettings c = session->Construct();
    EXPECT_FALSE(c.placeWindow);
    session->FirstActivate(host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"apply", "keys 187"}));
    session->openWindows().NoteWindowActivated('1');
    session->SaveOpenWindowList(false);
    EXPECT_EQ(session->store().ReadString("StartUp", "KasaneAwase", "x"), "");
}

TEST_F(SessionTest, FinalSaveWritesInOrderAndCleansUp) {
    WriteFile(Sys("Pemu.ini"), "[Value]\r\nPerType=1\r\n");
    WriteFile(Sys("prvpic/p.jpg"), "p");
    WriteFile(Sys("PID/PID99.ini"), "left by a crashed child");
    WriteFile(dir / "data/PemuFiles/Update.exe", "downloaded");
    WriteFile(dir / "bin/Update.exe", "ELF" + std::string(platform::ProductRecord()));
    auto session = Session();
    session->Construct();
    FinalSaveReport report = session->FinalSave(host);
    EXPECT_TRUE(report.saved);
    EXPECT_FALSE(report.failed());
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"tray", "collect", "notes", "cleared", "tape"}));
    IniDocument saved = IniDocument::Parse(ReadFile(Sys("Pemu.ini")));
    // The tape's two fixed keys come before every owner's keys (the order of the owners is
    // checked with the real window).
    EXPECT_EQ(saved.Idents("Value"),
              (std::vector<std::string>{"KenzanAutoScroll", "KenzanLock", "Memory"}))
        << "PerType is deleted";
    EXPECT_EQ(saved.Get("Value", "Memory"), "-5");
    EXPECT_EQ(ReadFile(Sys("KenzanLog.txt")), " \r\n1+\r\n \r\n2=\r\n \r\nOn");
    EXPECT_TRUE(Exists(Sys("prvpic")));
    EXPECT_FALSE(Exists(Sys("prvpic/p.jpg")));
    EXPECT_TRUE(Exists(Sys("PID")));
    EXPECT_FALSE(Exists(Sys("PID/PID99.ini")));
    EXPECT_FALSE(Exists(dir / "data/PemuFiles/Update.exe"));
    EXPECT_FALSE(Exists(dir / "bin/Update.exe")) << "our own old updater goes";
}

TEST_F(SessionTest, FinalSaveKeepsAForeignUpdaterAndHonoursLogHozon) {
    WriteFile(Sys("Pemu.ini"), "[Value]\r\nLogHozon=0\r\n");
    WriteFile(Sys("KenzanLog.txt"), "old");
    WriteFile(dir / "bin/Update.exe", "someone else's program");
    auto session = Session();
    session->Construct();
    session->FinalSave(host);
    EXPECT_EQ(ReadFile(Sys("KenzanLog.txt")), "old \r\nOn");
    EXPECT_TRUE(Exists(dir / "bin/Update.exe"));
}

TEST_F(SessionTest, FullDiskAtTheEndIsReportedAndLosesNothing) {
    const std::string settings = "[Value]\r\nPanelDigit=10\r\n\r\n";
    const std::string log = std::string(3000, 'x') + " \r\nOn";
    WriteFile(Sys("Pemu.ini"), settings);
    WriteFile(Sys("KenzanLog.txt"), log);
    auto session = Session();
    session->Construct();
    FinalSaveReport report;
    {
        testing::FullDisk full(64);  // smaller than the settings file the save writes
        report = session->FinalSave(host);
    }
    EXPECT_TRUE(report.failed());
    EXPECT_FALSE(report.log.ok);
    EXPECT_FALSE(report.settings.ok);
    EXPECT_EQ(ReadFile(Sys("Pemu.ini")), settings);
    EXPECT_EQ(ReadFile(Sys("KenzanLog.txt")), log);
}

TEST_F(SessionTest, CrashInTheMiddleOfTheFinalSaveLosesNothing) {
    const std::string settings = "[Value]\r\nPanelDigit=10\r\n\r\n";
    const std::string log = std::string(3000, 'x') + " \r\nOn";
    WriteFile(Sys("Pemu.ini"), settings);
    WriteFile(Sys("KenzanLog.txt"), log);
    pid_t run = ::fork();
    ASSERT_GE(run, 0);
    if (run == 0) {
        // The process dies by SIGXFSZ in the middle of writing the first file that grows.
        rlimit limit{256, 256};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        auto session = Session();
        session->Construct();
        session->FinalSave(host);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(run, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(ReadFile(Sys("Pemu.ini")), settings);
    EXPECT_EQ(ReadFile(Sys("KenzanLog.txt")), log);
    auto temporaries = [&] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Sys(""))) {
            count += entry.path().filename().string().find(".tmp-") != std::string::npos;
        }
        return count;
    };
    EXPECT_EQ(temporaries(), 1) << "the crash left its half-written temporary file";
    auto next = Session();
    next->Construct();
    EXPECT_EQ(next->store().loadStatus(), LoadStatus::kLoaded);
    EXPECT_TRUE(next->FinalSave(host).saved);
    EXPECT_TRUE(ReadFile(Sys("KenzanLog.txt")).starts_with(log));
    EXPECT_EQ(temporaries(), 0) << "the next run removes it";
}

TEST_F(SessionTest, UnwritableDataFolderStillRuns) {
    WriteFile(dir / "blocked", "a file where the data folder should be");
    ShellSession session(dir / "blocked/", dir / "bin/", nullptr);
    session.Construct();
    EXPECT_FALSE(session.firstRun().marker.ok);
    EXPECT_FALSE(session.dataFolderCheck().ok) << "known at the start, to be said then";
    EXPECT_NE(session.dataFolderCheck().what.find(dir / "blocked"), std::string::npos)
        << session.dataFolderCheck().what;
    session.FirstActivate(host);
    FinalSaveReport report = session.FinalSave(host);
    EXPECT_FALSE(report.saved) << "no data folder: nothing to write into";
}

TEST_F(SessionTest, ChildWorksOnItsOwnCopyAndNeverWritesTheSharedFile) {
    const std::string shared = "; hand-edited\r\n[Value]\r\nPanelDigit=9\r\n";
    WriteFile(Sys("Pemu.ini"), shared);
    auto primaryChannel = Channel(1000);
    ASSERT_EQ(primaryChannel->role(), InstanceRole::kPrimary);
    auto child = Session(Channel(4321));
    ASSERT_EQ(child->role(), InstanceRole::kChild);
    EXPECT_EQ(primaryChannel->WaitForMessages(1000),
              std::vector<InstanceMessage>{InstanceMessage::kRestoreAndShow});
    ConstructionSettings c = child->Construct();
    EXPECT_FALSE(c.placeWindow) << "a child starts centred";
    child->openWindows().NoteWindowActivated('1');
    child->FirstActivate(host);
    EXPECT_EQ(host.calls[1], "child " + platform::Sjis("Pemu *子起動* PID4321") + "|" +
                                 platform::Sjis(" *子起動* PID4321"));
    EXPECT_TRUE(child->openWindows().empty());
    EXPECT_EQ(child->store().path(), Sys("PID/PID4321.ini"));
    EXPECT_EQ(child->store().ReadInteger("Value", "PanelDigit", 0), 9);
    EXPECT_TRUE(Exists(Sys("PID/PID4321UserCustumSkin")));
    EXPECT_EQ(ReadFile(Sys("Pemu.ini")), shared);
    EXPECT_EQ(IniDocument::Parse(ReadFile(Sys("PID/PID4321.ini"))).Get("Value", "PanelDigit"), "9");

    WriteFile(Sys("PID/PID4321ST.txt"), "formula");
    WriteFile(Sys("KenzanLog.txt"), " \r\n0=\r\n \r\nOn");
    host.calls.clear();
    const FinalSaveReport report = child->FinalSave(host);
    EXPECT_TRUE(report.saved);
    EXPECT_FALSE(report.failed());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"notes", "cleared", "tape"}));
    EXPECT_EQ(ReadFile(Sys("KenzanLog.txt")), " \r\n0=\r\n \r\nOn \r\n1+\r\n \r\n2=\r\n \r\nOn")
        << "the child's tapes join the shared log";
    EXPECT_FALSE(Exists(Sys("PID/PID4321.ini")));
    EXPECT_FALSE(Exists(Sys("PID/PID4321ST.txt")));
    EXPECT_FALSE(Exists(Sys("PID/PID4321UserCustumSkin")));
    EXPECT_EQ(ReadFile(Sys("Pemu.ini")), shared);
}

}  // namespace
}  // namespace pemu::shell

namespace pemu::shell {
namespace {

TEST(RuntimeFolderFor, CopiesMeetPerDataRoot) {
    TempFolder dir;
    testing::ScopedEnv runtime("PEMU_RUNTIME_DIR", (dir / "run").c_str());
    platform::MakeFolders(dir / "a");
    platform::MakeFolders(dir / "b");
    const std::string a = RuntimeFolderFor(dir / "a/");
    EXPECT_EQ(RuntimeFolderFor(dir / "b/../a"), a) << "the same folder, spelt otherwise";
    EXPECT_NE(RuntimeFolderFor(dir / "b/"), a);
    EXPECT_TRUE(a.starts_with(dir / "run/pemu-"));
    EXPECT_TRUE(platform::FolderExists(a));
    InstanceChannel first = InstanceChannel::Start(a, 1);
    InstanceChannel other = InstanceChannel::Start(RuntimeFolderFor(dir / "b/"), 2);
    InstanceChannel second = InstanceChannel::Start(a, 3);
    EXPECT_EQ(first.role(), InstanceRole::kPrimary);
    EXPECT_EQ(other.role(), InstanceRole::kPrimary);
    EXPECT_EQ(second.role(), InstanceRole::kChild);
}

}  // namespace
}  // namespace pemu::shell
