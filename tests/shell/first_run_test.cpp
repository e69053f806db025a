#include "shell/first_run.hpp"

#include <gtest/gtest.h>

#include "../platform/temp_folder.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

class FirstRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(dir / "bin/PemuFiles/_sys/Pemu.ini", "[View]\r\nKeyPanelOn=1\r\n");
        WriteFile(dir / "bin/PemuFiles/_sys/manual/index.htm", "<html>");
        WriteFile(dir / "bin/PemuFiles/_sys/Default/NoImage.jpg", "jpg");
        WriteFile(dir / "bin/PemuFiles/_sys/UserCustumSkin/.gitkeep", "");
        WriteFile(dir / "bin/PemuFiles/Skin/T8/.gitkeep", "");
        platform::MakeFolders(dir / "data");
    }
    std::string Sys(const std::string& name) { return dir / ("data/PemuFiles/_sys/" + name); }
    FirstRunResult Run() { return RunFirstRunCopy(paths, dir / "bin/PemuFiles/", "3.69.03"); }

    TempFolder dir;
    NamedPaths paths{dir / "data/", dir / "bin/"};
};

TEST_F(FirstRunTest, CopiesTheTemplateAndWritesTheMarker) {
    FirstRunResult result = Run();
    EXPECT_FALSE(result.alreadyDone);
    EXPECT_TRUE(result.templateFound);
    EXPECT_TRUE(result.copyComplete);
    EXPECT_TRUE(result.marker.ok);
    EXPECT_EQ(ReadFile(Sys("Pemu.ini")), "[View]\r\nKeyPanelOn=1\r\n");
    EXPECT_EQ(ReadFile(Sys("manual/index.htm")), "<html>");
    EXPECT_EQ(ReadFile(Sys("Default/NoImage.jpg")), "jpg");
    for (const char* folder : {"UserCustumSkin", "../Skin/T8"})
        EXPECT_TRUE(Exists(Sys(folder)));
    EXPECT_FALSE(Exists(Sys("UserCustumSkin/.gitkeep")));
    EXPECT_EQ(ReadFile(Sys("_appdata.ini")), "[AppData]\r\nMaking=1\r\nVer=3.69.03\r\n\r\n");
}

TEST_F(FirstRunTest, SecondStartCopiesNothingEvenWhenTheTemplateChanged) {
    Run();
    WriteFile(dir / "bin/PemuFiles/_sys/manual/new.htm", "new");
    EXPECT_TRUE(Run().alreadyDone);
    EXPECT_FALSE(Exists(Sys("manual/new.htm")));
}

TEST_F(FirstRunTest, TheManualFollowsTheInstalledProgramAtEveryStart) {
    Run();
    WriteFile(Sys("manual/mine.htm"), "the user's own page");
    WriteFile(dir / "bin/PemuFiles/_sys/manual/index.htm", "<html>newer");
    WriteFile(dir / "bin/PemuFiles/_sys/manual/2-65.htm", "<html>tape");
    EXPECT_TRUE(Run().alreadyDone);
    EXPECT_TRUE(RefreshManual(paths, dir / "bin/PemuFiles/"));
    EXPECT_EQ(ReadFile(Sys("manual/index.htm")), "<html>newer");
    EXPECT_EQ(ReadFile(Sys("manual/2-65.htm")), "<html>tape");
    EXPECT_EQ(ReadFile(Sys("manual/mine.htm")), "the user's own page");
    // Only the manual: the settings the user has stay.
    WriteFile(Sys("Pemu.ini"), "[Value]\r\nMemory=42\r\n");
    EXPECT_TRUE(RefreshManual(paths, dir / "bin/PemuFiles/"));
    EXPECT_EQ(ReadFile(Sys("Pemu.ini")), "[Value]\r\nMemory=42\r\n");
    EXPECT_TRUE(RefreshManual(paths, dir / "nowhere/"));
    EXPECT_TRUE(RefreshManual(paths, ""));
    EXPECT_EQ(ReadFile(Sys("manual/index.htm")), "<html>newer");
}

TEST_F(FirstRunTest, RemovedMarkerNeverOverwritesTheUsersFiles) {
    Run();
    WriteFile(Sys("Pemu.ini"), "[Value]\r\nMemory=42\r\n");
    WriteFile(Sys("KenzanLog.txt"), "user log \r\nOn");
    WriteFile(dir / "bin/PemuFiles/_sys/KenzanLog.txt", "template log");
    std::filesystem::remove(Sys("_appdata.ini"));
    FirstRunResult again = Run();
    EXPECT_FALSE(again.alreadyDone);
    EXPECT_EQ(ReadFile(Sys("Pemu.ini")), "[Value]\r\nMemory=42\r\n");
    EXPECT_EQ(ReadFile(Sys("KenzanLog.txt")), "user log \r\nOn");
    EXPECT_TRUE(Exists(Sys("_appdata.ini")));
}

TEST_F(FirstRunTest, MissingTemplateOnlyWritesTheMarker) {
    FirstRunResult result = RunFirstRunCopy(paths, dir / "nowhere/", "3.69.03");
    EXPECT_FALSE(result.templateFound);
    EXPECT_TRUE(result.marker.ok);
    EXPECT_FALSE(Exists(Sys("Pemu.ini")));
    EXPECT_TRUE(SettingsStore(Sys("_appdata.ini")).ReadBool("AppData", "Making", false));
    EXPECT_TRUE(RunFirstRunCopy(paths, "", "3.69.03").alreadyDone);
}

TEST_F(FirstRunTest, UnwritableDataFolderIsReportedNotFatal) {
    WriteFile(dir / "blocked", "a file where the data folder should be");
    NamedPaths blocked(dir / "blocked/", dir / "bin/");
    FirstRunResult result = RunFirstRunCopy(blocked, dir / "bin/PemuFiles/", "3.69.03");
    EXPECT_TRUE(result.templateFound);
    EXPECT_FALSE(result.copyComplete);
    EXPECT_FALSE(result.marker.ok);
}

}  // namespace
}  // namespace pemu::shell
