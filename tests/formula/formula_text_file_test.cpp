// The formula text file: its four markers byte for byte, the fallback for a text without
// them, the atomic write at close and the deletion when nothing is to be kept.
#include "formula/formula_text_file.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../platform/temp_folder.hpp"
#include "../platform/posix_limits.hpp"
#include "platform/codec.hpp"

namespace pemu::formula {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(FormulaTextFile, TheThreeTextsBetweenTheirMarkersByteForByte) {
    const FormulaMemory memory{platform::Sjis("[E706][構文] 連続\r\n>>3文字目>> 2*<?>/3"),
                               "2*/3\r\n\"comment\"", "error"};
    const std::string text = ComposeFormulaText(memory);
    EXPECT_EQ(text, "[MSG]" + memory.message + "[CLC]" + memory.formula + "[ANS]error[END]");
    const FormulaMemory back = ParseFormulaText(text);
    EXPECT_EQ(back.message, memory.message);
    EXPECT_EQ(back.formula, memory.formula);
    EXPECT_EQ(back.lastAnswer, memory.lastAnswer);
}

TEST(FormulaTextFile, MarkersTypedIntoTheFormulaSurviveTheRoundTrip) {
    const FormulaMemory memory{"1", "1+\"[ANS]x[END]y[CLC]\"", "1"};
    const FormulaMemory back = ParseFormulaText(ComposeFormulaText(memory));
    EXPECT_EQ(back.message, "1");
    EXPECT_EQ(back.formula, memory.formula);
    EXPECT_EQ(back.lastAnswer, "1");
}

TEST(FormulaTextFile, ATextWithoutAllMarkersInOrderIsTheInputWhole) {
    for (const std::string text : {std::string("1+2"), std::string("[MSG]a[CLC]b[ANS]c"),
                                   std::string("[CLC]b[MSG]a[ANS]c[END]"),
                                   std::string("[MSG]a[ANS]c[END][CLC]b"), std::string("")}) {
        const FormulaMemory memory = ParseFormulaText(text);
        EXPECT_EQ(memory.formula, text);
        EXPECT_EQ(memory.message, "");
        EXPECT_EQ(memory.lastAnswer, "");
    }
    // Text before the first marker is not kept.
    EXPECT_EQ(ParseFormulaText("junk[MSG]a[CLC]b[ANS]c[END]tail").message, "a");
}

TEST(FormulaTextFile, TheLastAnswerIsCutTo599BytesWithoutSplittingACharacter) {
    const std::string kan = platform::Sjis("漢");
    std::string answer(598, '1');
    answer += kan;
    const FormulaMemory memory = ParseFormulaText("[MSG][CLC][ANS]" + answer + "[END]");
    EXPECT_EQ(memory.lastAnswer, std::string(598, '1'));
    EXPECT_EQ(ParseFormulaText("[MSG][CLC][ANS]" + std::string(700, '2') + "[END]").lastAnswer,
              std::string(599, '2'));
}

TEST(FormulaTextFile, KeptAtCloseReplacedWholeAndDeletedWhenNotWanted) {
    TempFolder dir;
    const std::string path = dir / "SushikiText.txt";
    EXPECT_FALSE(ReadFormulaTextFile(path).has_value()) << "a missing file is ignored";
    ASSERT_TRUE(StoreFormulaTextFile(path, true, {"1+(2)", "1+(2", "3"}).ok);
    EXPECT_EQ(ReadFile(path), "[MSG]1+(2)[CLC]1+(2[ANS]3[END]");
    ASSERT_TRUE(StoreFormulaTextFile(path, true, {"", "4", ""}).ok);
    EXPECT_EQ(ReadFile(path), "[MSG][CLC]4[ANS][END]");
    EXPECT_EQ(ReadFormulaTextFile(path)->formula, "4");
    // A temporary file a crash left beside it goes with the next write.
    WriteFile(path + ".tmp-AbC123", "half");
    ASSERT_TRUE(StoreFormulaTextFile(path, true, {"", "5", ""}).ok);
    EXPECT_FALSE(Exists(path + ".tmp-AbC123"));

    ASSERT_TRUE(StoreFormulaTextFile(path, false, {}).ok);
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(StoreFormulaTextFile(path, false, {}).ok) << "nothing to delete is no failure";
}

TEST(FormulaTextFile, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    TempFolder dir;
    const std::string path = dir / "SushikiText.txt";
    WriteFile(path, "[MSG][CLC]old[ANS][END]");
    {
        testing::FullDisk full(8);
        const platform::IoResult result = StoreFormulaTextFile(path, true, {"", "new", ""});
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.what.find(path), std::string::npos) << result.what;
    }
    EXPECT_EQ(ReadFile(path), "[MSG][CLC]old[ANS][END]");
    // A folder where the file should be cannot be deleted.
    std::filesystem::create_directories(dir / "folder");
    EXPECT_FALSE(StoreFormulaTextFile(dir / "folder", false, {}).ok);
}

}  // namespace
}  // namespace pemu::formula
