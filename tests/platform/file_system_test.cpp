#include "platform/file_system.hpp"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "posix_limits.hpp"
#include "temp_folder.hpp"

namespace pemu::platform {
namespace {

using testing::FullDisk;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::size_t EntryCount(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

TEST(AtomicWrite, ReplacesTheFileAndLeavesNoTemporaryFile) {
    TempFolder dir;
    WriteFile(dir / "a.ini", "old");
    ::chmod((dir / "a.ini").c_str(), 0600);
    ASSERT_TRUE(WriteFileAtomically(dir / "a.ini", std::string("new\0bytes", 9)).ok);
    EXPECT_EQ(ReadFile(dir / "a.ini"), std::string("new\0bytes", 9));
    EXPECT_EQ(EntryCount(dir.path()), 1u);
    struct stat st {};
    ::stat((dir / "a.ini").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "the replaced file keeps its permissions";
}

TEST(AtomicWrite, FullDiskKeepsTheOldFileAndReportsTheError) {
    TempFolder dir;
    const std::string old(5000, 'o');
    WriteFile(dir / "Pemu.ini", old);
    IoResult result;
    {
        FullDisk full(1024);
        result = WriteFileAtomically(dir / "Pemu.ini", std::string(4096, 'n'));
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, EFBIG);
    EXPECT_NE(result.what.find("Pemu.ini"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / "Pemu.ini"), old);
    EXPECT_EQ(EntryCount(dir.path()), 1u) << "the temporary file is removed";
}

TEST(AtomicWrite, UnwritableFolderIsReported) {
    TempFolder dir;
    WriteFile(dir / "file", "x");  // a file where a folder should be
    IoResult result = WriteFileAtomically(dir / "file/Pemu.ini", "text");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorNumber, ENOTDIR);
}

// A settings file kept elsewhere through a link: the link stays, the file it leads to is
// replaced, and nothing is left beside either.
TEST(AtomicWrite, ALinkIsKeptAndTheFileItLeadsToIsReplaced) {
    namespace fs = std::filesystem;
    TempFolder dir;
    WriteFile(dir / "elsewhere/real.ini", "old");
    ::chmod((dir / "elsewhere/real.ini").c_str(), 0600);
    fs::create_directories(dir / "sys");
    fs::create_symlink(dir / "elsewhere/real.ini", dir / "sys/absolute.ini");
    fs::create_symlink("absolute.ini", dir / "sys/relative.ini");  // a chain of two
    for (const char* name : {"sys/absolute.ini", "sys/relative.ini"}) {
        const std::string text = std::string("written through ") + name;
        ASSERT_TRUE(WriteFileAtomically(dir / name, text)) << name;
        EXPECT_EQ(ReadFile(dir / "elsewhere/real.ini"), text);
    }
    EXPECT_EQ(fs::read_symlink(dir / "sys/absolute.ini"), dir / "elsewhere/real.ini");
    EXPECT_EQ(fs::read_symlink(dir / "sys/relative.ini"), "absolute.ini");
    EXPECT_EQ(EntryCount(dir / "sys"), 2u);
    EXPECT_EQ(EntryCount(dir / "elsewhere"), 1u);
    struct stat st {};
    ::stat((dir / "elsewhere/real.ini").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // A crash in the middle left a temporary beside the target: the link's name finds it.
    WriteFile(dir / "elsewhere/real.ini.tmp-AbC123", "half");
    RemoveAbandonedTemporaries(dir / "sys/relative.ini");
    EXPECT_EQ(EntryCount(dir / "elsewhere"), 1u);
}

TEST(AtomicWrite, DanglingAndLoopingLinks) {
    namespace fs = std::filesystem;
    TempFolder dir;
    fs::create_directories(dir / "there");
    fs::create_symlink(dir / "there/new.ini", dir / "dangling.ini");
    ASSERT_TRUE(WriteFileAtomically(dir / "dangling.ini", "made"));
    EXPECT_EQ(ReadFile(dir / "there/new.ini"), "made") << "made where the link points";
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.ini"));

    fs::create_symlink(dir / "gone/x.ini", dir / "nowhere.ini");
    IoResult nowhere = WriteFileAtomically(dir / "nowhere.ini", "lost?");
    EXPECT_FALSE(nowhere.ok);
    EXPECT_EQ(nowhere.errorNumber, ENOENT);
    EXPECT_EQ(fs::read_symlink(dir / "nowhere.ini"), dir / "gone/x.ini") << "the link is kept";

    fs::create_symlink("b.ini", dir / "a.ini");
    fs::create_symlink("a.ini", dir / "b.ini");
    IoResult loop = WriteFileAtomically(dir / "a.ini", "x");
    EXPECT_FALSE(loop.ok);
    EXPECT_EQ(loop.errorNumber, ELOOP);
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "a.ini")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "b.ini")));
}

TEST(ReadWholeFile, MissingFileOrFolderGivesNothing) {
    TempFolder dir;
    EXPECT_FALSE(ReadWholeFile(dir / "none").has_value());
    EXPECT_FALSE(ReadWholeFile(dir.path()).has_value());
    WriteFile(dir / "empty", "");
    EXPECT_EQ(ReadWholeFile(dir / "empty"), std::string());
}

