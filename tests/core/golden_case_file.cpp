#include "golden_case_file.hpp"

#include <charconv>
#include <fstream>
#include <sstream>

namespace pemu::golden {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        if (word[0] == '#') break;
        words.push_back(word);
    }
    return words;
}

std::string RestAfter(const std::string& line, const std::string& keyword) {
    std::string rest = line.substr(line.find(keyword) + keyword.size());
    const std::size_t first = rest.find_first_not_of(" \t");
    return first == std::string::npos ? "" : rest.substr(first);
}

}  // namespace

std::vector<GoldenCase> ReadGoldenFile(const std::string& path, std::vector<std::string>& errors) {
    std::vector<GoldenCase> cases;
    std::ifstream in(path);
    if (!in) {
        errors.push_back(path + ": cannot be read");
        return cases;
    }
    std::vector<std::string> options;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (words[0] == "options") {
            options.assign(words.begin() + 1, words.end());
            continue;
        }
        if (words[0] == "case") {
            cases.push_back({number, RestAfter(line, "case"), options, {}});
            continue;
        }
        if (cases.empty()) {
            errors.push_back(where + "a row before the first case");
            continue;
        }
        GoldenRow row;
        row.line = number;
        if (words[0] == "tape") {
            if (words.size() != 2) errors.push_back(where + "tape needs one file name");
            row.tapeFile = words.size() > 1 ? words[1] : "";
            cases.back().rows.push_back(row);
            continue;
        }
        if (words[0] == "keys") {
            row.keys.assign(words.begin() + 1, words.end());
            if (row.keys.empty()) errors.push_back(where + "keys needs at least one token");
            cases.back().rows.push_back(row);
            continue;
        }
        if (words[0][0] == '@') {
            // @clear has no result of its own; every other edit names one.
            const std::size_t least = words[0] == "@clear" ? 1 : 2;
            if (words.size() < least || words.size() > 3) {
                errors.push_back(where + "expected EDIT RESULT [MESSAGE]");
                continue;
            }
            row.edit = true;
            row.token = words[0];
            if (words.size() > 1) row.display = words[1];
            if (words.size() > 2) row.message = words[2];
            cases.back().rows.push_back(row);
            continue;
        }
        if (words.size() < 2 || words.size() > 4) {
            errors.push_back(where + "expected TOKEN DISPLAY [MARKS] [ERROR]");
            continue;
        }
        row.token = words[0];
        row.display = words[1];
        if (words.size() > 2) row.marks = words[2];
        if (words.size() > 3) {
            const std::string& code = words[3];
            const auto [end, ec] =
                std::from_chars(code.data(), code.data() + code.size(), row.error);
            if (ec != std::errc() || end != code.data() + code.size()) {
                errors.push_back(where + "the error code is not a number");
            }
        }
        cases.back().rows.push_back(row);
    }
    return cases;
}

}  // namespace pemu::golden
