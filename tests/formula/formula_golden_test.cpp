// Runs every case of the golden files in cases/: "formula → shown text" at the settings
// in force (see the header of cases/check.txt for the format).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arithmetic/context.hpp"
#include "formula/formula_run.hpp"
#include "platform/codec.hpp"

namespace pemu::formula {
namespace {

constexpr std::string_view kArrow = "→ ";
constexpr std::string_view kSettings = "settings ";

struct GoldenCase {
    std::string where;  // file:line
    FormulaSettings settings;
    std::string formula;
    std::string shown;
    int position = -1;  // -1: not checked
};

std::string Unescape(std::string text) {
    if (!text.empty() && text.back() == '|') text.pop_back();
    for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n", at)) {
        text.replace(at, 2, "\n");
        ++at;
    }
    return text;
}

bool ParseSettings(const std::string& line, FormulaSettings& settings) {
    std::istringstream fields(line.substr(kSettings.size()));
    return static_cast<bool>(fields >> settings.limits.intDigits >> settings.limits.fracDigits >>
                             settings.group);
}

std::vector<GoldenCase> LoadCases() {
    std::vector<GoldenCase> cases;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(PEMU_FORMULA_CASES_DIR)) {
        if (entry.path().extension() == ".txt") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file);
        FormulaSettings settings;
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::string where = file.filename().string() + ":" + std::to_string(number);
            if (line.empty() || line.front() == '#') continue;
            if (line.rfind(kSettings, 0) == 0) {
                EXPECT_TRUE(ParseSettings(line, settings)) << where << ": bad settings line";
                continue;
            }
            const std::size_t arrow = line.find(kArrow);
            if (arrow == std::string::npos) {
                ADD_FAILURE() << where << ": no \"→ \" in the line";
                continue;
            }
            GoldenCase golden{where, settings, line.substr(0, arrow),
                              Unescape(line.substr(arrow + kArrow.size())), -1};
            if (!golden.formula.empty() && golden.formula.back() == ' ') golden.formula.pop_back();
            const std::size_t at = golden.shown.rfind(" @");
            if (at != std::string::npos && golden.shown.front() == '[') {
                golden.position = std::stoi(golden.shown.substr(at + 2));
                golden.shown.resize(at);
            }
            cases.push_back(std::move(golden));
        }
    }
    return cases;
}

TEST(FormulaGolden, EveryCaseShowsItsText) {
    const std::vector<GoldenCase> cases = LoadCases();
    ASSERT_GT(cases.size(), 100u);
    for (const GoldenCase& golden : cases) {
        arith::ArithContext ctx;
        const FormulaOutcome outcome =
            RunFormula(ctx, platform::Utf8ToCp932(golden.formula), golden.settings);
        EXPECT_EQ(platform::Cp932ToUtf8(outcome.shown), golden.shown)
            << golden.where << ": " << golden.formula;
        if (golden.position >= 0) {
            EXPECT_EQ(outcome.error.position, golden.position)
                << golden.where << ": " << golden.formula;
        }
        EXPECT_EQ(ctx.workIntDigits, 20) << golden.where;
        EXPECT_EQ(ctx.workFracDigits, 20) << golden.where;
        EXPECT_FALSE(ctx.divideError) << golden.where;
    }
}

}  // namespace
}  // namespace pemu::formula
