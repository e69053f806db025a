// The cabinet reader of this system (libmspack, or the Setup API on Windows) on real cabinet
// files: stored names reach the caller exactly as stored, hostile ones included, and only
// the files the caller sends somewhere are written, there and nowhere else.
#include "platform/cabinet.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "../support/cabinet_writer.hpp"
#include "platform/codec.hpp"
#include "platform/file_system.hpp"
#include "platform/native_path.hpp"

namespace pemu::platform {
namespace {

namespace fs = std::filesystem;
using testing::CabinetBytes;
using testing::CabinetMember;

class CabinetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> count{0};
        root_ = fs::temp_directory_path() / ("pemu-cabinet-" + std::to_string(CurrentProcessId()) +
                                             "-" + std::to_string(count++));
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    // Our path text (UTF-8, '/') of `relative` below the test's folder.
    std::string Path(const std::string& relative) const { return PathText(root_) + "/" + relative; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(NativePath(Path(name)), std::ios::binary) << bytes;
        return Path(name);
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(NativePath(Path(relative)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> FilesBelow() const {
        std::vector<std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(root_))
            if (!e.is_directory()) files.push_back(PathText(fs::relative(e.path(), root_)));
        std::sort(files.begin(), files.end());
        return files;
    }

    fs::path root_;
};

// The name as text, whichever way the reader hands it over.
std::string NameText(const CabinetFile& file) {
    return file.utf8Name ? file.name : Cp932ToUtf8(file.name);
}

const std::vector<CabinetMember> kHostile = {
    {"PNL_Blue\\imgBackPanel.bmp", "panel"},
    {"..\\..\\escaped.bmp", "up"},
    {"C:\\drive.bmp", "drive"},
    {"\\absolute.bmp", "absolute"},
    {"/absolute2.bmp", "absolute2", true},
    {Sjis("DGN_ソ\\imgDigitalNumber.bmp"), "digits"},
    {"PNL_あ/a.bmp", "utf8", true},
    {"NUL", "device"},
    {std::string(200, 'n') + ".bmp", "long"},
};

TEST_F(CabinetTest, StoredNamesComeAsStoredHostileOnesIncluded) {
    const Cabinet cabinet(Write("skins.cab", CabinetBytes(kHostile)));
    ASSERT_TRUE(cabinet.ok()) << cabinet.error();
    ASSERT_EQ(cabinet.files().size(), kHostile.size());
    for (std::size_t i = 0; i < kHostile.size(); ++i) {
        const CabinetMember& m = kHostile[i];
        const CabinetFile& f = cabinet.files()[i];
        EXPECT_EQ(NameText(f), m.utf8Name ? m.name : Cp932ToUtf8(m.name)) << i;
        EXPECT_EQ(f.length, m.bytes.size()) << i;
    }
    // Reading the list writes nothing.
    EXPECT_EQ(FilesBelow(), std::vector<std::string>{"skins.cab"});
}

TEST_F(CabinetTest, OnlyTheFilesSentSomewhereAreWrittenThere) {
    Cabinet cabinet(Write("skins.cab", CabinetBytes(kHostile)));
    ASSERT_TRUE(cabinet.ok()) << cabinet.error();
    MakeFolders(Path("out/Skin"));
    std::vector<std::string> targets(kHostile.size());
    targets[0] = Path("out/Skin/imgBackPanel.bmp");
    targets[1] = Path("out/safe.bmp");  // the hostile name's bytes, sent where we choose
    targets[5] = Path("out/digits.bmp");
    EXPECT_EQ(cabinet.Extract(targets), "");
    const std::vector<std::string> written{"out/Skin/imgBackPanel.bmp", "out/digits.bmp",
                                           "out/safe.bmp", "skins.cab"};
    EXPECT_EQ(FilesBelow(), written);
    EXPECT_EQ(Read("out/Skin/imgBackPanel.bmp"), "panel");
    EXPECT_EQ(Read("out/safe.bmp"), "up");
    EXPECT_EQ(Read("out/digits.bmp"), "digits");
    EXPECT_FALSE(fs::exists(root_.parent_path().parent_path() / "escaped.bmp"));
    // Nothing at all asked for: nothing written, no failure.
    EXPECT_EQ(cabinet.Extract(std::vector<std::string>(kHostile.size())), "");
    EXPECT_EQ(FilesBelow(), written);
}

TEST_F(CabinetTest, DamagedOrMissingCabinetsSayWhy) {
    const std::string whole = CabinetBytes(
        {{"PNL_A\\a.bmp", std::string(5000, 'p')}, {"PNL_B\\b.bmp", std::string(5000, 'q')}});
    for (const std::string& bytes :
         {std::string("not a cabinet at all"), std::string(), whole.substr(0, 50)}) {
        const Cabinet cabinet(Write("bad.cab", bytes));
        EXPECT_FALSE(cabinet.ok()) << bytes.size();
        EXPECT_NE(cabinet.error(), "") << bytes.size();
    }
    EXPECT_FALSE(Cabinet(Path("none.cab")).ok());
    // Cut in the data: the list reads, the extraction fails and says so.
    Cabinet cut(Write("cut.cab", whole.substr(0, whole.size() - 3000)));
    if (cut.ok()) {
        EXPECT_NE(cut.Extract({Path("a.bmp"), Path("b.bmp")}), "");
    } else {
        EXPECT_NE(cut.error(), "");
    }
}

TEST(NewFile, MadeOnlyWhereNothingIsAndNeverThroughAnything) {
    const fs::path root =
        fs::temp_directory_path() / ("pemu-newfile-" + std::to_string(CurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root / "folder");
    const std::string base = PathText(root) + "/";
    std::FILE* file = OpenNewFile(base + "新しい.bin");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(std::fwrite("abc", 1, 3, file), 3u);
    EXPECT_EQ(std::fclose(file), 0);
    EXPECT_EQ(ReadWholeFile(base + "新しい.bin"), std::optional<std::string>("abc"));
    EXPECT_EQ(OpenNewFile(base + "新しい.bin"), nullptr);
    EXPECT_EQ(ReadWholeFile(base + "新しい.bin"), std::optional<std::string>("abc"));
    EXPECT_EQ(OpenNewFile(base + "folder"), nullptr);
    EXPECT_EQ(OpenNewFile(base + "missing/x.bin"), nullptr);
    std::error_code linked;
    fs::create_symlink(root / "elsewhere.bin", root / "link.bin", linked);
    if (!linked) {
        EXPECT_EQ(OpenNewFile(base + "link.bin"), nullptr);
        EXPECT_FALSE(fs::exists(root / "elsewhere.bin"));
    }
    fs::remove_all(root);
}

}  // namespace
}  // namespace pemu::platform
