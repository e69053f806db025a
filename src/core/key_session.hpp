#pragma once
// A calculator run without a window from key tokens, as `pemu-calc keys` and the golden
// case files drive it: options, tokens, one status line per token and the tape.
#include <string>
#include <string_view>
#include <vector>

#include "core/calculator.hpp"
#include "core/memory_store_port.hpp"
#include "core/recording_display.hpp"
#include "core/shell_port.hpp"
#include "tape/tape_correction.hpp"
#include "tape/tape_recorder.hpp"
#include "tape/tape_view.hpp"

namespace pemu::core {

// Rows of the tape grid the session's tape view shows, about those of a window of the
// default size; edits pick their line by number whatever is shown.
inline constexpr int kKeySessionRows = 25;

struct KeySessionOptions {
    KeyFamily family = kMakerSharp;
    // The stored settings as the first activation reads them; no date lines unless asked
    // for, so that output is reproducible.
    StartupSettings settings = [] {
        StartupSettings s;
        s.kenzanAutoDate = false;
        return s;
    }();
};

// A tape edit as the tape window applies it to the line numbered `line` of its grid:
// "@change:N:VALUE:SYM", "@insert:N:VALUE:SYM", "@delete:N", "@clear".
struct TapeEdit {
    enum class Kind { kChange, kInsert, kDelete, kClear };
    Kind kind = Kind::kClear;
    int line = 0;
    std::string value;  // the number field's text (UTF-8)
    int symbol = 0;     // index into the symbol list: + - * / = %
};

bool IsTapeEditToken(std::string_view token);
// "@paste:TEXT": TEXT pasted as the main window's Ctrl+V pastes the clipboard.
bool IsPasteToken(std::string_view token);
// "" when the token is well formed, otherwise the reason.
std::string ParseTapeEdit(std::string_view token, TapeEdit& edit);

// The key codes a token stands for: a run of digits and points is keyed character by
// character, "00" is the 00 key. False for an unknown token.
bool KeyCodesOfToken(std::string_view token, std::vector<int>& codes);

class KeySession {
  public:
    explicit KeySession(const KeySessionOptions& options);

    // Runs the keys of a token; an unknown token runs nothing and returns false.
    bool Press(std::string_view token);
    // TOKEN, displayValue, lit marks ("-" when none) and errorCode, tab separated, UTF-8.
    std::string StatusLine(std::string_view token) const;
    // Applies a tape edit token; the status line followed by the recalculation's result
    // (0 to 5, "E" a refused number, "X" a line or symbol the window does not offer) and the
    // message (UTF-8, "-" for none). @clear gives the status line alone. A malformed
    // token gives "".
    std::string Edit(std::string_view token);
    // A paste token: the status line followed by "pasted" or "refused".
    std::string Paste(std::string_view token);
    // A key token's status line, or an edit or paste token's line.
    std::string Run(std::string_view token);
    // Lit mark codes in ascending order, comma separated, or "-".
    std::string LitMarks() const;
    // The tape text in UTF-8, one line per tape line ("\n" ended).
    std::string TapeUtf8() const;

    Calculator& Calc() { return calc_; }
    const Calculator& Calc() const { return calc_; }
    tape::TapeRecorder& Tape() { return tape_; }
    RecordingDisplay& Display() { return display_; }
    tape::TapeView& View() { return view_; }
    tape::TapeCorrection& Correction() { return correction_; }

  private:
    // The result field and message of an edit.
    std::pair<std::string, std::string> ApplyEdit(const TapeEdit& edit);

    RecordingDisplay display_;
    NullShell shell_;
    tape::TapeRecorder tape_;
    Calculator calc_;
    // The tape window as it stands open beside the calculator.
    tape::TapeView view_;
    tape::TapeCorrection correction_;
};

}  // namespace pemu::core
