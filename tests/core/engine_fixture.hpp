#pragma once
// A calculator on a recording display and shell, with settings applied as at start-up.
#include <string>
#include <vector>

#include "core/calculator.hpp"
#include "core/recording_display.hpp"

namespace pemu::core::testing {

class RecordingShell : public ShellPort {
  public:
    void PressKey(int code) override { calls.push_back("press " + std::to_string(code)); }
    void RefreshKeys() override { calls.push_back("refresh-keys"); }
    void RunShellKey(int code) override { calls.push_back("shell " + std::to_string(code)); }
    void CopyToClipboard(std::string_view text) override {
        calls.push_back("clipboard " + std::string(text));
    }
    void FamilyChanged(KeyFamily family) override {
        calls.push_back("family " + std::to_string(StoredFamily(family)));
    }

    std::vector<std::string> calls;
};

struct Engine {
    explicit Engine(KeyFamily family = kMakerSharp, StartupSettings settings = {})
        : calc(display, shell, tape, family) {
        settings.kenzanAutoDate = false;
        calc.FirstShow();
        calc.ApplyStartupSettings(settings, nullptr);
        display.ClearCalls();
        shell.calls.clear();
        calc.TakeFocus();
    }
    // Keys given as in a key sequence: digits and points one by one, operators by symbol.
    void Keys(const std::string& keys) {
        for (char ch : keys) {
            if (ch >= '1' && ch <= '9') calc.ExecuteKey(kKeyDigit1 + (ch - '1'));
            if (ch == '0') calc.ExecuteKey(kKeyDigit0);
            if (ch == '.') calc.ExecuteKey(kKeyPoint);
            if (ch == '+') calc.ExecuteKey(kKeyAdd);
            if (ch == '-') calc.ExecuteKey(kKeySubtract);
            if (ch == '*') calc.ExecuteKey(kKeyMultiply);
            if (ch == '/') calc.ExecuteKey(kKeyDivide);
            if (ch == '=') calc.ExecuteKey(kKeyEquals);
        }
    }
    const CalculatorState& State() const { return calc.State(); }

    RecordingDisplay display;
    RecordingShell shell;
    tape::TapeRecorder tape;
    Calculator calc;
};

}  // namespace pemu::core::testing
