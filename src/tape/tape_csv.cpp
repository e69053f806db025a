#include "tape/tape_csv.hpp"

#include "arithmetic/decimal.hpp"
#include "arithmetic/text_lines.hpp"
#include "platform/codec.hpp"

namespace pemu::tape {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRowEnd = "\r\n";

std::string Field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"') quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

std::string MarkName(std::string_view line) {
    const auto ends = [&](const char* utf8) { return line.ends_with(Cp932(utf8)); };
    if (ends(" 同")) return "same";
    if (ends(" 修")) return "corrected";
    if (ends("‥")) return "reference";
    return "";
}

// The number in a value field: separators and the words around it dropped; a trailing "-"
// (a deducted tax) becomes the sign.
std::string NumberIn(std::string_view field) {
    std::string digits;
    bool negative = false;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char ch = field[i];
        if ((ch >= '0' && ch <= '9') || ch == '.') {
            digits += ch;
        } else if (ch == '-') {
            negative = true;
        } else if (ch != ',' && !digits.empty()) {
            if (ch != ' ') break;
        }
    }
    if (digits.empty() || !arith::IsNumberText(digits)) return "";
    return negative ? "-" + digits : digits;
}

}  // namespace

std::string CsvKindName(std::string_view line, LineKind kind) {
    switch (kind) {
        case LineKind::kStep: {
            const std::string_view symbol = LineSymbol(line);
            if (symbol == Cp932("Ｍ")) return line[line.size() - 5] == '-' ? "M-" : "M+";
            static const std::pair<const char*, const char*> names[] = {
                {"＋", "+"}, {"－", "-"}, {"×", "×"}, {"÷", "÷"}, {"＝", "="}, {"％", "%"}};
            for (const auto& [utf8, name] : names)
                if (symbol == Cp932(utf8)) return name;
            return "other";
        }
        case LineKind::kSignChange:
            return "sign";
        case LineKind::kResult:
            return "result";
        case LineKind::kSubtotal:
            return "subtotal";
        case LineKind::kError:
            return "error";
        case LineKind::kClear:
            return "clear";
        case LineKind::kCarried:
            return "carried";
        case LineKind::kMemory:
            return "memory";
        case LineKind::kGrandTotal:
            return "GT";
        case LineKind::kRoot:
            return "root";
        case LineKind::kTaxBase:
            return "tax-base";
        case LineKind::kTax:
            return "tax";
        case LineKind::kTaxResult:
            return "tax-result";
        case LineKind::kNote:
            return "note";
        case LineKind::kDate:
            return "date";
        case LineKind::kSeparator:
            return "separator";
        case LineKind::kRunEnd:
            return "end";
        case LineKind::kOther:
            break;
    }
    return "other";
}

std::string CsvValue(std::string_view line, LineKind kind) {
    switch (kind) {
        case LineKind::kStep:
        case LineKind::kResult:
        case LineKind::kSubtotal:
        case LineKind::kMemory:
        case LineKind::kGrandTotal:
        case LineKind::kRoot:
        case LineKind::kTaxBase:
        case LineKind::kTax:
        case LineKind::kTaxResult:
            return NumberIn(LineValue(line));
        default:
            return "";
    }
}

std::string TapeToCsv(std::string_view cp932Text) {
    std::string csv(kByteOrderMark);
    csv += "line,value,kind,mark,text";
    csv += kRowEnd;
    LineKind previous = LineKind::kOther;
    int number = 0;
    // A log saved by another editor may end its lines with CR or LF alone.
    for (const std::string_view line : arith::SplitLines(cp932Text)) {
        const LineKind kind = ClassifyLine(line, previous);
        if (kind != LineKind::kSeparator) previous = kind;
        csv += std::to_string(++number) + ',' + Field(CsvValue(line, kind)) + ',' +
               Field(CsvKindName(line, kind)) + ',' + MarkName(line) + ',' +
               Field(platform::Cp932ToUtf8(line)) + std::string(kRowEnd);
    }
    return csv;
}

}  // namespace pemu::tape
