#pragma once
// The error state of one formula run: the first fault found, where it is, and the first
// character of the text it overwrote with 'E'.
#include <cstddef>
#include <string>

#include "formula/message_number.hpp"

namespace pemu::formula {

// Characters a formula text may hold, at every stage of the check and the evaluation.
inline constexpr std::size_t kFormulaMax = 5000;

struct FormulaError {
    bool raised = false;
    MessageNumber code = MessageNumber::kNone;
    int position = 0;     // 1-based character position, 0 when the code has none
    char savedFirst = 0;  // the text's first character before it became 'E' (0: empty)
};

// Records the fault and marks text as an error result: its first character is saved and
// replaced by 'E' (an empty text becomes "E"). A later raise replaces the earlier record.
void RaiseFormulaError(FormulaError& error, std::string& text, MessageNumber code, int position);

// Undoes the mark on text: the saved character goes back in place of the 'E'.
void RestoreFirstChar(const FormulaError& error, std::string& text);

// The message of a code as CP932 bytes ("[E706][構文] 連続した演算子が有ります。");
// empty for a code without text (504, 505, unknown codes).
const std::string& FormulaMessage(MessageNumber code);

}  // namespace pemu::formula
