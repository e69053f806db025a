// Skin packages as the chooser lists and names them: the name/author split, sorting, the
// entry width, the typed-name check, the set rule of clear and old combinations.
#include "shell/skin_packages.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "../platform/temp_folder.hpp"
#include "platform/codec.hpp"

namespace pemu::shell {
namespace {

using platform::Sjis;

TEST(SkinPackageNames, SplitAtTheFirstUnderscoreOutsideDoubleByteCharacters) {
    struct Case {
        const char* rest;  // UTF-8, after the prefix
        const char* name;
        const char* author;
    };
    const Case cases[] = {
        {"Taro_Blue", "Blue", "Taro"},
        {"Blue", "Blue", ""},
        {"Taro_Deep_Blue", "Deep_Blue", "Taro"},
        // ダ is 0x83 0x5F: its second byte is no underscore.
        {"ダンス_青", "青", "ダンス"},
        {"ダンス", "ダンス", ""},
        {"_Blue", "Blue", ""},
    };
    for (const Case& c : cases) {
        const PackageName n = SplitPackageName(Sjis(c.rest));
        EXPECT_EQ(n.name, Sjis(c.name)) << c.rest;
        EXPECT_EQ(n.author, Sjis(c.author)) << c.rest;
    }
}

class PackageFolderTest : public ::testing::Test {
  protected:
    void Make(const std::string& name) { std::filesystem::create_directories(temp_ / name); }
    std::string Folder() const { return temp_.path(); }
    testing::TempFolder temp_;
};

TEST_F(PackageFolderTest, ListsOnePartSortedByNameThenAuthorEitherWay) {
    for (const char* name : {"PNL_Taro_Blue", "PNL_Hana_Blue", "PNL_Akai", "PNL_ダンス_緑",
                             "BTN_Taro_Round", "HOZ_Old", "PNLX"})
        Make(name);
    testing::WriteFile(temp_ / "PNL_File_NotAFolder", "x");
    const auto names = [](const std::vector<PackageEntry>& list) {
        std::vector<std::string> out;
        for (const PackageEntry& e : list)
            out.push_back(platform::Cp932ToUtf8(e.shown.name + ":" + e.shown.author));
        return out;
    };
    const std::vector<std::string> ascending{"Akai:", "Blue:Hana", "Blue:Taro", "緑:ダンス"};
    EXPECT_EQ(names(ListPackages(Folder(), 1, true)), ascending);
    EXPECT_EQ(names(ListPackages(Folder(), 1, false)),
              std::vector<std::string>(ascending.rbegin(), ascending.rend()));
    const auto buttons = ListPackages(Folder(), 2, true);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0].folder, "BTN_Taro_Round");
    EXPECT_TRUE(ListPackages(Folder(), 0, true).empty());
    EXPECT_TRUE(ListPackages(Folder() + "missing/", 1, true).empty());
}

TEST_F(PackageFolderTest, ALongNameIsCutForTheListOnlyAtACharacterBoundary) {
    const std::string author(40, 'a');
    // 60 double-byte characters: 120 bytes.
    std::string name;
    for (int i = 0; i < 60; ++i)
        name += "青";
    Make("DGN_" + author + "_" + name);
    const auto list = ListPackages(Folder(), 4, true);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].folder, "DGN_" + author + "_" + name) << "the folder stays whole";
    EXPECT_EQ(list[0].shown.name.size(), 98u) << "49 whole characters";
    EXPECT_EQ(list[0].shown.author, "a");
    EXPECT_LE(list[0].shown.name.size() + list[0].shown.author.size(), kListEntryBytes);
}

