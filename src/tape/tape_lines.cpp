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

LineKind ClassifyLine(std::string_view line, LineKind previous) {
    if (line == "On" || line == "On ") return LineKind::kRunEnd;
    if (IsSeparatorLine(line)) return LineKind::kSeparator;
    const std::size_t length = line.size();
    const std::string_view symbol = LineSymbol(line);
    // Two bytes after the symbol: the second half of a two-character label.
    const std::string_view second =
        length >= kSymbolFromEnd ? line.substr(length - kSymbolFromEnd + 2, 2) : "";
    if (IsReferenceLine(line)) {
        const auto starts = [&](const char* utf8) { return line.starts_with(Cp932(utf8)); };
        if (symbol == Cp932("◇") || symbol == Cp932("◆"))
            return second == Cp932("Ｍ") ? LineKind::kMemory : LineKind::kGrandTotal;
        if (starts("√ ")) return LineKind::kRoot;
        if (starts("BASE ")) return LineKind::kTaxBase;
        if (starts("…TAX ")) return LineKind::kTax;
        if (starts("= "))
            return previous == LineKind::kRoot ? LineKind::kRoot : LineKind::kTaxResult;
        return LineKind::kNote;  // setting notes
    }
    const char last = line.back();
    if (last == '<') return LineKind::kNote;
    if (last == ']') return LineKind::kDate;
    if (symbol == "SC") return LineKind::kSignChange;
    if (symbol == Cp932("～")) return LineKind::kCarried;
    if (symbol == Cp932("小") || symbol == Cp932("再")) return LineKind::kSubtotal;
    if (symbol == Cp932("Ｃ") || symbol == Cp932("Ａ")) return LineKind::kClear;
    if (symbol == Cp932("Ｅ") || (symbol == Cp932("Ｍ") && second == Cp932("Ｆ")) ||
        (symbol == Cp932("＊") && second == Cp932("Ｆ")))
        return LineKind::kError;
    if (symbol == Cp932("＊")) return LineKind::kResult;
    return StepKindOf(line) != 0 ? LineKind::kStep : LineKind::kOther;
}

}  // namespace pemu::tape