TEST(Folders, MakeFoldersCreatesParentsAndReadFolderSorts) {
    TempFolder dir;
    ASSERT_TRUE(MakeFolders(dir / "a/b/c/"));
    EXPECT_TRUE(FolderExists(dir / "a/b/c"));
    EXPECT_FALSE(MakeFolder(dir / "x/y")) << "one level only";
    WriteFile(dir / "a/z.txt", "");
    WriteFile(dir / "a/.hidden", "");
    std::vector<FolderEntry> entries = ReadFolder(dir / "a");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, ".hidden");
    EXPECT_EQ(entries[1].name, "b");
    EXPECT_TRUE(entries[1].isFolder);
    EXPECT_EQ(entries[2].name, "z.txt");
}

TEST(CanonicalPath, ResolvesDotsAndLinksAlsoBelowMissingParts) {
    TempFolder dir;
    const std::string root = CanonicalPath(dir.path());
    MakeFolders(dir / "data/sub");
    std::filesystem::create_directory_symlink("/usr", dir / "data/out");
    struct Case {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {dir / "data/sub/..", root + "/data"},
        {dir / "data/./sub/", root + "/data/sub"},
        {dir / "data/../../", CanonicalPath(root + "/..")},
        {dir / "data/missing/x/../y", root + "/data/missing/y"},
        {dir / "data/missing/../../data", root + "/data"},
        {dir / "data/out/lib", "/usr/lib"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CanonicalPath(c.input), c.expected) << c.input;
}

TEST(Folders, EnsureWritableFolderMakesItAndSaysWhyNot) {
    TempFolder dir;
    ASSERT_TRUE(EnsureWritableFolder(dir / "a/b/c/"));
    EXPECT_TRUE(FolderExists(dir / "a/b/c"));
    EXPECT_EQ(EntryCount(dir / "a/b/c"), 0u) << "the probe file is gone again";
    WriteFile(dir / "plain", "a file where a folder should be");
    const IoResult underFile = EnsureWritableFolder(dir / "plain/PemuFiles/_sys/");
    EXPECT_FALSE(underFile.ok);
    EXPECT_EQ(underFile.errorNumber, ENOTDIR);
    EXPECT_NE(underFile.what.find(dir / "plain"), std::string::npos) << underFile.what;

    // A read-only folder, seen by a user who is not its owner (root ignores the mode).
    std::filesystem::create_directories(dir / "ro");
    ::chmod(dir.path().c_str(), 0755);
    ::chmod((dir / "ro").c_str(), 0555);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        if (::getuid() == 0 && ::setuid(65534) != 0) ::_exit(9);
        const IoResult ro = EnsureWritableFolder(dir / "ro");
        const IoResult below = EnsureWritableFolder(dir / "ro/PemuFiles");
        const bool told = !ro.ok && ro.errorNumber == EACCES &&
                          ro.what.find(dir / "ro") != std::string::npos && !below.ok;
        ::_exit(told ? 0 : 1);
    }
    int status = 0;
    ::waitpid(other, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ::chmod((dir / "ro").c_str(), 0755);
}

TEST(UserDataFolder, XdgThenHomeThenTheUserDatabaseNeverAFolderEveryoneWrites) {
    TempFolder dir;
    std::filesystem::create_directories(dir / "home");
    std::filesystem::create_directories(dir / "shared");
    ::chmod((dir / "shared").c_str(), 01777);  // like /tmp
    EXPECT_FALSE(OthersMayWrite(dir / "home"));
    EXPECT_TRUE(OthersMayWrite(dir / "shared"));
    const passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    const std::string accountData = std::string(account->pw_dir) + "/.local/share";
    const std::string home = dir / "home";
    using Text = std::optional<std::string>;
    const struct {
        Text xdg;
        Text home;
        std::string expected;
    } cases[] = {
        {"/x/data", "/y", "/x/data"},
        {"relative/data", home, home + "/.local/share"},  // a relative one is ignored
        {std::nullopt, home + "/", home + "/.local/share"},
        {std::nullopt, std::nullopt, accountData},  // HOME unset
        {std::nullopt, "relative", accountData},
        {std::nullopt, dir / "shared", accountData},  // where others could plant folders
    };
    for (const auto& c : cases) {
        testing::ScopedEnv xdg("XDG_DATA_HOME", c.xdg ? c.xdg->c_str() : nullptr);
        testing::ScopedEnv homeVariable("HOME", c.home ? c.home->c_str() : nullptr);
        EXPECT_EQ(UserDataFolder().value_or("none"), c.expected)
            << c.xdg.value_or("-") << " " << c.home.value_or("-");
    }
    testing::ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    testing::ScopedEnv homeVariable("HOME", nullptr);
    EXPECT_FALSE(UserDataFolder().value_or("/tmp").starts_with("/tmp"));
}

}  // namespace
}  // namespace pemu::platform
