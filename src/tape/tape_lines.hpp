#pragma once
// Reading the lines of the tape text. Label and mark have fixed widths, so every part of a
// line is found by counting back from its end: with L the length without CR LF, the symbol
// is bytes L-7 and L-6 and the value the first L-8 bytes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pemu::tape {

inline constexpr std::string_view kLineEnd = "\r\n";
// Label and mark at the end of every line: the symbol starts 7 bytes from the end, the
// mark takes the last 3, label and mark together the last 8.
inline constexpr std::size_t kSymbolFromEnd = 7;
inline constexpr std::size_t kMarkSize = 3;
inline constexpr std::size_t kLabelAndMark = 8;

// A line of the tape text: the offset of its first byte and its length without CR LF.
struct TapeLine {
    std::size_t start = 0;
    std::size_t length = 0;
    // Offset just past the line's CR LF (or past its last byte when it has none).
    std::size_t next = 0;
};

// The lines of text in order; a last line without CR LF counts as a line too.
std::vector<TapeLine> SplitTapeLines(std::string_view text);
inline std::string_view LineText(std::string_view text, const TapeLine& line) {
    return text.substr(line.start, line.length);
}

// Bytes L-7 and L-6; empty when the line is shorter than 7 bytes.
std::string_view LineSymbol(std::string_view line);
// The first L-8 bytes; empty when L <= 8.
std::string_view LineValue(std::string_view line);
// The value without its thousands separators.
std::string PlainValue(std::string_view line);

// An empty line, or one whose last byte is a single-byte space (the separator line).
bool IsSeparatorLine(std::string_view line);
// A line that ends with the reference mark "‥" (settings, memory, roots, tax).
bool IsReferenceLine(std::string_view line);
// The line without the bytes up to the space character at either end.
std::string_view TrimBlanks(std::string_view line);

// The step kind a line's symbol stands for: "＋" 17, "－" 18, "×" 19, "÷" 20, "＝" and
// "Ｍ" 99, "％" 1, "SC" 830 or 831 (when byte L-5 is "-"); any other 0.
int StepKindOf(std::string_view line);

// What a line of the tape (or of the calculation log) is, read from its label and mark.
enum class LineKind {
    kStep,        // an operator, =, %, M+ or M- step: StepKindOf tells which
    kSignChange,  // " SC+ ", " SC- "
    kResult,      // " ＊　", " ＊+ "
    kSubtotal,    // " 小計" (a recomputed calculation without =)
    kError,       // " Ｅ０", " ＥＦ", " ＭＦ", " ＊Ｆ"
    kClear,       // " Ｃ　", " ＡＣ", " ＣＡ"
    kCarried,     // " ～　": the open calculation continued after a clear of the tape
    kMemory,      // " ◇Ｍ", " ◆Ｍ"
    kGrandTotal,  // " ◇＊", " ◆＊"
    kRoot,        // "√ …", "= …" of a square root
    kTaxBase,     // "BASE …"
    kTax,         // "…TAX …"
    kTaxResult,   // "= …" of a tax key
    kNote,        // a setting note, or a note of a recomputation (" <<")
    kDate,        // "[date time]"
    kSeparator,   // the blank line before every calculation
    kRunEnd,      // "On": where the runs of the calculation log meet
    kOther,       // none of these
};
// `previous` is the kind of the line before: the result of a square root and the result of
// a tax key look alike ("= " + value), and only the line before tells them apart.
LineKind ClassifyLine(std::string_view line, LineKind previous = LineKind::kOther);

}  // namespace pemu::tape
