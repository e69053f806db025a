// What each key picture is called and which keyboard keys its tooltip names.
#include "shell/key_descriptions.hpp"

#include <gtest/gtest.h>

#include <set>

#include "../platform/temp_folder.hpp"
#include "platform/codec.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {
namespace {

using platform::Cp932ToUtf8;

constexpr core::KeyFamily kSharp = core::kMakerSharp, kCasio = core::kMakerCasio;
constexpr int kFaceKeys[] = {1,  2,  3,  4,  5,  6,  7,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                             18, 19, 20, 21, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 99};

std::string Name(int code, core::KeyFamily family) {
    return Cp932ToUtf8(KeyAccessibleName(code, family));
}

TEST(KeyAccessibleName, EveryKeyOfTheFaceHasANameOfItsOwnInBothFamilies) {
    for (const core::KeyFamily family : {kSharp, kCasio}) {
        std::set<std::string> names;
        for (int code : kFaceKeys) {
            const std::string name = Name(code, family);
            EXPECT_FALSE(name.empty()) << code;
            EXPECT_TRUE(names.insert(name).second) << code << " shares the name " << name;
        }
    }
    EXPECT_TRUE(DescribeKey(8, kSharp).caption.empty()) << "the second C has no picture";
    EXPECT_TRUE(DescribeKey(22, kSharp).caption.empty());
    EXPECT_TRUE(DescribeKey(38, kSharp).caption.empty());
}

TEST(KeyAccessibleName, CaptionThenFunctionAndTheClearKeysFollowTheFamily) {
    EXPECT_EQ(Name(11, kSharp), "税込、税込み金額");
    EXPECT_EQ(Name(17, kSharp), "+、足す");
    EXPECT_EQ(Name(31, kSharp), "5");
    EXPECT_EQ(Name(37, kSharp), "00");
    EXPECT_EQ(Name(2, kSharp), "CE、入力した数値の取り消し");
    EXPECT_EQ(Name(7, kSharp), "C、計算のクリア");
    EXPECT_EQ(Name(2, kCasio), "C、入力した数値の取り消し");
    EXPECT_EQ(Name(7, kCasio), "AC、計算とGTのクリア");
    EXPECT_EQ(Name(16, kCasio), Name(16, kSharp));
}

class KeyToolTipTest : public ::testing::Test {
  protected:
    void SetUp() override { LoadKeyTable(table, store); }
    std::string Tip(int code, const std::vector<int>& fixed = {}, std::string_view typed = "") {
        return Cp932ToUtf8(KeyToolTip(code, kSharp, table, fixed, typed));
    }
    testing::TempFolder dir;
    SettingsStore store{dir / "Pemu.ini"};
    KeyTable table;
};

TEST_F(KeyToolTipTest, NamesTheKeyAndTheKeyboardKeysThatPressIt) {
    EXPECT_EQ(Tip(15), "GT、グランドトータル\nキー：[Home]");
    EXPECT_EQ(Tip(10), "検算、検算テープの表示\nキー：[←]");
    EXPECT_EQ(Tip(31, {101}), "5\nキー：[%5]、[テンキー5]");
    EXPECT_EQ(Tip(17, {107}, "+"), "+、足す\nキー：[ ; ]、[テンキー+]、「+」");
    EXPECT_EQ(Tip(99, {13}, "="), "=、イコール\nキー：[Enter]、「=」");
    EXPECT_EQ(Tip(13, {8}), "→、1桁消す\nキー：[→]、[BS]");
    EXPECT_EQ(Tip(37), "00\nキー：なし") << "00 has no key by default";
}

TEST_F(KeyToolTipTest, FollowsAReassignmentAtOnce) {
    AssignKey(table, store, 15, 120);  // F9
    EXPECT_EQ(Tip(15), "GT、グランドトータル\nキー：[F9]");
    AssignKey(table, store, 15, 0);
    EXPECT_EQ(Tip(15), "GT、グランドトータル\nキー：なし");
    // A hand-edited settings file can hold a key that cannot be assigned.
    table.SetKey(15, 67);
    EXPECT_EQ(Tip(15), "GT、グランドトータル\nキー：[C]");
}

TEST(FixedKeyName, TheKeysNoAssignmentChanges) {
    EXPECT_EQ(FixedKeyName(13), "[Enter]");
    EXPECT_EQ(FixedKeyName(8), "[BS]");
    EXPECT_EQ(Cp932ToUtf8(FixedKeyName(96)), "[テンキー0]");
    EXPECT_EQ(Cp932ToUtf8(FixedKeyName(105)), "[テンキー9]");
    EXPECT_EQ(Cp932ToUtf8(FixedKeyName(110)), "[テンキー.]");
    EXPECT_EQ(FixedKeyName(65), "");
}

}  // namespace
}  // namespace pemu::shell
