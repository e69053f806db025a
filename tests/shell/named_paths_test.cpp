#include "shell/named_paths.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "../platform/temp_folder.hpp"
#include "../platform/posix_limits.hpp"
#include "platform/file_system.hpp"

namespace pemu::shell {
namespace {

using testing::ScopedEnv;
using testing::TempFolder;

struct PathCase {
    PathKind kind;
    bool main;
    const char* primary;
    const char* child;  // process id 4321
};

TEST(NamedPaths, PrimaryAndChildPaths) {
    const PathCase cases[] = {
        {PathKind::kFilesFolder, false, "PemuFiles/", "PemuFiles/"},
        {PathKind::kSkinPackageFolder, false, "PemuFiles/Skin/T8/", "PemuFiles/Skin/T8/"},
        {PathKind::kPreviewFolder, false, "PemuFiles/_sys/prvpic/", "PemuFiles/_sys/prvpic/"},
        {PathKind::kUserSkinFolder, false, "PemuFiles/_sys/UserCustumSkin/",
         "PemuFiles/_sys/PID/PID4321UserCustumSkin/"},
        {PathKind::kDefaultsFolder, false, "PemuFiles/_sys/Default/", "PemuFiles/_sys/Default/"},
        {PathKind::kPidFolder, false, "PemuFiles/_sys/PID/", "PemuFiles/_sys/PID/"},
        {PathKind::kManualFolder, false, "PemuFiles/_sys/manual/", "PemuFiles/_sys/manual/"},
        {PathKind::kUpdaterFile, false, "PemuFiles/Update.exe", "PemuFiles/Update.exe"},
        {PathKind::kNoImageFile, false, "PemuFiles/_sys/Default/NoImage.jpg",
         "PemuFiles/_sys/Default/NoImage.jpg"},
        {PathKind::kTapeLogFile, false, "PemuFiles/_sys/KenzanLog.txt",
         "PemuFiles/_sys/KenzanLog.txt"},
        {PathKind::kSettingsFile, false, "PemuFiles/_sys/Pemu.ini",
         "PemuFiles/_sys/PID/PID4321.ini"},
        {PathKind::kSettingsFile, true, "PemuFiles/_sys/Pemu.ini", "PemuFiles/_sys/Pemu.ini"},
        {PathKind::kFormulaTextFile, false, "PemuFiles/_sys/SushikiText.txt",
         "PemuFiles/_sys/PID/PID4321ST.txt"},
        {PathKind::kAppDataFile, false, "PemuFiles/_sys/_appdata.ini",
         "PemuFiles/_sys/_appdata.ini"},
    };
    NamedPaths primary("/data/Pemu", "/opt/pemu/bin");
    NamedPaths child("/data/Pemu/", "/opt/pemu/bin/");
    child.BecomeChild(4321);
    for (const PathCase& c : cases) {
        EXPECT_EQ(primary.PathOf(c.kind, c.main), std::string("/data/Pemu/") + c.primary);
        EXPECT_EQ(child.PathOf(c.kind, c.main), std::string("/data/Pemu/") + c.child);
    }
    EXPECT_EQ(primary.PathOf(PathKind::kProgramFolder), "/opt/pemu/bin/");
    EXPECT_TRUE(child.isChild());
    EXPECT_EQ(child.childPid(), 4321);
}

TEST(NamedPaths, VersionEndpointCanBePointedAtATestServer) {
    NamedPaths paths("/d/", "/p/");
    EXPECT_TRUE(paths.PathOf(PathKind::kVersionEndpoint).ends_with("/pemu/AppVer.php"));
    ScopedEnv url("PEMU_UPDATE_URL", "http://127.0.0.1:9/pemu/AppVer.php");
    EXPECT_EQ(paths.PathOf(PathKind::kVersionEndpoint), "http://127.0.0.1:9/pemu/AppVer.php");
}

TEST(ChooseDataRoot, OwnRootThenXdgThenHome) {
    TempFolder dir;
    const std::string base = platform::CanonicalPath(dir.path());
    {
        ScopedEnv own("PEMU_DATA_ROOT", (dir / "own/deeper").c_str());
        EXPECT_EQ(ChooseDataRoot().root, base + "/own/deeper/");
        EXPECT_TRUE(platform::FolderExists(base + "/own/deeper")) << "created when missing";
    }
    ScopedEnv own("PEMU_DATA_ROOT", nullptr);
    {
        ScopedEnv xdg("XDG_DATA_HOME", (dir / "xdg").c_str());
        EXPECT_EQ(ChooseDataRoot().root, base + "/xdg/Pemu/");
        for (const char* made : {"/xdg", "/xdg/Pemu"}) {
            struct stat st {};
            ASSERT_EQ(::stat((base + made).c_str(), &st), 0) << made;
            EXPECT_EQ(st.st_mode & 0777, 0700u) << made << " is this user's alone";
        }
    }
    ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", dir.path().c_str());
    EXPECT_EQ(ChooseDataRoot().root, base + "/.local/share/Pemu/");
}

// When the platform knows no folder of the user's own, the program folder serves, unless
// every user may write there; then there is no place, and the reason is given.
TEST(DataRootFrom, OwnRootThenUserFolderThenAPrivateProgramFolder) {
    TempFolder dir;
    platform::MakeFolders(dir / "bin");
    platform::MakeFolders(dir / "shared");
    ::chmod((dir / "shared").c_str(), 01777);
    const std::string bin = dir / "bin/";
    const std::string shared = dir / "shared/";
    EXPECT_EQ(DataRootFrom("/own", "/data", bin).root, "/own/");
    EXPECT_EQ(DataRootFrom(std::nullopt, "/data", shared).root, "/data/Pemu/");
    EXPECT_EQ(DataRootFrom(std::nullopt, std::nullopt, bin).root, bin);
    const DataRootChoice none = DataRootFrom(std::nullopt, std::nullopt, shared);
    EXPECT_EQ(none.root, "");
    EXPECT_NE(none.problem.find(shared), std::string::npos) << none.problem;
    EXPECT_EQ(DataRootFrom(std::nullopt, std::nullopt, "").root, "");
}

TEST(FindTemplateFolder, BesideTheExecutableThenInstalledPrefix) {
    TempFolder dir;
    EXPECT_EQ(FindTemplateFolder(dir / "bin/"), "");
    platform::MakeFolders(dir / "share/pemu/PemuFiles");
    platform::MakeFolders(dir / "bin");
    EXPECT_EQ(FindTemplateFolder(dir / "bin"),
              platform::CanonicalPath(dir / "share/pemu/PemuFiles") + "/");
    platform::MakeFolders(dir / "bin/PemuFiles");
    EXPECT_EQ(FindTemplateFolder(dir / "bin/"), dir / "bin/PemuFiles/");
}

}  // namespace
}  // namespace pemu::shell