TEST(SkinPackageEntry, ChecksLengthCharactersBlanksAndTheFullWidthColon) {
    struct Case {
        std::string typed;  // CP932
        EntryProblem problem;
        std::string text;
    };
    const Case cases[] = {
        {Sjis("青空"), EntryProblem::kNone, Sjis("青空")},
        {Sjis(" 青　空 "), EntryProblem::kNone, Sjis("青空")},
        {std::string(100, 'x'), EntryProblem::kNone, std::string(100, 'x')},
        {std::string(101, 'x'), EntryProblem::kTooLong, ""},
        {Sjis("青_空"), EntryProblem::kForbiddenCharacter, ""},
        {"a.b", EntryProblem::kForbiddenCharacter, ""},
        {"a\\b", EntryProblem::kForbiddenCharacter, ""},
        {"a\"b", EntryProblem::kForbiddenCharacter, ""},
        {"a|b", EntryProblem::kForbiddenCharacter, ""},
        // ソ (0x83 0x5C) and ポ (0x83 0x7C): second bytes that look like \ and |.
        {Sjis("ソポ"), EntryProblem::kNone, Sjis("ソポ")},
        // A full-width colon would become ":", which no folder name can hold.
        {Sjis("青：空"), EntryProblem::kForbiddenCharacter, ""},
        {Sjis("　 "), EntryProblem::kEmpty, ""},
        {"", EntryProblem::kEmpty, ""},
    };
    for (const Case& c : cases) {
        const EntryCheck check = CheckEntry(c.typed);
        EXPECT_EQ(check.problem, c.problem) << platform::Cp932ToUtf8(c.typed);
        EXPECT_EQ(check.text, c.text) << platform::Cp932ToUtf8(c.typed);
    }
    EXPECT_EQ(platform::Cp932ToUtf8(EntryProblemText(EntryProblem::kForbiddenCharacter)),
              "タイトルに \\ / : , ; * ? \" < > | _ . は使用出来ません。");
    EXPECT_EQ(platform::Cp932ToUtf8(EntryConfirmText(Sjis("青"))), "「青」\nでよろしいですか？");
}

TEST(SkinPackageClear, TheSetTabClearsOnlyThePartsThatCameFromASet) {
    const std::array<std::string, kPartCount> recorded{
        {"Blue", "Blue (SET)", "Round", "Blue (SET)", "", "Old (SET)"}};
    EXPECT_EQ(PartsToClear(0, recorded), (std::vector<int>{0, 1, 3, 5}));
    EXPECT_EQ(PartsToClear(2, recorded), (std::vector<int>{2}));
    EXPECT_EQ(FilesOfPart(2), (std::vector<std::string>{"imgButtonUp.bmp", "imgButtonDown.bmp"}));
    EXPECT_TRUE(FilesOfPart(0).empty());
}

TEST_F(PackageFolderTest, OldCombinationsBecomeSetsUnlessTheNameIsTaken) {
    Make("HOZ_Taro_Blue");
    Make("HOZ_Taro_Red");
    Make("SET_Taro_Red");
    testing::WriteFile(temp_ / "HOZ_Taro_Blue/imgBackPanel.bmp", "panel");
    EXPECT_EQ(OldCombinationFolders(Folder()).size(), 2u);
    EXPECT_EQ(ConvertOldCombinations(Folder()), 1);
    EXPECT_EQ(testing::ReadFile(temp_ / "SET_Taro_Blue/imgBackPanel.bmp"), "panel");
    EXPECT_TRUE(testing::Exists(temp_ / "HOZ_Taro_Red")) << "kept: its new name is taken";
}

TEST_F(PackageFolderTest, SavedSetsNeedASkinFileAndGetTheirFolderName) {
    EXPECT_FALSE(HasAppliedSkinFiles(Folder()));
    testing::WriteFile(temp_ / "imgButtonUp.bmp", "up only");
    EXPECT_FALSE(HasAppliedSkinFiles(Folder())) << "released keys alone are no set";
    testing::WriteFile(temp_ / "imgDigitalMark.bmp", "marks");
    EXPECT_TRUE(HasAppliedSkinFiles(Folder()));
    EXPECT_EQ(PackageFolderName(0, Sjis("ユーザー"), Sjis("青")), "SET_ユーザー_青");
    EXPECT_EQ(PackageFolderName(2, "Taro", "Round"), "BTN_Taro_Round");
    EXPECT_EQ(SetRecordName("Blue"), "Blue (SET)");
}

}  // namespace
}  // namespace pemu::shell
