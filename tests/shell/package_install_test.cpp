// Installing skin packages: folders copied, real cabinets extracted through libmspack, and
// nothing ever written outside the package folder, whatever a cabinet's names say.
#include "shell/package_install.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "../platform/temp_folder.hpp"
#include "../support/cabinet_writer.hpp"
#include "platform/codec.hpp"

namespace pemu::shell {
namespace {

namespace fs = std::filesystem;
using testing::CabinetBytes;
using testing::CabinetMember;
using testing::Exists;
using testing::ReadFile;
using testing::WriteFile;

// Every file below `folder`, relative, sorted.
std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(folder, ec))
        if (!e.is_directory()) files.push_back(fs::relative(e.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

class PackageInstallTest : public ::testing::Test {
  protected:
    // The data root does not exist yet: the very first run.
    NamedPaths Paths() const { return NamedPaths(temp_ / "data", temp_ / "bin"); }
    std::string Packages() const { return temp_ / "data/PemuFiles/Skin/T8/"; }
    std::string Cabinet(const std::string& file, const std::vector<CabinetMember>& members) {
        WriteFile(temp_ / file, CabinetBytes(members));
        return temp_ / file;
    }
    testing::TempFolder temp_;
};

TEST(PackageKinds, FromTheLastComponentOfThePath) {
    struct Case {
        const char* path;
        PackageKind kind;
    };
    const Case cases[] = {
        {"/home/u/PNL_Taro_Blue", PackageKind::kFolder},
        {"/home/u/PNL_Taro_Blue/", PackageKind::kFolder},
        {"SET_Blue", PackageKind::kFolder},
        {"pnl_Blue", PackageKind::kNone},
        {"/x/Blue", PackageKind::kNone},
        {"/x/skins.CAB", PackageKind::kCabinet},
        {"/x/a.cab", PackageKind::kCabinet},
        {"/x/.cab", PackageKind::kNone},
        {"/x/PNL_Blue.zip", PackageKind::kNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KindOfPackage(LastComponent(c.path)), c.kind) << c.path;
}

TEST(PackageKinds, StoredNamesThatCouldLeaveTheFolderAreRefused) {
    struct Case {
        std::string stored;
        bool utf8;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"PNL_Blue\\imgBackPanel.bmp", false, {"PNL_Blue", "imgBackPanel.bmp"}},
        {"readme.txt", false, {"readme.txt"}},
        // ソ is 0x83 0x5C in CP932: no separator inside it.
        {platform::Sjis("PNL_ソ\\a.bmp"), false, {"PNL_ソ", "a.bmp"}},
        {"PNL_ソ/a.bmp", true, {"PNL_ソ", "a.bmp"}},
        {"..\\evil.bmp", false, {}},
        {"PNL_Blue\\..\\..\\evil.bmp", false, {}},
        {"a..b", false, {}},
        {"\\evil.bmp", false, {}},
        {"/etc/evil", false, {}},
        {"C:\\evil.bmp", false, {}},
        {"C:evil.bmp", false, {}},
        {"a\\b\\c.bmp", false, {}},
        {"a\\\\b", false, {}},
        {"a\\", false, {}},
        {".\\a", false, {}},
        {"a\nb", false, {}},
        {"", false, {}},
        // Devices, whatever their case or extension, and names Windows would change.
        {"NUL", false, {}},
        {"PNL_Blue\\con.bmp", false, {}},
        {"PNL_Blue\\Com1.ini", false, {}},
        {"lpt9", false, {}},
        {"AUX .txt", false, {}},
        {"CONOUT$", false, {}},
        {"PNL_Blue\\CONSOLE.bmp", false, {"PNL_Blue", "CONSOLE.bmp"}},
        {"COM10.bmp", false, {"COM10.bmp"}},
        {"PNL_Blue.\\a.bmp", false, {}},
        {"PNL_Blue\\a.bmp ", false, {}},
        {"a?.bmp", false, {}},
        {"a*.bmp", false, {}},
        {"a<b>.bmp", false, {}},
        {"a|b", false, {}},
        {"a\"b", false, {}},
        {std::string(255, 'n'), false, {std::string(255, 'n')}},
        {std::string(256, 'n'), false, {}},
        {"PNL_Blue\\" + std::string(256, 'n'), false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SafeStoredName(c.stored, c.utf8), c.parts) << c.stored;
}

TEST_F(PackageInstallTest, AFolderPackageIsCopiedOnTheVeryFirstRun) {
    WriteFile(temp_ / "from/PNL_Taro_Blue/imgBackPanel.bmp", "panel");
    WriteFile(temp_ / "from/PNL_Taro_Blue/sub/note.txt", "note");
    ASSERT_FALSE(Exists(temp_ / "data"));
    const InstallOutcome out = InstallPackage(temp_ / "from/PNL_Taro_Blue", Paths());
    EXPECT_TRUE(out.installed) << out.error;
    EXPECT_EQ(out.component, "PNL_Taro_Blue");
    EXPECT_EQ(ReadFile(Packages() + "PNL_Taro_Blue/imgBackPanel.bmp"), "panel");
    EXPECT_EQ(ReadFile(Packages() + "PNL_Taro_Blue/sub/note.txt"), "note");
    EXPECT_EQ(FilesBelow(temp_ / "data/PemuFiles/_sys"), std::vector<std::string>{})
        << "the staging folder is gone";

    // Not a package, a missing folder: nothing, and a missing one says so.
    EXPECT_EQ(InstallPackage(temp_ / "from", Paths()).kind, PackageKind::kNone);
    const InstallOutcome missing = InstallPackage(temp_ / "from/BTN_None", Paths());
    EXPECT_FALSE(missing.installed);
    EXPECT_NE(missing.error, "");
}

TEST_F(PackageInstallTest, ACabinetInstallsItsSafeNamesAndRefusesTheRest) {
    // A link already in the package folder that leads outside it.
    fs::create_directories(Packages());
    fs::create_directories(temp_ / "outside");
    fs::create_directory_symlink(temp_ / "outside", Packages() + "SET_Link");
    const std::string cab =
        Cabinet("skins.CAB", {{"PNL_Taro_Blue\\imgBackPanel.bmp", "panel"},
                              {"PNL_Taro_Blue\\option.ini", "[Value]\r\nButtonCompound=1\r\n"},
                              {platform::Sjis("DGN_ソ\\imgDigitalNumber.bmp"), "digits"},
                              {"..\\escaped.bmp", "x"},
                              {"PNL_Taro_Blue\\..\\..\\..\\escaped2.bmp", "x"},
                              {"\\absolute.bmp", "x"},
                              {"/absolute2.bmp", "x", true},
                              {"C:\\drive.bmp", "x"},
                              {"SET_Link\\imgBackPanel.bmp", "x"},
                              {"SET_Deep\\a\\b.bmp", "x"}});
    const InstallOutcome out = InstallPackage(cab, Paths());
    EXPECT_TRUE(out.installed) << out.error;
    EXPECT_EQ(out.kind, PackageKind::kCabinet);
    EXPECT_EQ(out.refused.size(), 7u);
    EXPECT_EQ(ReadFile(Packages() + "PNL_Taro_Blue/imgBackPanel.bmp"), "panel");
    EXPECT_EQ(ReadFile(Packages() + "PNL_Taro_Blue/option.ini"), "[Value]\r\nButtonCompound=1\r\n");
    EXPECT_EQ(ReadFile(Packages() + "DGN_ソ/imgDigitalNumber.bmp"), "digits");
    EXPECT_EQ(FilesBelow(temp_ / "outside"), std::vector<std::string>{});
    const std::vector<std::string> inside{"DGN_ソ/imgDigitalNumber.bmp",
                                          "PNL_Taro_Blue/imgBackPanel.bmp",
                                          "PNL_Taro_Blue/option.ini"};
    EXPECT_EQ(FilesBelow(Packages()), inside);
    for (const char* escaped : {"escaped.bmp", "data/escaped.bmp", "data/PemuFiles/escaped2.bmp",
                                "data/PemuFiles/Skin/escaped.bmp"})
        EXPECT_FALSE(Exists(temp_ / escaped)) << escaped;
    EXPECT_FALSE(Exists("/absolute.bmp"));
    EXPECT_FALSE(Exists("/absolute2.bmp"));
}

TEST_F(PackageInstallTest, AnInstalledPackageIsMergedIntoAnExistingOne) {
    WriteFile(Packages() + "BTN_Round/imgButtonUp.bmp", "old up");
    WriteFile(Packages() + "BTN_Round/keep.txt", "kept");
    const std::string cab = Cabinet("b.cab", {{"BTN_Round\\imgButtonUp.bmp", "new up"}});
    EXPECT_TRUE(InstallPackage(cab, Paths()).installed);
    EXPECT_EQ(ReadFile(Packages() + "BTN_Round/imgButtonUp.bmp"), "new up");
    EXPECT_EQ(ReadFile(Packages() + "BTN_Round/keep.txt"), "kept");
}

TEST_F(PackageInstallTest, ADamagedCabinetInstallsNothingAndSaysWhy) {
    const std::string whole = CabinetBytes({{"PNL_A\\imgBackPanel.bmp", std::string(5000, 'p')},
                                            {"PNL_B\\imgBackPanel.bmp", std::string(5000, 'q')}});
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"cut in the data", whole.substr(0, whole.size() - 3000)},
        {"cut in the file list", whole.substr(0, 50)},
        {"no cabinet", "just some text, not a cabinet at all"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        WriteFile(temp_ / "bad.cab", c.bytes);
        const InstallOutcome out = InstallPackage(temp_ / "bad.cab", Paths());
        EXPECT_FALSE(out.installed) << c.what;
        EXPECT_NE(out.error, "") << c.what;
        EXPECT_EQ(FilesBelow(temp_ / "data"), std::vector<std::string>{}) << c.what;
    }
    // A cabinet that is not there at all.
    EXPECT_NE(InstallPackage(temp_ / "none.cab", Paths()).error, "");
}

TEST_F(PackageInstallTest, AFolderPackageNeverLandsThroughALinkOutside) {
    fs::create_directories(Packages());
    fs::create_directories(temp_ / "outside");
    fs::create_directory_symlink(temp_ / "outside", Packages() + "PNL_Link");
    WriteFile(temp_ / "from/PNL_Link/imgBackPanel.bmp", "panel");
    const InstallOutcome out = InstallPackage(temp_ / "from/PNL_Link", Paths());
    EXPECT_FALSE(out.installed);
    EXPECT_NE(out.error, "");
    EXPECT_EQ(FilesBelow(temp_ / "outside"), std::vector<std::string>{});
}

}  // namespace
}  // namespace pemu::shell
