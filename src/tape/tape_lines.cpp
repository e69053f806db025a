#include "tape/tape_lines.hpp"

#include <map>

#include "platform/codec.hpp"
#include "tape/line_codes.hpp"

namespace pemu::tape {
namespace {

// The byte after the symbol: "+" or "-" in " SC+ " and " SC- ".
constexpr std::size_t kSignFromEnd = 5;

}  // namespace

const std::string& Cp932(std::string_view utf8) {
    static std::map<std::string, std::string, std::less<>> converted;
    auto it = converted.find(utf8);
    if (it == converted.end()) {
        it = converted.emplace(std::string(utf8), platform::Sjis(utf8)).first;
    }
    return it->second;
}

std::vector<TapeLine> SplitTapeLines(std::string_view text) {
    std::vector<TapeLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(kLineEnd, start);
        if (end == std::string_view::npos) {
            lines.push_back({start, text.size() - start, text.size()});
            break;
        }
        lines.push_back({start, end - start, end + kLineEnd.size()});
        start = end + kLineEnd.size();
    }
    return lines;
}

std::string_view LineSymbol(std::string_view line) {
    if (line.size() < kSymbolFromEnd) return {};
    return line.substr(line.size() - kSymbolFromEnd, 2);
}

std::string_view LineValue(std::string_view line) {
    if (line.size() <= kLabelAndMark) return {};
    return line.substr(0, line.size() - kLabelAndMark);
}

std::string PlainValue(std::string_view line) {
    std::string value;
    for (char ch : LineValue(line)) {
        if (ch != ',') value += ch;
    }
    return value;
}

bool IsSeparatorLine(std::string_view line) {
    return line.empty() || line.back() == ' ';
}

bool IsReferenceLine(std::string_view line) {
    const std::string& mark = Cp932("‥");
    return line.size() >= mark.size() && line.substr(line.size() - mark.size()) == mark;
}

std::string_view TrimBlanks(std::string_view line) {
    const auto blank = [](char ch) { return static_cast<unsigned char>(ch) <= ' '; };
    while (!line.empty() && blank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && blank(line.back()))
        line.remove_suffix(1);
    return line;
}

int StepKindOf(std::string_view line) {
    const std::string_view symbol = LineSymbol(line);
    if (symbol.empty()) return 0;
    if (symbol == "SC") {
        return line[line.size() - kSignFromEnd] == '-' ? kLineSignNegative : kLineSignPositive;
    }
    static const std::pair<const char*, int> kinds[] = {
        {"＋", kLineAdd},    {"－", kLineSubtract}, {"×", kLineMultiply}, {"÷", kLineDivide},
        {"＝", kLineEquals}, {"Ｍ", kLineEquals},   {"％", kLinePercent},
    };
    for (const auto& [utf8, kind] : kinds) {
        if (symbol == Cp932(utf8)) return kind;
    }
    return 0;
}

}  // namespace pemu::tape
