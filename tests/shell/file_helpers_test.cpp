#include "shell/file_helpers.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "../platform/temp_folder.hpp"
#include "platform/product_record.hpp"

namespace pemu::shell {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteFile(dir / "root/PemuFiles/_sys/a.txt", "a");
        WriteFile(dir / "root/PemuFiles/_sys/sub/b.txt", "b");
        WriteFile(dir / "outside/keep.txt", "keep");
        std::filesystem::create_directory_symlink(dir / "outside", dir / "root/link");
    }
    TempFolder dir;
    DataFolder folder{dir / "root/"};
};

TEST_F(DataFolderTest, GuardComparesCanonicalPaths) {
    struct Case {
        std::string path;
        bool inside;
    };
    const Case cases[] = {
        {dir / "root/", true},
        {dir / "root/PemuFiles/_sys/a.txt", true},
        {dir / "root/PemuFiles/missing/x", true},
        {dir / "root/../outside/keep.txt", false},
        {dir / "root/PemuFiles/../../outside", false},
        {dir / "rootish/x", false},  // a raw prefix match would let this pass
        {dir / "root/link/keep.txt", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(folder.IsInsideDataRoot(c.path), c.inside) << c.path;
}

TEST_F(DataFolderTest, DeletionNeverLeavesTheDataRoot) {
    EXPECT_FALSE(folder.DeleteDataFile(dir / "root/../outside/keep.txt"));
    EXPECT_FALSE(folder.DeleteTree(dir / "root/link"));
    EXPECT_FALSE(folder.DeleteTree(dir / "root/PemuFiles/../../outside"));
    EXPECT_FALSE(folder.EmptyTree(dir / "outside"));
    EXPECT_FALSE(folder.DeleteTree(dir / "root/")) << "never the root itself";
    EXPECT_EQ(ReadFile(dir / "outside/keep.txt"), "keep");
}

TEST_F(DataFolderTest, DeleteAndEmptyTreesInside) {
    EXPECT_TRUE(folder.DeleteDataFile(dir / "root/PemuFiles/_sys/a.txt"));
    EXPECT_FALSE(folder.DeleteDataFile(dir / "root/PemuFiles/_sys/a.txt")) << "already gone";
    EXPECT_FALSE(folder.DeleteDataFile(dir / "root/PemuFiles/_sys")) << "not a file";
    std::filesystem::create_directory_symlink(dir / "outside", dir / "root/PemuFiles/_sys/sub/l");
    EXPECT_TRUE(folder.EmptyTree(dir / "root/PemuFiles/"));
    EXPECT_TRUE(Exists(dir / "root/PemuFiles"));
    EXPECT_FALSE(Exists(dir / "root/PemuFiles/_sys"));
    EXPECT_EQ(ReadFile(dir / "outside/keep.txt"), "keep") << "links are removed, not followed";
    EXPECT_TRUE(folder.DeleteTree(dir / "root/PemuFiles"));
    EXPECT_FALSE(Exists(dir / "root/PemuFiles"));
    EXPECT_FALSE(folder.DeleteTree(dir / "root/PemuFiles")) << "missing: nothing happens";
}

TEST(CopyTree, CopiesAndOverwritesButSkipsDotNames) {
    TempFolder dir;
    WriteFile(dir / "src/a.bmp", "new");
    WriteFile(dir / "src/.git/x", "x");
    WriteFile(dir / "src/.gitkeep", "");
    WriteFile(dir / "src/T8/skin/b.bmp", "b");
    WriteFile(dir / "dst/a.bmp", "old");
    ASSERT_TRUE(CopyTree(dir / "src", dir / "dst"));
    EXPECT_EQ(ReadFile(dir / "dst/a.bmp"), "new");
    EXPECT_EQ(ReadFile(dir / "dst/T8/skin/b.bmp"), "b");
    EXPECT_FALSE(Exists(dir / "dst/.git"));
    EXPECT_FALSE(Exists(dir / "dst/.gitkeep"));
    WriteFile(dir / "src/a.bmp", "newer");
    ASSERT_TRUE(CopyMissing(dir / "src", dir / "dst"));
    EXPECT_EQ(ReadFile(dir / "dst/a.bmp"), "new") << "CopyMissing keeps what is there";
    EXPECT_FALSE(CopyTree(dir / "src", dir / "dst/a.bmp/x")) << "unwritable target";
}

TEST(FileExistsOrCreate, CreatesOnlyWhenAsked) {
    TempFolder dir;
    EXPECT_FALSE(FileExistsOrCreate(dir / "f", false));
    EXPECT_FALSE(Exists(dir / "f"));
    EXPECT_FALSE(FileExistsOrCreate(dir / "f", true));
    EXPECT_TRUE(Exists(dir / "f"));
    EXPECT_TRUE(FileExistsOrCreate(dir / "f", true));
}

TEST(ListEntries, PrefixFoldersFilesAndResume) {
    TempFolder dir;
    for (const char* name : {"PID1.ini", "PID22.ini", "PID333.ini", "other.ini"}) {
        WriteFile(dir / name, "");
    }
    std::filesystem::create_directory(dir / "PID9UserCustumSkin");
    std::string out;
    EXPECT_EQ(ListEntries(out, 1000, dir.path(), 0, false, "PID*"), 0);
    EXPECT_EQ(out, "PID1.ini:PID22.ini:PID333.ini:");
    out.clear();
    EXPECT_EQ(ListEntries(out, 1000, dir.path(), 0, true, ""), 0);
    EXPECT_EQ(out, "PID9UserCustumSkin:");
    // 9 + 10 = 19 characters fit in a size of 21; the third name would pass it.
    out.clear();
    EXPECT_EQ(ListEntries(out, 21, dir.path(), 0, false, "PID"), 2);
    EXPECT_EQ(out, "PID1.ini:PID22.ini:");
    out.clear();
    EXPECT_EQ(ListEntries(out, 21, dir.path(), 2, false, "PID"), 0);
    EXPECT_EQ(out, "PID333.ini:");
}

TEST(ReadProductName, RecognisesOurBinariesOnly) {
    TempFolder dir;
    WriteFile(dir / "Update.exe",
              "\x7f"
              "ELF..." +
                  std::string(platform::ProductRecord()) + std::string(1, '\0') + "more");
    WriteFile(dir / "foreign",
              "\x7f"
              "ELF plain");
    std::string name = "unchanged";
    ReadProductName(name, dir / "foreign", 300);
    EXPECT_EQ(name, "unchanged");
    ReadProductName(name, dir / "missing", 300);
    EXPECT_EQ(name, "unchanged");
    ReadProductName(name, dir / "Update.exe", 300);
    EXPECT_EQ(name, "Pemu");
    ReadProductName(name, dir / "Update.exe", 3);
    EXPECT_EQ(name, "Pe") << "bounded by the size";
}

}  // namespace
}  // namespace pemu::shell
