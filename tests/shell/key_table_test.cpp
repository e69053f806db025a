#include "shell/key_table.hpp"

#include <gtest/gtest.h>

#include "platform/codec.hpp"

namespace pemu::shell {
namespace {

using platform::Sjis;

TEST(KeyName, NamesAndUnassignableKeys) {
    struct Case {
        int vk;
        std::string name;
    };
    const Case cases[] = {
        {8, ":[BS]"},   {19, "[Paus]"},    {27, ":[ESC]"},    {29, Sjis(":[無変換]")},
        {32, ":[SPC]"}, {37, Sjis("[←]")}, {40, Sjis("[↓]")}, {48, "[ 0]"},
        {49, "[!1]"},   {50, "[\"2]"},     {57, "[)9]"},      {65, "[A]"},
        {67, ":[C] "},  {90, "[Z]"},       {112, ":[F1]"},    {117, ":[F6]"},
        {118, "[F7]"},  {119, ":[F8]"},    {120, "[F9]"},     {123, "[F12]"},
        {186, "[ : ]"}, {220, "[ \\ ]"},   {226, "[ _ ]"},    {243, Sjis(":[半角/全角]")},
        {9, ""},        {13, ""},          {28, ""},          {96, ""},
        {107, ""},      {124, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyName(c.vk), c.name) << c.vk;
    EXPECT_TRUE(IsAssignableKey(82));
    EXPECT_FALSE(IsAssignableKey(67)) << "C is a fixed key";
    EXPECT_FALSE(IsAssignableKey(101)) << "numeric pad 5 has no name";
}

TEST(KeyTable, IdentsDialogNamesAndDefaults) {
    EXPECT_STREQ(KeyIdent(1), "Per");
    EXPECT_STREQ(KeyIdent(21), "Canma");
    EXPECT_STREQ(KeyIdent(36), "0");
    EXPECT_STREQ(KeyIdent(38), "CA2");
    EXPECT_STREQ(KeyIdent(39), "");
    EXPECT_EQ(KeyDialogName(10), Sjis("『検算』"));
    EXPECT_EQ(KeyDialogName(22), "");
    // Every default key has a name and can be assigned: no layout slot is dead.
    for (int code = 1; code <= kKeySlots; ++code) {
        if (int vk = DefaultKeyOf(code)) {
            EXPECT_TRUE(IsAssignableKey(vk)) << code;
        }
    }
}

TEST(KeyTable, KeyCodeOfTakesTheLowestCode) {
    KeyTable table;
    table.SetKey(17, 187);
    table.SetKey(5, 187);  // a duplicate from an edited file
    table.SetKey(30, 52);
    EXPECT_EQ(table.KeyCodeOf(187), 5);
    EXPECT_EQ(table.KeyCodeOf(52), 30);
    EXPECT_EQ(table.KeyCodeOf(53), kNoKeyCode);
    EXPECT_EQ(table.KeyCodeOf(0), kNoKeyCode) << "an empty slot matches nothing";
    table.SetKey(0, 1);
    table.SetKey(39, 1);
    EXPECT_EQ(table.KeyCodeOf(1), kNoKeyCode);
}

TEST(KeyTable, FreshStoreGetsTheDefaultLayoutWrittenBack) {
    SettingsStore store("/nonexistent/Pemu.ini");
    KeyTable table;
    table.SetActiveSet(ReadKeySetType(store));
    LoadKeyTable(table, store);
    EXPECT_EQ(table.KeyOf(1), 19);
    EXPECT_EQ(table.KeyOf(17), 187);
    EXPECT_EQ(table.KeyCodeOf(49), 27);
    EXPECT_EQ(table.KeyCodeOf(48), 36);
    EXPECT_EQ(store.ReadInteger("KeySet", "Plus", -1), 187);
    EXPECT_EQ(store.ReadInteger("KeySet", "00", -1), 0);
    EXPECT_FALSE(store.ValueExists("KeySet", "C2")) << "slots 8 and 38 are never loaded";
    EXPECT_FALSE(store.ValueExists("KeySet", "CA2"));
}

TEST(KeyTable, StoredValuesNegativeCountsAsMissing) {
    SettingsStore store("/nonexistent/Pemu.ini");
    store.WriteInteger("KeySet", "Plus", 65);
    store.WriteInteger("KeySet", "Minus", -5);
    store.WriteString("KeySet", "GT", "abc");
    store.WriteInteger("KeySet", "C2", 66);
    KeyTable table;
    LoadKeyTable(table, store);
    EXPECT_EQ(table.KeyOf(17), 65);
    EXPECT_EQ(table.KeyOf(18), 189);
    EXPECT_EQ(store.ReadInteger("KeySet", "Minus", 0), 189);
    EXPECT_EQ(table.KeyOf(15), 36) << "unreadable text takes the default";
    EXPECT_EQ(table.KeyOf(8), 0);
}

TEST(KeyTable, SetsAreSeparateAndResetWritesEveryIdent) {
    SettingsStore store("/nonexistent/Pemu.ini");
    KeyTable table;
    LoadKeyTable(table, store);
    AssignKey(table, store, 15, 120);
    AssignKey(table, store, 3, 0);
    EXPECT_EQ(store.ReadInteger("KeySet", "GT", -1), 120);
    EXPECT_EQ(store.ReadInteger("KeySet", "MC", -1), 0);

    SwitchKeySet(table, store, 2);
    EXPECT_EQ(store.ReadInteger("KeySet", "KeySetType", 0), 2);
    EXPECT_EQ(store.ReadInteger("KeySet2", "GT", -1), 36) << "a new set gets the defaults";
    EXPECT_EQ(table.KeyOf(3), 120);
    SwitchKeySet(table, store, 1);
    EXPECT_EQ(table.KeyOf(15), 120);

    ResetKeyTable(table, store);
    EXPECT_EQ(table.KeyOf(15), 36);
    EXPECT_EQ(table.KeyOf(3), 120);
    EXPECT_EQ(store.ReadInteger("KeySet", "C2", -1), 0);
    EXPECT_EQ(store.ReadInteger("KeySet", "CA2", -1), 0);
    EXPECT_EQ(KeySetSection(3), "KeySet3");
    EXPECT_EQ(KeySetSection(0), "KeySet");
}

}  // namespace
}  // namespace pemu::shell
