#include "formula/formula_text_file.hpp"

#include <cerrno>
#include <cstring>

#include "arithmetic/text.hpp"
#include "formula/formula_display.hpp"

namespace pemu::formula {

namespace {

constexpr std::string_view kMessageMarker = "[MSG]";
constexpr std::string_view kFormulaMarker = "[CLC]";
constexpr std::string_view kAnswerMarker = "[ANS]";
constexpr std::string_view kEndMarker = "[END]";

}  // namespace

std::string ComposeFormulaText(const FormulaMemory& memory) {
    std::string text;
    text.reserve(memory.message.size() + memory.formula.size() + memory.lastAnswer.size() + 20);
    text.append(kMessageMarker).append(memory.message);
    text.append(kFormulaMarker).append(memory.formula);
    text.append(kAnswerMarker).append(memory.lastAnswer);
    text.append(kEndMarker);
    return text;
}

FormulaMemory ParseFormulaText(std::string_view bytes) {
    constexpr auto npos = std::string_view::npos;
    const std::size_t message = bytes.find(kMessageMarker);
    const std::size_t formula =
        message == npos ? npos : bytes.find(kFormulaMarker, message + kMessageMarker.size());
    const std::size_t end = bytes.rfind(kEndMarker);
    const std::size_t answer = end == npos ? npos : bytes.rfind(kAnswerMarker, end);
    const bool complete =
        formula != npos && answer != npos && answer >= formula + kFormulaMarker.size();
    FormulaMemory memory;
    if (!complete) {
        memory.formula = std::string(bytes);
        return memory;
    }
    const auto between = [bytes](std::size_t from, std::size_t to) {
        return std::string(bytes.substr(from, to - from));
    };
    memory.message = between(message + kMessageMarker.size(), formula);
    memory.formula = between(formula + kFormulaMarker.size(), answer);
    memory.lastAnswer = arith::CutWholeChars(
        bytes.substr(answer + kAnswerMarker.size(), end - answer - kAnswerMarker.size()),
        kLastAnswerMax);
    return memory;
}

std::optional<FormulaMemory> ReadFormulaTextFile(const std::string& path) {
    const std::optional<std::string> bytes = platform::ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return ParseFormulaText(*bytes);
}

platform::IoResult StoreFormulaTextFile(const std::string& path, bool keep,
                                        const FormulaMemory& memory) {
    if (keep) {
        // Only this process writes this file: a temporary left by a crash goes first.
        platform::RemoveAbandonedTemporaries(path);
        return platform::WriteFileAtomically(path, ComposeFormulaText(memory));
    }
    if (platform::RemoveFile(path) || errno == ENOENT) return platform::IoResult::Ok();
    const int error = errno;
    return platform::IoResult::Failed(error, "delete " + path + ": " + std::strerror(error));
}

}  // namespace pemu::formula
