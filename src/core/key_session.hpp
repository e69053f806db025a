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
#include "tape/tape_recorder.hpp"

namespace pemu::core {

struct KeySessionOptions {
    int family = kMakerSharp;
    // The stored settings as the first activation reads them; no date lines unless asked
    // for, so that output is reproducible.
    StartupSettings settings = [] {
        StartupSettings s;
        s.kenzanAutoDate = false;
        return s;
    }();
    bool tape = false;
};

struct KeyArguments {
    KeySessionOptions options;
    std::vector<std::string> tokens;
};

// Options up to "--", then key tokens. Returns "" when all are good, otherwise a message
// naming the first bad option, value or token; nothing is run either way.
std::string ParseKeyArguments(const std::vector<std::string>& args, KeyArguments& out);

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
    // Lit mark codes in ascending order, comma separated, or "-".
    std::string LitMarks() const;
    // The tape text in UTF-8, one line per tape line ("\n" ended).
    std::string TapeUtf8() const;

    Calculator& Calc() { return calc_; }
    const Calculator& Calc() const { return calc_; }
    tape::TapeRecorder& Tape() { return tape_; }
    RecordingDisplay& Display() { return display_; }

  private:
    RecordingDisplay display_;
    NullShell shell_;
    tape::TapeRecorder tape_;
    Calculator calc_;
};

}  // namespace pemu::core
