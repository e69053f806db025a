#include "platform/file_system.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

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

}  // namespace
}  // namespace pemu::platform
