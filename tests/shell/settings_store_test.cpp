#include "shell/settings_store.hpp"

#include <gtest/gtest.h>

#include <random>

#include "../platform/temp_folder.hpp"
#include "../platform/posix_limits.hpp"
#include "platform/codec.hpp"
#include "shell/settings_keys.hpp"

namespace pemu::shell {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(SettingsStore, HandEditedFileKeepsOrderCommentsAndNamesCase) {
    TempFolder dir;
    const std::string path = dir / "Pemu.ini";
    WriteFile(path,
              "; kept comment\r\n[View]\r\nKeyPanelOn=1\r\n# about buttons\r\nKeyButtonOn=0\r\n"
              "\r\n[Value]\r\nPanelDigit = 12\r\n");
    SettingsStore store(path);
    EXPECT_EQ(store.loadStatus(), LoadStatus::kLoaded);
    EXPECT_TRUE(store.ReadBool("VIEW", "keypanelon", false)) << "names ignore letter case";
    EXPECT_EQ(store.ReadInteger("value", "PANELDIGIT", 14), 12);
    store.WriteInteger("Value", "Memory", 5);
    store.WriteString("Tax", "Zeiritu", "0.1");
    store.WriteBool("view", "KEYPANELON", false);  // an existing key keeps its spelling
    ASSERT_TRUE(store.UpdateFile().ok);
    EXPECT_EQ(ReadFile(path),
              "; kept comment\r\n[View]\r\nKeyPanelOn=0\r\n# about buttons\r\nKeyButtonOn=0\r\n"
              "\r\n[Value]\r\nPanelDigit= 12\r\nMemory=5\r\n\r\n[Tax]\r\nZeiritu=0.1\r\n\r\n");
}

TEST(SettingsStore, ByteOrderMarkOfAnEditorIsIgnored) {
    TempFolder dir;
    WriteFile(dir / "a.ini", "\xEF\xBB\xBF[View]\nKeyPanelOn=1\n");
    SettingsStore store(dir / "a.ini");
    EXPECT_EQ(store.loadStatus(), LoadStatus::kLoaded);
    EXPECT_TRUE(store.ReadBool("View", "KeyPanelOn", false));
}

// Files from editors of other systems: CR alone, LF alone and CR LF all end a line, also
// mixed in one file, and such a file is read whole, not kept aside as damaged.
TEST(SettingsStore, EveryKindOfLineEndIsALineEnd) {
    TempFolder dir;
    const std::string path = dir / "Pemu.ini";
    for (const std::string text :
         {"[Value]\rPanelDigit=10\rDentakuType=2\r[Tax]\rZeiritu=0.1\r",
          "[Value]\nPanelDigit=10\nDentakuType=2\n[Tax]\nZeiritu=0.1",
          "[Value]\r\nPanelDigit=10\rDentakuType=2\n\r[Tax]\r\n\nZeiritu=0.1\r\n"}) {
        WriteFile(path, text);
        SettingsStore store(path);
        EXPECT_EQ(store.loadStatus(), LoadStatus::kLoaded);
        EXPECT_EQ(store.ReadInteger("Value", "PanelDigit", 14), 10);
        EXPECT_EQ(store.ReadInteger("Value", "DentakuType", 1), 2);
        EXPECT_EQ(store.ReadString("Tax", "Zeiritu", "0.08"), "0.1");
        ASSERT_TRUE(store.UpdateFile());
        EXPECT_EQ(ReadFile(path),
                  "[Value]\r\nPanelDigit=10\r\nDentakuType=2\r\n\r\n[Tax]\r\n"
                  "Zeiritu=0.1\r\n\r\n");
    }
    EXPECT_FALSE(testing::Exists(path + ".damaged.1"));
}

TEST(SettingsStore, DeletingAKeyKeepsTheCommentAboveIt) {
    TempFolder dir;
    WriteFile(dir / "a.ini", "[Value]\r\n; percent\r\nPerType=2\r\nPanelDigit=12\r\n");
    SettingsStore store(dir / "a.ini");
    store.DeleteKey("Value", "PerType");
    EXPECT_EQ(store.Text(), "[Value]\r\n; percent\r\nPanelDigit=12\r\n\r\n");
}

TEST(SettingsStore, TypedReadsFallBackToTheDefault) {
    TempFolder dir;
    WriteFile(dir / "a.ini",
              "[S]\nnum= -42 \nplus=+7\nword=abc\nhalf=12x\nhuge=99999999999\nempty=\nflag=2\n"
              "zero=0\n");
    SettingsStore store(dir / "a.ini");
    struct Case {
        const char* ident;
        int expected;
    };
    const Case integers[] = {{"num", -42}, {"plus", 7},   {"word", 99}, {"half", 99},
                             {"huge", 99}, {"empty", 99}, {"none", 99}};
    for (const Case& c : integers)
        EXPECT_EQ(store.ReadInteger("S", c.ident, 99), c.expected) << c.ident;
    EXPECT_TRUE(store.ReadBool("S", "flag", false)) << "any non-zero number is true";
    EXPECT_FALSE(store.ReadBool("S", "zero", true));
    EXPECT_TRUE(store.ReadBool("S", "word", true)) << "unreadable gives the default";
    EXPECT_FALSE(store.ReadBool("S", "word", false));
    EXPECT_EQ(store.ReadString("S", "empty", "d"), "") << "a present empty text is a text";
    EXPECT_EQ(store.ReadString("S", "none", "d"), "d");
}

TEST(SettingsStore, FlagsReadBackAsTextAndKeysCanBeDeleted) {
    SettingsStore store("/nonexistent/Pemu.ini");
    EXPECT_EQ(store.loadStatus(), LoadStatus::kMissing);
    store.WriteBool("View", "KeyPanelOn", true);
    store.WriteBool("View", "FrontSideOn", false);
    EXPECT_EQ(store.ReadString("View", "KeyPanelOn", ""), "1");
    EXPECT_EQ(store.ReadString("View", "FrontSideOn", ""), "0");
    EXPECT_TRUE(store.ValueExists("view", "keypanelon"));
    store.DeleteKey("VIEW", "KeyPanelOn");
    EXPECT_FALSE(store.ValueExists("View", "KeyPanelOn"));
    EXPECT_TRUE(store.ValueExists("View", "FrontSideOn"));
}

TEST(SettingsStore, DoubleByteNamesAreNotCaseFolded) {
    // "ア" is 83 41 and "ャ" is 83 61: the trail bytes look like 'A' and 'a'.
    const std::string a = platform::Sjis("スキンア");
    const std::string small = platform::Sjis("スキンャ");
    ASSERT_EQ(a.size(), small.size());
    SettingsStore store("/nonexistent/x.ini");
    store.WriteString("Skin", a, "first");
    store.WriteString("Skin", small, "second");
    EXPECT_EQ(store.ReadString("Skin", a, ""), "first");
    EXPECT_EQ(store.ReadString("Skin", small, ""), "second");
    EXPECT_TRUE(SameName("KeySet2", "KEYSET2"));
}

TEST(SettingsStore, BinaryFileIsUsableAndKeptAsideBeforeTheFirstRewrite) {
    TempFolder dir;
    const std::string path = dir / "Pemu.ini";
    const std::string damaged =
        std::string("[Value]\r\nPanelDigit=10\r\n\0\x01\x02\xff junk\r\n", 36) +
        "no equals sign\r\n[Tax]\r\nZeiritu=0.05";  // cut: no line end
    WriteFile(path, damaged);
    SettingsStore store(path);
    EXPECT_EQ(store.loadStatus(), LoadStatus::kDamaged);
    EXPECT_EQ(store.ReadInteger("Value", "PanelDigit", 14), 10);
    EXPECT_EQ(store.ReadString("Tax", "Zeiritu", ""), "0.05") << "a truncated last line counts";
    ASSERT_TRUE(store.UpdateFile().ok);
    EXPECT_EQ(ReadFile(path + ".damaged.1"), damaged);
    EXPECT_EQ(ReadFile(path), "[Value]\r\nPanelDigit=10\r\n\r\n[Tax]\r\nZeiritu=0.05\r\n\r\n");
    EXPECT_EQ(SettingsStore(path).loadStatus(), LoadStatus::kLoaded);
}

// A header that cannot be read ends the section above it: its keys are dropped (the damaged
// copy keeps them) rather than taken as keys of the section before.
TEST(SettingsStore, BrokenSectionHeaderNeverMovesKeysAcrossSections) {
    const std::string broken[] = {std::string("[Ta\x01x]"), std::string("\x02[Tax]"),
                                  std::string("[Tax]\0", 6), std::string("[Tax"),
                                  std::string("[\x7f")};
    for (const std::string& header : broken) {
        TempFolder dir;
        const std::string path = dir / "Pemu.ini";
        WriteFile(path, "[Value]\r\nPanelDigit=10\r\n" + header +
                            "\r\nZeiritu=0.05\r\nMemory=7\r\n[StartUp]\r\nAutoUpdate=1\r\n");
        SettingsStore store(path);
        EXPECT_EQ(store.loadStatus(), LoadStatus::kDamaged);
        EXPECT_EQ(store.ReadInteger("Value", "PanelDigit", 14), 10);
        EXPECT_FALSE(store.ValueExists("Value", "Zeiritu"));
        EXPECT_FALSE(store.ValueExists("Value", "Memory"));
        EXPECT_TRUE(store.ReadBool("StartUp", "AutoUpdate", false)) << "the next header counts";
        EXPECT_EQ(store.Text(),
                  "[Value]\r\nPanelDigit=10\r\n\r\n[StartUp]\r\nAutoUpdate=1\r\n\r\n");
    }
}

// Every damaged start keeps its own copy, numbered upward; only the newest few stay.
TEST(SettingsStore, EachDamagedFileIsKeptAndTheCopiesAreBounded) {
    TempFolder dir;
    const std::string path = dir / "Pemu.ini";
    WriteFile(path + ".damaged", "a copy of an older version");
    WriteFile(path + ".damaged.x", "not one of ours");
    const int starts = SettingsStore::kDamagedCopiesKept + 2;
    for (int run = 1; run <= starts; ++run) {
        const std::string damaged = "[Value]\r\nRun=" + std::to_string(run) + "\r\n\x01\r\n";
        WriteFile(path, damaged);
        SettingsStore store(path);
        ASSERT_EQ(store.loadStatus(), LoadStatus::kDamaged);
        ASSERT_TRUE(store.UpdateFile().ok);
        ASSERT_TRUE(store.UpdateFile().ok) << "a second flush of the same run";
        EXPECT_EQ(ReadFile(path + ".damaged." + std::to_string(run)), damaged);
    }
    for (int run = 1; run <= starts; ++run) {
        const bool kept = run > starts - SettingsStore::kDamagedCopiesKept;
        EXPECT_EQ(testing::Exists(path + ".damaged." + std::to_string(run)), kept) << run;
    }
    EXPECT_FALSE(testing::Exists(path + ".damaged." + std::to_string(starts + 1)));
    EXPECT_EQ(ReadFile(path + ".damaged"), "a copy of an older version");
    EXPECT_EQ(ReadFile(path + ".damaged.x"), "not one of ours");
}

TEST(SettingsStore, FailedFlushKeepsTheOldFileAndTheValues) {
    TempFolder dir;
    const std::string path = dir / "Pemu.ini";
    const std::string old = "[Value]\r\nPanelDigit=10\r\n\r\n";
    WriteFile(path, old);
    SettingsStore store(path);
    store.WriteString("Value", "Memory", std::string(4000, '9'));
    platform::IoResult result;
    {
        testing::FullDisk full(1000);
        result = store.UpdateFile();
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadFile(path), old) << "never half-written";
    ASSERT_TRUE(store.UpdateFile().ok) << "a later flush still has everything";
    EXPECT_EQ(SettingsStore(path).ReadString("Value", "Memory", ""), std::string(4000, '9'));
}

TEST(SettingsKeys, DefaultsAndCheckedKeys) {
    TempFolder dir;
    WriteFile(dir / "a.ini",
              "[Value]\nDentakuType=7\nMemory=12345678901234567890123\n[Tax]\nZeiritu=8%\n");
    SettingsStore store(dir / "a.ini");
    EXPECT_EQ(ReadDentakuType(store), 1);
    EXPECT_EQ(ReadTaxRate(store), "0.08");
    EXPECT_EQ(Read(store, keys::kMemory), "1234567890123456789") << "at most 19 characters";
    EXPECT_EQ(Read(store, keys::kPanelDigit), 14);
    EXPECT_TRUE(Read(store, keys::kLogHozon));
    Write(store, keys::kDentakuType, 2);
    Write(store, keys::kZeiritu, "-0.1");
    EXPECT_EQ(ReadDentakuType(store), 2);
    EXPECT_EQ(ReadTaxRate(store), "-0.1");
    const char* rejected[] = {"", "-", "1.2.3", "0,08", " 0.08", "abc"};
    for (const char* text : rejected) {
        Write(store, keys::kZeiritu, text);
        EXPECT_EQ(ReadTaxRate(store), "0.08") << text;
    }
}

// Lookups go through an index: it must follow repeated names in any letter case, keys
// added later, and deletions that move the keys behind them.
TEST(IniDocument, IndexFollowsRepeatedNamesAdditionsAndDeletions) {
    std::string text = "[Keys]\r\n";
    for (int n = 0; n < 300; ++n)
        text += "Key" + std::to_string(n) + "=" + std::to_string(n) + "\r\n";
    text += "KEY7=seven\r\n[keys]\r\nkey8=eight\r\n";
    IniDocument doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.Get("KEYS", "key7"), "seven");
    EXPECT_EQ(doc.Get("Keys", "Key8"), "eight");
    for (int n : {0, 5, 150, 298}) {
        ASSERT_TRUE(doc.Erase("keys", "KEY" + std::to_string(n)));
        EXPECT_FALSE(doc.Get("Keys", "Key" + std::to_string(n)));
    }
    EXPECT_FALSE(doc.Erase("Keys", "Key5"));
    for (int n : {1, 4, 6, 149, 151, 297, 299})
        EXPECT_EQ(doc.Get("Keys", "key" + std::to_string(n)), std::to_string(n)) << n;
    doc.Set("KEYS", "Key5", "again");
    doc.Set("keys", "KEY1", "changed");
    const std::vector<std::string> idents = doc.Idents("Keys");
    ASSERT_EQ(idents.size(), 297u);
    EXPECT_EQ(idents.front(), "Key1") << "first spelling and place kept";
    EXPECT_EQ(idents.back(), "Key5") << "a new key goes last";
    EXPECT_EQ(doc.Get("Keys", "Key1"), "changed");
    const std::string written = doc.Serialise();
    EXPECT_EQ(written.find("[Keys]\r\nKey1=changed\r\nKey2=2\r\n"), 0u);
    EXPECT_EQ(written.find("[keys]"), std::string::npos) << "one section, first spelling";
}

}  // namespace
}  // namespace pemu::shell

namespace pemu::shell {
namespace {

// Whatever a file holds, what the store writes reads back to the same keys and is written
// again unchanged: a damaged file is cleaned once, never degraded further run by run.
TEST(IniDocument, AnyBytesSettleAfterOneRewrite) {
    std::mt19937 random(20261210);
    const std::string alphabet =
        std::string("[]=;#\r\n \tAbc01\x81\x40\x83\x41\xff", 20) + std::string(1, '\0');
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 200, ' ');
        for (char& c : bytes)
            c = alphabet[random() % alphabet.size()];
        const std::string once = IniDocument::Parse(bytes).Serialise();
        IniDocument::ParseReport report;
        const std::string twice = IniDocument::Parse(once, &report).Serialise();
        ASSERT_EQ(twice, once) << "round " << round;
        ASSERT_FALSE(report.binary) << "round " << round;
        ASSERT_EQ(report.droppedLines, 0u) << "round " << round;
    }
}

}  // namespace
}  // namespace pemu::shell
