// Runs every golden key file: each row keys one token and compares the display, the lit
// marks and the error code; a tape row compares the whole tape with a golden text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/key_session.hpp"
#include "golden_case_file.hpp"
#include "key_arguments.hpp"

namespace {

namespace fs = std::filesystem;
using pemu::golden::GoldenCase;

std::vector<std::string> GoldenFiles(const char* folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void RunCase(const std::string& file, const GoldenCase& c) {
    std::vector<std::string> args = c.options;
    pemu::calc::KeyArguments parsed;
    const std::string message = pemu::calc::ParseKeyArguments(args, parsed);
    ASSERT_EQ(message, "") << file << ":" << c.line;
    pemu::core::KeySession session(parsed.options);
    for (const auto& row : c.rows) {
        const std::string where = file + ":" + std::to_string(row.line) + " (" + c.title + ")";
        if (!row.tapeFile.empty()) {
            const fs::path tape = fs::path(file).parent_path() / row.tapeFile;
            ASSERT_TRUE(fs::exists(tape)) << where << ": no file " << tape;
            EXPECT_EQ(session.TapeUtf8(), ReadText(tape)) << where;
            continue;
        }
        if (!row.keys.empty()) {
            for (const auto& token : row.keys)
                ASSERT_TRUE(session.Press(token)) << where << ": unknown token " << token;
            continue;
        }
        if (row.edit) {
            // TOKEN display marks error RESULT MESSAGE: the last two fields.
            const std::string line = session.Edit(row.token);
            ASSERT_NE(line, "") << where << ": malformed edit " << row.token;
            if (row.display.empty()) continue;
            const std::size_t tab = line.rfind('\t');
            const std::size_t before = line.rfind('\t', tab - 1);
            EXPECT_EQ(line.substr(before + 1, tab - before - 1), row.display) << where;
            EXPECT_EQ(line.substr(tab + 1), row.message) << where;
            continue;
        }
        ASSERT_TRUE(session.Press(row.token)) << where << ": unknown token " << row.token;
        const auto& state = session.Calc().State();
        EXPECT_EQ(state.displayValue, row.display) << where << " after " << row.token;
        if (row.marks != "*") {
            EXPECT_EQ(session.LitMarks(), row.marks) << where << " after " << row.token;
        }
        EXPECT_EQ(CodeOf(state.errorCode), row.error) << where << " after " << row.token;
    }
}

class GoldenKeys : public testing::TestWithParam<std::string> {};

TEST_P(GoldenKeys, EveryRowMatches) {
    std::vector<std::string> errors;
    const auto cases = pemu::golden::ReadGoldenFile(GetParam(), errors);
    for (const auto& error : errors)
        ADD_FAILURE() << error;
    EXPECT_FALSE(cases.empty()) << GetParam() << " holds no case";
    for (const auto& c : cases)
        RunCase(GetParam(), c);
}

std::string FileStem(const testing::TestParamInfo<std::string>& info) {
    std::string name = fs::path(info.param).stem().string();
    std::replace_if(
        name.begin(), name.end(), [](char ch) { return !std::isalnum(ch); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenKeys, testing::ValuesIn(GoldenFiles(PEMU_GOLDEN_KEYS_DIR)),
                         FileStem);
// Tape corrections: key sequences, edits and the tape after them.
INSTANTIATE_TEST_SUITE_P(Corrections, GoldenKeys,
                         testing::ValuesIn(GoldenFiles(PEMU_GOLDEN_CORRECTIONS_DIR)), FileStem);

}  // namespace
