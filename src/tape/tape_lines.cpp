#include "tape/tape_lines.hpp"

#include "arithmetic/text.hpp"
#include "platform/codec.hpp"
#include "tape/line_codes.hpp"

namespace pemu::tape {
namespace {

// The byte after the symbol: "+" or "-" in " SC+ " and " SC- ".
constexpr std::size_t kSignFromEnd = 5;

}  // namespace

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
    const std::string& mark = platform::Sjis("‥");
    return line.size() >= mark.size() && line.substr(line.size() - mark.size()) == mark;
}

std::string_view TrimBlanks(std::string_view line) {
    // Every byte up to the blank: control characters, the line end, the blank itself.
    static constexpr char kBlankBytes[] =
        "\x01\x02\x03\x04\x05\x06\x07\x08\t\n\x0b\x0c\r\x0e\x0f\x10\x11\x12\x13\x14\x15\x16"
        "\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f ";
    return arith::TrimmedView(line, std::string_view(kBlankBytes, sizeof kBlankBytes));
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
        if (symbol == platform::Sjis(utf8)) return kind;
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
        const auto starts = [&](const char* utf8) {
            return line.starts_with(platform::Sjis(utf8));
        };
        if (symbol == platform::Sjis("◇") || symbol == platform::Sjis("◆"))
            return second == platform::Sjis("Ｍ") ? LineKind::kMemory : LineKind::kGrandTotal;
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
    if (symbol == platform::Sjis("～")) return LineKind::kCarried;
    if (symbol == platform::Sjis("小") || symbol == platform::Sjis("再"))
        return LineKind::kSubtotal;
    if (symbol == platform::Sjis("Ｃ") || symbol == platform::Sjis("Ａ")) return LineKind::kClear;
    if (symbol == platform::Sjis("Ｅ") ||
        (symbol == platform::Sjis("Ｍ") && second == platform::Sjis("Ｆ")) ||
        (symbol == platform::Sjis("＊") && second == platform::Sjis("Ｆ")))
        return LineKind::kError;
    if (symbol == platform::Sjis("＊")) return LineKind::kResult;
    return StepKindOf(line) != 0 ? LineKind::kStep : LineKind::kOther;
}

}  // namespace pemu::tape
