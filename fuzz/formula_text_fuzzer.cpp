// The formula text file as the formula window reads it back at its start: any bytes parse
// into three texts that write back and read again unchanged, and the window's wrapping of
// them keeps every byte and every line within its width.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formula/formula_display.hpp"
#include "formula/formula_text_file.hpp"

namespace {

constexpr int kGroups[] = {0, 2, 3, 4, 5};

void Require(bool condition) {
    if (!condition) std::abort();
}

std::string WithoutBreaks(std::string_view text) {
    std::string out;
    for (char ch : text)
        if (ch != '\r' && ch != '\n') out += ch;
    return out;
}

// Every line of a wrapped text at most `width` bytes, and nothing but breaks added.
void RequireWrapped(std::string_view original, std::string_view wrapped, std::size_t width) {
    Require(WithoutBreaks(wrapped) == WithoutBreaks(original));
    std::size_t line = 0;
    for (char ch : wrapped) {
        line = ch == '\n' ? 0 : ch == '\r' ? line : line + 1;
        Require(line <= width);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pemu::formula;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const FormulaMemory memory = ParseFormulaText(bytes);
    Require(memory.lastAnswer.size() <= kLastAnswerMax);
    Require(memory.message.size() + memory.formula.size() + memory.lastAnswer.size() <= size);

    const FormulaMemory again = ParseFormulaText(ComposeFormulaText(memory));
    Require(again.message == memory.message);
    Require(again.formula == memory.formula);
    Require(again.lastAnswer == memory.lastAnswer);

    const int width = 2 + static_cast<int>(size % 60);
    RequireWrapped(memory.message, WrapText(memory.message, width),
                   static_cast<std::size_t>(width));
    const std::string answer = AnswerText(memory.lastAnswer, kGroups[size % 5], width);
    Require(memory.lastAnswer.empty() == answer.empty());
    return 0;
}
