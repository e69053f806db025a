// The formula window's settings: each key's read rule, and what is written when.
#include "shell/formula_window_settings.hpp"

#include <gtest/gtest.h>

#include "../platform/temp_folder.hpp"

namespace pemu::shell {
namespace {

using testing::TempFolder;
using testing::WriteFile;

struct ReadCase {
    const char* stored;
    int fontSize;
    int colour;
    int group;
    int intMax;
    int fracMax;
};

TEST(FormulaWindowSettings, StoredValuesOutsideTheirRangesReadAsTheRulesSay) {
    const std::vector<ReadCase> cases = {
        {"", 14, 1, 3, 56, 28},
        {"SushikiFontSize=10\nsAnsColor=0\nsKugirisuu=0\nsSeisubuMax=1\nsSyousubuMax=100", 10, 0, 0,
         1, 100},
        {"SushikiFontSize=22\nsAnsColor=5\nsKugirisuu=5\nsSeisubuMax=2\nsSyousubuMax=99", 22, 5, 5,
         2, 99},
        {"SushikiFontSize=13\nsAnsColor=6\nsKugirisuu=7\nsSeisubuMax=0\nsSyousubuMax=101", 14, 1, 3,
         57, 57},
        {"SushikiFontSize=x\nsAnsColor=-1\nsKugirisuu=1\nsSeisubuMax=-5\nsSyousubuMax=abc", 14, 1,
         3, 57, 28},
    };
    for (const ReadCase& c : cases) {
        TempFolder dir;
        WriteFile(dir / "Pemu.ini", std::string("[Value]\n") + c.stored + "\n");
        const SettingsStore store(dir / "Pemu.ini");
        const FormulaWindowSettings s = ReadFormulaWindowSettings(store);
        EXPECT_EQ(s.fontSize, c.fontSize) << c.stored;
        EXPECT_EQ(s.colourScheme, c.colour) << c.stored;
        EXPECT_EQ(s.group, c.group) << c.stored;
        EXPECT_EQ(s.intDigitsMax, c.intMax) << c.stored;
        EXPECT_EQ(s.fracDigitsMax, c.fracMax) << c.stored;
    }
}

TEST(FormulaWindowSettings, SizeAndPlaceAreWrittenOnlyWhenNotMaximised) {
    TempFolder dir;
    SettingsStore store(dir / "Pemu.ini");
    FormulaWindowSettings s;
    s.client = {700, 650};
    s.keepFormula = false;
    s.group = 0;
    WriteFormulaWindowSettings(store, s, std::nullopt);
    EXPECT_FALSE(store.ValueExists("Value", "SushikiClientWidth"));
    EXPECT_FALSE(store.ValueExists("Value", "SushikiTop"));
    EXPECT_FALSE(store.ReadBool("Value", "SushikiKioku", true));
    EXPECT_EQ(store.ReadInteger("Value", "sKugirisuu", 3), 0);
    WriteFormulaWindowSettings(store, s, platform::Point{30, 40});
    EXPECT_EQ(store.ReadInteger("Value", "SushikiClientWidth", 0), 700);
    EXPECT_EQ(store.ReadInteger("Value", "SushikiClientHeigh", 0), 650);
    EXPECT_EQ(store.ReadInteger("Value", "SushikiLeft", 0), 30);
    EXPECT_EQ(store.ReadInteger("Value", "SushikiTop", 0), 40);
    const FormulaWindowSettings back = ReadFormulaWindowSettings(store);
    EXPECT_EQ(back.client.width, 700);
    EXPECT_FALSE(back.keepFormula);
}

}  // namespace
}  // namespace pemu::shell
