#pragma once
// The formula text file the window keeps between runs: "[MSG]" message area "[CLC]" input
// area "[ANS]" last answer "[END]", byte for byte (CP932; texts may hold line breaks and
// nothing is escaped).
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.hpp"

namespace pemu::formula {

struct FormulaMemory {
    std::string message;     // the message area as shown
    std::string formula;     // the input area
    std::string lastAnswer;  // at most kLastAnswerMax bytes when read
};

std::string ComposeFormulaText(const FormulaMemory& memory);

// A text with all four markers gives its three parts: the message from the first "[MSG]"
// to the first "[CLC]" after it, the last answer between the last "[ANS]" and the last
// "[END]" (an answer never holds a marker, a typed formula may), the input area between.
// Any other text is the input area whole.
FormulaMemory ParseFormulaText(std::string_view bytes);

// The file read and parsed; nullopt when it is missing or cannot be read.
std::optional<FormulaMemory> ReadFormulaTextFile(const std::string& path);

// At the window's close: with `keep` the file is replaced atomically by the memory, without
// it the file is deleted (a missing file is no failure).
platform::IoResult StoreFormulaTextFile(const std::string& path, bool keep,
                                        const FormulaMemory& memory);

}  // namespace pemu::formula
